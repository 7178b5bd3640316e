// The preview window's layouts, skins, outline and work-area rules.
#include <gtest/gtest.h>

#include "capture/PreviewLayout.h"

namespace {

using namespace preview;

TEST(PreviewLayout, OnlyThe1280WideStatesEnlargeAndSmallScreensGetTheSmallerWindows)
{
    for (int state : {0, 1, 7}) {
        const Layout l = LayoutFor(true, false, state);
        EXPECT_EQ(l.window.width, 663) << "state " << state;
        EXPECT_EQ(l.window.height, 610);
    }
    EXPECT_EQ(LayoutFor(false, true, 2).window.width, 594);
    EXPECT_EQ(LayoutFor(true, false, 2).window.width, 1134);
    EXPECT_EQ(LayoutFor(true, false, 3).window.height, 726);
    EXPECT_EQ(LayoutFor(true, false, 4).window.width, 888) << "1280 x 1024 is shown narrower and as tall";
    EXPECT_EQ(LayoutFor(true, true, 4).window.width, 695);
    // The video area fills the enlarged window but for a 6-pixel frame and the 35-pixel title.
    const Layout wide = LayoutFor(true, false, 2);
    EXPECT_EQ(wide.video.left + wide.video.width + 6, wide.window.width);
    EXPECT_EQ(wide.video.top + wide.video.height + 6, wide.window.height);
    // The title buttons stay inside the window and on its top row.
    for (bool small : {false, true})
        for (bool enlarged : {false, true})
            for (int state : {2, 4}) {
                const Layout l = LayoutFor(enlarged, small, state);
                EXPECT_LT(l.close.left + l.close.width, l.window.width);
                EXPECT_LT(l.minimize.left + l.minimize.width, l.close.left);
                EXPECT_EQ(l.close.top, 8);
            }
}

TEST(PreviewLayout, TheEnlargedWindowMustFitTheWorkArea)
{
    const WorkArea xga = {0, 0, 1024, 768};
    EXPECT_FALSE(FitsOn(xga, LayoutFor(true, false, 2).window)) << "1134 wide";
    EXPECT_TRUE(FitsOn(xga, LayoutFor(true, false, 4).window));
    const WorkArea fullHd = {0, 0, 1920, 1040};
    const PlacementRect centred = CenteredIn(fullHd, LayoutFor(true, false, 2).window);
    EXPECT_EQ(centred.left, (1920 - 1134) / 2);
    EXPECT_EQ(centred.top, (1040 - 726) / 2);
    const PlacementRect offset = CenteredIn({1920, 30, 1280, 990}, {663, 610});
    EXPECT_EQ(offset.left, 1920 + 308) << "617 / 2 truncates";
    EXPECT_EQ(offset.top, 30 + 190);
}

TEST(PreviewLayout, APositionPastTheWorkAreaLeavesTheWindowTouchingItsEdge)
{
    const WorkArea work = {0, 0, 1280, 1000};
    int x = 900, y = 500;
    ClampToWorkArea(work, {663, 610}, x, y);
    EXPECT_EQ(x, 1280 - 663);
    EXPECT_EQ(y, 1000 - 610);
    x = -40, y = -3;
    ClampToWorkArea(work, {663, 610}, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    x = 100, y = 100;
    ClampToWorkArea(work, {663, 610}, x, y);
    EXPECT_EQ(x, 100) << "a window inside stays where it is";
    EXPECT_EQ(y, 100);
}

TEST(PreviewLayout, SkinsFollowTheLayoutTheScreenAndTheState)
{
    EXPECT_EQ(SkinFor(true, false, 4).top, 356u) << "compact ignores the state";
    EXPECT_EQ(SkinFor(true, true, 2).bodyBottom, 552);
    EXPECT_EQ(SkinFor(false, false, 2).top, 361u);
    EXPECT_EQ(SkinFor(false, false, 4).top, 352u);
    EXPECT_EQ(SkinFor(false, false, 4).left, SkinFor(false, false, 3).left) << "the sides are shared";
    EXPECT_EQ(SkinFor(false, true, 4).bodyBottom, 562);
}

TEST(PreviewLayout, TheBottomIsRoundedOverSevenRows)
{
    const std::vector<Row> rows = RoundedBottomRows(663, 603);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows.front().y, 603);
    EXPECT_EQ(rows.front().left, 0);
    EXPECT_EQ(rows.front().right, 662);
    EXPECT_EQ(rows.back().y, 609);
    EXPECT_EQ(rows.back().left, 6);
    EXPECT_EQ(rows.back().right, 657);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(rows[i].right - rows[i].left, rows[i - 1].right - rows[i - 1].left) << "narrowing downwards";
}

TEST(PreviewLayout, StatesMenuItemsAndRecording)
{
    for (int state = 0; state <= 4; ++state)
        EXPECT_EQ(StateOfMenuItem(ResolutionMenuItem(state)), state);
    EXPECT_EQ(ResolutionMenuItem(2), 40016u);
    EXPECT_EQ(StateOfMenuItem(40005), -1);
    EXPECT_TRUE(StateMayRecord(2));
    EXPECT_FALSE(StateMayRecord(3));
    EXPECT_FALSE(StateMayRecord(4));
    const PlacementRect enlarged720 = EnlargedVideoPlacement(2, false, {1134, 726});
    EXPECT_EQ(enlarged720.top, 34);
    EXPECT_EQ(enlarged720.height, 617);
    EXPECT_EQ(EnlargedVideoPlacement(4, false, {888, 727}).height, 727);
}

} // namespace
