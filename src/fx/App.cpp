// The application object, the program entry helper and the message loops.
#include "fx/App.h"

#include "fx/CommandLine.h"
#include "fx/MessageLoop.h"
#include "fx/Wnd.h"

#include <commctrl.h>

namespace fx {

namespace {
App* g_currentApp = nullptr;
HINSTANCE g_resourceInstance = nullptr;
} // namespace

App::App() : m_previous(g_currentApp)
{
    g_currentApp = this;
}

App::~App()
{
    if (g_currentApp == this)
        g_currentApp = m_previous;
}

App* App::Current()
{
    return g_currentApp;
}

bool App::InitInstance()
{
    return true;
}

int App::ExitInstance()
{
    return m_exitCode;
}

int App::Run()
{
    m_exitCode = RunMessageLoop();
    return m_exitCode;
}

bool App::PreTranslateMessage(MSG& msg)
{
    return WalkPreTranslateTree(msg);
}

int AppMain(HINSTANCE instance, const wchar_t* commandLine, int showCommand)
{
    App* app = App::Current();
    if (!app)
        return -1;
    app->m_instance = instance;
    app->m_commandLine =
        commandLine ? std::wstring(commandLine) : std::wstring(ArgumentsAfterProgramName(GetCommandLineW()));
    app->m_showCommand = showCommand;
    if (!g_resourceInstance)
        g_resourceInstance = instance;
    EnsureCommonControls();
    if (app->InitInstance())
        app->Run();
    return app->ExitInstance();
}

HWND DefaultOwner(HWND parent)
{
    if (parent)
        return parent;
    App* app = App::Current();
    Wnd* main = app ? app->MainWnd() : nullptr;
    return main && main->IsWindow() ? GetAncestor(main->Hwnd(), GA_ROOT) : nullptr;
}

HINSTANCE ResourceInstance()
{
    return g_resourceInstance ? g_resourceInstance : GetModuleHandleW(nullptr);
}

void SetResourceInstance(HINSTANCE instance)
{
    g_resourceInstance = instance;
}

void EnsureCommonControls()
{
    // Two calls: an older common-control library refuses the newer flag, and must still register the rest.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classic = {sizeof(classic), ICC_WIN95_CLASSES};
        INITCOMMONCONTROLSEX standard = {sizeof(standard), ICC_STANDARD_CLASSES};
        const bool classicDone = InitCommonControlsEx(&classic) != FALSE;
        (void)InitCommonControlsEx(&standard); // the standard classes are there without it on older systems
        return classicDone;
    }();
    (void)registered; // a dialog whose control classes are missing fails to create and says so by its result
}

bool PreTranslate(MSG& msg)
{
    App* app = App::Current();
    return app ? app->PreTranslateMessage(msg) : WalkPreTranslateTree(msg);
}

void DispatchOne(MSG& msg)
{
    // Windows ended while this message is handled keep their objects until it is done.
    HandlerScope scope;
    if (PreTranslate(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int RunMessageLoop()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        DispatchOne(msg);
    }
}

bool PumpWaitingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        DispatchOne(msg);
    }
    return true;
}

} // namespace fx
