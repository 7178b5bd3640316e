// What the image page's sliders show with the preview closed: the values a user finds in the documents for the
// chip families, the saved values once applied, and no change for families without known ranges.
#include <gtest/gtest.h>

#include "ui/ImageSliderRules.h"

namespace {

using imagepage::OfflineSliders;
using imagepage::SlidersWithoutCamera;

constexpr int kBrightness = 0, kContrast = 1, kGamma = 2, kHue = 3, kSharpness = 5;
const int kSaved[imagepage::kSliderCount] = {11, 22, 33, 44, 55, 66};

TEST(ImageSlidersWithoutCamera, SunplusWithNothingSavedShowsBrightness128OnA0To255Slider)
{
    OfflineSliders sliders = {};
    ASSERT_TRUE(SlidersWithoutCamera(2, false, false, kSaved, sliders));
    EXPECT_EQ(sliders.range[kBrightness].minimum, 0);
    EXPECT_EQ(sliders.range[kBrightness].maximum, 255);
    EXPECT_EQ(sliders.position[kBrightness], 128);
    EXPECT_EQ(sliders.range[kHue].minimum, -180);
    EXPECT_EQ(sliders.range[kHue].maximum, 180);
}

TEST(ImageSlidersWithoutCamera, SavedValuesShowOnceAppliedAndAlwaysOnSonix)
{
    OfflineSliders sliders = {};
    ASSERT_TRUE(SlidersWithoutCamera(2, false, true, kSaved, sliders));
    EXPECT_EQ(sliders.position[kBrightness], 11);
    EXPECT_EQ(sliders.position[kSharpness], 66);

    ASSERT_TRUE(SlidersWithoutCamera(0, false, false, kSaved, sliders));
    EXPECT_EQ(sliders.position[kContrast], 22) << "Sonix shows the saved values even before an apply";
    EXPECT_EQ(sliders.range[kGamma].minimum, 72);
    EXPECT_EQ(sliders.range[kGamma].maximum, 500);
}

TEST(ImageSlidersWithoutCamera, BrindleVgaModuleHasItsOwnScale)
{
    OfflineSliders vga = {}, other = {};
    ASSERT_TRUE(SlidersWithoutCamera(1, true, false, kSaved, vga));
    ASSERT_TRUE(SlidersWithoutCamera(1, false, false, kSaved, other));
    EXPECT_EQ(vga.range[kGamma].maximum, 20);
    EXPECT_EQ(vga.position[kGamma], 18);
    EXPECT_EQ(other.range[kGamma].maximum, 10);
    EXPECT_EQ(other.position[kGamma], 8);
    EXPECT_EQ(other.range[kHue].minimum, -30);
}

TEST(ImageSlidersWithoutCamera, FilterFamiliesAndUnknownCamerasLeaveTheSlidersAlone)
{
    for (std::uint8_t isp : {std::uint8_t{3}, std::uint8_t{4}, std::uint8_t{255}}) {
        OfflineSliders sliders = {};
        sliders.position[kBrightness] = -7;
        EXPECT_FALSE(SlidersWithoutCamera(isp, false, true, kSaved, sliders)) << int(isp);
        EXPECT_EQ(sliders.position[kBrightness], -7) << int(isp);
    }
}

} // namespace
