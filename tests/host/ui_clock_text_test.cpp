#include "ui/ClockText.h"

#include <gtest/gtest.h>

TEST(ClockText, CountsWholeSecondsAsHoursMinutesSeconds)
{
    EXPECT_EQ(skin::ClockText(5000, 5000), L"00:00:00");
    EXPECT_EQ(skin::ClockText(5000, 5999), L"00:00:00");
    EXPECT_EQ(skin::ClockText(5000, 6000), L"00:00:01");
    EXPECT_EQ(skin::ClockText(0, 3599999), L"00:59:59");
    EXPECT_EQ(skin::ClockText(0, 3600000), L"01:00:00");
    EXPECT_EQ(skin::ClockText(0, 36061000), L"10:01:01");
    EXPECT_EQ(skin::ClockText(0, 360000000), L"100:00:00");
}

TEST(ClockText, KeepsCountingWhenTheTickCounterWrapsAround)
{
    // Started 1.5 s before the 32-bit millisecond counter wraps, read 2 s after it.
    EXPECT_EQ(skin::ClockText(0xFFFFFFFFu - 1499u, 2000u), L"00:00:03");
}
