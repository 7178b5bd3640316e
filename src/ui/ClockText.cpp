#include "ui/ClockText.h"

#include <cwchar>

namespace skin {

std::wstring ClockText(std::uint32_t startTick, std::uint32_t nowTick)
{
    const std::uint32_t seconds = (nowTick - startTick) / 1000u;
    const unsigned hours = seconds / 3600u;
    const unsigned minutes = seconds / 60u % 60u;
    wchar_t text[32] = {};
    std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%02u:%02u:%02u", hours, minutes, seconds % 60u);
    return text;
}

} // namespace skin
