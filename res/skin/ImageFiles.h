// Writers for the skin's files: 24-bit BMP pictures (see-through pixels as magenta) and ICO icons
// holding 32-bit images with an AND mask.
#pragma once

#include <cstdint>
#include <vector>

#include "res/skin/Raster.h"

namespace skin {

struct Rgb8
{
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb8& o) const { return !(*this == o); }
};

// Magenta marks the see-through parts of a picture when windows are cut or pictures blended.
constexpr Rgb8 kSeeThrough{255, 0, 255};

// The colour a pixel of the canvas gets in its BMP file: magenta when marked see-through; otherwise
// the colour over black, moved by one step where it would read as magenta or as one of the greys
// (128, 192 and 223) that the bitmap loader swaps for the system's 3-D colours.
Rgb8 FilePixel(const Canvas& canvas, int x, int y);

// A complete BMP file: file header, 40-byte info header, 24 bits per pixel, rows bottom-up and
// padded to four bytes.
std::vector<uint8_t> EncodeBmp24(const Canvas& canvas);

// A complete ICO file with one 32-bit image (straight alpha plus AND mask) per square canvas.
std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images);

} // namespace skin
