// The record button's debounce, its blinking and the disk watch's schedule.
#include <gtest/gtest.h>

#include "capture/RecordingRules.h"

namespace {

using namespace recording;

TEST(RecordingRules, ASecondClickWithin300MillisecondsOfTheSameSecondIsIgnored)
{
    const ClickTime last = {7, 10, 20, 30, 100};
    EXPECT_TRUE(ClickIgnored(last, {7, 10, 20, 30, 399}));
    EXPECT_FALSE(ClickIgnored(last, {7, 10, 20, 30, 400}));
    EXPECT_FALSE(ClickIgnored({7, 10, 20, 30, 980}, {7, 10, 20, 31, 30})) << "50 ms later, in the next second";
    EXPECT_FALSE(ClickIgnored(last, {7, 10, 21, 0, 0}));
}

TEST(RecordingRules, TheButtonBlinksEverySecond)
{
    bool on = false;
    EXPECT_EQ(BlinkPicture(0, on), 314u);
    EXPECT_EQ(BlinkPicture(0, on), 0u) << "once per second";
    EXPECT_EQ(BlinkPicture(1, on), 315u);
    EXPECT_EQ(BlinkPicture(2, on), 314u);
    EXPECT_TRUE(on);
}

TEST(RecordingRules, TheDiskIsLookedAtInSeconds1_11_21)
{
    unsigned last = 0;
    std::vector<unsigned> checked;
    for (unsigned length = 0; length <= 25; ++length)
        for (int tick = 0; tick < 5; ++tick)
            if (DiskCheckDue(length, last))
                checked.push_back(length);
    EXPECT_EQ(checked, (std::vector<unsigned>{1, 11, 21}));
}

} // namespace
