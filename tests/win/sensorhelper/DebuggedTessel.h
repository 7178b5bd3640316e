// Runs Tessel.exe under a small debugger loop on its own thread and collects the debugger output lines
// the helper writes, as the main program's developer would read them in a debugger.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DebuggedTessel
{
public:
    DebuggedTessel() = default;
    ~DebuggedTessel();
    DebuggedTessel(const DebuggedTessel&) = delete;
    DebuggedTessel& operator=(const DebuggedTessel&) = delete;

    // Starts the program; false when it could not be created.
    bool Start(const std::wstring& exePath);
    // Lines written so far, in order.
    std::vector<std::wstring> Lines() const;
    // Waits until the debug loop saw the process end; false on timeout.
    bool WaitForExit(DWORD milliseconds);

private:
    void Loop(std::wstring exePath);

    std::thread m_thread;
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_lines;
    HANDLE m_started = nullptr;
    HANDLE m_ended = nullptr;
    HANDLE m_process = nullptr;
    bool m_createFailed = false;
};
