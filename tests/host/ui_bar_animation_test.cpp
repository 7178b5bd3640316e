#include "ui/BarAnimation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Draws a hovered button and runs its ticks until the animation stops; returns the frames on screen in
// order: the draw's frame, then one per tick that copied a frame.
std::vector<int> PlayHover(int frameCount)
{
    std::vector<int> shown;
    const skin::BarDraw draw = skin::DrawBarButton({true, false, false, true});
    shown.push_back(draw.frame);
    if (!draw.startAnimation)
        return shown;
    int index = 0;
    for (int tick = 0; tick < 10; ++tick) {
        const skin::BarTick next = skin::AdvanceBarAnimation(index, frameCount);
        index = next.index;
        if (next.stop) {
            EXPECT_EQ(index, 0);
            return shown;
        }
        shown.push_back(next.frameToShow);
    }
    ADD_FAILURE() << "the animation never stops";
    return shown;
}

} // namespace

TEST(BarAnimation, HoverShowsFrameZeroThenPlaysEachFrameOnceAndHoldsTheLast)
{
    EXPECT_EQ(PlayHover(2), (std::vector<int>{0, 1}));
    EXPECT_EQ(PlayHover(5), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(PlayHover(1), (std::vector<int>{0}));
    EXPECT_EQ(PlayHover(0), (std::vector<int>{0}));
}

TEST(BarAnimation, OnlyAnEnabledHoveredUnpressedButtonOfAVisibleBarAnimates)
{
    struct Case
    {
        skin::BarButtonState state;
        bool animates;
    };
    const Case cases[] = {
        {{true, false, false, true}, true}, {{true, false, false, false}, false}, {{false, false, false, true}, false},
        {{true, true, false, true}, false}, {{true, false, true, true}, false},
    };
    for (const Case& c : cases) {
        const skin::BarDraw draw = skin::DrawBarButton(c.state);
        EXPECT_EQ(draw.frame, 0);
        EXPECT_EQ(draw.startAnimation, c.animates)
            << c.state.enabled << c.state.barHidden << c.state.pressed << c.state.hovered;
    }
}
