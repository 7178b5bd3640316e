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
