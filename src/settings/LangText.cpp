// Language decision and text lookup (see LangText.h). The language is decided once per run; every lookup
// reads "Lang.ini" again.
#include "settings/LangText.h"

#include <cstdint>

#include "settings/DebugLog.h"
#include "settings/LanguageChoice.h"
#include "common/ModulePath.h"

namespace {
constexpr DWORD kIniTextChars = 260; // up to 259 characters and the terminator
constexpr std::size_t kSharedTextChars = 512;

std::wstring g_langPath;
std::wstring g_langName;
wchar_t g_sharedText[kSharedTextChars];

std::wstring ReadIniText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback)
{
    wchar_t text[kIniTextChars] = {};
    DWORD length = GetPrivateProfileStringW(section, key, fallback, text, kIniTextChars, g_langPath.c_str());
    return std::wstring(text, length < kIniTextChars ? length : kIniTextChars - 1);
}

std::wstring LanguageNameForCode(const std::wstring& code)
{
    return ReadIniText(L"Language", code.c_str(), kDefaultLanguageName);
}

// The machine-wide choice made at installation: a language number under the product key.
bool ReadMachineLanguageCode(std::wstring& code)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Norvane\\Quillo", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    std::uint8_t value[10] = {};
    DWORD size = sizeof value;
    LONG result = RegQueryValueExW(key, L"Language", nullptr, nullptr, value, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    code = LanguageCodeFromRegistryBytes(value, size);
    return true;
}

std::wstring SystemDefaultLanguageCode()
{
    HKEY key = nullptr;
    std::uint16_t text[5] = {}; // 10 bytes, such as "0409" and its terminator
    bool read = false;
    DWORD size = sizeof text;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Nls\\Language\\", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        read =
            RegQueryValueExW(key, L"Default", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    return LanguageCodeFromSystemDefault(read, text, read ? size / sizeof text[0] : 0);
}

void EnsureLanguage()
{
    if (g_langPath.empty())
        g_langPath = ProgramFolder() + L"Lang.ini";
    if (!g_langName.empty())
        return;
    std::wstring code;
    if (ReadMachineLanguageCode(code))
        g_langName = LanguageNameForCode(code);
    if (g_langName.empty())
        g_langName = LanguageNameForCode(SystemDefaultLanguageCode());
    // A "Language" entry with an empty name would leave every lookup without a section.
    if (g_langName.empty())
        g_langName = kDefaultLanguageName;
}
} // namespace

std::wstring GetOSLanguage()
{
    DebugLog("GetOSLanguage[IN]");
    EnsureLanguage();
    return g_langName;
}

std::wstring GetLangText(const wchar_t* key, const wchar_t* englishDefault)
{
    EnsureLanguage();
    return TextOrDefault(ReadIniText(g_langName.c_str(), key, englishDefault), englishDefault);
}

const wchar_t* GetLangTextBuf(const wchar_t* key, const wchar_t* englishDefault)
{
    EnsureLanguage();
    return CopyTextOrDefault(g_sharedText, kSharedTextChars, ReadIniText(g_langName.c_str(), key, englishDefault),
                             englishDefault);
}
