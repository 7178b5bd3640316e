// Output size, grabbed-frame BMP header and hold timeline of the scaler and audio-pause filters, and the
// scaler's per-frame path (connection formats to sample and grab picture) on hand-worked pixels.
#include <gtest/gtest.h>

#include <vector>

#include "filters/common/HoldTimeline.h"
#include "filters/scaler/FramePath.h"
#include "filters/scaler/ScalerRules.h"

namespace {

struct SizeCase
{
    int inWidth, inHeight;
    bool scale;
    int outWidth, outHeight;
};

class OutputSizeTest : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(OutputSizeTest, OnlyA1280x800FrameIsCutTo720RowsInScaleMode)
{
    const SizeCase& c = GetParam();
    const scaler::FrameSize size = scaler::OutputSizeFor(c.inWidth, c.inHeight, c.scale);
    EXPECT_EQ(c.outWidth, size.width);
    EXPECT_EQ(c.outHeight, size.height);
}

INSTANTIATE_TEST_SUITE_P(ScalerRules, OutputSizeTest,
                         ::testing::Values(SizeCase{1280, 800, true, 1280, 720}, SizeCase{1280, -800, true, 1280, 720},
                                           SizeCase{1280, 800, false, 1280, 800}, SizeCase{1280, 720, true, 1280, 720},
                                           SizeCase{1280, 1024, true, 1280, 1024}, SizeCase{640, 800, true, 640, 800},
                                           SizeCase{320, -240, false, 320, 240}));

uint32_t Read32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

TEST(BmpHeader, DescribesABottomUp24BitPictureOfPaddedRows)
{
    uint8_t h[scaler::kBmpHeaderBytes];
    ASSERT_TRUE(scaler::MakeBmpHeader(5, 3, 16, h));
    EXPECT_EQ('B', h[0]);
    EXPECT_EQ('M', h[1]);
    EXPECT_EQ(54u + 16 * 3, Read32(h + 2));
    EXPECT_EQ(54u, Read32(h + 10));
    EXPECT_EQ(40u, Read32(h + 14));
    EXPECT_EQ(5u, Read32(h + 18));
    EXPECT_EQ(3u, Read32(h + 22)) << "positive height: bottom-up";
    EXPECT_EQ(1, h[26]);
    EXPECT_EQ(24, h[28]);
    EXPECT_EQ(0u, Read32(h + 30)) << "BI_RGB";
    EXPECT_EQ(48u, Read32(h + 34));

    ASSERT_TRUE(scaler::MakeBmpHeader(1280, 720, 3840, h));
    EXPECT_EQ(54u + 3840u * 720u, Read32(h + 2));
}

TEST(BmpHeader, RefusesSizesNoPictureHas)
{
    uint8_t h[scaler::kBmpHeaderBytes];
    EXPECT_FALSE(scaler::MakeBmpHeader(0, 10, 4, h));
    EXPECT_FALSE(scaler::MakeBmpHeader(10, -1, 32, h));
    EXPECT_FALSE(scaler::MakeBmpHeader(10, 10, 29, h)) << "stride shorter than a row";
    EXPECT_FALSE(scaler::MakeBmpHeader(60000, 60000, 180000, h)) << "over 4 GB";
}

// Feeds samples of 100 units each from time `from`; returns how many passed.
int Feed(filters::HoldTimeline& t, int64_t& time, int count, int64_t* firstStart = nullptr, int64_t* lastStop = nullptr)
{
    int passed = 0;
    for (int i = 0; i < count; ++i) {
        int64_t start = time, stop = time + 100;
        time += 100;
        if (t.Admit(true, start, stop)) {
            if (passed == 0 && firstStart)
                *firstStart = start;
            if (lastStop)
                *lastStop = stop;
            ++passed;
        }
    }
    return passed;
}

TEST(HoldTimeline, WithoutAHoldTimesPassUnchanged)
{
    filters::HoldTimeline t;
    int64_t time = 5000, first = -1, last = -1;
    EXPECT_EQ(3, Feed(t, time, 3, &first, &last));
    EXPECT_EQ(5000, first);
    EXPECT_EQ(5300, last);
}

TEST(HoldTimeline, HeldSamplesAreDroppedAndTheStreamResumesWhereItStopped)
{
    filters::HoldTimeline t;
    int64_t time = 0, first = -1, last = -1;
    t.SetHold(true);
    EXPECT_EQ(0, Feed(t, time, 40)); // a countdown's worth of samples
    t.SetHold(false);
    EXPECT_EQ(3, Feed(t, time, 3, &first, &last));
    EXPECT_EQ(0, first) << "a recording after the hold starts at the stream start";
    EXPECT_EQ(300, last);

    t.SetHold(true);
    EXPECT_EQ(0, Feed(t, time, 5));
    t.SetHold(false);
    EXPECT_EQ(2, Feed(t, time, 2, &first, &last));
    EXPECT_EQ(300, first) << "no gap after a second hold";
    EXPECT_EQ(500, last);

    // Samples without times pass while not held and are dropped while held.
    int64_t s = 0, e = 0;
    EXPECT_TRUE(t.Admit(false, s, e));
    t.SetHold(true);
    EXPECT_FALSE(t.Admit(false, s, e));
}

TEST(HoldTimeline, RestartForgetsTheShiftOfTheLastRun)
{
    filters::HoldTimeline t;
    int64_t time = 0, first = -1;
    t.SetHold(true);
    Feed(t, time, 10);
    t.SetHold(false);
    Feed(t, time, 2);
    t.Restart();
    time = 700;
    EXPECT_EQ(1, Feed(t, time, 1, &first));
    EXPECT_EQ(700, first);
}

using kernels::PixelFormat;

scaler::StreamFormats Formats(PixelFormat in, int inWidth, int inHeight, PixelFormat out, int outWidth, int outHeight)
{
    scaler::StreamFormats f;
    f.input = in;
    f.inputWidth = inWidth;
    f.inputHeight = inHeight;
    f.output = out;
    f.outputWidth = outWidth;
    f.outputHeight = outHeight;
    return f;
}

TEST(FramePath, RefusesFormatsThatDoNotFitTogether)
{
    scaler::FramePath path;
    EXPECT_FALSE(path.Plan(Formats(PixelFormat::Yuy2, 640, 480, PixelFormat::Rgb32, 320, 480))) << "other width";
    EXPECT_FALSE(path.Plan(Formats(PixelFormat::Yuy2, 640, 480, PixelFormat::Rgb32, 640, 500))) << "rows invented";
    EXPECT_FALSE(path.Plan(Formats(PixelFormat::Rgb32, 640, 480, PixelFormat::Rgb32, 640, 480))) << "32-bit input";
    EXPECT_FALSE(path.Plan(Formats(PixelFormat::Yuy2, 640, 480, PixelFormat::Yuy2, 640, 480))) << "YUY2 output";
    EXPECT_FALSE(path.Plan(Formats(PixelFormat::Yuy2, 640, 0, PixelFormat::Rgb24, 640, 0))) << "no rows";
    EXPECT_FALSE(path.Planned());
    EXPECT_EQ(path.SampleBytes(), 0u);
    EXPECT_EQ(path.PictureBytes(), 0u);
    const std::vector<uint8_t> frame(640 * 480 * 2);
    std::vector<uint8_t> sample(640 * 480 * 4);
    EXPECT_FALSE(path.ToSample(frame.data(), frame.size(), sample.data(), sample.size(), {}));

    ASSERT_TRUE(path.Plan(Formats(PixelFormat::Yuy2, 640, 480, PixelFormat::Rgb32, 640, 480)));
    EXPECT_EQ(path.FrameBytes(), 640u * 480u * 2u);
    EXPECT_EQ(path.SampleBytes(), 640u * 480u * 4u);
    EXPECT_EQ(path.PictureBytes(), 640u * 480u * 3u);
    EXPECT_FALSE(path.UseSampleLayout(640 * 4 - 1, true)) << "a pitch shorter than a row";
    EXPECT_EQ(path.SampleBytes(), 640u * 480u * 4u);
    EXPECT_FALSE(path.ToSample(frame.data(), frame.size() - 1, sample.data(), sample.size(), {})) << "short frame";
    EXPECT_FALSE(path.ToSample(frame.data(), frame.size(), sample.data(), sample.size() - 1, {})) << "small sample";
}

// A 2x4 RGB24 camera frame in DIB order (bottom row stored first); picture row r, column c has blue 10r + c,
// green 100 + r, red 200 + c. Cropped to its middle two rows.
std::vector<uint8_t> TaggedFrame()
{
    std::vector<uint8_t> frame(8 * 4, 0x77); // stride 8: 6 bytes of pixels, 2 of padding
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 2; ++c) {
            uint8_t* p = &frame[(3 - r) * 8 + 3 * c];
            p[0] = static_cast<uint8_t>(10 * r + c);
            p[1] = static_cast<uint8_t>(100 + r);
            p[2] = static_cast<uint8_t>(200 + c);
        }
    }
    return frame;
}

TEST(FramePath, FillsTheSampleInTheAnnouncedLayoutAndTheGrabPictureAsABottomUpDib)
{
    scaler::FramePath path;
    ASSERT_TRUE(path.Plan(Formats(PixelFormat::Rgb24, 2, 4, PixelFormat::Rgb32, 2, 2)));
    // The renderer's buffers: top-down rows of three pixels' pitch.
    ASSERT_TRUE(path.UseSampleLayout(12, true));
    EXPECT_EQ(path.SampleBytes(), 24u);
    const std::vector<uint8_t> frame = TaggedFrame();
    std::vector<uint8_t> sample(24, 0xEE);
    scaler::Orientation mirrored;
    mirrored.mirror = true;
    ASSERT_TRUE(path.ToSample(frame.data(), frame.size(), sample.data(), sample.size(), mirrored));
    EXPECT_EQ(sample, (std::vector<uint8_t>{11, 101, 201, 0, 10, 101, 200, 0, 0xEE, 0xEE, 0xEE, 0xEE, //
                                            21, 102, 201, 0, 20, 102, 200, 0, 0xEE, 0xEE, 0xEE, 0xEE}));

    std::vector<uint8_t> picture(path.PictureBytes() + 4, 0xEE);
    ASSERT_EQ(path.PictureBytes(), 16u);
    scaler::Orientation flipped;
    flipped.flip = true;
    ASSERT_TRUE(path.ToPicture(frame.data(), frame.size(), picture.data(), path.PictureBytes(), flipped));
    // Flipped, picture row 0 shows camera row 2 and row 1 camera row 1; stored bottom row first.
    EXPECT_EQ(picture, (std::vector<uint8_t>{10, 101, 200, 11, 101, 201, 0, 0, //
                                             20, 102, 200, 21, 102, 201, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE}));
}

} // namespace
