// Stream format per resolution state for the preview and the capture graph, and the 1280 x 720 mode test.
// Every expected value is worked out by hand from the rules: the five states' sizes; a camera without a
// 1280 x 720 mode is asked for 1280 x 800 and the scaler cuts it; biSizeImage is the wanted width x height x 3;
// MJPG modules deliver MJPG from 720 lines on; the preview asks for any frame rate, recording for 15 a second.
#include <gtest/gtest.h>

#include "capture/StreamFormatRule.h"

namespace {

TEST(ResolutionStates, SizesNamesAndOutOfRangeFallback)
{
    struct
    {
        int state, width, height;
        const char* name;
    } const states[] = {{0, 320, 240, "QVGA"},
                        {1, 640, 480, "VGA"},
                        {2, 1280, 720, "SSVGA"},
                        {3, 1280, 800, "SVFA"},
                        {4, 1280, 1024, "XVGA"}};
    for (const auto& s : states) {
        EXPECT_TRUE(IsResolutionState(s.state));
        EXPECT_EQ(WantedSizeForState(s.state).width, s.width) << s.state;
        EXPECT_EQ(WantedSizeForState(s.state).height, s.height) << s.state;
        EXPECT_STREQ(ResolutionStateLogName(s.state), s.name);
    }
    for (int state : {-1, 5, 255}) {
        EXPECT_FALSE(IsResolutionState(state));
        EXPECT_EQ(WantedSizeForState(state).width, 640);
        EXPECT_EQ(WantedSizeForState(state).height, 480);
        EXPECT_EQ(ResolutionStateLogName(state), nullptr);
    }
}

struct PreviewCase
{
    int state;
    bool hasSSVGA;
    bool mjpegModule;
    // What the camera is asked for and what goes with it, worked out by hand.
    int width;
    int height;
    std::uint32_t sizeImage;
    CameraSubtype subtype;
    bool scaleMode;
    int frameWidth;
    int frameHeight;
};

class PreviewFormat : public ::testing::TestWithParam<PreviewCase>
{
};

TEST_P(PreviewFormat, AsksTheCameraForTheRightFrame)
{
    const PreviewCase& c = GetParam();
    const StreamFormat format = PreviewStreamFormat(WantedSizeForState(c.state), c.hasSSVGA, c.mjpegModule);
    EXPECT_EQ(format.avgTimePerFrame, 0);
    EXPECT_EQ(format.width, c.width);
    EXPECT_EQ(format.height, c.height);
    EXPECT_EQ(format.sizeImage, c.sizeImage);
    EXPECT_EQ(format.subtype, c.subtype);
    EXPECT_EQ(format.scaleMode, c.scaleMode);
    // The snapshot writer gets the size the user sees, not the camera's.
    EXPECT_EQ(format.frameWidth, c.frameWidth);
    EXPECT_EQ(format.frameHeight, c.frameHeight);
}

constexpr CameraSubtype kYuy2 = CameraSubtype::Yuy2;
constexpr CameraSubtype kMjpg = CameraSubtype::Mjpg;

INSTANTIATE_TEST_SUITE_P(States, PreviewFormat,
                         ::testing::Values(
                             // 320 x 240 x 3 = 230400; 640 x 480 x 3 = 921600; 1280 x 720 x 3 = 2764800; 1280 x 800 x 3
                             // = 3072000; 1280 x 1024 x 3 = 3932160.
                             PreviewCase{0, false, false, 320, 240, 230400, kYuy2, false, 320, 240},
                             PreviewCase{1, false, false, 640, 480, 921600, kYuy2, false, 640, 480},
                             PreviewCase{2, false, false, 1280, 800, 2764800, kYuy2, true, 1280, 720},
                             PreviewCase{2, true, false, 1280, 720, 2764800, kYuy2, false, 1280, 720},
                             PreviewCase{3, false, false, 1280, 800, 3072000, kYuy2, false, 1280, 800},
                             PreviewCase{3, true, false, 1280, 800, 3072000, kYuy2, false, 1280, 800},
                             PreviewCase{4, true, false, 1280, 1024, 3932160, kYuy2, false, 1280, 1024},
                             PreviewCase{0, false, true, 320, 240, 230400, kYuy2, false, 320, 240},
                             PreviewCase{1, false, true, 640, 480, 921600, kYuy2, false, 640, 480},
                             PreviewCase{2, false, true, 1280, 800, 2764800, kMjpg, true, 1280, 720},
                             PreviewCase{2, true, true, 1280, 720, 2764800, kMjpg, false, 1280, 720},
                             PreviewCase{3, false, true, 1280, 800, 3072000, kMjpg, false, 1280, 800},
                             PreviewCase{4, false, true, 1280, 1024, 3932160, kMjpg, false, 1280, 1024},
                             // A state outside 0 to 4 is taken as 640 x 480.
                             PreviewCase{7, false, true, 640, 480, 921600, kYuy2, false, 640, 480}));

TEST(CaptureFormat, FifteenFramesYuy2AndTheCamerasFrameSize)
{
    // 1280 x 720 on a camera without that mode: 1280 x 800 asked, cut by the scaler, and the frame handed on
    // is the camera's; MJPG modules record YUY2 too.
    StreamFormat format = CaptureStreamFormat(WantedSizeForState(2), false);
    EXPECT_EQ(format.avgTimePerFrame, 666666);
    EXPECT_EQ(format.subtype, kYuy2);
    EXPECT_EQ(format.width, 1280);
    EXPECT_EQ(format.height, 800);
    EXPECT_EQ(format.sizeImage, 2764800u);
    EXPECT_TRUE(format.scaleMode);
    EXPECT_EQ(format.frameWidth, 1280);
    EXPECT_EQ(format.frameHeight, 800);

    format = CaptureStreamFormat(WantedSizeForState(2), true);
    EXPECT_EQ(format.height, 720);
    EXPECT_FALSE(format.scaleMode);
    EXPECT_EQ(format.frameHeight, 720);

    format = CaptureStreamFormat(WantedSizeForState(0), false);
    EXPECT_EQ(format.avgTimePerFrame, 666666);
    EXPECT_EQ(format.width, 320);
    EXPECT_EQ(format.height, 240);
    EXPECT_EQ(format.sizeImage, 230400u);
    EXPECT_FALSE(format.scaleMode);
    EXPECT_EQ(format.frameWidth, 320);
    EXPECT_EQ(format.frameHeight, 240);
}

struct ModeCase
{
    int width;
    int height;
    bool ssvga;
};

class SSVGAMode : public ::testing::TestWithParam<ModeCase>
{
};

TEST_P(SSVGAMode, IsJudgedByTheFormatsSizeText)
{
    EXPECT_EQ(FormatOffersSSVGA(GetParam().width, GetParam().height), GetParam().ssvga);
}

INSTANTIATE_TEST_SUITE_P(Formats, SSVGAMode,
                         ::testing::Values(ModeCase{1280, 720, true}, ModeCase{1280, -720, true},
                                           ModeCase{1280, 800, false}, ModeCase{1280, 1024, false},
                                           ModeCase{640, 480, false}, ModeCase{720, 1280, false},
                                           ModeCase{960, 720, false}));

} // namespace
