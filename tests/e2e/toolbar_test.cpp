// The toolbar on screen: docked at the top edge, cut to its skin outline, a second start that hands over
// to the first one, and its ways out (the tray menu's Exit, closing the window).
#include "DialogScene.h"

#include "common/SensorHelperProtocol.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Toolbar : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    // A hand-over opens the preview, which starts the helper: the scene is reset after each test too.
    void TearDown() override { EXPECT_TRUE(e2e::ResetScene()); }

    // Share of the window's pixels that are not the black desktop behind it.
    static double LitShare(HWND window)
    {
        const e2e::Image image = e2e::CaptureWindow(window);
        if (image.pixels.empty())
            return 0.0;
        size_t lit = 0;
        for (uint32_t p : image.pixels)
            lit += p != 0;
        return static_cast<double>(lit) / static_cast<double>(image.pixels.size());
    }
};

TEST_F(Toolbar, StartsDockedAtTheTopEdgeWithItsSkin)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_TRUE(quillo.Valid());
    HWND bar = e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid());
    ASSERT_NE(bar, nullptr);

    RECT rect = {};
    ASSERT_TRUE(GetWindowRect(bar, &rect));
    EXPECT_EQ(rect.left, 2 * GetSystemMetrics(SM_CXSCREEN) / 3);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 264);
    EXPECT_EQ(rect.bottom - rect.top, 51);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_STATICEDGE),
              WS_EX_TOOLWINDOW | WS_EX_STATICEDGE);

    // The shape comes from the skin: rounded corners are cut away, the body is kept.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(region, nullptr);
    EXPECT_NE(GetWindowRgn(bar, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 132, 25));
    DeleteObject(region);

    // What is on screen is the skin, not the black desktop behind it (once the bar has painted).
    EXPECT_EQ(e2e::CaptureWindow(bar).width, 264);
    EXPECT_TRUE(testsupport::WaitFor([&] { return LitShare(bar) > 0.5; }, 5000, 100)) << LitShare(bar);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

TEST_F(Toolbar, StartsDockedAtTheLeftAndRightEdgesWithItsUprightSkin)
{
    for (DWORD edge : {2u, 3u}) {
        SCOPED_TRACE(edge == 2 ? "left" : "right");
        ASSERT_TRUE(scene::WriteDword(L"Settings\\Options", L"ToolbarPosition", edge));
        e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
        ASSERT_TRUE(quillo.Valid());
        HWND bar = e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid());
        ASSERT_NE(bar, nullptr);
        RECT rect = {};
        ASSERT_TRUE(GetWindowRect(bar, &rect));
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        EXPECT_LT(width, height) << "the upright skin";
        EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 3);
        EXPECT_EQ(edge == 2 ? rect.left : rect.right, edge == 2 ? 0 : GetSystemMetrics(SM_CXSCREEN));

        // The upright outline: corners cut away, the body kept, and the skin on screen.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(region, nullptr);
        EXPECT_NE(GetWindowRgn(bar, region), ERROR);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_FALSE(PtInRegion(region, width - 1, height - 1));
        EXPECT_TRUE(PtInRegion(region, width / 2, height / 2));
        DeleteObject(region);
        EXPECT_TRUE(testsupport::WaitFor([&] { return LitShare(bar) > 0.5; }, 5000, 100)) << LitShare(bar);
        EXPECT_TRUE(e2e::ExitQuillo(quillo));
    }
}

TEST_F(Toolbar, SecondStartHandsOverAndExits)
{
    e2e::Process first = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_TRUE(first.Valid());
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, first.Pid()), nullptr);

    e2e::Process second = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_TRUE(second.Valid());
    DWORD code = 99;
    ASSERT_TRUE(second.Wait(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(e2e::VisibleWindows(second.Pid()).size(), 0u);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 1000, first.Pid()), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(first));
}

// The running instance is marked by the semaphore; when its toolbar window cannot be found the later
// start says so and ends.
TEST_F(Toolbar, SecondStartWithoutAFindableFirstToolbarSaysSoAndEnds)
{
    HANDLE marker = CreateSemaphoreW(nullptr, 0, 1, L"WMC32DUMMYSEMAPHORE");
    ASSERT_NE(marker, nullptr);
    const bool alreadyThere = GetLastError() == ERROR_ALREADY_EXISTS;
    if (alreadyThere)
        CloseHandle(marker);
    ASSERT_FALSE(alreadyThere) << "another Quillo still runs";
    e2e::Process second = e2e::Start(L"Quillo.exe", L"/s");
    HWND box = e2e::WaitForWindow(L"#32770", nullptr, 20000, second.Pid());
    CloseHandle(marker);
    ASSERT_NE(box, nullptr);
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"Unable to find other app.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    EXPECT_TRUE(second.Wait(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(e2e::WaitForWindow(nullptr, L"Quillo_1", 500, second.Pid()), nullptr);
}

// With the first instance's preview already open, a later start only shows the toolbar: still one
// preview, one toolbar.
TEST_F(Toolbar, SecondStartWithThePreviewOpenCreatesNoSecondPreview)
{
    e2e::Process first = e2e::Start(L"Quillo.exe", L"");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo", 30000, first.Pid()), nullptr);
    // The preview opens during the bar's start, before the bar itself shows.
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, first.Pid()), nullptr);
    const size_t windowsBefore = e2e::VisibleWindows(first.Pid()).size();

    e2e::Process second = e2e::Start(L"Quillo.exe", L"");
    DWORD code = 99;
    ASSERT_TRUE(second.Wait(30000, &code));
    EXPECT_EQ(code, 0u);
    // The hand-over has been handled once the first toolbar shows again; no second preview follows it.
    auto previews = [&first] {
        size_t count = 0;
        for (HWND window : e2e::VisibleWindows(first.Pid())) {
            wchar_t title[32] = {};
            GetWindowTextW(window, title, 32);
            count += std::wstring(title) == L"Quillo" ? 1 : 0;
        }
        return count;
    };
    EXPECT_TRUE(testsupport::HoldsFor([&] { return previews() == 1; }, 1000, 100)) << previews() << " previews";
    EXPECT_EQ(e2e::VisibleWindows(first.Pid()).size(), windowsBefore);
    EXPECT_TRUE(e2e::ExitQuillo(first));
}

// Closing the toolbar window (what the system does at log-off or from a task list) ends the program too.
TEST_F(Toolbar, ClosingTheToolbarWindowEndsTheProgramAndItsPreview)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo.Pid()), nullptr);
    HWND bar = e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, quillo.Pid());
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(testsupport::WaitFor([] { return FindWindowW(nullptr, kSensorHelperTitle) != nullptr; }, 20000, 100))
        << "the preview started no helper";
    ASSERT_TRUE(PostMessageW(bar, WM_CLOSE, 0, 0));
    DWORD code = 99;
    ASSERT_TRUE(quillo.Wait(15000, &code)) << "Quillo still runs 15 s after WM_CLOSE to its toolbar";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(testsupport::WaitFor([] { return FindWindowW(nullptr, kSensorHelperTitle) == nullptr; }, 10000, 50))
        << "the helper still runs after Quillo's end";
}

} // namespace
