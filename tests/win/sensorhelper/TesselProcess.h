// Runs a copy of Tessel.exe from a folder of the test's choosing and finds its hidden window.
#pragma once

#include <windows.h>

#include <string>

// A fresh folder under %TEMP% that is removed with everything in it at the end.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    // Copies a file from the test program's folder into this one.
    bool CopyFromTestFolder(const wchar_t* file) const;

private:
    std::wstring m_path;
};

std::wstring TestFolderFile(const wchar_t* file);

class TesselProcess
{
public:
    TesselProcess() = default;
    ~TesselProcess();
    TesselProcess(const TesselProcess&) = delete;
    TesselProcess& operator=(const TesselProcess&) = delete;

    // Starts the program with its own folder, or `workingFolder` when given, as the working directory.
    bool Start(const std::wstring& exePath, const std::wstring& workingFolder = std::wstring());
    // Waits until the process ends; false on timeout. `exitCode` receives its exit code.
    bool WaitForExit(DWORD milliseconds, DWORD& exitCode);
    DWORD ProcessId() const { return m_info.dwProcessId; }
    bool Running() const;

private:
    PROCESS_INFORMATION m_info = {};
};

// The top-level window titled "Tessel" (hidden ones included); waits up to `milliseconds` for it.
HWND WaitForTesselWindow(DWORD milliseconds);
// Number of top-level windows titled "Tessel".
int CountTesselWindows();
