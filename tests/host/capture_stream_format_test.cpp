// Stream format per resolution state for the preview and the capture graph, and the 1280 x 720 mode test.
#include <gtest/gtest.h>

#include "capture/StreamFormatRule.h"

namespace {

TEST(ResolutionStates, SizesAndOutOfRangeFallback)
{
    const FrameSize sizes[] = {{320, 240}, {640, 480}, {1280, 720}, {1280, 800}, {1280, 1024}};
    for (int state = 0; state < kResolutionStateCount; ++state) {
        EXPECT_EQ(WantedSizeForState(state).width, sizes[state].width) << state;
        EXPECT_EQ(WantedSizeForState(state).height, sizes[state].height) << state;
    }
    for (int state : {-1, 5, 255}) {
        EXPECT_EQ(WantedSizeForState(state).width, 640);
        EXPECT_EQ(WantedSizeForState(state).height, 480);
        EXPECT_EQ(ResolutionStateLogName(state), nullptr);
    }
    EXPECT_STREQ(ResolutionStateLogName(2), "SSVGA");
}

struct PreviewCase
{
    int state;
    bool hasSSVGA;
    bool mjpegModule;
    int askedHeight;
    bool scaleMode;
    CameraSubtype subtype;
};

class PreviewFormat : public ::testing::TestWithParam<PreviewCase>
{
};

TEST_P(PreviewFormat, AsksTheCameraForTheRightFrame)
{
    const PreviewCase& c = GetParam();
    FrameSize wanted = WantedSizeForState(c.state);
    StreamFormat format = PreviewStreamFormat(wanted, c.hasSSVGA, c.mjpegModule);
    EXPECT_EQ(format.avgTimePerFrame, 0);
    EXPECT_EQ(format.width, wanted.width);
    EXPECT_EQ(format.height, c.askedHeight);
    EXPECT_EQ(format.sizeImage, static_cast<std::uint32_t>(wanted.width * wanted.height * 3));
    EXPECT_EQ(format.subtype, c.subtype);
    EXPECT_EQ(format.scaleMode, c.scaleMode);
    EXPECT_EQ(format.scaleMode, ScalerScalesTo720(wanted, c.hasSSVGA));
    // The snapshot writer gets the size the user sees, not the camera's.
    EXPECT_EQ(format.frameWidth, wanted.width);
    EXPECT_EQ(format.frameHeight, wanted.height);
}

INSTANTIATE_TEST_SUITE_P(States, PreviewFormat,
                         ::testing::Values(PreviewCase{0, false, false, 240, false, CameraSubtype::Yuy2},
                                           PreviewCase{1, false, false, 480, false, CameraSubtype::Yuy2},
                                           PreviewCase{2, false, false, 800, true, CameraSubtype::Yuy2},
                                           PreviewCase{2, true, false, 720, false, CameraSubtype::Yuy2},
                                           PreviewCase{3, false, false, 800, false, CameraSubtype::Yuy2},
                                           PreviewCase{4, true, false, 1024, false, CameraSubtype::Yuy2},
                                           PreviewCase{1, false, true, 480, false, CameraSubtype::Yuy2},
                                           PreviewCase{2, false, true, 800, true, CameraSubtype::Mjpg},
                                           PreviewCase{2, true, true, 720, false, CameraSubtype::Mjpg},
                                           PreviewCase{4, false, true, 1024, false, CameraSubtype::Mjpg}));

TEST(CaptureFormat, FifteenFramesYuy2AndTheCamerasFrameSize)
{
    StreamFormat format = CaptureStreamFormat(WantedSizeForState(2), false);
    EXPECT_EQ(format.avgTimePerFrame, 666666);
    EXPECT_EQ(format.subtype, CameraSubtype::Yuy2);
    EXPECT_EQ(format.height, 800);
    EXPECT_TRUE(format.scaleMode);
    EXPECT_EQ(format.frameWidth, 1280);
    EXPECT_EQ(format.frameHeight, 800);

    format = CaptureStreamFormat(WantedSizeForState(0), false);
    EXPECT_EQ(format.height, 240);
    EXPECT_FALSE(format.scaleMode);
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
