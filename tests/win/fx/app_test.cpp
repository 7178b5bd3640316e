// The application object: AppMain's start, loop and exit code, and the pre-translation walk from a
// control up to its dialog.
#include "fx/App.h"
#include "fx/Button.h"
#include "fx/Dialog.h"
#include "fx/MessageLoop.h"
#include "fx_test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class StartingApp : public fx::App
{
public:
    bool startLoop = false;
    int exitCode = 0;
    std::wstring seenCommandLine;
    bool ranLoop = false;

    bool InitInstance() override
    {
        seenCommandLine = CommandLine();
        if (startLoop)
            PostQuitMessage(exitCode);
        return startLoop;
    }
    int Run() override
    {
        ranLoop = true;
        return App::Run();
    }
};

TEST(AppMain, RunsTheLoopUntilQuitAndEndsWithItsCode)
{
    StartingApp app;
    app.startLoop = true;
    app.exitCode = 3;
    EXPECT_EQ(fx::AppMain(GetModuleHandleW(nullptr), L"/s", SW_SHOWNORMAL), 3);
    EXPECT_TRUE(app.ranLoop);
    EXPECT_EQ(app.seenCommandLine, L"/s");
}

TEST(AppMain, StartThatReturnsFalseEndsWithoutTheLoop)
{
    StartingApp app;
    EXPECT_EQ(fx::AppMain(GetModuleHandleW(nullptr), nullptr, SW_SHOWNORMAL), 0);
    EXPECT_FALSE(app.ranLoop);
    // Without a command line from the entry point, the process's own is split.
    const std::wstring own = GetCommandLineW();
    EXPECT_EQ(own.substr(own.size() - app.seenCommandLine.size()), app.seenCommandLine);
}

TEST(AppMain, WithoutAnApplicationObjectFails)
{
    EXPECT_EQ(fx::AppMain(GetModuleHandleW(nullptr), L"", 0), -1);
}

std::vector<std::wstring> g_preTranslated;

class WatchingButton : public fx::Button
{
public:
    bool swallow = false;
    bool PreTranslateMessage(MSG& msg) override
    {
        g_preTranslated.push_back(L"button");
        return swallow || Button::PreTranslateMessage(msg);
    }
};

class WatchingDialog : public fx::Dialog
{
public:
    WatchingDialog() : Dialog(IDD_FX_CONTROLS) {}
    WatchingButton button;
    bool PreTranslateMessage(MSG& msg) override
    {
        g_preTranslated.push_back(L"dialog");
        return Dialog::PreTranslateMessage(msg);
    }

protected:
    BOOL OnInitDialog() override { return button.SubclassDlgItem(IDC_FX_RANGE_FIRST, Hwnd()); }
};

TEST(PreTranslate, MouseMessageOfAControlPassesTheControlThenItsDialog)
{
    WatchingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    g_preTranslated.clear();
    MSG move = {dialog.button.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)};
    EXPECT_TRUE(fx::PreTranslate(move)); // the dialog's IsDialogMessage takes it
    EXPECT_EQ(g_preTranslated, (std::vector<std::wstring>{L"button", L"dialog"}));

    g_preTranslated.clear();
    dialog.button.swallow = true;
    EXPECT_TRUE(fx::PreTranslate(move));
    EXPECT_EQ(g_preTranslated, std::vector<std::wstring>{L"button"});

    // Messages that are neither keys nor mouse are left to normal dispatch.
    g_preTranslated.clear();
    dialog.button.swallow = false;
    MSG timer = {dialog.button.Hwnd(), WM_TIMER, 1, 0};
    EXPECT_FALSE(fx::PreTranslate(timer));
    dialog.DestroyWindow();
}

} // namespace
