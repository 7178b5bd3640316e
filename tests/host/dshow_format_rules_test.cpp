// Media-type matching rules, frame sizes and HRESULT texts of the filter kit.
#include <gtest/gtest.h>

#include <cstring>

#include "dshow/FormatRules.h"
#include "dshow/HrText.h"

namespace {

using dshow::GuidBytes;
using dshow::PixelLayout;
using dshow::TypeKey;

GuidBytes G(uint8_t tag)
{
    GuidBytes g;
    std::memset(g.bytes, 0, sizeof g.bytes);
    g.bytes[0] = tag;
    g.bytes[15] = tag;
    return g;
}

const GuidBytes kNull = G(0);
const GuidBytes kVideo = G(1);
const GuidBytes kAudio = G(2);
const GuidBytes kYuy2 = G(3);
const GuidBytes kRgb24 = G(4);
const GuidBytes kVideoInfo = G(5);

struct MatchCase
{
    const char* name;
    TypeKey wanted;
    bool matches;
};

class KeyMatchTest : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(KeyMatchTest, NullFieldsAreWildcardsOthersMustBeEqual)
{
    const TypeKey offered{kVideo, kYuy2, kVideoInfo};
    EXPECT_EQ(GetParam().matches, dshow::KeyMatches(GetParam().wanted, offered)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Rules, KeyMatchTest,
                         ::testing::Values(MatchCase{"all wildcards", {kNull, kNull, kNull}, true},
                                           MatchCase{"exact", {kVideo, kYuy2, kVideoInfo}, true},
                                           MatchCase{"major only", {kVideo, kNull, kNull}, true},
                                           MatchCase{"subtype only", {kNull, kYuy2, kNull}, true},
                                           MatchCase{"wrong major", {kAudio, kNull, kNull}, false},
                                           MatchCase{"wrong subtype", {kVideo, kRgb24, kNull}, false},
                                           MatchCase{"wrong format", {kVideo, kYuy2, kRgb24}, false}));

TEST(KeyRules, OnlyAFullyNamedTypeIsComplete)
{
    EXPECT_TRUE(dshow::KeyIsComplete({kVideo, kYuy2, kVideoInfo}));
    EXPECT_FALSE(dshow::KeyIsComplete({kVideo, kYuy2, kNull}));
    EXPECT_FALSE(dshow::KeyIsComplete({kNull, kYuy2, kVideoInfo}));
    // A GUID with only a late byte set is not null.
    GuidBytes late = kNull;
    late.bytes[9] = 1;
    EXPECT_FALSE(dshow::IsNullGuid(late));
}

struct SizeCase
{
    PixelLayout layout;
    int width;
    int height;
    size_t row;
    size_t frame;
};

class FrameSizeTest : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(FrameSizeTest, RowsArePaddedAndSizesBounded)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(c.row, dshow::RowBytes(c.layout, c.width));
    EXPECT_EQ(c.frame, dshow::FrameBytes(c.layout, c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameSizeTest,
    ::testing::Values(SizeCase{PixelLayout::Rgb24, 1280, 720, 3840, 3840u * 720},
                      SizeCase{PixelLayout::Rgb24, 1280, -1024, 3840, 3840u * 1024}, // top-down counts the same
                      SizeCase{PixelLayout::Rgb24, 5, 2, 16, 32},                    // 15 bytes padded to 16
                      SizeCase{PixelLayout::Rgb24, 1, 1, 4, 4},
                      SizeCase{PixelLayout::Yuy2, 640, 480, 1280, 1280u * 480},
                      SizeCase{PixelLayout::Yuy2, 3, 2, 8, 16}, // odd width keeps its last pair
                      SizeCase{PixelLayout::Rgb32, 7, 3, 28, 84}, SizeCase{PixelLayout::Rgb24, 0, 10, 0, 0},
                      SizeCase{PixelLayout::Rgb24, -4, 10, 0, 0}, SizeCase{PixelLayout::Rgb24, 64, 0, 192, 0},
                      SizeCase{PixelLayout::Rgb24, dshow::kMaxFrameSide + 1, 2, 0, 0},
                      SizeCase{PixelLayout::Rgb24, 16, dshow::kMaxFrameSide + 1, 48, 0}));

TEST(HrText, KnownCodesShowNameAndNumberOthersTheNumber)
{
    EXPECT_EQ("VFW_E_NOT_CONNECTED (0x80040209)", dshow::HrToText(0x80040209u));
    EXPECT_EQ("S_OK (0x00000000)", dshow::HrToText(0));
    EXPECT_EQ("VFW_S_NO_MORE_ITEMS (0x00040103)", dshow::HrToText(0x00040103u));
    EXPECT_EQ("0x8004FFFF", dshow::HrToText(0x8004FFFFu));
    EXPECT_EQ(nullptr, dshow::HrName(0x12345678u));
    EXPECT_STREQ("E_POINTER", dshow::HrName(0x80004003u));
}

} // namespace
