// The toolbar on screen: docked at the top edge, cut to its skin outline, and a second start that
// hands over to the first one.
#include "E2eSupport.h"

#include <gtest/gtest.h>

namespace {

class Toolbar : public ::testing::Test {
protected:
    void SetUp() override { e2e::KillAll(L"Quillo.exe"); }
    void TearDown() override
    {
        e2e::KillAll(L"Quillo.exe");
        e2e::KillAll(L"Tessel.exe"); // a hand-over opens the preview, which starts the helper
    }
};

TEST_F(Toolbar, StartsDockedAtTheTopEdgeWithItsSkin)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_TRUE(quillo.Valid());
    HWND bar = e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid());
    ASSERT_NE(bar, nullptr);
    Sleep(500); // let the bar paint

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
    ASSERT_NE(GetWindowRgn(bar, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 132, 25));
    DeleteObject(region);

    // What is on screen is the skin, not the black desktop behind it.
    e2e::Image image = e2e::CaptureWindow(bar);
    ASSERT_EQ(image.width, 264);
    int lit = 0;
    for (uint32_t p : image.pixels)
        lit += p != 0;
    EXPECT_GT(lit, image.width * image.height / 2);
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
}

} // namespace
