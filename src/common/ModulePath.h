// The file name of a loaded module and the program's folder, read without a length limit so that a long
// install path never yields a cut (and therefore wrong) folder. Every program, module and test of the suite
// finds the files beside it through these.
#pragma once

#include <windows.h>

#include <string>

// Full file name of the module (null: the program itself); empty when the system cannot tell.
std::wstring ModuleFileName(HMODULE module);
// Full file name of the program's own module.
std::wstring ProgramModuleName();
// The program's folder with its final backslash; empty when the module name has no backslash.
std::wstring ProgramFolder();
// Full path of a file in the program's folder; empty when the folder cannot be told.
std::wstring PathBesideProgram(const wchar_t* file);
