// Child-process runner of the settings tests (see ChildRun.h).
#include "ChildRun.h"

#include "common/ModulePath.h"

ChildFolder::ChildFolder(const wchar_t* siblingProgram)
{
    const std::wstring program = siblingProgram ? PathBesideProgram(siblingProgram) : ProgramModuleName();
    m_ready = m_folder.Ready() && !program.empty() && m_folder.CopyIn(program, L"child.exe");
}

bool ChildFolder::WriteFileBytes(const wchar_t* name, const std::string& bytes) const
{
    HANDLE file =
        CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string ChildFolder::ReadFileBytes(const wchar_t* name) const
{
    std::string bytes;
    HANDLE file = CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

bool ChildFolder::Exists(const wchar_t* name) const
{
    return GetFileAttributesW(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

testsupport::RunResult ChildFolder::Run(const wchar_t* action) const
{
    testsupport::RunOptions options;
    options.timeoutMs = 30000;
    options.workingFolder = m_folder.Path();
    options.collectDebugStrings = true;
    return testsupport::Run(ProgramPath(), std::wstring(L"--child ") + action, options);
}
