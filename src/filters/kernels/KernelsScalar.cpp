// Plain C++ rows: the path for processors without vector units, and the tails of the vector paths.
#include "filters/kernels/KernelsInternal.h"

#include <cstring>

namespace kernels {
namespace detail {
namespace {

// Pixel `column` of a YUY2 row into `Bytes` output bytes (the fourth, if any, is 0).
template <int Bytes> inline void Yuy2Pixel(const uint8_t* row, int column, uint8_t* out)
{
    const uint8_t* pair = row + 4 * (column / 2);
    YuvToBgrFixed(pair[2 * (column & 1)], pair[1], pair[3], out);
    if (Bytes == 4) {
        out[3] = 0;
    }
}

template <int Bytes> void Yuy2Row(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        int x = 0;
        for (; x + 1 < width; x += 2, src += 4, dst += 2 * Bytes) {
            Yuy2Pixel<Bytes>(src, 0, dst);
            Yuy2Pixel<Bytes>(src, 1, dst + Bytes);
        }
        if (x < width) {
            // A lone last pixel takes the chroma of its pair.
            Yuy2Pixel<Bytes>(src, 0, dst);
        }
        return;
    }
    for (int x = 0; x < width; ++x, dst += Bytes) {
        Yuy2Pixel<Bytes>(src, width - 1 - x, dst);
    }
}

} // namespace

void Yuy2ToRgb24RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    Yuy2Row<3>(src, dst, width, mirror);
}

void Yuy2ToRgb32RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    Yuy2Row<4>(src, dst, width, mirror);
}

void Rgb24ToRgb24RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        std::memcpy(dst, src, static_cast<size_t>(width) * 3);
        return;
    }
    const uint8_t* in = src + static_cast<size_t>(width - 1) * 3;
    for (int x = 0; x < width; ++x, in -= 3, dst += 3) {
        dst[0] = in[0];
        dst[1] = in[1];
        dst[2] = in[2];
    }
}

void Rgb24ToRgb32RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    const ptrdiff_t step = mirror ? -3 : 3;
    const uint8_t* in = mirror ? src + static_cast<size_t>(width - 1) * 3 : src;
    for (int x = 0; x < width; ++x, in += step, dst += 4) {
        dst[0] = in[0];
        dst[1] = in[1];
        dst[2] = in[2];
        dst[3] = 0;
    }
}

} // namespace detail
} // namespace kernels
