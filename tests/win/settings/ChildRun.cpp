// Child-process runner of the settings tests (see ChildRun.h).
#include "ChildRun.h"

#include <shellapi.h>

namespace {

std::wstring ThisProgram()
{
    wchar_t path[4096] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, 4096);
    return length && length < 4096 ? std::wstring(path, length) : std::wstring();
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    std::wstring text;
    SIZE_T units = info.nDebugStringLength;
    if (units == 0 || units > 65536)
        return text;
    if (info.fUnicode) {
        std::wstring buffer(units, L'\0');
        SIZE_T read = 0;
        if (ReadProcessMemory(process, info.lpDebugStringData, &buffer[0], units * sizeof(wchar_t), &read))
            text.assign(buffer.c_str());
    } else {
        std::string buffer(units, '\0');
        SIZE_T read = 0;
        if (ReadProcessMemory(process, info.lpDebugStringData, &buffer[0], units, &read)) {
            std::string narrow(buffer.c_str());
            int wide = MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, nullptr, 0);
            if (wide > 0) {
                text.assign(static_cast<std::size_t>(wide), L'\0');
                MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, &text[0], wide);
                text.resize(static_cast<std::size_t>(wide - 1));
            }
        }
    }
    return text;
}

} // namespace

ChildFolder::ChildFolder(const wchar_t* siblingProgram)
{
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH, temp))
        return;
    static int serial = 0;
    m_folder = std::wstring(temp) + L"quillo settings " + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++serial) + L"\\";
    CreateDirectoryW(m_folder.c_str(), nullptr);
    std::wstring program = ThisProgram();
    if (siblingProgram)
        program = program.substr(0, program.rfind(L'\\') + 1) + siblingProgram;
    m_ready = CopyFileW(program.c_str(), ProgramPath().c_str(), FALSE) != FALSE;
}

ChildFolder::~ChildFolder()
{
    if (m_folder.empty())
        return;
    // SHFileOperation wants a double-terminated list.
    std::wstring from = m_folder.substr(0, m_folder.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    (void)SHFileOperationW(&op); // a leftover temporary folder harms nothing
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

ChildResult ChildFolder::Run(const wchar_t* action) const
{
    ChildResult result;
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" --child " + action;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(ProgramPath().c_str(), &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                        nullptr, m_folder.c_str(), &startup, &process))
        return result;
    result.started = true;
    DWORD deadline = GetTickCount() + 30000;
    while (!result.exited) {
        DWORD now = GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0)
            break;
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, deadline - now))
            break;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            result.debugStrings.push_back(ReadDebugString(process.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            result.exited = true;
            result.exitCode = event.u.ExitProcess.dwExitCode;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (!result.exited)
        TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
