// The running program's module file name and its folder, read without a length limit so that a long
// install path never yields a cut (and therefore wrong) folder.
#pragma once

#include <string>

// Full file name of the program's own module; empty when the system cannot tell.
std::wstring ProgramModuleName();
// The program's folder with its final backslash; empty when the module name has no backslash.
std::wstring ProgramFolder();
