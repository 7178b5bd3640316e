// Child processes of the tests (see ChildProcess.h).
#include "support/ChildProcess.h"

#include <utility>

namespace testsupport {

namespace {

std::wstring CommandLine(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring line = L"\"" + program + L"\"";
    if (!arguments.empty())
        line += L" " + arguments;
    return line;
}

std::wstring FolderOf(const std::wstring& program)
{
    const size_t slash = program.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

// An inheritable handle to NUL for reading or writing; INVALID_HANDLE_VALUE when there is none.
HANDLE OpenNul(DWORD access)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
}

// Closes a handle at the end of a scope.
class OwnedHandle
{
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return m_handle; }
    HANDLE* Put()
    {
        Close();
        return &m_handle;
    }
    void Close()
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    HANDLE m_handle;
};

// Starts the program with its standard handles set; false (and the error in *error) when it did not start.
bool Launch(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder, HANDLE input,
            HANDLE output, DWORD flags, PROCESS_INFORMATION* info, DWORD* error)
{
    std::wstring line = CommandLine(program, arguments);
    const std::wstring folder = workingFolder.empty() ? FolderOf(program) : workingFolder;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    const bool redirect = input && output;
    if (redirect) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, redirect ? TRUE : FALSE, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, info)) {
        *error = GetLastError();
        return false;
    }
    return true;
}

// Reads whatever the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& text)
{
    char buffer[4096];
    DWORD available = 0;
    DWORD got = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    const SIZE_T units = info.nDebugStringLength;
    if (units == 0 || units > 65536)
        return std::wstring();
    SIZE_T read = 0;
    if (info.fUnicode) {
        std::wstring text(units, L'\0');
        if (!ReadProcessMemory(process, info.lpDebugStringData, &text[0], units * sizeof(wchar_t), &read))
            return std::wstring();
        text.resize(read / sizeof(wchar_t));
        return std::wstring(text.c_str());
    }
    std::string narrow(units, '\0');
    if (!ReadProcessMemory(process, info.lpDebugStringData, &narrow[0], units, &read))
        return std::wstring();
    narrow.resize(read);
    narrow = narrow.c_str();
    const int wide = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(wide > 0 ? wide : 0), L'\0');
    if (wide > 0)
        MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), &text[0], wide);
    return text;
}

// Handles one debug event of the child; true when it was the child's end (its exit code in *exitCode).
bool OnDebugEvent(const DEBUG_EVENT& event, HANDLE process, RunResult& result, DWORD* exitCode)
{
    DWORD status = DBG_CONTINUE;
    bool ended = false;
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
        result.debugStrings.push_back(ReadDebugString(process, event.u.DebugString));
        break;
    case EXCEPTION_DEBUG_EVENT:
        // The loader's breakpoint is ours to pass over; every other exception is the child's own to handle.
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED;
        break;
    case EXIT_PROCESS_DEBUG_EVENT:
        *exitCode = event.u.ExitProcess.dwExitCode;
        ended = true;
        break;
    default:
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    return ended;
}

} // namespace

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)), m_pid(std::exchange(other.m_pid, 0)),
      m_startError(other.m_startError)
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Kill();
        m_process = std::exchange(other.m_process, nullptr);
        m_pid = std::exchange(other.m_pid, 0);
        m_startError = other.m_startError;
    }
    return *this;
}

ChildProcess::~ChildProcess()
{
    Kill();
}

ChildProcess ChildProcess::Start(const std::wstring& program, const std::wstring& arguments,
                                 const std::wstring& workingFolder)
{
    ChildProcess child;
    OwnedHandle input(OpenNul(GENERIC_READ));
    OwnedHandle output(OpenNul(GENERIC_WRITE));
    PROCESS_INFORMATION info = {};
    if (!Launch(program, arguments, workingFolder, input.Get(), output.Get(), 0, &info, &child.m_startError))
        return child;
    CloseHandle(info.hThread);
    child.m_process = info.hProcess;
    child.m_pid = info.dwProcessId;
    return child;
}

bool ChildProcess::Running() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode && !GetExitCodeProcess(m_process, exitCode))
        *exitCode = static_cast<DWORD>(-1);
    return true;
}

void ChildProcess::Kill()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
    m_process = nullptr;
}

RunResult Run(const std::wstring& program, const std::wstring& arguments, const RunOptions& options)
{
    RunResult result;
    result.command = CommandLine(program, arguments);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
    if (!CreatePipe(readEnd.Put(), writeEnd.Put(), &inherit, 0)) {
        result.output = "could not make a pipe (error " + std::to_string(GetLastError()) + ")";
        return result;
    }
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    OwnedHandle input(OpenNul(GENERIC_READ));
    PROCESS_INFORMATION info = {};
    DWORD error = 0;
    const DWORD flags = options.collectDebugStrings ? DEBUG_ONLY_THIS_PROCESS : 0;
    bool launched = Launch(program, arguments, options.workingFolder, input.Get(), writeEnd.Get(), flags, &info, &error);
    // Wine now and then refuses a start with its internal error while the machine is busy; a second start a
    // moment later goes through.
    for (int retry = 0; !launched && error == ERROR_INTERNAL_ERROR && retry < 3; ++retry) {
        Sleep(200);
        launched = Launch(program, arguments, options.workingFolder, input.Get(), writeEnd.Get(), flags, &info, &error);
    }
    if (!launched) {
        result.output = "could not start (error " + std::to_string(error) + ")";
        return result;
    }
    result.started = true;
    // Only the child (and what it starts) holds the write end now.
    writeEnd.Close();
    input.Close();
    OwnedHandle process(info.hProcess);
    OwnedHandle thread(info.hThread);

    const ULONGLONG deadline = GetTickCount64() + options.timeoutMs;
    DWORD exitCode = 0;
    bool ended = false;
    while (!ended && GetTickCount64() < deadline) {
        Drain(readEnd.Get(), result.output);
        if (options.collectDebugStrings) {
            DEBUG_EVENT event = {};
            if (WaitForDebugEvent(&event, 20))
                ended = OnDebugEvent(event, process.Get(), result, &exitCode);
        } else if (WaitForSingleObject(process.Get(), 20) == WAIT_OBJECT_0) {
            ended = GetExitCodeProcess(process.Get(), &exitCode) != FALSE;
        }
    }
    if (!ended) {
        TerminateProcess(process.Get(), 1);
        // A debugged child ends only once its debugger has seen the end.
        const ULONGLONG grace = GetTickCount64() + 5000;
        bool gone = false;
        while (options.collectDebugStrings && !gone && GetTickCount64() < grace) {
            DEBUG_EVENT event = {};
            DWORD ignored = 0;
            if (WaitForDebugEvent(&event, 100))
                gone = OnDebugEvent(event, process.Get(), result, &ignored);
        }
    }
    WaitForSingleObject(process.Get(), 5000);
    Drain(readEnd.Get(), result.output);
    result.finished = ended;
    result.exitCode = exitCode;
    return result;
}

std::ostream& operator<<(std::ostream& out, const RunResult& result)
{
    out << Narrow(result.command) << ": ";
    if (!result.started)
        out << "not started";
    else if (!result.finished)
        out << "did not end in time and was ended";
    else
        out << "exit code " << result.exitCode;
    if (!result.output.empty())
        out << "\n" << result.output;
    return out;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

} // namespace testsupport
