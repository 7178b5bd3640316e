// Windows-free path text: the folder of a module's full file name and a file beside it.
#pragma once

#include <string>

// The folder of a full file name with its final backslash; empty when the name has no backslash.
std::wstring ModuleFolder(const std::wstring& moduleName);
// Path of a file beside the module. A module name without a backslash gives the bare file name.
std::wstring FileBesideModule(const std::wstring& moduleName, const wchar_t* fileName);
