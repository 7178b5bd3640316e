// Windows-free decisions of the scaler filter: the output size for a camera frame and the scale mode, and the
// BMP file header of a grabbed frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scaler {

struct FrameSize
{
    int width;
    int height; // always positive: rows of the picture
};

// Scale mode on turns a 1280x800 camera frame into a 1280x720 picture (40 rows cut above and below);
// any other size, and every size with the mode off, passes through. A negative input height (top-down
// rows) counts by its absolute value.
FrameSize OutputSizeFor(int inWidth, int inHeight, bool scaleMode);

// Bytes of a 24-bit BMP file header (file header + info header).
constexpr size_t kBmpHeaderBytes = 54;

// Writes the header of a bottom-up 24-bit BMP of width x height whose rows are `stride` bytes. Returns
// false for sizes that do not fit a BMP (non-positive, or a file over 4 GB).
bool MakeBmpHeader(int width, int height, size_t stride, uint8_t (&header)[kBmpHeaderBytes]);

} // namespace scaler
