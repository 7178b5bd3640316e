// Command-line split between the program name and its arguments.
#include "fx/CommandLine.h"

namespace fx {

std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine)
{
    size_t i = 0;
    bool inQuotes = false;
    // The program name ends at the first blank or control character outside quotes.
    while (i < commandLine.size() && commandLine[i] != L'\0' && (commandLine[i] > L' ' || inQuotes)) {
        if (commandLine[i] == L'"')
            inQuotes = !inQuotes;
        ++i;
    }
    while (i < commandLine.size() && commandLine[i] != L'\0' && commandLine[i] <= L' ')
        ++i;
    std::wstring_view rest = commandLine.substr(i);
    const size_t end = rest.find(L'\0');
    return end == std::wstring_view::npos ? rest : rest.substr(0, end);
}

} // namespace fx
