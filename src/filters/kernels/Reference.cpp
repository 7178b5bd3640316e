// Per-pixel conversions with exact colour arithmetic. They work out every pixel's source position on
// their own (not through the fast frame walk) so that they can judge the fast paths.
#include "filters/kernels/FrameLayout.h"
#include "filters/kernels/KernelsInternal.h"
#include "filters/kernels/ScalerKernels.h"

#include <cmath>
#include <cstring>

namespace kernels {
namespace {

uint8_t RoundClamp(double v)
{
    const double r = std::floor(v + 0.5);
    return static_cast<uint8_t>(r < 0.0 ? 0.0 : (r > 255.0 ? 255.0 : r));
}

// Calls pixel(dstPixel, srcRow, srcColumn) for every output pixel, with srcRow the stored input row.
template <typename PixelFn>
bool ForEachPixel(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes, const FrameGeometry& g,
                  PixelFn pixel)
{
    detail::FrameLayout layout;
    if (!src || !dst || !detail::PlanFrame(g, true, layout) || srcBytes < layout.srcBytes ||
        dstBytes < layout.dstBytes) {
        return false;
    }
    const int srcRows = g.srcHeight == 0 ? g.height : g.srcHeight;
    const int dropped = srcRows - g.height;
    for (int y = 0; y < g.height; ++y) { // output picture row, top first
        const int shownRow = g.flip ? g.height - 1 - y : y;
        const int srcPictureRow = dropped / 2 + shownRow;
        const int srcStoredRow = g.srcBottomUp ? srcRows - 1 - srcPictureRow : srcPictureRow;
        const int dstStoredRow = g.dstBottomUp ? g.height - 1 - y : y;
        uint8_t* out = dst + static_cast<size_t>(dstStoredRow) * layout.dstStride;
        const size_t pixelBytes = g.dstFormat == PixelFormat::Rgb32 ? 4 : 3;
        for (int x = 0; x < g.width; ++x) {
            const int srcColumn = g.mirror ? g.width - 1 - x : x;
            uint8_t* at = out + pixelBytes * static_cast<size_t>(x);
            pixel(at, src + static_cast<size_t>(srcStoredRow) * layout.srcStride, srcColumn);
            if (pixelBytes == 4) {
                at[3] = 0;
            }
        }
        std::memset(out + layout.pixelBytes, 0, layout.padBytes);
    }
    return true;
}

} // namespace

void YuvToBgrReference(uint8_t y, uint8_t u, uint8_t v, uint8_t bgr[3])
{
    const double luma = (y - 16) * detail::kLumaScale;
    const double cb = u - 128.0;
    const double cr = v - 128.0;
    bgr[0] = RoundClamp(luma + detail::kBlueFromU * cb);
    bgr[1] = RoundClamp(luma - detail::kGreenFromU * cb - detail::kGreenFromV * cr);
    bgr[2] = RoundClamp(luma + detail::kRedFromV * cr);
}

bool ConvertFrameReference(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes,
                           const FrameGeometry& geometry)
{
    if (geometry.srcFormat == PixelFormat::Yuy2) {
        return ForEachPixel(src, srcBytes, dst, dstBytes, geometry, [](uint8_t* out, const uint8_t* row, int column) {
            // Two pixels share one U and one V: Y0 U Y1 V.
            const uint8_t* pair = row + 4 * (column / 2);
            YuvToBgrReference(pair[2 * (column % 2)], pair[1], pair[3], out);
        });
    }
    return ForEachPixel(src, srcBytes, dst, dstBytes, geometry,
                        [](uint8_t* out, const uint8_t* row, int column) { std::memcpy(out, row + 3 * column, 3); });
}

} // namespace kernels
