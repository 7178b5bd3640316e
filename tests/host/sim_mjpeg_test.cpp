// MJPG frames of the simulated camera: a well-formed baseline stream of the right size, or nothing.
#include "sim/model/MjpegEncoder.h"
#include "sim/model/TestPicture.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace sim;

std::vector<uint8_t> Frame(int32_t width, int32_t height)
{
    TestPicture picture;
    EXPECT_TRUE(picture.Configure(width, height));
    std::vector<uint8_t> yuy2(picture.FrameBytes());
    EXPECT_TRUE(picture.DrawYuy2(yuy2.data(), yuy2.size(), 5, {false, false}, NeutralTone()));
    return yuy2;
}

TEST(SimMjpeg, StreamHasMarkersSizeAndStuffedEntropyData)
{
    std::vector<uint8_t> yuy2 = Frame(320, 240);
    std::vector<uint8_t> out(yuy2.size() + 8, 0xEE);
    size_t n = EncodeMjpeg(yuy2.data(), 320, 240, out.data(), yuy2.size());
    ASSERT_GT(n, 600u);
    ASSERT_LE(n, yuy2.size());
    EXPECT_EQ(out[yuy2.size()], 0xEE) << "wrote past the capacity";
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0xD8);
    EXPECT_EQ(out[n - 2], 0xFF);
    EXPECT_EQ(out[n - 1], 0xD9);
    // Walk the marker segments up to the scan; the frame header carries height and width.
    size_t at = 2, scan = 0;
    int width = 0, height = 0;
    while (at + 4 <= n && !scan) {
        ASSERT_EQ(out[at], 0xFF) << "segment at " << at;
        uint8_t marker = out[at + 1];
        size_t length = static_cast<size_t>(out[at + 2] << 8 | out[at + 3]);
        if (marker == 0xC0) {
            height = out[at + 5] << 8 | out[at + 6];
            width = out[at + 7] << 8 | out[at + 8];
        }
        if (marker == 0xDA)
            scan = at + 2 + length;
        at += 2 + length;
    }
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    ASSERT_GT(scan, 0u);
    for (size_t i = scan; i + 2 < n; ++i) {
        if (out[i] == 0xFF) {
            ASSERT_EQ(out[i + 1], 0x00) << "unstuffed 0xFF in the scan at " << i;
        }
    }
}

TEST(SimMjpeg, RefusesSizesAndRoomItCannotServe)
{
    std::vector<uint8_t> yuy2 = Frame(320, 240);
    std::vector<uint8_t> out(yuy2.size());
    EXPECT_EQ(EncodeMjpeg(yuy2.data(), 320, 240, out.data(), 500), 0u) << "too little room";
    EXPECT_EQ(EncodeMjpeg(yuy2.data(), 312, 240, out.data(), out.size()), 0u) << "width not a multiple of 16";
    EXPECT_EQ(EncodeMjpeg(yuy2.data(), 320, 236, out.data(), out.size()), 0u) << "height not a multiple of 8";
    EXPECT_EQ(EncodeMjpeg(nullptr, 320, 240, out.data(), out.size()), 0u);
}

} // namespace
