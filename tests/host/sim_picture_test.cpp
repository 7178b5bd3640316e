// The simulated camera's test picture: size, orientation, moving marker, counter and tone.
#include "sim/model/Profiles.h"
#include "sim/model/TestPicture.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using namespace sim;

struct Frame
{
    int32_t width, height;
    std::vector<uint8_t> bytes;
    uint8_t Y(int32_t x, int32_t y) const { return bytes[(static_cast<size_t>(y) * width + x) * 2]; }
    uint8_t U(int32_t x, int32_t y) const { return bytes[(static_cast<size_t>(y) * width + (x & ~1)) * 2 + 1]; }
    uint8_t V(int32_t x, int32_t y) const { return bytes[(static_cast<size_t>(y) * width + (x & ~1)) * 2 + 3]; }
};

Frame Draw(TestPicture& picture, uint32_t counter, Orientation o, const Tone& tone)
{
    Frame f{picture.Width(), picture.Height(), std::vector<uint8_t>(picture.FrameBytes(), 0x42)};
    EXPECT_TRUE(picture.DrawYuy2(f.bytes.data(), f.bytes.size(), counter, o, tone));
    return f;
}

// Reads the counter cells of an unturned frame.
uint32_t ReadCounter(const TestPicture& picture, const Frame& f)
{
    const PictureLayout& l = picture.Layout();
    uint32_t value = 0;
    for (int bit = 0; bit < TestPicture::kCounterBits; ++bit) {
        int32_t x = l.counterX + bit * l.counterCell + l.counterCell / 2;
        value = (value << 1) | (f.Y(x, l.counterY + l.counterHeight / 2) > 128 ? 1u : 0u);
    }
    return value;
}

class SimPictureSizes : public ::testing::TestWithParam<FrameSize>
{
};

TEST_P(SimPictureSizes, FillsExactlyTheFrameAndShowsTheCounter)
{
    TestPicture picture;
    ASSERT_TRUE(picture.Configure(GetParam().width, GetParam().height));
    std::vector<uint8_t> buffer(picture.FrameBytes() + 16, 0x42);
    ASSERT_TRUE(picture.DrawYuy2(buffer.data(), picture.FrameBytes(), 0xA5C3, {false, false}, NeutralTone()));
    for (size_t i = picture.FrameBytes(); i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], 0x42) << "wrote past the frame";
    Frame f{picture.Width(), picture.Height(), std::vector<uint8_t>(buffer.begin(), buffer.end() - 16)};
    EXPECT_EQ(ReadCounter(picture, f), 0xA5C3u);
    EXPECT_FALSE(picture.DrawYuy2(buffer.data(), picture.FrameBytes() - 1, 0, {false, false}, NeutralTone()));
}

INSTANTIATE_TEST_SUITE_P(All, SimPictureSizes,
                         ::testing::Values(FrameSize{320, 240}, FrameSize{640, 480}, FrameSize{1280, 720},
                                           FrameSize{1280, 800}, FrameSize{1280, 1024}, FrameSize{34, 32}));

TEST(SimPicture, RefusesSizesItCannotDraw)
{
    TestPicture picture;
    EXPECT_FALSE(picture.Configure(321, 240));
    EXPECT_FALSE(picture.Configure(0, 240));
    EXPECT_FALSE(picture.Configure(640, -480));
    EXPECT_FALSE(picture.Configure(8192, 480));
    std::vector<uint8_t> buffer(64, 0);
    EXPECT_FALSE(picture.DrawYuy2(buffer.data(), buffer.size(), 0, {false, false}, NeutralTone()))
        << "drawing before a size was set";
}

// The glyph's box sits in the top-left quarter; mirror moves it right, flip moves it down, and the
// "F" inside is turned with it.
TEST(SimPicture, MirrorAndFlipTurnTheGlyph)
{
    TestPicture picture;
    ASSERT_TRUE(picture.Configure(640, 480));
    const PictureLayout& l = picture.Layout();
    const int32_t W = 640, H = 480, s = l.glyphStroke;
    // A point on the F's stem (left of the box) and one inside the box right of the stem, below the middle bar.
    const int32_t stemX = l.glyphX + s + s / 2, stemY = l.glyphY + l.glyphSize * 3 / 4;
    const int32_t holeX = l.glyphX + l.glyphSize - s - 2, holeY = stemY;
    // The top bar reaches right; the bottom of the box has no bar.
    const int32_t topY = l.glyphY + s + s / 2, bottomY = l.glyphY + l.glyphSize - s / 2 - 1;
    const int32_t barX = l.glyphX + l.glyphSize - s - 2;
    struct Case
    {
        Orientation o;
    } cases[] = {{{false, false}}, {{true, false}}, {{false, true}}, {{true, true}}};
    for (const Case& c : cases) {
        Frame f = Draw(picture, 7, c.o, NeutralTone());
        auto at = [&](int32_t x, int32_t y) { return f.Y(c.o.mirror ? W - 1 - x : x, c.o.flip ? H - 1 - y : y); };
        EXPECT_GT(at(stemX, stemY), 200) << "stem, mirror=" << c.o.mirror << " flip=" << c.o.flip;
        EXPECT_LT(at(holeX, holeY), 40) << "hole, mirror=" << c.o.mirror << " flip=" << c.o.flip;
        EXPECT_GT(at(barX, topY), 200) << "top bar, mirror=" << c.o.mirror << " flip=" << c.o.flip;
        EXPECT_LT(at(barX, bottomY), 40) << "box bottom, mirror=" << c.o.mirror << " flip=" << c.o.flip;
    }
}

TEST(SimPicture, MirrorReversesTheColourBars)
{
    TestPicture picture;
    ASSERT_TRUE(picture.Configure(640, 480));
    Frame plain = Draw(picture, 0, {false, false}, NeutralTone());
    Frame mirrored = Draw(picture, 0, {true, false}, NeutralTone());
    const int32_t y = 300;
    EXPECT_GT(plain.Y(5, y), 200);  // white bar first
    EXPECT_LT(plain.Y(634, y), 30); // black bar last
    EXPECT_LT(mirrored.Y(5, y), 30);
    EXPECT_GT(mirrored.Y(634, y), 200);
    EXPECT_EQ(plain.U(100, y), mirrored.U(539, y)) << "yellow bar keeps its colour when mirrored";
}

TEST(SimPicture, MarkerMovesAndCounterCounts)
{
    TestPicture picture;
    ASSERT_TRUE(picture.Configure(320, 240));
    EXPECT_NE(picture.MarkerX(1), picture.MarkerX(2));
    const PictureLayout& l = picture.Layout();
    Frame a = Draw(picture, 1, {false, false}, NeutralTone());
    Frame b = Draw(picture, 2, {false, false}, NeutralTone());
    EXPECT_NE(a.bytes, b.bytes);
    int32_t mx = picture.MarkerX(2) + l.markerSize / 2, my = l.markerY + l.markerSize / 2;
    EXPECT_LT(b.Y(mx, my), 30);
    EXPECT_EQ(ReadCounter(picture, a), 1u);
    EXPECT_EQ(ReadCounter(picture, b), 2u);
}

TEST(SimPicture, ToneFollowsTheImageValues)
{
    auto device = std::make_unique<DeviceState>();
    ApplyProfile(*device, ProfileId::Veyra9665);
    const ImageRange* r = GetProfile(ProfileId::Veyra9665).image;
    TestPicture picture;
    ASSERT_TRUE(picture.Configure(320, 240));
    auto sample = [&](int index, int32_t value) {
        device->imageValue[index] = value;
        Frame f = Draw(picture, 0, {false, false}, ToneOf(*device));
        device->imageValue[index] = r[index].def;
        return f;
    };
    Frame neutral = sample(kImageBrightness, r[kImageBrightness].def);
    const int32_t greenX = 3 * 320 / 8 + 10, rampX = 160, y = 120, rampY = 200;
    EXPECT_NEAR(neutral.Y(5, y), 235, 2) << "white stays white at the defaults";

    EXPECT_GT(sample(kImageBrightness, r[kImageBrightness].max).Y(rampX, rampY), neutral.Y(rampX, rampY) + 30);
    EXPECT_LT(sample(kImageBrightness, r[kImageBrightness].min).Y(rampX, rampY), neutral.Y(rampX, rampY) - 30);

    Frame grey = sample(kImageSaturation, r[kImageSaturation].min);
    EXPECT_EQ(grey.U(greenX, y), 128);
    EXPECT_EQ(grey.V(greenX, y), 128);
    Frame vivid = sample(kImageSaturation, r[kImageSaturation].max);
    EXPECT_GT(std::abs(vivid.U(greenX, y) - 128), std::abs(neutral.U(greenX, y) - 128));

    Frame flat = sample(kImageContrast, r[kImageContrast].min);
    EXPECT_EQ(flat.Y(5, y), flat.Y(300, y)) << "no contrast: white and black bars meet";

    Frame turned = sample(kImageHue, r[kImageHue].max);
    EXPECT_NE(turned.U(greenX, y), neutral.U(greenX, y));
    EXPECT_EQ(turned.Y(greenX, y), neutral.Y(greenX, y)) << "hue leaves brightness alone";

    EXPECT_NE(sample(kImageGamma, r[kImageGamma].min).Y(rampX, rampY), neutral.Y(rampX, rampY));
}

} // namespace
