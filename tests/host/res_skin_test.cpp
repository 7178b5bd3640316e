// Skin generator: every picture the program loads exists at the size its window or control needs, the
// BMP and ICO files are well formed, magenta appears exactly where windows are cut or pictures blended,
// and the states of one button look different.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "res/skin/ImageFiles.h"
#include "res/skin/SkinTable.h"

namespace {

using skin::Rgb8;

struct Expected
{
    int id, width, height;
};

// Every bitmap the program loads, with the size its window or control needs.
// clang-format off
// Toolbar: shapes, logos, horizontal frames (38 x 51, menu 21 x 51), vertical frames (51 x 38, menu 51 x 21).
const std::vector<Expected> kToolbar = {
    {237, 265, 51}, {238, 52, 264}, {232, 91, 51}, {239, 51, 91},
    {251, 38, 51}, {252, 38, 51}, {253, 38, 51}, {254, 38, 51}, {250, 38, 51},
    {233, 38, 51}, {255, 38, 51}, {256, 38, 51}, {257, 38, 51}, {246, 38, 51},
    {234, 38, 51}, {258, 38, 51}, {259, 38, 51}, {260, 38, 51}, {247, 38, 51},
    {235, 38, 51}, {261, 38, 51}, {262, 38, 51}, {263, 38, 51}, {248, 38, 51},
    {236, 21, 51}, {249, 21, 51},
    {240, 51, 38}, {264, 51, 38}, {265, 51, 38}, {266, 51, 38}, {267, 51, 38},
    {241, 51, 38}, {268, 51, 38}, {269, 51, 38}, {270, 51, 38}, {271, 51, 38},
    {242, 51, 38}, {272, 51, 38}, {273, 51, 38}, {274, 51, 38}, {275, 51, 38},
    {243, 51, 38}, {276, 51, 38}, {277, 51, 38}, {278, 51, 38}, {279, 51, 38},
    {244, 51, 21}, {280, 51, 21}, {245, 51, 21}, {281, 51, 21},
};
// Preview frame pieces (window, video area and body bottom of each layout), covers and buttons.
const std::vector<Expected> kPreview = {
    {356, 663, 92}, {353, 663, 38}, {354, 11, 480}, {355, 12, 480},
    {366, 594, 92}, {367, 594, 38}, {368, 11, 429}, {365, 11, 429},
    {361, 1134, 35}, {362, 1134, 6}, {363, 6, 685}, {364, 6, 685},
    {352, 888, 35}, {357, 888, 7}, {372, 6, 528}, {369, 6, 528}, {370, 695, 35}, {371, 695, 6},
    {311, 640, 480}, {340, 572, 429},
    {291, 154, 48}, {305, 154, 48}, {292, 154, 48}, {293, 154, 48},
    {312, 154, 48}, {165, 154, 48}, {313, 154, 48}, {314, 154, 48}, {315, 154, 48}, {337, 154, 48},
    {309, 33, 17}, {286, 33, 17}, {287, 33, 17}, {308, 33, 17}, {288, 33, 17}, {289, 33, 17},
    {306, 20, 9}, {294, 20, 9}, {307, 8, 8}, {296, 8, 8}, {338, 8, 8},
};
// Dialogs, pages and their controls.
const std::vector<Expected> kDialogs = {
    {163, 308, 434}, {349, 271, 307}, {347, 271, 307}, {348, 271, 307}, {216, 456, 336},
    {343, 64, 33}, {342, 64, 33}, {344, 64, 33}, {345, 63, 21}, {346, 63, 21}, {341, 63, 21},
    {207, 17, 17}, {212, 17, 17}, {213, 17, 17}, {208, 19, 20}, {215, 19, 20}, {214, 19, 20},
    {209, 46, 30}, {284, 46, 30}, {285, 46, 30}, {195, 165, 24}, {196, 10, 23},
};
// clang-format on

uint32_t Read32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t Read16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// A BMP file read back the way a loader does; `valid` tells whether the headers made sense.
struct Bmp
{
    bool valid = false;
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;

    Rgb8 At(int x, int y) const
    {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        const size_t p = 54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
        return Rgb8{bytes[p + 2], bytes[p + 1], bytes[p]};
    }
    bool Magenta(int x, int y) const { return At(x, y) == skin::kSeeThrough; }
};

Bmp ParseBmp(std::vector<uint8_t> bytes)
{
    Bmp bmp;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        return bmp;
    }
    const int32_t width = static_cast<int32_t>(Read32(bytes, 18));
    const int32_t height = static_cast<int32_t>(Read32(bytes, 22));
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    bmp.valid = Read32(bytes, 2) == bytes.size() && Read32(bytes, 10) == 54 && Read32(bytes, 14) == 40 && width > 0 &&
                height > 0 && Read16(bytes, 26) == 1 && Read16(bytes, 28) == 24 && Read32(bytes, 30) == 0 &&
                Read32(bytes, 34) == stride * static_cast<uint32_t>(height) &&
                bytes.size() == 54 + stride * static_cast<size_t>(height);
    bmp.width = width;
    bmp.height = height;
    bmp.bytes = std::move(bytes);
    return bmp;
}

// Each picture is drawn and encoded once for the whole test run.
const Bmp& File(int id)
{
    static std::map<int, Bmp> cache;
    auto it = cache.find(id);
    if (it == cache.end()) {
        const skin::SkinBitmap* entry = skin::FindSkinBitmap(id);
        Bmp bmp;
        if (entry) {
            bmp = ParseBmp(skin::EncodeBmp24(skin::DrawSkinBitmap(*entry)));
        }
        it = cache.emplace(id, std::move(bmp)).first;
    }
    return it->second;
}

struct Group
{
    const char* name;
    const std::vector<Expected>* pictures;
};

class SkinBitmapFiles : public ::testing::TestWithParam<Group>
{
};

TEST_P(SkinBitmapFiles, Are24BitBottomUpBmpsOfTheirSizeWithoutLoaderGreys)
{
    for (const Expected& e : *GetParam().pictures) {
        SCOPED_TRACE(e.id);
        ASSERT_NE(skin::FindSkinBitmap(e.id), nullptr);
        const Bmp& bmp = File(e.id);
        ASSERT_TRUE(bmp.valid);
        EXPECT_EQ(bmp.width, e.width);
        EXPECT_EQ(bmp.height, e.height);
        const size_t stride = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
        for (int y = 0; y < bmp.height; ++y) {
            for (size_t pad = static_cast<size_t>(bmp.width) * 3; pad < stride; ++pad) {
                ASSERT_EQ(bmp.bytes[54 + (bmp.height - 1 - y) * stride + pad], 0) << "padding of row " << y;
            }
            // The toolbar loads its pictures mapped to the system's 3-D colours, which swaps these greys.
            for (int x = 0; x < bmp.width; ++x) {
                const Rgb8 p = bmp.At(x, y);
                ASSERT_FALSE(p.r == p.g && p.g == p.b && (p.r == 128 || p.r == 192 || p.r == 223))
                    << "grey at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryId, SkinBitmapFiles,
                         ::testing::Values(Group{"Toolbar", &kToolbar}, Group{"Preview", &kPreview},
                                           Group{"Dialogs", &kDialogs}),
                         [](const ::testing::TestParamInfo<Group>& info) { return std::string(info.param.name); });

TEST(SkinTable, HoldsEachExpectedIdOnceAndNothingElse)
{
    std::set<int> expected;
    for (const auto* group : {&kToolbar, &kPreview, &kDialogs}) {
        for (const Expected& e : *group) {
            expected.insert(e.id);
        }
    }
    std::multiset<int> table;
    for (const skin::SkinBitmap& b : skin::SkinBitmaps()) {
        table.insert(b.id);
        EXPECT_EQ(expected.count(b.id), 1u) << "unexpected picture " << b.id;
    }
    for (int id : expected) {
        EXPECT_EQ(table.count(id), 1u) << "picture " << id;
    }
}

// The window region that the toolbar, the dialogs and the preview build from a shape bitmap: runs of
// pixels that are not magenta, row by row.
std::vector<std::vector<bool>> RegionFromRows(const Bmp& bmp, int firstRow, int lastRow, int windowWidth,
                                              int windowHeight)
{
    std::vector<std::vector<bool>> region(static_cast<size_t>(windowHeight), std::vector<bool>(windowWidth, false));
    for (int y = firstRow; y <= lastRow && y < windowHeight; ++y) {
        for (int x = 0; x < bmp.width && x < windowWidth; ++x) {
            region[y][x] = !bmp.Magenta(x, y);
        }
    }
    return region;
}

TEST(SkinShape, ToolbarShapesCutRoundedCornersAndKeepTheBarSolid)
{
    struct Case
    {
        int id, barWidth, barHeight;
    };
    for (const Case c : {Case{237, 264, 51}, Case{238, 51, 264}}) {
        SCOPED_TRACE(c.id);
        const Bmp& shape = File(c.id);
        ASSERT_TRUE(shape.valid);
        const auto region = RegionFromRows(shape, 0, shape.height - 1, shape.width, shape.height);
        for (const auto& corner : {std::pair{0, 0}, std::pair{c.barWidth - 1, 0}, std::pair{0, c.barHeight - 1},
                                   std::pair{c.barWidth - 1, c.barHeight - 1}}) {
            EXPECT_FALSE(region[corner.second][corner.first]) << corner.first << "," << corner.second;
        }
        // Across the middle the bar is solid from edge to edge; the extra column or row is outside.
        for (int i = 0; i < (c.barWidth > c.barHeight ? c.barWidth : c.barHeight); ++i) {
            const int x = c.barWidth > c.barHeight ? i : c.barWidth / 2;
            const int y = c.barWidth > c.barHeight ? c.barHeight / 2 : i;
            EXPECT_TRUE(region[y][x]) << x << "," << y;
        }
        for (int y = 0; y < shape.height; ++y) {
            for (int x = 0; x < shape.width; ++x) {
                if (x >= c.barWidth || y >= c.barHeight) {
                    EXPECT_FALSE(region[y][x]) << x << "," << y;
                }
            }
        }
    }
}

TEST(SkinShape, ToolbarPiecesShowNoMagenta)
{
    for (int id : {232, 239, 251, 250, 236, 249, 240, 267, 244, 280, 245, 281}) {
        const Bmp& bmp = File(id);
        ASSERT_TRUE(bmp.valid);
        for (int y = 0; y < bmp.height; ++y) {
            for (int x = 0; x < bmp.width; ++x) {
                ASSERT_FALSE(bmp.Magenta(x, y)) << id << " at " << x << "," << y;
            }
        }
    }
}

TEST(SkinShape, DialogOutlineRoundsTopAndBottomRowsAndLeavesTheBodySolid)
{
    const Bmp& bmp = File(163);
    ASSERT_TRUE(bmp.valid);
    // Region of the Properties and Setting dialogs: rows 0 to 6 and 427 to the end scanned, body solid.
    auto region = RegionFromRows(bmp, 0, 6, 308, 434);
    const auto bottom = RegionFromRows(bmp, 427, 433, 308, 434);
    for (int y = 0; y < 434; ++y) {
        for (int x = 0; x < 308; ++x) {
            region[y][x] = region[y][x] || bottom[y][x] || (y >= 6 && y < 427);
        }
    }
    for (const auto& corner : {std::pair{0, 0}, std::pair{307, 0}, std::pair{0, 433}, std::pair{307, 433}}) {
        EXPECT_FALSE(region[corner.second][corner.first]) << corner.first << "," << corner.second;
    }
    EXPECT_TRUE(region[0][154]);
    EXPECT_TRUE(region[433][154]);
    // Whatever the region shows is painted from the same bitmap: no magenta may show through.
    for (int y = 0; y < 434; ++y) {
        for (int x = 0; x < 308; ++x) {
            if (region[y][x]) {
                ASSERT_FALSE(bmp.Magenta(x, y)) << x << "," << y;
            }
        }
    }
}

struct PreviewSkin
{
    int top, bottom, left, right, bodyBottom, windowWidth, windowHeight;
};

// The six frame skins with the window size of the layout that uses them.
const PreviewSkin kPreviewSkins[] = {
    {356, 353, 354, 355, 603, 663, 610}, {366, 367, 368, 365, 552, 594, 559}, {361, 362, 363, 364, 720, 1134, 726},
    {352, 357, 363, 364, 720, 888, 727}, {352, 357, 372, 369, 562, 888, 569}, {370, 371, 372, 369, 562, 695, 569},
};

class PreviewFrame : public ::testing::TestWithParam<PreviewSkin>
{
};

TEST_P(PreviewFrame, PiecesCoverTheWindowOutsideTheVideoAndShowNoMagentaInsideItsShape)
{
    const PreviewSkin s = GetParam();
    const Bmp& top = File(s.top);
    const Bmp& bottom = File(s.bottom);
    const Bmp& left = File(s.left);
    const Bmp& right = File(s.right);
    ASSERT_TRUE(top.valid && bottom.valid && left.valid && right.valid);
    EXPECT_EQ(top.width, s.windowWidth);
    EXPECT_EQ(bottom.width, s.windowWidth);
    EXPECT_EQ(left.height, right.height);
    EXPECT_GE(top.height + left.height + bottom.height, s.windowHeight);

    // The window as the preview paints it: top, left below it, right at the right edge, bottom below the left.
    const int W = s.windowWidth, H = s.windowHeight;
    std::vector<std::vector<int>> owner(H, std::vector<int>(W, -1));
    std::vector<std::vector<Rgb8>> pixel(H, std::vector<Rgb8>(W));
    const auto paint = [&](const Bmp& b, int ox, int oy) {
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                if (ox + x < W && oy + y < H) {
                    owner[oy + y][ox + x] = 1;
                    pixel[oy + y][ox + x] = b.At(x, y);
                }
            }
        }
    };
    paint(top, 0, 0);
    paint(left, 0, top.height);
    paint(right, top.width - right.width, top.height);
    paint(bottom, 0, top.height + left.height);

    // The shape: runs of the top bitmap's rows 0 to 6, the body to the body bottom, then seven rows cut
    // in by fixed insets.
    const int leftInset[7] = {0, 1, 1, 2, 3, 4, 6}, rightInset[7] = {1, 1, 2, 3, 4, 5, 6};
    const auto inside = [&](int x, int y) {
        if (y < 7) {
            return !top.Magenta(x, y);
        }
        if (y < s.bodyBottom) {
            return true;
        }
        const int row = y - s.bodyBottom;
        return row < 7 && x >= leftInset[row] && x < W - rightInset[row];
    };
    EXPECT_FALSE(inside(0, 0));
    EXPECT_FALSE(inside(W - 1, 0));
    EXPECT_TRUE(inside(W / 2, 0));
    const int videoLeft = left.width, videoRight = W - right.width;
    const int videoTop = top.height, videoBottom = top.height + left.height;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const bool video = x >= videoLeft && x < videoRight && y >= videoTop && y < videoBottom;
            if (!video && inside(x, y)) {
                ASSERT_EQ(owner[y][x], 1) << "unpainted " << x << "," << y;
                ASSERT_NE(pixel[y][x], skin::kSeeThrough) << "magenta shows at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, PreviewFrame, ::testing::ValuesIn(kPreviewSkins),
                         [](const ::testing::TestParamInfo<PreviewSkin>& info) {
                             return "Top" + std::to_string(info.param.top) + "Left" + std::to_string(info.param.left);
                         });

TEST(SkinShape, SliderChannelIsSeeThroughAroundItsGroove)
{
    const Bmp& bmp = File(195);
    ASSERT_TRUE(bmp.valid);
    EXPECT_TRUE(bmp.Magenta(0, 0));
    EXPECT_TRUE(bmp.Magenta(82, 2));
    EXPECT_TRUE(bmp.Magenta(164, 23));
    EXPECT_FALSE(bmp.Magenta(82, 12));
}

// Pixels of two pictures of the same size whose colours differ visibly.
double VisiblyDifferentShare(const Bmp& a, const Bmp& b)
{
    int differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const Rgb8 p = a.At(x, y), q = b.At(x, y);
            const int d = std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
            differing += d > 24 ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / (a.width * a.height);
}

TEST(SkinStates, PicturesOfOneButtonAreVisiblyDistinct)
{
    const std::vector<std::vector<int>> sets = {
        {251, 252, 253, 254, 250},
        {233, 255, 256, 257, 246},
        {234, 258, 259, 260, 247},
        {235, 261, 262, 263, 248},
        {236, 249},
        {240, 264, 265, 266, 267},
        {241, 268, 269, 270, 271},
        {242, 272, 273, 274, 275},
        {243, 276, 277, 278, 279},
        {244, 280},
        {245, 281},
        {291, 305, 292, 293},
        {312, 165, 313, 314, 315, 337},
        {309, 286, 287},
        {308, 288, 289},
        {306, 294},
        {307, 296, 338},
        {343, 344, 342},
        {345, 346, 341},
        {207, 212, 213},
        {208, 215, 214},
        {209, 284, 285},
    };
    for (const auto& set : sets) {
        for (size_t i = 0; i < set.size(); ++i) {
            for (size_t j = i + 1; j < set.size(); ++j) {
                const Bmp& a = File(set[i]);
                const Bmp& b = File(set[j]);
                ASSERT_TRUE(a.valid && b.valid);
                ASSERT_EQ(a.width, b.width);
                ASSERT_EQ(a.height, b.height);
                EXPECT_GE(VisiblyDifferentShare(a, b), 0.02) << set[i] << " vs " << set[j];
            }
        }
    }
}

double MeanBrightness(const Bmp& bmp)
{
    double sum = 0;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            const Rgb8 p = bmp.At(x, y);
            sum += p.r + p.g + p.b;
        }
    }
    return sum / (3.0 * bmp.width * bmp.height);
}

TEST(SkinStates, ToolbarHoverFramesBrightenStepByStep)
{
    for (const auto& frames :
         std::vector<std::vector<int>>{{251, 252, 253, 254, 250}, {243, 276, 277, 278, 279}, {236, 249}, {245, 281}}) {
        for (size_t k = 1; k < frames.size(); ++k) {
            EXPECT_GT(MeanBrightness(File(frames[k])), MeanBrightness(File(frames[k - 1])) + 1.0)
                << frames[k] << " after " << frames[k - 1];
        }
    }
}

// Controls drawn on a background must carry that background's colour where they meet it.
TEST(SkinColours, LabelsAndControlsMatchTheSurfacesTheySitOn)
{
    const Rgb8 page{88, 88, 103};    // page label background 0x675858
    const Rgb8 plate{207, 209, 212}; // preview status label background
    for (int id : {349, 347, 348}) {
        // Page label rectangles of the options page and the picture page.
        for (const auto& r : {std::pair{15, 10}, std::pair{80, 35}, std::pair{138, 138}, std::pair{45, 265}}) {
            EXPECT_EQ(File(id).At(r.first + 5, r.second + 5), page) << id;
        }
    }
    for (int id : {207, 208, 209, 196}) {
        EXPECT_EQ(File(id).At(0, 0), page) << id;
    }
    // The resolution label in each state and its menu button sit on the light plate of the bottom band.
    struct Label
    {
        int piece, bandTop, x, y, w, h;
    };
    for (const Label l :
         {Label{353, 572, 560, 577, 73, 18}, Label{353, 572, 555, 577, 82, 18}, Label{353, 572, 550, 577, 91, 18},
          Label{367, 521, 490, 525, 73, 18}, Label{367, 521, 490, 525, 82, 18}, Label{367, 521, 480, 525, 91, 18},
          Label{353, 572, 646, 582, 8, 8}, Label{367, 521, 579, 530, 8, 8}}) {
        for (int y = l.y; y < l.y + l.h; ++y) {
            for (int x = l.x; x < l.x + l.w; ++x) {
                ASSERT_EQ(File(l.piece).At(x, y - l.bandTop), plate) << l.piece << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(File(307).At(0, 0), plate);
    // The About box's dark version text needs a light surface behind it.
    for (int y = 220; y < 258; y += 6) {
        for (int x = 30; x < 210; x += 12) {
            const Rgb8 p = File(216).At(x, y);
            EXPECT_GT(p.r + p.g + p.b, 3 * 170) << x << "," << y;
        }
    }
}

TEST(SkinFiles, BmpEncoderWritesBottomUpPaddedBgrRows)
{
    skin::Canvas canvas(3, 2);
    canvas.Set(0, 0, skin::Rgb(10, 20, 30));
    canvas.Set(2, 0, skin::Rgb(40, 50, 60));
    canvas.Set(1, 1, skin::Rgb(70, 80, 90));
    const std::vector<uint8_t> bytes = skin::EncodeBmp24(canvas);
    const Bmp bmp = ParseBmp(bytes);
    ASSERT_TRUE(bmp.valid);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    // The last row of the picture comes first in the file.
    EXPECT_EQ(bytes[54 + 3], 90);
    EXPECT_EQ(bytes[54 + 5], 70);
    EXPECT_EQ(bytes[54 + 12 + 0], 30);
    EXPECT_EQ(bytes[54 + 12 + 2], 10);
    EXPECT_EQ(bytes[54 + 12 + 6], 60);
    EXPECT_EQ(bmp.At(1, 1), (Rgb8{70, 80, 90}));
}

TEST(SkinFiles, OnlySeeThroughPixelsAreWrittenAsMagentaAndLoaderGreysAreAvoided)
{
    skin::Canvas canvas(4, 1);
    canvas.Set(0, 0, skin::Rgb(255, 0, 255));
    canvas.Set(1, 0, skin::Rgb(10, 10, 10));
    canvas.SetSeeThrough(1, 0, true);
    canvas.Set(2, 0, skin::Rgb(192, 192, 192));
    canvas.Set(3, 0, skin::Rgb(128, 128, 128));
    EXPECT_NE(skin::FilePixel(canvas, 0, 0), skin::kSeeThrough);
    EXPECT_EQ(skin::FilePixel(canvas, 1, 0), skin::kSeeThrough);
    EXPECT_NE(skin::FilePixel(canvas, 2, 0), (Rgb8{192, 192, 192}));
    EXPECT_NE(skin::FilePixel(canvas, 3, 0), (Rgb8{128, 128, 128}));
}

TEST(SkinFiles, IconsHoldThreeSizesOf32BitImagesWithMasks)
{
    ASSERT_EQ(skin::SkinIcons().size(), 2u);
    for (int id : {334, 129}) {
        const auto it = std::find_if(skin::SkinIcons().begin(), skin::SkinIcons().end(),
                                     [id](const skin::SkinIcon& icon) { return icon.id == id; });
        ASSERT_NE(it, skin::SkinIcons().end()) << id;
        const std::vector<uint8_t> ico = skin::EncodeIco(skin::DrawSkinIcon(*it));
        ASSERT_GE(ico.size(), 6u + 3 * 16);
        EXPECT_EQ(Read16(ico, 0), 0);
        EXPECT_EQ(Read16(ico, 2), 1);
        ASSERT_EQ(Read16(ico, 4), 3);
        size_t expectedOffset = 6 + 3 * 16;
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(std::to_string(id) + " image " + std::to_string(i));
            const size_t entry = 6 + 16 * static_cast<size_t>(i);
            const int size = ico[entry];
            EXPECT_EQ(size, skin::kIconSizes[i]);
            EXPECT_EQ(ico[entry + 1], size);
            EXPECT_EQ(Read16(ico, entry + 4), 1);
            EXPECT_EQ(Read16(ico, entry + 6), 32);
            const uint32_t length = Read32(ico, entry + 8), offset = Read32(ico, entry + 12);
            ASSERT_EQ(offset, expectedOffset);
            ASSERT_LE(static_cast<size_t>(offset) + length, ico.size());
            expectedOffset += length;

            const size_t maskStride = ((static_cast<size_t>(size) + 31) / 32) * 4;
            EXPECT_EQ(Read32(ico, offset), 40u);
            EXPECT_EQ(static_cast<int>(Read32(ico, offset + 4)), size);
            EXPECT_EQ(static_cast<int>(Read32(ico, offset + 8)), 2 * size);
            EXPECT_EQ(Read16(ico, offset + 14), 32);
            ASSERT_EQ(length, 40 + size * size * 4 + maskStride * size);
            // The mask hides exactly the pixels that are mostly transparent; corners are, the middle is not.
            const size_t colours = offset + 40, mask = colours + static_cast<size_t>(size * size * 4);
            for (int row = 0; row < size; ++row) {
                for (int x = 0; x < size; ++x) {
                    const uint8_t alpha = ico[colours + (static_cast<size_t>(row) * size + x) * 4 + 3];
                    const bool masked = ico[mask + row * maskStride + x / 8] & (0x80 >> (x % 8));
                    ASSERT_EQ(masked, alpha < 128) << x << "," << row;
                }
            }
            EXPECT_EQ(ico[colours + 3], 0);
            const size_t middle = colours + (static_cast<size_t>(size / 2) * size + size / 2) * 4;
            EXPECT_EQ(ico[middle + 3], 255);
        }
        EXPECT_EQ(expectedOffset, ico.size());
    }
}

TEST(SkinFiles, ResourceScriptNamesEveryPictureAndIconByAbsolutePath)
{
    const std::string script = skin::SkinResourceScript("/build/res/skin");
    for (const skin::SkinBitmap& b : skin::SkinBitmaps()) {
        const std::string line =
            "\n" + std::to_string(b.id) + " BITMAP \"/build/res/skin/" + skin::BitmapFileName(b.id) + "\"\n";
        EXPECT_NE(script.find(line), std::string::npos) << b.id;
    }
    EXPECT_NE(script.find("\n334 ICON \"/build/res/skin/" + skin::IconFileName(334) + "\"\n"), std::string::npos);
    EXPECT_NE(script.find("\n129 ICON \"/build/res/skin/" + skin::IconFileName(129) + "\"\n"), std::string::npos);
    // Tessel's own resource script names its icon file directly.
    EXPECT_EQ(skin::IconFileName(129), "icon129.ico");
    // Backslashes in a folder are escaped so the resource compiler reads the path unchanged.
    EXPECT_NE(skin::SkinResourceScript("C:\\out\\skin").find("\"C:\\\\out\\\\skin/"), std::string::npos);
}

TEST(SkinRaster, AntiAliasedDiscCoversItsArea)
{
    skin::Canvas canvas(40, 40);
    skin::Fill(canvas, skin::Circle(20.3f, 19.6f, 10.0f), skin::Rgb(255, 255, 255));
    double covered = 0;
    int partial = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const float a = canvas.Pixel(x, y).a;
            covered += a;
            partial += (a > 0.05f && a < 0.95f) ? 1 : 0;
        }
    }
    EXPECT_NEAR(covered, 3.14159265 * 100, 3.0);
    EXPECT_GT(partial, 40); // the edge is smoothed, not stair-stepped
    EXPECT_FLOAT_EQ(canvas.Pixel(20, 19).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.Pixel(2, 2).a, 0.0f);
}

} // namespace
