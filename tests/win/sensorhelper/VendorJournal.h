// The calls of the simulated vendor libraries, read from simctl's journal.
#pragma once

#include <string>
#include <vector>

// The vendor-library calls in the journal as "Function(args)=result", in order.
std::vector<std::string> VendorJournal();
