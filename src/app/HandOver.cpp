#include "app/HandOver.h"

#include <cwchar>
#include <string>

bool IsHandOverRequest(const wchar_t* data, std::uint32_t dataBytes, const wchar_t* handOverText)
{
    if (!data || !handOverText || dataBytes < sizeof(wchar_t))
        return false;
    // The sender's bytes are not trusted to hold a terminator: read no further than they reach.
    const std::size_t units = dataBytes / sizeof(wchar_t);
    const std::wstring received(data, wcsnlen(data, units));
    const std::wstring wanted(handOverText, wcsnlen(handOverText, 3));
    return !wanted.empty() && received.find(wanted) != std::wstring::npos;
}
