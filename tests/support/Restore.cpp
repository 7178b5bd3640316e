// Temporary folders, files moved aside and registry values kept (see Restore.h).
#include "support/Restore.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <utility>

namespace testsupport {

std::string ReadWholeFile(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

TempFolder::TempFolder(const wchar_t* prefix)
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return;
    static int serial = 0;
    m_path = std::wstring(temp) + (prefix ? prefix : L"") + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++serial) + L"\\";
    m_ready = CreateDirectoryW(m_path.c_str(), nullptr) != FALSE;
}

TempFolder::~TempFolder()
{
    if (!m_ready)
        return;
    // SHFileOperation wants a list ended by two zeros, and no final backslash.
    std::wstring from = m_path.substr(0, m_path.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    (void)SHFileOperationW(&operation); // a folder left under %TEMP% harms no later test
}

bool TempFolder::CopyIn(const std::wstring& source, const wchar_t* name) const
{
    if (!m_ready)
        return false;
    std::wstring target = m_path;
    if (name) {
        target += name;
    } else {
        const size_t slash = source.find_last_of(L"\\/");
        target += slash == std::wstring::npos ? source : source.substr(slash + 1);
    }
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

MovedFile::MovedFile(std::wstring path, std::wstring aside) : m_path(std::move(path)), m_aside(std::move(aside))
{
    if (GetFileAttributesW(m_aside.c_str()) != INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(m_path.c_str()) == INVALID_FILE_ATTRIBUTES)
        (void)MoveFileExW(m_aside.c_str(), m_path.c_str(), 0); // what an earlier run left aside
    m_moved = MoveFileExW(m_path.c_str(), m_aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!m_moved)
        m_error = GetLastError();
}

MovedFile::~MovedFile()
{
    if (m_moved && !MoveFileExW(m_aside.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING))
        ADD_FAILURE() << "a moved file could not be put back (error " << GetLastError() << ")";
}

AddedFile::~AddedFile()
{
    if (!DeleteFileW(m_path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        ADD_FAILURE() << "an added file could not be removed (error " << GetLastError() << ")";
}

RegistryValue::RegistryValue(HKEY root, std::wstring subKey, std::wstring name)
    : m_root(root), m_subKey(std::move(subKey)), m_name(std::move(name))
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, m_name.c_str(), nullptr, &m_type, nullptr, &bytes) == ERROR_SUCCESS) {
        m_data.resize(bytes);
        m_existed = RegQueryValueExW(key, m_name.c_str(), nullptr, &m_type, m_data.data(), &bytes) == ERROR_SUCCESS;
        m_data.resize(bytes);
    }
    RegCloseKey(key);
}

RegistryValue::~RegistryValue()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return; // no key: there was no value either, and none has been written
    LSTATUS status = ERROR_SUCCESS;
    if (m_existed)
        status = RegSetValueExW(key, m_name.c_str(), 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    else if ((status = RegDeleteValueW(key, m_name.c_str())) == ERROR_FILE_NOT_FOUND)
        status = ERROR_SUCCESS;
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        ADD_FAILURE() << "a registry value could not be put back (error " << status << ")";
}

LSTATUS RegistryValue::SetDword(DWORD value) const
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(m_root, m_subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, m_name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return status;
}

} // namespace testsupport
