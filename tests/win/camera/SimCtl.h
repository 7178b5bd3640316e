// Runs simctl.exe from the test program's folder, when the simulated devices are part of the build.
#pragma once

#include <string>

// True when simctl.exe lies beside the test program.
bool SimctlPresent();
// Runs simctl with the arguments; true when it exited with 0. Its output goes to output when given.
bool RunSimctl(const std::wstring& arguments, std::string* output = nullptr);
