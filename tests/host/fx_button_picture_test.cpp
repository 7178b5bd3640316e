// The picture a bitmap button shows for its owner-draw state and the pictures it has.
#include "fx/ButtonPicture.h"

#include <gtest/gtest.h>

namespace {

using fx::ButtonPicture;

struct PictureCase
{
    fx::ButtonDrawState state;
    fx::ButtonPictureSet available;
    ButtonPicture expected;
};

class ChooseButtonPictureTest : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(ChooseButtonPictureTest, PicksTheFirstAvailablePictureOfTheState)
{
    EXPECT_EQ(fx::ChooseButtonPicture(GetParam().state, GetParam().available), GetParam().expected);
}

constexpr fx::ButtonPictureSet kAll = {true, true, true};
constexpr fx::ButtonPictureSet kNormalOnly = {false, false, false};
constexpr fx::ButtonPictureSet kPressedOnly = {true, false, false};

INSTANTIATE_TEST_SUITE_P(
    States, ChooseButtonPictureTest,
    ::testing::Values(PictureCase{{false, false, false}, kAll, ButtonPicture::Normal},
                      PictureCase{{true, false, false}, kAll, ButtonPicture::Pressed},
                      PictureCase{{false, true, false}, kAll, ButtonPicture::Focused},
                      PictureCase{{false, false, true}, kAll, ButtonPicture::Disabled},
                      PictureCase{{true, true, true}, kAll, ButtonPicture::Pressed},
                      PictureCase{{false, true, true}, kAll, ButtonPicture::Focused},
                      // A missing picture falls through to the next state, then to the normal picture.
                      PictureCase{{true, true, false}, {false, true, false}, ButtonPicture::Focused},
                      PictureCase{{false, true, true}, {false, false, true}, ButtonPicture::Disabled},
                      PictureCase{{true, true, true}, kNormalOnly, ButtonPicture::Normal},
                      PictureCase{{false, true, false}, kPressedOnly, ButtonPicture::Normal}));

} // namespace
