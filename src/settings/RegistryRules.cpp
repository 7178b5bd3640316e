// Registry settings rules (see RegistryRules.h).
#include "settings/RegistryRules.h"

#include <climits>
#include <cwctype>

namespace store {

const wchar_t* const kImageValueNames[kImageValueCount] = {L"Brightness", L"Contrast",   L"Gamma",
                                                           L"Hue",        L"Saturation", L"Sharpness"};
const int kImageFallbackValues[kImageValueCount] = {-33, 45, 131, 0, 60, 3};

namespace {

const DefaultValue kDeployment[] = {
    {kPropertyOptionsKey, L"FlipHorizontal", kTypeDword, 0, nullptr},
    {kPropertyOptionsKey, L"FlipVertical", kTypeDword, 0, nullptr},
    {kPropertyOptionsKey, L"DefaultFrequency", kTypeDword, 0, nullptr},
    {kPropertyOptionsKey, L"PowerlineFrequency", kTypeDword, 0, nullptr},
    {kImageKey, L"Brightness", kTypeText, 0, nullptr},
    {kImageKey, L"Contrast", kTypeText, 0, nullptr},
    {kImageKey, L"Gamma", kTypeText, 0, nullptr},
    {kImageKey, L"Hue", kTypeText, 0, nullptr},
    {kImageKey, L"Saturation", kTypeText, 0, nullptr},
    {kImageKey, L"Sharpness", kTypeText, 0, nullptr},
    {kImageKey, L"Set", kTypeDword, 0, nullptr},
    {kOptionsKey, L"AutoHide", kTypeDword, 1, nullptr},
    {kOptionsKey, L"ToolbarPosition", kTypeDword, 1, nullptr},
    {kPictureKey, L"Size", kTypeDword, 1, nullptr},
    {kPictureKey, L"ExportFile", kTypeDword, 1, nullptr},
    {kPictureKey, L"DateStamp", kTypeDword, 0, nullptr},
    {kPictureKey, L"ShowImageAfterSnapshot", kTypeDword, 0, nullptr},
    {kPictureKey, L"My Pictures", kTypeText, 0, L""},
    {kVideoKey, L"FrameRate", kTypeDword, 0, nullptr},
    {kVideoKey, L"Size", kTypeDword, 1, nullptr},
    {kVideoKey, L"PlayVideoAfterRecording", kTypeDword, 0, nullptr},
    {kVideoKey, L"My Video", kTypeText, 0, L""},
};

} // namespace

const DefaultValue* DeploymentValues(size_t* count)
{
    if (count)
        *count = sizeof kDeployment / sizeof kDeployment[0];
    return kDeployment;
}

bool DwordFromValue(uint32_t type, const uint8_t* data, size_t bytes, uint32_t& value)
{
    if (type != kTypeDword || bytes != 4 || !data)
        return false;
    value = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
            static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    return true;
}

bool TextFromValue(uint32_t type, const uint8_t* data, size_t bytes, std::wstring& text)
{
    if (type != kTypeText || !data || bytes < 2 || bytes % 2 != 0)
        return false;
    const size_t units = bytes / 2;
    for (size_t i = 0; i < units; ++i) {
        const wchar_t unit = static_cast<wchar_t>(data[2 * i] | data[2 * i + 1] << 8);
        if (unit == L'\0') {
            if (i > kMaxTextChars)
                return false;
            text.clear();
            for (size_t j = 0; j < i; ++j)
                text.push_back(static_cast<wchar_t>(data[2 * j] | data[2 * j + 1] << 8));
            return true;
        }
    }
    return false; // no terminator within the data
}

bool ToolbarPositionFromValue(uint32_t value, int& position)
{
    if (value > 3)
        return false;
    position = value == 0 ? 1 : static_cast<int>(value);
    return true;
}

bool ExportFormatFromValue(uint32_t value, int& format)
{
    if (value > 2)
        return false;
    format = static_cast<int>(value);
    return true;
}

int DecimalTextToInt(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace store
