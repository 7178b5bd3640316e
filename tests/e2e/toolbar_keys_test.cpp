// The bar's buttons and hot keys as the user meets them: the Camera button and Alt+F7 (typed while another
// window has the focus) open and close the preview; the Property and Setting buttons and Alt+F8 / Alt+F9
// toggle their dialogs; F1 opens the help page in the browser only while the preview is open; Enter and
// Escape on the bar leave it where it is.
#include "DialogScene.h"

#include "res/resource.h"
#include "support/Poll.h"
#include "support/Restore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::WaitFor;

// What the browser's stand-in noted of its command line; empty while it has not run.
std::wstring NotedByBrowser()
{
    const std::string bytes = testsupport::ReadWholeFile(L"C:\\QuilloScene\\noted.txt");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// The test's own program stands for the web browser for the life of a scope. Wine's shell finds the system's
// iexplore.exe before any registered one: the stand-in takes its place (loaded as itself, not as Wine's built-in
// browser), and the system's comes back at the end.
class BrowserStandIn
{
public:
    BrowserStandIn()
        : m_system(kBrowser, std::wstring(kBrowser) + L".quillo-aside"), m_standIn(kBrowser),
          m_asItself(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"iexplore.exe")
    {
        DeleteFileW(L"C:\\QuilloScene\\noted.txt");
        m_ready = m_system.Moved() &&
                  CopyFileW((e2e::InstallDir() + L"\\noting_program.exe").c_str(), kBrowser, FALSE) &&
                  m_asItself.SetText(L"native") == ERROR_SUCCESS;
    }
    bool Ready() const { return m_ready; }

private:
    static constexpr const wchar_t* kBrowser = L"C:\\windows\\system32\\iexplore.exe";
    testsupport::MovedFile m_system;
    testsupport::AddedFile m_standIn;
    testsupport::RegistryValue m_asItself;
    bool m_ready = false;
};

class ToolbarKeys : public scene::BarSceneTest
{
protected:
    void TearDown() override
    {
        // Notepad answers F1 by starting the help viewer, which would outlive the test (and hold its output).
        e2e::KillAll(L"winhlp32.exe");
        BarSceneTest::TearDown();
    }

    // Another program's window takes the focus (Notepad's), so that the keys go to another program than
    // Quillo. (Not a window of the test's own: its thread waits without reading its input, and the keys
    // would never pass the hooks.)
    void FocusElsewhere()
    {
        if (!m_notepad.Valid()) {
            m_notepad = e2e::Process::Start(L"C:\\windows\\notepad.exe", L"", L"C:\\");
            ASSERT_TRUE(m_notepad.Valid());
            m_focus = e2e::WaitForWindow(nullptr, nullptr, 20000, m_notepad.Pid());
            ASSERT_NE(m_focus, nullptr);
            // In the lower left corner, where neither the bar, the preview nor a dialog comes.
            SetWindowPos(m_focus, nullptr, 0, 700, 300, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // Without a window manager X gives the keys to the window under the pointer: a click there, as a
        // person does.
        RECT r = {};
        ASSERT_TRUE(GetWindowRect(m_focus, &r));
        const POINT spot = {r.left + 100, r.top + 100};
        HWND under = WindowFromPoint(spot);
        ASSERT_TRUE(under == m_focus || IsChild(m_focus, under)) << "another window covers Notepad";
        // A click that lands while a new Notepad is still being mapped on the display is lost: click again, as a
        // person would.
        bool focused = false;
        for (int click = 0; click < 3 && !focused; ++click) {
            ASSERT_TRUE(
                scene::Xdotool(L"mousemove " + std::to_wstring(spot.x) + L" " + std::to_wstring(spot.y) + L" click 1"));
            focused = WaitFor([&] { return GetForegroundWindow() == m_focus; }, 3000);
        }
        ASSERT_TRUE(focused) << "Notepad did not take the focus";
    }
    // Keys typed on the X display, as a person types them.
    static void Type(const wchar_t* keys) { ASSERT_TRUE(scene::Xdotool(std::wstring(L"key ") + keys)); }

    bool PreviewOpen(DWORD timeoutMs = 30000) const { return m_quillo.Window(L"Quillo", timeoutMs) != nullptr; }

    HWND m_focus = nullptr;
};

TEST_F(ToolbarKeys, TheCameraButtonAndAltF7OpenAndCloseThePreview)
{
    m_quillo.Command(IDC_BAR_CAMERA);
    ASSERT_TRUE(PreviewOpen());
    m_quillo.Command(IDC_BAR_CAMERA);
    ASSERT_TRUE(m_quillo.WindowGone(L"Quillo"));

    ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
    ASSERT_NO_FATAL_FAILURE(Type(L"alt+F7"));
    ASSERT_TRUE(PreviewOpen()) << "Alt+F7 typed in another window opens the preview";
    ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
    ASSERT_NO_FATAL_FAILURE(Type(L"alt+F7"));
    EXPECT_TRUE(m_quillo.WindowGone(L"Quillo"));
}

TEST_F(ToolbarKeys, PropertyAndSettingToggleTheirDialogsByButtonAndByKey)
{
    struct Case
    {
        UINT button;
        const wchar_t* key;
        const wchar_t* title;
    };
    for (const Case& c :
         {Case{IDC_BAR_PROPERTY, L"alt+F8", L"Properties"}, Case{IDC_BAR_SETTING, L"alt+F9", L"Setting"}}) {
        SCOPED_TRACE(c.title);
        m_quillo.Command(c.button);
        ASSERT_NE(m_quillo.Window(c.title), nullptr);
        m_quillo.Command(c.button); // the button again closes it as Cancel
        ASSERT_TRUE(m_quillo.WindowGone(c.title));

        ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
        ASSERT_NO_FATAL_FAILURE(Type(c.key));
        ASSERT_NE(m_quillo.Window(c.title), nullptr);
        ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
        ASSERT_NO_FATAL_FAILURE(Type(c.key));
        ASSERT_TRUE(m_quillo.WindowGone(c.title));
        // Closed, it opens again: the toolbar let go of it.
        m_quillo.Command(c.button);
        ASSERT_NE(m_quillo.Window(c.title), nullptr);
        m_quillo.Command(c.button);
        ASSERT_TRUE(m_quillo.WindowGone(c.title));
    }
}

TEST_F(ToolbarKeys, F1OpensTheHelpPageOnlyWhileThePreviewIsOpen)
{
    BrowserStandIn browser;
    ASSERT_TRUE(browser.Ready());

    ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
    ASSERT_NO_FATAL_FAILURE(Type(L"F1"));
    // The preview is closed: the key opens nothing (given the time the open below takes).
    EXPECT_FALSE(WaitFor([] { return !NotedByBrowser().empty(); }, 3000)) << NotedByBrowser();

    // The key went on to Notepad, which asks for its own help file in a box: a fresh Notepad takes the focus.
    m_notepad.Kill();
    m_notepad = e2e::Process();
    m_quillo.Command(IDC_BAR_CAMERA);
    ASSERT_TRUE(PreviewOpen());
    ASSERT_NO_FATAL_FAILURE(FocusElsewhere());
    ASSERT_NO_FATAL_FAILURE(Type(L"F1"));
    ASSERT_TRUE(WaitFor([] { return !NotedByBrowser().empty(); }, 15000));
    EXPECT_NE(NotedByBrowser().find(L"\\Help\\English\\index.html"), std::wstring::npos) << NotedByBrowser();
}

TEST_F(ToolbarKeys, TheHelpButtonOpensTheInterfaceLanguagesPageOrTheEnglishOneWhereItHasNone)
{
    BrowserStandIn browser;
    ASSERT_TRUE(browser.Ready());
    // German as the interface language, read once at the start.
    testsupport::RegistryValue language(HKEY_LOCAL_MACHINE, L"Software\\Norvane\\Quillo", L"Language");
    ASSERT_EQ(language.SetDword(0x0407), ERROR_SUCCESS);
    m_started = false;
    ASSERT_TRUE(m_quillo.Exit());
    ASSERT_TRUE(m_quillo.Start(false));
    m_started = true;

    m_quillo.Command(IDC_BAR_HELP);
    ASSERT_TRUE(WaitFor([] { return !NotedByBrowser().empty(); }, 15000));
    EXPECT_NE(NotedByBrowser().find(L"\\Help\\German\\index.html"), std::wstring::npos) << NotedByBrowser();

    // Without the German pages the English one opens rather than nothing.
    const std::wstring german = e2e::InstallDir() + L"\\Help\\German";
    testsupport::MovedFile pages(german, german + L".aside");
    ASSERT_TRUE(pages.Moved()) << pages.Error();
    DeleteFileW(L"C:\\QuilloScene\\noted.txt");
    m_quillo.Command(IDC_BAR_HELP);
    ASSERT_TRUE(WaitFor([] { return !NotedByBrowser().empty(); }, 15000));
    EXPECT_NE(NotedByBrowser().find(L"\\Help\\English\\index.html"), std::wstring::npos) << NotedByBrowser();
}

TEST_F(ToolbarKeys, EnterAndEscapeLeaveTheBarInPlace)
{
    HWND bar = m_quillo.Bar();
    RECT before = {};
    ASSERT_TRUE(GetWindowRect(bar, &before));
    SetForegroundWindow(bar);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == bar; }, 5000));
    ASSERT_NO_FATAL_FAILURE(Type(L"Return Escape Return"));
    // The bar stays (given the time the keys take to arrive).
    EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(bar); }, 3000));
    RECT after = {};
    ASSERT_TRUE(GetWindowRect(bar, &after));
    EXPECT_TRUE(EqualRect(&before, &after));
}

} // namespace
