// The entry of every test program: GoogleTest with a report of the cases that skipped themselves.
#pragma once

namespace testsupport {

// Runs every test of the program. Each skipped case is named with its reason on a line of its own at the
// end ("skipped case: <program>: <Suite.Case>: <reason>"), so that scripts/test can show it: CTest reports
// a program with a skipped case as plainly passed.
int RunAllTests(int argc, char** argv);

} // namespace testsupport
