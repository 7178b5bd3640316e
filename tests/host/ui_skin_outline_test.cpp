#include "ui/SkinOutline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A 24-bit top-down picture painted from a character map: 'm' magenta, anything else grey.
struct TestPicture {
    int width;
    int height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;

    explicit TestPicture(const std::vector<const char*>& rows)
        : width(static_cast<int>(std::char_traits<char>::length(rows[0]))), height(static_cast<int>(rows.size())),
          stride((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3)), bytes(stride * rows.size(), 0xAA)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (rows[y][x] == 'm') {
                    std::uint8_t* p = &bytes[y * stride + 3 * x];
                    p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
                }
    }
    skin::PictureView View() const { return {bytes.data(), width, height, stride}; }
};

bool Covers(const std::vector<skin::OutlineRect>& rects, int x, int y)
{
    for (const auto& r : rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

} // namespace

TEST(SkinOutline, RunsSkipMagentaAndReachTheRightEdge)
{
    const std::vector<const char*> rows = {
        "mm..m.",
        "......",
        "mmmmmm",
        ".mmmm.",
    };
    TestPicture picture(rows);
    auto rects = skin::FullOutline(picture.View());
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            EXPECT_EQ(Covers(rects, x, y), rows[y][x] != 'm') << "x=" << x << " y=" << y;
    // Row 0 holds two runs, row 1 one full-width run, row 2 none, row 3 two one-pixel runs.
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_EQ(rects[2].left, 0);
    EXPECT_EQ(rects[2].right, 6);
    for (const auto& r : rects)
        EXPECT_EQ(r.bottom - r.top, 1);
}

TEST(SkinOutline, DialogBodyStaysSolidWhateverItHolds)
{
    // 434 rows like the dialog background: rounded corners in the top and bottom rows, and magenta
    // inside the body that must not cut holes.
    std::vector<std::string> rows(434, std::string(20, '.'));
    for (int y = 0; y < 3; ++y)
        rows[y][0] = rows[y][19] = 'm';
    for (int y = 431; y < 434; ++y)
        rows[y][0] = rows[y][19] = 'm';
    rows[100] = std::string(20, 'm');
    rows[426][5] = 'm';
    std::vector<const char*> ptrs;
    for (auto& r : rows)
        ptrs.push_back(r.c_str());
    TestPicture picture(ptrs);
    auto rects = skin::DialogOutline(picture.View());

    EXPECT_FALSE(Covers(rects, 0, 0));
    EXPECT_TRUE(Covers(rects, 1, 0));
    EXPECT_TRUE(Covers(rects, 0, 6));
    EXPECT_TRUE(Covers(rects, 10, 100));
    EXPECT_TRUE(Covers(rects, 5, 426));
    EXPECT_TRUE(Covers(rects, 5, 427));
    EXPECT_FALSE(Covers(rects, 19, 433));
    EXPECT_TRUE(Covers(rects, 18, 433));
    EXPECT_FALSE(Covers(rects, 5, 434));
}

TEST(SkinOutline, EmptyOrMissingPictureGivesNoOutline)
{
    EXPECT_TRUE(skin::FullOutline({nullptr, 10, 10, 32}).empty());
    EXPECT_TRUE(skin::DialogOutline({nullptr, 10, 10, 32}).empty());
    TestPicture picture({"mmm"});
    EXPECT_TRUE(skin::FullOutline(picture.View()).empty());
}
