// Window outlines cut from skin pictures: the runs of pixels that are not the see-through magenta,
// row by row. The toolbar scans every row of its shape picture; the skinned dialogs scan only their
// rounded top and bottom rows and keep the body between them solid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

// The see-through colour of every skin picture.
constexpr std::uint32_t kMagenta = 0xFF00FF;

// One piece of an outline: columns [left, right) of rows [top, bottom).
struct OutlineRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A 24-bit picture, rows top-down, bytes blue, green, red; `stride` bytes from one row to the next.
struct PictureView {
    const std::uint8_t* pixels;
    int width;
    int height;
    std::size_t stride;
};

// Appends the non-magenta runs of rows firstRow..lastRow (inclusive, clipped to the picture), each a
// one-pixel-high rectangle.
void ScanOutlineRows(const PictureView& picture, int firstRow, int lastRow, std::vector<OutlineRect>& out);

// The toolbar's shape: every row scanned.
std::vector<OutlineRect> FullOutline(const PictureView& picture);

// The outline of the skinned dialogs' background: rows 0 to 6 scanned, a solid body from row 6 to
// row 427 (whatever it holds), and rows 427 to the last row scanned.
std::vector<OutlineRect> DialogOutline(const PictureView& picture);

} // namespace skin
