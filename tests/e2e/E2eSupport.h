// Support for scenario tests: starting the installed programs, finding their windows, reading the
// screen, and running simctl to set up the simulated devices.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// The folder the prefix helper installs the build into (C:\Quillo).
std::wstring InstallDir();

// A started program; ends it on destruction when it is still running.
class Process
{
public:
    Process() = default;
    Process(HANDLE process, DWORD pid) : m_process(process), m_pid(pid) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Valid() const { return m_process != nullptr; }
    DWORD Pid() const { return m_pid; }
    // True when the process ended within the time; its exit code goes to *exitCode.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
    void Kill();

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// Starts <InstallDir>\<exe> with the arguments, in the install folder.
Process Start(const std::wstring& exe, const std::wstring& args);
// Runs <InstallDir>\<exe>, waits for it and returns its exit code (or -1); its output goes to *out.
int Run(const std::wstring& exe, const std::wstring& args, std::string* out = nullptr, DWORD timeoutMs = 60000);
// Runs simctl.exe with the arguments; returns its exit code and fills *out.
int Simctl(const std::wstring& args, std::string* out = nullptr);

// Waits until a visible top-level window of the class (or any when null) and title (or any when null)
// exists; pid 0 means any process. Returns null after the timeout.
HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs, DWORD pid = 0);
// Visible top-level windows of a process.
std::vector<HWND> VisibleWindows(DWORD pid);
// Ends every process whose image name is exeName (left over by a failed test).
void KillAll(const wchar_t* exeName);
// A clean scene for a scenario: no Quillo and no helper running, the default simulated camera.
// Returns simctl's exit code.
int ResetScene();

// A 32-bit picture read from the screen, rows top-down, 0x00RRGGBB.
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool SaveBmp(const std::wstring& path) const;
};
Image CaptureScreen(const RECT& rect);
Image CaptureWindow(HWND window);

// Share of pixels in which the two pictures (same size) differ by more than tolerance per channel.
double DifferentShare(const Image& a, const Image& b, int tolerance);

} // namespace e2e
