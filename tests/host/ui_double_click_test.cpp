// Pairing two presses into a double-click.
#include <gtest/gtest.h>

#include "ui/DoubleClick.h"

namespace {

TEST(DoubleClick, TwoPressesCloseInTimeAndPlaceMakeOne)
{
    ui::DoubleClick click(500, 4, 4);
    EXPECT_FALSE(click.Press(1000, 50, 50));
    EXPECT_TRUE(click.Press(1400, 52, 48));
    EXPECT_FALSE(click.Press(1500, 52, 48)) << "a third press starts a new pair";
    EXPECT_FALSE(click.Press(2100, 52, 48)) << "600 ms later is too slow";
    EXPECT_FALSE(click.Press(2200, 60, 48)) << "8 pixels off is outside the box";
    EXPECT_TRUE(click.Press(2300, 61, 49));
}

TEST(DoubleClick, ARecognisedDoubleClickIsNotCountedAgainAndTicksMayWrap)
{
    ui::DoubleClick click(500, 4, 4);
    EXPECT_FALSE(click.Press(100, 5, 5));
    click.Recognised();
    EXPECT_FALSE(click.Press(200, 5, 5)) << "the press before the system's double-click is used up";
    ui::DoubleClick wrapping(500, 4, 4);
    EXPECT_FALSE(wrapping.Press(0xFFFFFF00u, 1, 1));
    EXPECT_TRUE(wrapping.Press(0x00000050u, 1, 1));
}

} // namespace
