// fx::App: the application object. One global instance per program; wWinMain hands over to
// fx::AppMain, which calls InitInstance and, when that returns true, runs the message loop.
#pragma once

#include <string>
#include <windows.h>

namespace fx {

class Wnd;

class App
{
public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application object of this process (the most recently constructed one), or null.
    static App* Current();

    // Start-up. Return false to end the program without running the message loop (a dialog-based
    // program runs its main dialog modally in here and returns false).
    virtual bool InitInstance();
    // End. The result is the program's exit code; by default the code of the WM_QUIT that ended Run.
    virtual int ExitInstance();
    // The message loop; returns the WM_QUIT exit code.
    virtual int Run();
    // Every message of the thread's loops (also of modal dialogs) passes here first, thread messages
    // (no window) included. Return true to swallow it. By default the windows from the message's window
    // up to its top-level window get their PreTranslateMessage.
    virtual bool PreTranslateMessage(MSG& msg);

    HINSTANCE Instance() const { return m_instance; }
    // The command line after the program name, with the separating blanks removed: "/s" for
    // `Quillo.exe /s`. Trailing blanks and the argument's case are kept.
    const std::wstring& CommandLine() const { return m_commandLine; }
    int ShowCommand() const { return m_showCommand; }
    Wnd* MainWnd() const { return m_mainWnd; }
    void SetMainWnd(Wnd* wnd) { m_mainWnd = wnd; }

private:
    friend int AppMain(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

    HINSTANCE m_instance = nullptr;
    std::wstring m_commandLine;
    int m_showCommand = SW_SHOWNORMAL;
    Wnd* m_mainWnd = nullptr;
    int m_exitCode = 0;
    App* m_previous = nullptr;
};

// Called from wWinMain: `return fx::AppMain(instance, commandLine, showCommand);`. A null command line
// is taken from GetCommandLineW.
int AppMain(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

// The owner of a top-level window that was given none: `parent` when set, else the top-level window of
// the application's main window (null without one). Common dialogs of the shell take their owner here.
HWND DefaultOwner(HWND parent = nullptr);

// The module that holds dialog templates, bitmaps and menus (the program itself unless set).
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);

// Registers the common control classes (trackbar, tab, tooltip...) once per process.
void EnsureCommonControls();

} // namespace fx
