// The part of a program's command line that follows the program name, as a Windows program's entry
// point receives it. Windows-free so the rule can be tested on the host.
#pragma once

#include <string_view>

namespace fx {

// Skips the program name (a quoted part may contain blanks) and the blanks after it; the rest is
// returned unchanged, trailing blanks included.
std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine);

} // namespace fx
