#include "ui/SkinOutline.h"

namespace skin {

namespace {

bool IsMagenta(const std::uint8_t* pixel) { return pixel[0] == 0xFF && pixel[1] == 0x00 && pixel[2] == 0xFF; }

constexpr int kDialogTopRows = 7;
constexpr int kDialogBodyTop = 6;
constexpr int kDialogBodyBottom = 427;

} // namespace

void ScanOutlineRows(const PictureView& picture, int firstRow, int lastRow, std::vector<OutlineRect>& out)
{
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0)
        return;
    if (firstRow < 0)
        firstRow = 0;
    if (lastRow >= picture.height)
        lastRow = picture.height - 1;
    for (int y = firstRow; y <= lastRow; ++y) {
        const std::uint8_t* row = picture.pixels + static_cast<std::size_t>(y) * picture.stride;
        int x = 0;
        while (x < picture.width) {
            while (x < picture.width && IsMagenta(row + 3 * x))
                ++x;
            if (x >= picture.width)
                break;
            int start = x;
            while (x < picture.width && !IsMagenta(row + 3 * x))
                ++x;
            out.push_back({start, y, x, y + 1});
        }
    }
}

std::vector<OutlineRect> FullOutline(const PictureView& picture)
{
    std::vector<OutlineRect> rects;
    ScanOutlineRows(picture, 0, picture.height - 1, rects);
    return rects;
}

std::vector<OutlineRect> DialogOutline(const PictureView& picture)
{
    std::vector<OutlineRect> rects;
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0)
        return rects;
    ScanOutlineRows(picture, 0, kDialogTopRows - 1, rects);
    rects.push_back({0, kDialogBodyTop, picture.width, kDialogBodyBottom});
    ScanOutlineRows(picture, kDialogBodyBottom, picture.height - 1, rects);
    return rects;
}

} // namespace skin
