#include "app/ToolbarGeometry.h"

#include <gtest/gtest.h>

using toolbar::Rect;

TEST(ToolbarGeometry, DockedRectanglesOnAFullHdScreen)
{
    Rect r;
    ASSERT_TRUE(toolbar::DockedRect(toolbar::kTop, 1920, 1080, r));
    EXPECT_EQ(r.left, 1280);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 264);
    EXPECT_EQ(r.bottom - r.top, 51);

    ASSERT_TRUE(toolbar::DockedRect(toolbar::kLeft, 1920, 1080, r));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 360);
    EXPECT_EQ(r.right - r.left, 51);
    EXPECT_EQ(r.bottom - r.top, 264);

    ASSERT_TRUE(toolbar::DockedRect(toolbar::kRight, 1920, 1080, r));
    EXPECT_EQ(r.left, 1869);
    EXPECT_EQ(r.top, 360);
    EXPECT_EQ(r.right, 1920);
}

TEST(ToolbarGeometry, FloatingAndUnknownPositionsAreNotPlaced)
{
    Rect r = {7, 7, 7, 7};
    EXPECT_FALSE(toolbar::DockedRect(toolbar::kFloating, 1920, 1080, r));
    EXPECT_FALSE(toolbar::DockedRect(4, 1920, 1080, r));
    EXPECT_EQ(r.left, 7);
}

TEST(ToolbarGeometry, ButtonsFollowTheLogoInBothOrientations)
{
    const int expectedOffsets[toolbar::kButtonCount] = {91, 129, 167, 205, 243};
    for (int i = 0; i < toolbar::kButtonCount; ++i) {
        Rect h = toolbar::ButtonRect(i, false);
        EXPECT_EQ(h.left, expectedOffsets[i]);
        EXPECT_EQ(h.top, 0);
        EXPECT_EQ(h.right - h.left, 38);
        EXPECT_EQ(h.bottom, 51);
        Rect v = toolbar::ButtonRect(i, true);
        EXPECT_EQ(v.top, expectedOffsets[i]);
        EXPECT_EQ(v.left, 0);
        EXPECT_EQ(v.right, 51);
        EXPECT_EQ(v.bottom - v.top, 38);
    }
    EXPECT_TRUE(toolbar::IsVertical(toolbar::kLeft));
    EXPECT_TRUE(toolbar::IsVertical(toolbar::kRight));
    EXPECT_FALSE(toolbar::IsVertical(toolbar::kTop));
    EXPECT_FALSE(toolbar::IsVertical(toolbar::kFloating));
}

// The position menu marks the edge the bar is docked at; a floating bar marks none.
TEST(ToolbarGeometry, PositionMenuItemOfEachEdge)
{
    EXPECT_EQ(toolbar::PositionMenuItem(toolbar::kTop), 32808u);
    EXPECT_EQ(toolbar::PositionMenuItem(toolbar::kLeft), 32807u);
    EXPECT_EQ(toolbar::PositionMenuItem(toolbar::kRight), 32809u);
    EXPECT_EQ(toolbar::PositionMenuItem(toolbar::kFloating), 0u);
    EXPECT_EQ(toolbar::PositionMenuItem(7), 0u);
}

TEST(ToolbarDocking, ThreePixelsAreAClickFourADrag)
{
    EXPECT_FALSE(toolbar::DragStarts(3, 3));
    EXPECT_FALSE(toolbar::DragStarts(-3, 0));
    EXPECT_TRUE(toolbar::DragStarts(4, 0));
    EXPECT_TRUE(toolbar::DragStarts(0, -4));
}

TEST(ToolbarDocking, ThePointerChoosesTheEdgeDuringADrag)
{
    EXPECT_EQ(toolbar::EdgeUnderPointer(50, 26, 1920), toolbar::kLeft);
    EXPECT_EQ(toolbar::EdgeUnderPointer(50, 25, 1920), toolbar::kTop) << "the top corner belongs to the top";
    EXPECT_EQ(toolbar::EdgeUnderPointer(1870, 400, 1920), toolbar::kRight);
    EXPECT_EQ(toolbar::EdgeUnderPointer(1869, 400, 1920), toolbar::kFloating);
    EXPECT_EQ(toolbar::EdgeUnderPointer(900, 50, 1920), toolbar::kTop);
    EXPECT_EQ(toolbar::EdgeUnderPointer(900, 51, 1920), toolbar::kFloating);

    Rect snapped;
    ASSERT_TRUE(toolbar::SnapRect(toolbar::kLeft, {700, 400, 964, 451}, 1920, snapped));
    EXPECT_EQ(snapped.left, 0);
    EXPECT_EQ(snapped.top, 400);
    EXPECT_EQ(snapped.right, 51);
    EXPECT_EQ(snapped.bottom, 664);
    ASSERT_TRUE(toolbar::SnapRect(toolbar::kRight, {700, 400, 964, 451}, 1920, snapped));
    EXPECT_EQ(snapped.left, 1869);
    ASSERT_TRUE(toolbar::SnapRect(toolbar::kTop, {0, 400, 51, 664}, 1920, snapped));
    EXPECT_EQ(snapped.top, 0);
    EXPECT_EQ(snapped.right, 264);
}

TEST(ToolbarDocking, TheEdgeStripIsThreePixelsDeepAnd265Long)
{
    const Rect top = {1280, -51, 1544, 0};
    EXPECT_TRUE(toolbar::InEdgeStrip(toolbar::kTop, 1280, 0, top, 1920));
    EXPECT_TRUE(toolbar::InEdgeStrip(toolbar::kTop, 1544, 2, top, 1920));
    EXPECT_FALSE(toolbar::InEdgeStrip(toolbar::kTop, 1545, 0, top, 1920)) << "265 pixels along";
    EXPECT_FALSE(toolbar::InEdgeStrip(toolbar::kTop, 1300, 3, top, 1920)) << "3 pixels deep";
    EXPECT_FALSE(toolbar::InEdgeStrip(toolbar::kTop, 1279, 0, top, 1920));

    const Rect right = {1920, 360, 1971, 624};
    EXPECT_TRUE(toolbar::InEdgeStrip(toolbar::kRight, 1918, 360, right, 1920));
    EXPECT_TRUE(toolbar::InEdgeStrip(toolbar::kRight, 1920, 624, right, 1920));
    EXPECT_FALSE(toolbar::InEdgeStrip(toolbar::kRight, 1917, 400, right, 1920));
    const Rect left = {-51, 360, 0, 624};
    EXPECT_TRUE(toolbar::InEdgeStrip(toolbar::kLeft, 2, 500, left, 1920));
    EXPECT_FALSE(toolbar::InEdgeStrip(toolbar::kLeft, 2, 359, left, 1920));
}

TEST(ToolbarDocking, TheSlideInMovesInIntegerStepsAndEndsDocked)
{
    // Top: from one bar height above the screen down to y 0.
    const toolbar::Slide top = toolbar::SlideFor(toolbar::kTop, {1280, 0, 1544, 51}, 1920);
    EXPECT_TRUE(top.vertical);
    EXPECT_EQ(toolbar::SlideAt(top, 0), -51);
    EXPECT_EQ(toolbar::SlideAt(top, 1), -51 + 1) << "51 * 1 / 50 truncates to 1";
    EXPECT_EQ(toolbar::SlideAt(top, 25), -26) << "-51 + 25 * 51 / 50 = -51 + 25";
    EXPECT_EQ(toolbar::SlideAt(top, 49), -2);
    EXPECT_EQ(toolbar::SlideAt(top, 50), 0);
    EXPECT_EQ(toolbar::SlideAt(top, 400), 0) << "a late tick lands on the docked place";

    // Right: from the screen's right edge inwards.
    const toolbar::Slide right = toolbar::SlideFor(toolbar::kRight, {1869, 360, 1920, 624}, 1920);
    EXPECT_FALSE(right.vertical);
    EXPECT_EQ(toolbar::SlideAt(right, 0), 1920);
    EXPECT_EQ(toolbar::SlideAt(right, 25), 1920 - 25) << "25 * -51 / 50 truncates towards zero";
    EXPECT_EQ(toolbar::SlideAt(right, 50), 1869);

    const toolbar::Slide left = toolbar::SlideFor(toolbar::kLeft, {0, 360, 51, 624}, 1920);
    EXPECT_EQ(toolbar::SlideAt(left, 0), -51);
    EXPECT_EQ(toolbar::SlideAt(left, 50), 0);
}
