// The notification-area icon and the About box: a double-click on the icon brings a hidden bar back, a right
// click opens the tray menu; About (from that menu) shows the program's file version and goes on a click and
// when another window is activated.
#include "DialogScene.h"

#include "res/resource.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using testsupport::WaitFor;

constexpr UINT kTrayCallbackMessage = 0x0401;

// The file version of an installed program as the four numbers of its version resource.
std::wstring FileVersionOf(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return std::wstring();
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
        return std::wstring();
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                  HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}

// A visible menu window (class #32768) on the screen.
bool MenuShown()
{
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w))
            return true;
    return false;
}

class TrayAndAbout : public scene::BarSceneTest
{
protected:
    HWND OpenAbout()
    {
        m_quillo.Command(ID_TRAY_ABOUT);
        return m_quillo.Window(L"About Quillo");
    }
    static bool ClickAt(int x, int y)
    {
        return scene::Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 1");
    }
};

TEST_F(TrayAndAbout, TheIconBringsTheHiddenBarBackAndOpensTheTrayMenu)
{
    HWND bar = m_quillo.Bar();
    ShowWindow(bar, SW_HIDE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); }, 5000));
    PostMessageW(bar, kTrayCallbackMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }, 5000));

    PostMessageW(bar, kTrayCallbackMessage, 0, WM_RBUTTONUP);
    ASSERT_TRUE(WaitFor(MenuShown, 5000));
    // The menu goes when its mode is cancelled.
    PostMessageW(bar, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(WaitFor([] { return !MenuShown(); }, 5000));
}

TEST_F(TrayAndAbout, AboutShowsTheFileVersionAndGoesOnAClickOrWhenAnotherWindowIsActivated)
{
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    const std::wstring version = FileVersionOf(e2e::InstallDir() + L"\\Quillo.exe");
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(scene::Text(scene::Control(about, IDC_ABOUT_VERSION)), L"UVC " + version);
    RECT r = {};
    ASSERT_TRUE(GetWindowRect(about, &r));
    EXPECT_EQ(r.right - r.left, 454);
    EXPECT_EQ(r.bottom - r.top, 330);
    ASSERT_TRUE(ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    ASSERT_TRUE(m_quillo.WindowGone(L"About Quillo"));

    // Another program's window activated: the box goes.
    m_notepad = e2e::Process::Start(L"C:\\windows\\notepad.exe", L"", L"C:\\");
    ASSERT_TRUE(m_notepad.Valid());
    HWND notepad = e2e::WaitForWindow(nullptr, nullptr, 20000, m_notepad.Pid());
    ASSERT_NE(notepad, nullptr);
    SetWindowPos(notepad, nullptr, 0, 600, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    about = OpenAbout();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(ClickAt(200, 750));
    EXPECT_TRUE(m_quillo.WindowGone(L"About Quillo"));
}

} // namespace
