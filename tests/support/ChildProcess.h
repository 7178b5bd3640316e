// Child processes of the tests: one way to start a program, wait for it, read what it printed and end it.
// Every test that runs simctl, Tessel, Quillo or a copy of itself goes through this.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace testsupport {

// A started program; ends it on destruction when it still runs.
class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts the program (full path) with the arguments in the working folder (empty: the program's own
    // folder). Its output goes to NUL: a program that outlives the test never holds the test's own output,
    // which CTest waits for. Valid() tells whether it started, StartError() the system's error code if not.
    static ChildProcess Start(const std::wstring& program, const std::wstring& arguments,
                              const std::wstring& workingFolder = std::wstring());

    bool Valid() const { return m_process != nullptr; }
    DWORD StartError() const { return m_startError; }
    DWORD Pid() const { return m_pid; }
    HANDLE Handle() const { return m_process; }
    bool Running() const;
    // True when the process ended within the time; its exit code goes to *exitCode.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // Ends the process when it still runs (the fallback after a failure) and lets go of it.
    void Kill();

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    DWORD m_startError = 0;
};

// The end of a program that ran to completion.
struct RunResult
{
    bool started = false;
    bool finished = false; // false: it did not end in time and was ended by force
    DWORD exitCode = 0;    // meaningful when finished
    std::string output;    // standard output and error, in the order written
    std::vector<std::wstring> debugStrings;
    std::wstring command; // for messages

    bool Succeeded() const { return started && finished && exitCode == 0; }
};

// "simctl.exe reset sonix: exit code 1\n<output>": what a failed run says about itself.
std::ostream& operator<<(std::ostream& out, const RunResult& result);

struct RunOptions
{
    DWORD timeoutMs = 60000;
    std::wstring workingFolder;       // empty: the program's own folder
    bool collectDebugStrings = false; // run it under a small debugger loop that keeps its debugger output
};

// Runs the program to its end (at most timeoutMs, then it is ended by force), reading its output while it
// runs: a process it starts may inherit the pipe, so the pipe's end is never taken as the program's end.
RunResult Run(const std::wstring& program, const std::wstring& arguments, const RunOptions& options = {});

// UTF-8 of a wide text, for messages.
std::string Narrow(const std::wstring& text);

} // namespace testsupport
