// Debug loop for the Tessel trace tests: every event is continued, debugger strings are read from the
// debuggee's memory in whichever width it raised them.
#include "DebuggedTessel.h"

DebuggedTessel::~DebuggedTessel()
{
    if (m_process != nullptr && WaitForSingleObject(m_ended, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process, 99);
    if (m_thread.joinable())
        m_thread.join();
    if (m_started != nullptr)
        CloseHandle(m_started);
    if (m_ended != nullptr)
        CloseHandle(m_ended);
}

bool DebuggedTessel::Start(const std::wstring& exePath)
{
    m_started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread(&DebuggedTessel::Loop, this, exePath);
    WaitForSingleObject(m_started, 20000);
    return !m_createFailed && m_process != nullptr;
}

std::vector<std::wstring> DebuggedTessel::Lines() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
}

bool DebuggedTessel::WaitForExit(DWORD milliseconds)
{
    return WaitForSingleObject(m_ended, milliseconds) == WAIT_OBJECT_0;
}

void DebuggedTessel::Loop(std::wstring exePath)
{
    std::wstring commandLine = L"\"" + exePath + L"\"";
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L'\\'));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        folder.c_str(), &startup, &info)) {
        m_createFailed = true;
        SetEvent(m_started);
        SetEvent(m_ended);
        return;
    }
    m_process = info.hProcess;
    SetEvent(m_started);
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 30000))
            break;
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
            const OUTPUT_DEBUG_STRING_INFO& s = event.u.DebugString;
            const size_t units = s.nDebugStringLength;
            std::wstring line;
            SIZE_T read = 0;
            if (s.fUnicode) {
                line.resize(units);
                ReadProcessMemory(info.hProcess, s.lpDebugStringData, line.data(), units * sizeof(wchar_t), &read);
            } else {
                std::string narrow(units, '\0');
                ReadProcessMemory(info.hProcess, s.lpDebugStringData, narrow.data(), units, &read);
                line.assign(narrow.begin(), narrow.end());
            }
            while (!line.empty() && (line.back() == L'\0' || line.back() == L'\n'))
                line.pop_back();
            std::lock_guard<std::mutex> guard(m_lock);
            m_lines.push_back(line);
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                   event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            status = DBG_EXCEPTION_NOT_HANDLED;
        } else if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            CloseHandle(event.u.CreateProcessInfo.hFile);
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            CloseHandle(event.u.LoadDll.hFile);
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            break;
    }
    SetEvent(m_ended);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    m_process = nullptr;
}
