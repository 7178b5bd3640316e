// An open registry key, closed whatever path the caller takes; with the writes every user of the registry
// needs (a text with its terminator, a 32-bit number).
#pragma once

#include <windows.h>

#include <string>

class RegistryKey
{
public:
    RegistryKey() = default;
    ~RegistryKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LONG Open(HKEY root, const std::wstring& path, REGSAM access)
    {
        return RegOpenKeyExW(root, path.c_str(), 0, access, &m_key);
    }
    LONG Create(HKEY root, const std::wstring& path, REGSAM access = KEY_ALL_ACCESS)
    {
        return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_key,
                               nullptr);
    }
    HKEY Get() const { return m_key; }

    LONG WriteText(const wchar_t* name, const std::wstring& text) const
    {
        return RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    LONG WriteDword(const wchar_t* name, DWORD value) const
    {
        return RegSetValueExW(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

private:
    HKEY m_key = nullptr;
};
