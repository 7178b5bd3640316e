// The scaler's pixel kernels: every conversion path (YUY2 or RGB24 to 24-bit or 32-bit RGB) against the
// per-pixel reference over all orientations, crops, row orders, odd widths and padded strides; colours
// over the whole YUV range; where rows end up in a cropped DIB; and refusal of frames that do not fit
// their buffers.
#include "filters/kernels/ScalerKernels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using namespace kernels;

namespace kernels {
// Readable parameters in failure messages.
void PrintTo(KernelPath path, std::ostream* os)
{
    *os << KernelPathName(path);
}
} // namespace kernels

namespace {

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardBytes = 64;

const char* FormatName(PixelFormat format)
{
    return format == PixelFormat::Yuy2 ? "Yuy2" : format == PixelFormat::Rgb24 ? "Rgb24" : "Rgb32";
}

size_t SourceRowBytes(PixelFormat format, int width)
{
    return format == PixelFormat::Yuy2 ? Yuy2RowBytes(width) : static_cast<size_t>(width) * 3;
}

size_t PixelBytes(PixelFormat format)
{
    return format == PixelFormat::Rgb32 ? 4 : 3;
}

std::vector<uint8_t> RandomBytes(size_t count, std::mt19937& random)
{
    std::vector<uint8_t> bytes(count);
    for (auto& b : bytes) {
        b = static_cast<uint8_t>(random() & 0xFF);
    }
    return bytes;
}

// Output buffer of exactly `bytes`, followed by guard bytes that no conversion may touch.
std::vector<uint8_t> GuardedOutput(size_t bytes)
{
    return std::vector<uint8_t>(bytes + kGuardBytes, kGuard);
}

bool GuardIntact(const std::vector<uint8_t>& buffer, size_t bytes)
{
    for (size_t i = bytes; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard) {
            return false;
        }
    }
    return true;
}

std::string Describe(const FrameGeometry& g)
{
    return "width " + std::to_string(g.width) + " height " + std::to_string(g.height) + " from " +
           std::to_string(g.srcHeight) + " rows, srcStride " + std::to_string(g.srcStride) + " dstStride " +
           std::to_string(g.dstStride) + (g.mirror ? " mirror" : "") + (g.flip ? " flip" : "") +
           (g.srcBottomUp ? " src-bottom-up" : " src-top-down") + (g.dstBottomUp ? " dst-bottom-up" : " dst-top-down");
}

struct PathCase
{
    KernelPath path;
    PixelFormat from, to;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << KernelPathName(c.path) << " " << FormatName(c.from) << " to " << FormatName(c.to);
}

std::string PathCaseName(const testing::TestParamInfo<PathCase>& info)
{
    return std::string(KernelPathName(info.param.path)) + "_" + FormatName(info.param.from) + "_" +
           FormatName(info.param.to);
}

std::vector<PathCase> AllPathCases()
{
    std::vector<PathCase> cases;
    for (KernelPath path : {KernelPath::Scalar, KernelPath::Sse2, KernelPath::Avx2}) {
        for (PixelFormat from : {PixelFormat::Yuy2, PixelFormat::Rgb24}) {
            for (PixelFormat to : {PixelFormat::Rgb24, PixelFormat::Rgb32}) {
                cases.push_back({path, from, to});
            }
        }
    }
    return cases;
}

class KernelPathTest : public testing::TestWithParam<PathCase>
{
protected:
    void SetUp() override
    {
        if (ResolveKernelPath(GetParam().path) != GetParam().path) {
            GTEST_SKIP() << KernelPathName(GetParam().path) << " is not available on this processor";
        }
    }
};

// Widths around the 16-pixel vector blocks, odd ones included (YUY2 then ends in half a pair).
TEST_P(KernelPathTest, MatchesReferenceInEveryOrientationCropAndRowOrder)
{
    const PathCase& c = GetParam();
    const size_t pixelBytes = PixelBytes(c.to);
    std::mt19937 random(1234);
    for (int width : {1, 2, 3, 7, 8, 9, 10, 11, 15, 16, 17, 21, 31, 32, 33, 47, 50, 97}) {
        for (int variant = 0; variant < 64; ++variant) {
            FrameGeometry g;
            g.srcFormat = c.from;
            g.dstFormat = c.to;
            g.width = width;
            g.height = 5;
            g.srcHeight = (variant & 1) ? 8 : 0; // three rows cropped: one above, two below
            g.mirror = (variant & 2) != 0;
            g.flip = (variant & 4) != 0;
            g.srcBottomUp = (variant & 8) != 0;
            g.dstBottomUp = (variant & 16) == 0;
            const bool padded = (variant & 32) != 0;
            g.srcStride = static_cast<ptrdiff_t>(SourceRowBytes(c.from, width) + (padded ? 13 : 0));
            g.dstStride = padded ? static_cast<ptrdiff_t>(DibStride(c.to, width) + 8) : 0;
            SCOPED_TRACE(Describe(g));

            const std::vector<uint8_t> src = RandomBytes(RequiredSourceBytes(g), random);
            const size_t dstBytes = RequiredDestinationBytes(g);
            ASSERT_GT(dstBytes, 0u);
            std::vector<uint8_t> expected = GuardedOutput(dstBytes);
            std::vector<uint8_t> actual = GuardedOutput(dstBytes);
            ASSERT_TRUE(ConvertFrameReference(src.data(), src.size(), expected.data(), dstBytes, g));
            ASSERT_TRUE(ConvertFrame(src.data(), src.size(), actual.data(), dstBytes, g, c.path));

            const size_t dib = DibStride(c.to, width);
            const size_t stride = g.dstStride ? static_cast<size_t>(g.dstStride) : dib;
            const size_t rowPixels = static_cast<size_t>(width) * pixelBytes;
            for (int row = 0; row < g.height; ++row) {
                for (size_t i = 0; i < stride && row * stride + i < dstBytes; ++i) {
                    const size_t at = row * stride + i;
                    const bool spare = pixelBytes == 4 && i % 4 == 3;
                    const int tolerance = (c.from == PixelFormat::Yuy2 && i < rowPixels && !spare) ? 1 : 0;
                    if (i >= dib) {
                        // Stride bytes past the DIB row belong to the caller.
                        ASSERT_EQ(actual[at], kGuard) << "row " << row << " byte " << i;
                    } else if (i >= rowPixels || spare) {
                        ASSERT_EQ(actual[at], 0) << "padding or spare byte of row " << row << " byte " << i;
                    } else {
                        ASSERT_LE(std::abs(actual[at] - expected[at]), tolerance) << "row " << row << " byte " << i;
                    }
                }
            }
            ASSERT_TRUE(GuardIntact(actual, dstBytes));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, KernelPathTest, testing::ValuesIn(AllPathCases()), PathCaseName);

class ColourPathTest : public testing::TestWithParam<KernelPath>
{
protected:
    void SetUp() override
    {
        if (ResolveKernelPath(GetParam()) != GetParam()) {
            GTEST_SKIP() << KernelPathName(GetParam()) << " is not available on this processor";
        }
    }
};

// Colour arithmetic over all 2^24 combinations of Y, U and V, out-of-range values included, in frames of
// 256 x 256 pixels, into both output formats: the plain path within 1 of the exact colour, the vector
// paths identical to it.
TEST_P(ColourPathTest, EveryYuvValueWithinOneOfExactColour)
{
    const KernelPath path = GetParam();
    for (PixelFormat to : {PixelFormat::Rgb24, PixelFormat::Rgb32}) {
        SCOPED_TRACE(FormatName(to));
        FrameGeometry g;
        g.dstFormat = to;
        g.width = 256;
        g.height = 256;
        g.srcStride = 512;
        g.dstBottomUp = false;
        std::vector<uint8_t> src(RequiredSourceBytes(g));
        std::vector<uint8_t> expected(RequiredDestinationBytes(g));
        std::vector<uint8_t> actual(expected.size());
        const size_t stride = DibStride(to, 256);
        const size_t pixelBytes = PixelBytes(to);
        for (int u = 0; u < 256; ++u) {
            for (int v = 0; v < 256; ++v) {
                for (int pair = 0; pair < 128; ++pair) {
                    uint8_t* p = &src[v * 512 + pair * 4];
                    p[0] = static_cast<uint8_t>(2 * pair);
                    p[1] = static_cast<uint8_t>(u);
                    p[2] = static_cast<uint8_t>(2 * pair + 1);
                    p[3] = static_cast<uint8_t>(v);
                }
            }
            const bool againstExact = path == KernelPath::Scalar;
            ASSERT_TRUE(
                againstExact
                    ? ConvertFrameReference(src.data(), src.size(), expected.data(), expected.size(), g)
                    : ConvertFrame(src.data(), src.size(), expected.data(), expected.size(), g, KernelPath::Scalar));
            ASSERT_TRUE(ConvertFrame(src.data(), src.size(), actual.data(), actual.size(), g, path));
            if (!againstExact && actual == expected) {
                continue;
            }
            for (size_t i = 0; i < actual.size(); ++i) {
                if (std::abs(actual[i] - expected[i]) > (againstExact ? 1 : 0)) {
                    FAIL() << "Y " << (i % stride) / pixelBytes << " U " << u << " V " << i / stride << " channel "
                           << i % pixelBytes << ": " << int(actual[i]) << " instead of " << int(expected[i])
                           << (againstExact ? " (exact)" : " (plain path)");
                }
            }
        }
    }
}

// Studio-range colour bars come out as the colours they stand for.
TEST_P(ColourPathTest, KnownColoursComeOutRight)
{
    struct Colour
    {
        const char* name;
        uint8_t y, u, v;
        int r, g, b;
    };
    const Colour colours[] = {
        {"white", 235, 128, 128, 255, 255, 255}, {"black", 16, 128, 128, 0, 0, 0},
        {"grey", 126, 128, 128, 128, 128, 128},  {"red", 81, 90, 240, 255, 0, 0},
        {"green", 145, 54, 34, 0, 255, 0},       {"blue", 41, 240, 110, 0, 0, 255},
        {"yellow", 210, 16, 146, 255, 255, 0},   {"cyan", 170, 166, 16, 0, 255, 255},
        {"magenta", 106, 202, 222, 255, 0, 255}, {"super-white", 255, 128, 128, 255, 255, 255},
        {"sub-black", 0, 128, 128, 0, 0, 0},
    };
    for (const Colour& c : colours) {
        SCOPED_TRACE(c.name);
        // 20 pixels so that the vector block and the scalar tail both see the colour.
        FrameGeometry g;
        g.width = 20;
        g.height = 1;
        g.srcStride = 40;
        std::vector<uint8_t> src;
        for (int pair = 0; pair < 10; ++pair) {
            src.insert(src.end(), {c.y, c.u, c.y, c.v});
        }
        for (PixelFormat to : {PixelFormat::Rgb24, PixelFormat::Rgb32}) {
            g.dstFormat = to;
            const size_t pixelBytes = PixelBytes(to);
            std::vector<uint8_t> dst(RequiredDestinationBytes(g));
            ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), dst.size(), g, GetParam()));
            for (int x = 0; x < 20; ++x) {
                EXPECT_NEAR(dst[pixelBytes * x + 0], c.b, 1) << FormatName(to) << " blue of pixel " << x;
                EXPECT_NEAR(dst[pixelBytes * x + 1], c.g, 1) << FormatName(to) << " green of pixel " << x;
                EXPECT_NEAR(dst[pixelBytes * x + 2], c.r, 1) << FormatName(to) << " red of pixel " << x;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, ColourPathTest, testing::Values(KernelPath::Scalar, KernelPath::Sse2, KernelPath::Avx2),
                         [](const testing::TestParamInfo<KernelPath>& info) { return KernelPathName(info.param); });

// A 1280x800 camera frame cropped to 1280x720 in DIB order: rows tagged with their picture row.
struct OrientationCase
{
    bool mirror, flip, srcBottomUp;
    int firstStoredRow; // picture row of the camera frame in the first stored output row
    int firstPixelColumn;
};

void PrintTo(const OrientationCase& c, std::ostream* os)
{
    *os << (c.mirror ? "mirror " : "") << (c.flip ? "flip " : "")
        << (c.srcBottomUp ? "bottom-up input" : "top-down input");
}

class CropOrientationTest : public testing::TestWithParam<OrientationCase>
{
};

TEST_P(CropOrientationTest, DropsFortyRowsTopAndBottomAndStoresLastRowFirst)
{
    const OrientationCase& c = GetParam();
    FrameGeometry g;
    g.width = 1280;
    g.height = 720;
    g.srcHeight = 800;
    g.srcStride = 1280 * 3;
    g.mirror = c.mirror;
    g.flip = c.flip;
    g.srcBottomUp = c.srcBottomUp;
    g.srcFormat = PixelFormat::Rgb24;
    std::vector<uint8_t> src(RequiredSourceBytes(g));
    for (int stored = 0; stored < 800; ++stored) {
        const int pictureRow = c.srcBottomUp ? 799 - stored : stored;
        for (int x = 0; x < 1280; ++x) {
            uint8_t* p = &src[stored * 3840 + 3 * x];
            p[0] = static_cast<uint8_t>(pictureRow & 0xFF);
            p[1] = static_cast<uint8_t>(pictureRow >> 8);
            p[2] = static_cast<uint8_t>(x & 0xFF);
        }
    }
    for (KernelPath path : {KernelPath::Scalar, KernelPath::Sse2, KernelPath::Avx2}) {
        SCOPED_TRACE(KernelPathName(path));
        std::vector<uint8_t> dst = GuardedOutput(1280 * 3 * 720);
        ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), 1280 * 3 * 720, g, path));
        const auto rowOf = [&](int stored) { return dst[stored * 3840] | dst[stored * 3840 + 1] << 8; };
        EXPECT_EQ(rowOf(0), c.firstStoredRow);
        EXPECT_EQ(rowOf(719), c.firstStoredRow == 759 ? 40 : 759);
        EXPECT_EQ(dst[2], c.firstPixelColumn & 0xFF);
        EXPECT_EQ(dst[3 * 1279 + 2], (c.mirror ? 0 : 1279) & 0xFF);
        EXPECT_TRUE(GuardIntact(dst, 1280 * 3 * 720));
    }
}

INSTANTIATE_TEST_SUITE_P(Orientations, CropOrientationTest,
                         testing::Values(OrientationCase{false, false, false, 759, 0},
                                         OrientationCase{true, false, false, 759, 1279},
                                         OrientationCase{false, true, false, 40, 0},
                                         OrientationCase{true, true, true, 40, 1279},
                                         OrientationCase{false, false, true, 759, 0}));

// Odd YUY2 widths: the last pixel is the first half of a pair and takes that pair's chroma.
TEST(ScalerKernels, LoneLastYuy2PixelUsesItsPairsChroma)
{
    FrameGeometry g;
    g.width = 3;
    g.height = 1;
    g.srcStride = 8;
    const std::vector<uint8_t> src = {100, 60, 110, 200, 180, 240, 16, 16};
    uint8_t expectedLast[3];
    YuvToBgrReference(180, 240, 16, expectedLast);
    for (KernelPath path : {KernelPath::Scalar, KernelPath::Sse2, KernelPath::Avx2}) {
        SCOPED_TRACE(KernelPathName(path));
        for (PixelFormat to : {PixelFormat::Rgb24, PixelFormat::Rgb32}) {
            for (bool mirror : {false, true}) {
                g.dstFormat = to;
                g.mirror = mirror;
                std::vector<uint8_t> dst(RequiredDestinationBytes(g));
                ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), dst.size(), g, path));
                const uint8_t* lone = mirror ? &dst[0] : &dst[2 * PixelBytes(to)];
                for (int ch = 0; ch < 3; ++ch) {
                    EXPECT_NEAR(lone[ch], expectedLast[ch], 1)
                        << FormatName(to) << (mirror ? " mirrored" : "") << " channel " << ch;
                }
            }
        }
    }
}

// Frames that do not fit are refused and leave the output as it was.
TEST(ScalerKernels, RefusesFramesThatDoNotFitTheirBuffers)
{
    FrameGeometry good;
    good.width = 64;
    good.height = 4;
    good.srcHeight = 6;
    good.srcStride = 128;
    const size_t srcBytes = RequiredSourceBytes(good);
    const size_t dstBytes = RequiredDestinationBytes(good);
    ASSERT_EQ(srcBytes, 128u * 6);
    ASSERT_EQ(dstBytes, 192u * 4);
    const std::vector<uint8_t> src(srcBytes, 128);

    struct Bad
    {
        const char* what;
        FrameGeometry g;
        size_t srcBytes, dstBytes;
        bool nullSrc, nullDst;
    };
    auto with = [&](auto change) {
        FrameGeometry g = good;
        change(g);
        return g;
    };
    const Bad cases[] = {
        {"input one byte short", good, srcBytes - 1, dstBytes, false, false},
        {"output one byte short", good, srcBytes, dstBytes - 1, false, false},
        {"no input", good, srcBytes, dstBytes, true, false},
        {"no output", good, srcBytes, dstBytes, false, true},
        {"zero width", with([](FrameGeometry& g) { g.width = 0; }), srcBytes, dstBytes, false, false},
        {"negative height", with([](FrameGeometry& g) { g.height = -4; }), srcBytes, dstBytes, false, false},
        {"fewer input rows than output rows", with([](FrameGeometry& g) { g.srcHeight = 3; }), srcBytes, dstBytes,
         false, false},
        {"input stride shorter than a row", with([](FrameGeometry& g) { g.srcStride = 127; }), srcBytes, dstBytes,
         false, false},
        {"negative input stride", with([](FrameGeometry& g) { g.srcStride = -128; }), srcBytes, dstBytes, false, false},
        {"output stride shorter than a row", with([](FrameGeometry& g) { g.dstStride = 191; }), srcBytes, dstBytes,
         false, false},
        {"absurd width", with([](FrameGeometry& g) { g.width = 1 << 30; }), srcBytes, dstBytes, false, false},
        {"32-bit RGB as input", with([](FrameGeometry& g) { g.srcFormat = PixelFormat::Rgb32; }), srcBytes, dstBytes,
         false, false},
        {"YUY2 as output", with([](FrameGeometry& g) { g.dstFormat = PixelFormat::Yuy2; }), srcBytes, dstBytes, false,
         false},
        {"32-bit output into a 24-bit buffer", with([](FrameGeometry& g) { g.dstFormat = PixelFormat::Rgb32; }),
         srcBytes, dstBytes, false, false},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> dst = GuardedOutput(dstBytes);
        for (PixelFormat from : {PixelFormat::Yuy2, PixelFormat::Rgb24}) {
            FrameGeometry g = c.g;
            if (g.srcFormat != PixelFormat::Rgb32) {
                g.srcFormat = from;
            }
            for (KernelPath path : {KernelPath::Scalar, KernelPath::Auto}) {
                EXPECT_FALSE(ConvertFrame(c.nullSrc ? nullptr : src.data(), c.srcBytes,
                                          c.nullDst ? nullptr : dst.data(), c.dstBytes, g, path));
            }
            EXPECT_FALSE(ConvertFrameReference(c.nullSrc ? nullptr : src.data(), c.srcBytes,
                                               c.nullDst ? nullptr : dst.data(), c.dstBytes, g));
        }
        EXPECT_TRUE(GuardIntact(dst, 0)) << "output written although the frame was refused";
    }
}

// An odd number of dropped rows leaves the extra one at the bottom; DIB rows of odd widths pad to 4 bytes.
TEST(ScalerKernels, RowSizesAndUnevenCrop)
{
    EXPECT_EQ(Rgb24Stride(1), 4u);
    EXPECT_EQ(Rgb24Stride(1279), 3840u);
    EXPECT_EQ(Rgb24Stride(5), 16u);
    EXPECT_EQ(DibStride(PixelFormat::Rgb32, 5), 20u);
    EXPECT_EQ(Yuy2RowBytes(3), 8u);

    FrameGeometry g;
    g.width = 2;
    g.height = 1;
    g.srcHeight = 4; // three rows dropped: one above, two below
    g.srcStride = 6;
    g.dstBottomUp = false;
    g.srcFormat = PixelFormat::Rgb24;
    const std::vector<uint8_t> src = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3};
    std::vector<uint8_t> dst(RequiredDestinationBytes(g), 0xEE);
    ASSERT_EQ(dst.size(), 8u);
    ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), dst.size(), g));
    EXPECT_EQ(dst, (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 0, 0}));
}

// Widening to 32-bit rows keeps every colour byte in place and writes exactly width quadruples, plain
// and mirrored.
TEST(ScalerKernels, Rgb32RowKeepsColoursAndStopsAtTheWidth)
{
    const std::vector<uint8_t> src = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    FrameGeometry g;
    g.srcFormat = PixelFormat::Rgb24;
    g.dstFormat = PixelFormat::Rgb32;
    g.width = 3;
    g.height = 1;
    g.srcStride = 9;
    for (KernelPath path : {KernelPath::Scalar, KernelPath::Sse2, KernelPath::Avx2}) {
        SCOPED_TRACE(KernelPathName(path));
        std::vector<uint8_t> dst(16, 0xEE);
        g.mirror = false;
        ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), 12, g, path));
        EXPECT_EQ(dst, (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0xEE, 0xEE, 0xEE, 0xEE}));
        g.mirror = true;
        ASSERT_TRUE(ConvertFrame(src.data(), src.size(), dst.data(), 12, g, path));
        EXPECT_EQ(dst, (std::vector<uint8_t>{7, 8, 9, 0, 4, 5, 6, 0, 1, 2, 3, 0, 0xEE, 0xEE, 0xEE, 0xEE}));
    }
}

TEST(ScalerKernels, ForcedPathFallsBackToOneTheProcessorHas)
{
    EXPECT_EQ(ResolveKernelPath(KernelPath::Scalar), KernelPath::Scalar);
    const KernelPath automatic = ResolveKernelPath(KernelPath::Auto);
    EXPECT_NE(automatic, KernelPath::Auto);
    EXPECT_TRUE(IsKernelPathAvailable(automatic));
    EXPECT_TRUE(IsKernelPathAvailable(ResolveKernelPath(KernelPath::Avx2)));
    if (IsKernelPathAvailable(KernelPath::Avx2)) {
        EXPECT_EQ(automatic, KernelPath::Avx2);
    }
}

} // namespace
