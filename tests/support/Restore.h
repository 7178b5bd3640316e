// Files of a test and what a test changes on the machine, put back at the end of the scope: a fresh folder
// under %TEMP%, a file added, a program file moved aside, a registry value. The destructors run when an
// assertion ends a test early too.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// The whole content of a file (at most 64 MiB); empty when it is missing or cannot be read.
std::string ReadWholeFile(const std::wstring& path);
// Writes the bytes as the whole file; false when it could not.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// A new folder under %TEMP% whose name starts with prefix (a prefix with a space gives a path with one);
// removed with everything in it at the end.
class TempFolder
{
public:
    explicit TempFolder(const wchar_t* prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool Ready() const { return m_ready; }
    // The folder with its final backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring PathOf(const wchar_t* name) const { return m_path + name; }
    // Copies a file into the folder under the name (the source's own name when null).
    bool CopyIn(const std::wstring& source, const wchar_t* name = nullptr) const;

private:
    std::wstring m_path;
    bool m_ready = false;
};

// Moves a file aside and puts it back at the end. A file left aside by a run that was ended by force is put
// back first, so the next run starts from the installed state.
class MovedFile
{
public:
    MovedFile(std::wstring path, std::wstring aside);
    ~MovedFile();
    MovedFile(const MovedFile&) = delete;
    MovedFile& operator=(const MovedFile&) = delete;

    bool Moved() const { return m_moved; }
    DWORD Error() const { return m_error; }

private:
    std::wstring m_path;
    std::wstring m_aside;
    bool m_moved = false;
    DWORD m_error = 0;
};

// A file the test adds (or lets a program write) that must not outlive the test: deleted at the end.
class AddedFile
{
public:
    explicit AddedFile(std::wstring path) : m_path(std::move(path)) {}
    ~AddedFile();
    AddedFile(const AddedFile&) = delete;
    AddedFile& operator=(const AddedFile&) = delete;
    const std::wstring& Path() const { return m_path; }
    bool Write(const std::string& bytes) const { return WriteWholeFile(m_path, bytes); }

private:
    std::wstring m_path;
};

// Keeps a registry value as it is (or that there is none) and puts that back at the end.
class RegistryValue
{
public:
    RegistryValue(HKEY root, std::wstring subKey, std::wstring name);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    // Writes a DWORD (creating the key when needed); the system's result.
    LSTATUS SetDword(DWORD value) const;

private:
    HKEY m_root;
    std::wstring m_subKey;
    std::wstring m_name;
    bool m_existed = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};

} // namespace testsupport
