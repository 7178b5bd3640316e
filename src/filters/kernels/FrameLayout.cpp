// Geometry checks and buffer sizes of a conversion.
#include "filters/kernels/FrameLayout.h"

namespace kernels {
namespace detail {

bool PlanFrame(const FrameGeometry& geometry, bool checkSource, FrameLayout& layout)
{
    const int srcRows = geometry.srcHeight == 0 ? geometry.height : geometry.srcHeight;
    const bool yuy2Source = geometry.srcFormat == PixelFormat::Yuy2;
    if ((!yuy2Source && geometry.srcFormat != PixelFormat::Rgb24) ||
        (geometry.dstFormat != PixelFormat::Rgb24 && geometry.dstFormat != PixelFormat::Rgb32)) {
        return false;
    }
    if (geometry.width <= 0 || geometry.height <= 0 || geometry.width > kMaxDimension ||
        geometry.height > kMaxDimension || srcRows < geometry.height || srcRows > kMaxDimension) {
        return false;
    }
    const size_t srcRowBytes = yuy2Source ? Yuy2RowBytes(geometry.width) : static_cast<size_t>(geometry.width) * 3;
    const size_t pixelBytes = static_cast<size_t>(geometry.width) * (geometry.dstFormat == PixelFormat::Rgb32 ? 4 : 3);
    const size_t dibStride = DibStride(geometry.dstFormat, geometry.width);
    const ptrdiff_t dstStride = geometry.dstStride == 0 ? static_cast<ptrdiff_t>(dibStride) : geometry.dstStride;
    if ((checkSource &&
         (geometry.srcStride < static_cast<ptrdiff_t>(srcRowBytes) || geometry.srcStride > kMaxStride)) ||
        dstStride < static_cast<ptrdiff_t>(pixelBytes) || dstStride > kMaxStride) {
        return false;
    }

    FrameLayout l;
    l.srcRows = srcRows;
    l.cropTop = (srcRows - geometry.height) / 2;
    l.srcRowBytes = srcRowBytes;
    l.srcStride = checkSource ? static_cast<size_t>(geometry.srcStride) : 0;
    l.dstStride = static_cast<size_t>(dstStride);
    l.pixelBytes = pixelBytes;
    const size_t paddedRow = dibStride < l.dstStride ? dibStride : l.dstStride;
    l.padBytes = paddedRow - pixelBytes;
    l.srcBytes = checkSource ? l.srcStride * static_cast<size_t>(srcRows - 1) + srcRowBytes : 0;
    l.dstBytes = l.dstStride * static_cast<size_t>(geometry.height - 1) + paddedRow;
    l.outRows = geometry.height;
    l.srcBottomUp = geometry.srcBottomUp;
    l.dstBottomUp = geometry.dstBottomUp;
    l.flip = geometry.flip;
    layout = l;
    return true;
}

} // namespace detail
} // namespace kernels
