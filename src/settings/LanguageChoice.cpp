// Windows-free decisions of the interface language (see LanguageChoice.h).
#include "settings/LanguageChoice.h"

#include <cwchar>

#include "settings/LogLine.h"

std::wstring FormatLanguageCode(std::uint32_t language)
{
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring code;
    do {
        code.insert(code.begin(), kDigits[language & 0xF]);
        language >>= 4;
    } while (language != 0);
    if (code.size() < 4)
        code.insert(code.begin(), 4 - code.size(), L'0');
    return code;
}

std::wstring LanguageCodeFromRegistryBytes(const std::uint8_t* bytes, std::size_t length)
{
    std::uint32_t language = 0;
    for (std::size_t i = 0; i < 4 && bytes && i < length; ++i)
        language |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return FormatLanguageCode(language);
}

std::wstring LanguageCodeFromSystemDefault(bool valueRead, const std::uint16_t* units, std::size_t count)
{
    std::wstring code;
    if (valueRead && units) {
        for (std::size_t i = 0; i < count && units[i] != 0; ++i)
            code.push_back(static_cast<wchar_t>(units[i]));
    }
    if (code.empty())
        code = kDefaultLanguageCode;
    return code;
}

std::wstring TextOrDefault(const std::wstring& found, const wchar_t* englishDefault)
{
    if (!found.empty())
        return found;
    return englishDefault ? std::wstring(englishDefault) : std::wstring();
}

wchar_t* CopyTextOrDefault(wchar_t* buffer, std::size_t bufferChars, const std::wstring& found,
                           const wchar_t* englishDefault)
{
    if (!buffer || bufferChars == 0)
        return buffer;
    std::wmemset(buffer, L'\0', bufferChars);
    std::wstring text = TextOrDefault(found, englishDefault);
    std::size_t length = WideCutPoint(text.data(), text.size(), bufferChars - 1);
    std::wmemcpy(buffer, text.data(), length);
    return buffer;
}
