// Fuzz target: what the program does with the texts it reads from Lang.ini and the registry.
#include "FuzzTargets.h"

#include "settings/LanguageChoice.h"

#include <cwchar>
#include <string>
#include <vector>

namespace fuzz {

bool IniValue(const uint8_t* data, size_t size)
{
    // Input: buffer size (1 byte), then the value as UTF-16 code units (any, lone surrogates included).
    if (size < 1)
        return true;
    const size_t bufferChars = data[0] % 64 + 1;
    std::wstring value;
    std::vector<uint16_t> units;
    for (size_t i = 1; i + 1 < size; i += 2) {
        units.push_back(uint16_t(data[i] | data[i + 1] << 8));
        if (units.back() != 0)
            value.push_back(wchar_t(units.back()));
    }
    std::vector<wchar_t> buffer(bufferChars);
    CopyTextOrDefault(buffer.data(), buffer.size(), value, L"English default");
    if (buffer.back() != L'\0' || std::wcslen(buffer.data()) >= bufferChars)
        return false;
    if (!value.empty() && std::wcslen(buffer.data()) > value.size())
        return false;
    if (TextOrDefault(value, nullptr) != value)
        return false;
    const std::wstring code = LanguageCodeFromRegistryBytes(data + 1, size - 1);
    if (code.size() < 4 || code.size() > 8)
        return false;
    const std::wstring system = LanguageCodeFromSystemDefault(true, units.data(), units.size());
    return !system.empty();
}

} // namespace fuzz
