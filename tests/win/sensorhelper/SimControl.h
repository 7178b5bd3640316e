// Drives simctl.exe (beside the test program) and reads its key=value answers.
#pragma once

#include <string>
#include <vector>

// Runs simctl with the arguments; returns its standard output, or sets `ok` false when it failed.
std::string RunSimctl(const std::wstring& arguments, bool* ok = nullptr);
// The number after "value=" in simctl's answer to a get command, -1 when there is none.
long SimValue(const std::wstring& getArguments);
// The vendor-library calls in the journal as "Function(args)=result", in order.
std::vector<std::string> VendorJournal();
