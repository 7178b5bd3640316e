// Plain C++ rows: the path for processors without vector units, and the tails of the vector paths.
#include "filters/kernels/KernelsInternal.h"

#include <cstring>

namespace kernels {
namespace detail {

void Yuy2RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        int x = 0;
        for (; x + 1 < width; x += 2, src += 4, dst += 6) {
            YuvToBgrFixed(src[0], src[1], src[3], dst);
            YuvToBgrFixed(src[2], src[1], src[3], dst + 3);
        }
        if (x < width) {
            // A lone last pixel takes the chroma of its pair.
            YuvToBgrFixed(src[0], src[1], src[3], dst);
        }
        return;
    }
    for (int x = 0; x < width; ++x, dst += 3) {
        const int column = width - 1 - x;
        const uint8_t* pair = src + 4 * (column / 2);
        YuvToBgrFixed(pair[2 * (column & 1)], pair[1], pair[3], dst);
    }
}

void Rgb24RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror)
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

} // namespace detail
} // namespace kernels
