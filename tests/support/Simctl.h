// simctl.exe, the command line of the simulated devices (see sim/README.md), run from the test program's
// folder: one runner for every test, with its exit code and everything it printed.
#pragma once

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// Runs simctl with the arguments and waits for it (60 s at most).
RunResult Simctl(const std::wstring& arguments);

// Success of a simctl run for ASSERT_TRUE / EXPECT_TRUE; a failure names the command, its exit code and
// its output.
::testing::AssertionResult SimctlOk(const std::wstring& arguments);

// The number after "value=" in simctl's answer to a get command; a failed run or an answer without a value
// is reported as a test failure (with simctl's output) and gives -1.
long SimValue(const std::wstring& getArguments);

} // namespace testsupport
