// Support for scenario tests: starting and ending the installed programs, finding their windows and
// reading the screen. The simulated devices are set up with testsupport::Simctl (support/Simctl.h).
#pragma once
#include "support/ChildProcess.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// The folder the prefix helper installs the build into (C:\Quillo).
std::wstring InstallDir();

// A started program; ends it by force on destruction when it still runs (the fallback after a failure).
using Process = testsupport::ChildProcess;

// Starts <InstallDir>\<exe> with the arguments, in the install folder, its output to NUL.
Process Start(const std::wstring& exe, const std::wstring& args);

// Ends Quillo through its own way out: the Exit command of the tray menu, posted to its toolbar window
// ("Quillo_1"). Succeeds when the process then ends with exit code 0 within timeoutMs and, when a preview
// was open and the helper's window up, the helper has ended too; otherwise the process is ended by force and
// the result says what went wrong.
::testing::AssertionResult ExitQuillo(Process& quillo, DWORD timeoutMs = 15000);

// Starts Quillo.exe with its preview into `quillo` and waits until the preview's snapshot button takes presses (its
// graph runs). Returns the preview window, or null when it did not come in time.
HWND StartWithReadyPreview(Process& quillo);
// Waits until the preview's recording-time label shows at least `seconds` (a recording of that length, by the
// program's own clock). False when it did not within the time.
bool RecordedFor(HWND preview, int seconds, DWORD timeoutMs);

// Waits until a visible top-level window of the class (or any when null) and title (or any when null)
// exists; pid 0 means any process. Returns null after the timeout.
HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs, DWORD pid = 0);
// Visible top-level windows of a process.
std::vector<HWND> VisibleWindows(DWORD pid);
// Ends every process whose image name is exeName (left over by a failed test).
void KillAll(const wchar_t* exeName);
// A clean scene for a scenario: no Quillo and no helper running (whatever a failed test left is ended), the
// default simulated camera, and the scene's user (below).
::testing::AssertionResult ResetScene();
// The scene's user: settings keys in place (no first-start deployment), auto-hide off so the bar stays on
// screen, pictures and recordings in empty folders of the scene's own (never the machine user's own folders).
bool UseSceneUser();
std::wstring ScenePictures();
std::wstring SceneVideos();

// Runs a shell command line on the host (outside Wine; Wine starts host programs by their Z: path) and returns
// what it printed (standard output and error), waiting at most timeoutMs. The command sees the test's
// environment ($WINEPREFIX, $DISPLAY). Wine tells neither a host program's end nor its exit code, so the answer
// comes through a file of the scene's folder that appears whole when the command is done.
std::string RunOnHost(const std::string& command, DWORD timeoutMs = 60000);
// The host path of a file of the prefix's C: drive ("C:\x\y" -> "$WINEPREFIX/drive_c/x/y"), for host commands.
std::string HostPath(const std::wstring& windowsPath);

// Whether the screen is width x height; otherwise says what it is. Tests of one screen size run with
// QUILLO_SCREEN=<width>x<height>, for which scripts/wine-run starts the display at that size.
::testing::AssertionResult ScreenIs(int width, int height);
// Moves the calling thread, and every program it starts from then on, onto a Wine virtual desktop as large as
// the screen. There every pointer move is Wine's input, also where no window is (on the bare X screen Wine hears
// of the pointer only over its own windows, so a low-level mouse hook would miss a touch of the screen's edge).
// Call it before the thread makes any window.
::testing::AssertionResult UseVirtualDesktop();

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

// Width and height of a BMP file from its header (the height as a positive number); 0 x 0 when it is no BMP.
struct BmpSize
{
    int32_t width = 0, height = 0;
};
BmpSize SizeOfBmp(const std::wstring& path);

} // namespace e2e
