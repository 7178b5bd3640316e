// Docking and auto-hide on a 1920x1080 screen, driven with the real pointer (xdotool): the edges' places, drags
// that move, snap or float the bar, the short drag that is a click, the bar sliding away and back in at its edge,
// and edge and auto-hide coming back at the next start. The test runs on a Wine virtual desktop, so that a touch
// of the bare screen edge reaches the program's mouse hook.
#include "DialogScene.h"

#include "res/resource.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::WaitFor;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

RECT RectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool Placed(HWND window, int left, int top, int width, int height)
{
    const RECT r = RectOf(window);
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

std::string Describe(HWND window)
{
    const RECT r = RectOf(window);
    return "the bar is at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
           (IsWindowVisible(window) ? " (shown)" : " (hidden)");
}

std::wstring At(int x, int y)
{
    return std::to_wstring(x) + L" " + std::to_wstring(y);
}

// Presses the left button at (x, y), moves the pointer by (dx, dy) in a few steps and lets go.
bool Drag(int x, int y, int dx, int dy)
{
    std::wstring moves;
    for (int step = 1; step <= 4; ++step)
        moves += L" mousemove " + At(x + dx * step / 4, y + dy * step / 4) + L" sleep 0.05";
    return scene::Xdotool(L"mousemove " + At(x, y) + L" sleep 0.1 mousedown 1 sleep 0.1" + moves + L" mouseup 1");
}

DWORD StoredPosition()
{
    DWORD value = 0;
    return scene::ReadDword(L"Settings\\Options\\", L"ToolbarPosition", value) ? value : 99;
}

class Docking1920x1080 : public scene::SceneTest
{
protected:
    static void SetUpTestSuite() { s_desktop = e2e::UseVirtualDesktop(); }
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ScreenIs(kScreenWidth, kScreenHeight));
        ASSERT_TRUE(s_desktop);
        ASSERT_NO_FATAL_FAILURE(SceneTest::SetUp());
        ASSERT_TRUE(scene::Xdotool(L"mousemove 960 800"));
        ASSERT_TRUE(m_quillo.Start(false));
        m_started = true;
        m_bar = m_quillo.Bar();
    }
    bool Restart()
    {
        m_started = false;
        if (!m_quillo.Exit() || !m_quillo.Start(false))
            return false;
        m_started = true;
        m_bar = m_quillo.Bar();
        return true;
    }
    // A point on the bar's own face before its logo and buttons, where a press starts a drag.
    POINT Grip() const
    {
        const RECT r = RectOf(m_bar);
        if (r.right - r.left > r.bottom - r.top)
            return {r.left + 12, (r.top + r.bottom) / 2};
        return {(r.left + r.right) / 2, r.top + 12};
    }

    static ::testing::AssertionResult s_desktop;
    HWND m_bar = nullptr;
};

::testing::AssertionResult Docking1920x1080::s_desktop = ::testing::AssertionFailure();

TEST_F(Docking1920x1080, EachEdgeOfTheMenuHasItsPlaceAndIsStored)
{
    EXPECT_TRUE(WaitFor([&] { return Placed(m_bar, 1280, 0, 264, 51); }, 5000)) << Describe(m_bar);
    m_quillo.Command(ID_BAR_LEFT);
    EXPECT_TRUE(WaitFor([&] { return Placed(m_bar, 0, 360, 51, 264); }, 5000)) << Describe(m_bar);
    EXPECT_TRUE(WaitFor([] { return StoredPosition() == 2u; }, 5000)) << StoredPosition();
    m_quillo.Command(ID_BAR_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return Placed(m_bar, 1869, 360, 51, 264); }, 5000)) << Describe(m_bar);
    EXPECT_TRUE(WaitFor([] { return StoredPosition() == 3u; }, 5000)) << StoredPosition();
    m_quillo.Command(ID_BAR_TOP);
    EXPECT_TRUE(WaitFor([&] { return Placed(m_bar, 1280, 0, 264, 51); }, 5000)) << Describe(m_bar);
    EXPECT_TRUE(WaitFor([] { return StoredPosition() == 1u; }, 5000)) << StoredPosition();

    // The current edge again writes nothing: the stored value stays as the test put it, seen once the command
    // after it (Auto Hide, which writes its own value) has been handled.
    ASSERT_TRUE(scene::WriteDword(L"Settings\\Options\\", L"ToolbarPosition", 7));
    m_quillo.Command(ID_BAR_TOP);
    m_quillo.Command(ID_BAR_AUTOHIDE);
    DWORD autoHide = 0;
    ASSERT_TRUE(WaitFor(
        [&] { return scene::ReadDword(L"Settings\\Options\\", L"AutoHide", autoHide) && autoHide == 1; }, 5000));
    EXPECT_EQ(StoredPosition(), 7u);
}

TEST_F(Docking1920x1080, ADragSnapsTheBarUprightAtTheLeftEdgeAndLetsItFloatInTheMiddle)
{
    const POINT grip = Grip();
    ASSERT_TRUE(Drag(grip.x, grip.y, 20 - grip.x, 500 - grip.y));
    EXPECT_TRUE(WaitFor(
        [&] {
            const RECT r = RectOf(m_bar);
            return r.left == 0 && r.right - r.left == 51 && r.bottom - r.top == 264;
        },
        5000))
        << Describe(m_bar);

    // From the left edge into the middle: the bar floats and keeps its upright shape.
    const POINT upright = Grip();
    ASSERT_TRUE(Drag(upright.x, upright.y, 900 - upright.x, 500 - upright.y));
    EXPECT_TRUE(WaitFor(
        [&] {
            const RECT r = RectOf(m_bar);
            return r.left > 600 && r.left < 1200 && r.right - r.left == 51 && r.bottom - r.top == 264;
        },
        5000))
        << Describe(m_bar);
    // A drag moves the bar for this run only: the stored edge is still the top.
    EXPECT_EQ(StoredPosition(), 1u);
    EXPECT_EQ(m_quillo.Window(L"About Quillo", 500), nullptr) << "a drag is not a click";
}

TEST_F(Docking1920x1080, ADragOfThreePixelsIsAClickThatOpensAboutAndFourMoveTheBar)
{
    POINT grip = Grip();
    ASSERT_TRUE(Drag(grip.x, grip.y, 4, 0));
    EXPECT_TRUE(WaitFor([&] { return RectOf(m_bar).left == 1284; }, 5000)) << Describe(m_bar);
    EXPECT_EQ(m_quillo.Window(L"About Quillo", 1000), nullptr) << "four pixels are a drag, not a click";

    grip = Grip();
    ASSERT_TRUE(Drag(grip.x, grip.y, 3, 0));
    EXPECT_NE(m_quillo.Window(L"About Quillo", 10000), nullptr);
    EXPECT_EQ(RectOf(m_bar).left, 1284) << "three pixels do not move the bar";
    // Exit from the tray menu with the box open ends the program (the fixture's end checks it).
}

TEST_F(Docking1920x1080, WithAutoHideTheBarSlidesAwayAndComesBackAtItsEdgesStrip)
{
    m_quillo.Command(ID_BAR_AUTOHIDE);
    // The pointer is away from the bar: it goes.
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(m_bar); }, 5000)) << Describe(m_bar);
    // A touch of the top rows beside the bar's place brings it back where it was.
    ASSERT_TRUE(scene::Xdotool(L"mousemove 1400 300 sleep 0.1 mousemove 1400 1"));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m_bar) && Placed(m_bar, 1280, 0, 264, 51); }, 5000))
        << Describe(m_bar);
    // The pointer leaves it again: it goes again.
    ASSERT_TRUE(scene::Xdotool(L"mousemove 960 800"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(m_bar); }, 5000)) << Describe(m_bar);
    DWORD stored = 0;
    EXPECT_TRUE(scene::ReadDword(L"Settings\\Options\\", L"AutoHide", stored) && stored == 1);
}

TEST_F(Docking1920x1080, EdgeAndAutoHideComeBackAtTheNextStart)
{
    m_quillo.Command(ID_BAR_LEFT);
    ASSERT_TRUE(WaitFor([&] { return Placed(m_bar, 0, 360, 51, 264); }, 5000)) << Describe(m_bar);
    m_quillo.Command(ID_BAR_AUTOHIDE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(m_bar); }, 5000)) << Describe(m_bar);
    // The next start, with the pointer where the bar will come: it stays while the pointer is on it.
    ASSERT_TRUE(scene::Xdotool(L"mousemove 20 400"));
    ASSERT_TRUE(Restart());
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m_bar) && Placed(m_bar, 0, 360, 51, 264); }, 5000))
        << Describe(m_bar);
    // Hidden once the pointer leaves it, back at a touch of the left edge's strip.
    ASSERT_TRUE(scene::Xdotool(L"mousemove 900 400"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(m_bar); }, 5000)) << Describe(m_bar);
    ASSERT_TRUE(scene::Xdotool(L"mousemove 300 400 sleep 0.1 mousemove 1 400"));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m_bar) && Placed(m_bar, 0, 360, 51, 264); }, 5000))
        << Describe(m_bar);
}

} // namespace
