// Where each output row of a conversion comes from and goes to, and how large the buffers must be.
// Shared by the fast frame walk and the per-pixel reference so both accept exactly the same frames.
#pragma once

#include "filters/kernels/ScalerKernels.h"

#include <cstddef>
#include <cstdint>

namespace kernels {
namespace detail {

// Larger frames than any camera delivers are refused, which also keeps every offset well inside 64 bits.
constexpr int kMaxDimension = 16384;
constexpr ptrdiff_t kMaxStride = ptrdiff_t{1} << 20;

struct FrameLayout
{
    int srcRows = 0;        // input rows including the cropped ones
    int cropTop = 0;        // input picture rows dropped above the output picture
    size_t srcRowBytes = 0; // bytes of pixel data in one input row
    size_t srcStride = 0;
    size_t dstStride = 0;
    size_t pixelBytes = 0; // bytes of pixel data in one output row (width * 3 or width * 4)
    size_t padBytes = 0;   // zeroed bytes after them, up to the DIB row size or the stride
    size_t srcBytes = 0;   // smallest input buffer
    size_t dstBytes = 0;   // smallest output buffer
    int outRows = 0;
    bool srcBottomUp = false;
    bool dstBottomUp = true;
    bool flip = false;

    // Input picture row (counted from the top of the uncropped picture) shown in output picture row r.
    int SourcePictureRow(int pictureRow) const { return cropTop + (flip ? outRows - 1 - pictureRow : pictureRow); }

    // Output picture row held by stored output row `storedRow`.
    int OutputPictureRow(int storedRow) const { return dstBottomUp ? outRows - 1 - storedRow : storedRow; }

    size_t SourceRowOffset(int storedOutRow) const
    {
        const int pictureRow = SourcePictureRow(OutputPictureRow(storedOutRow));
        const int storedRow = srcBottomUp ? srcRows - 1 - pictureRow : pictureRow;
        return static_cast<size_t>(storedRow) * srcStride;
    }

    size_t DestinationRowOffset(int storedOutRow) const { return static_cast<size_t>(storedOutRow) * dstStride; }
};

// Fills `layout` for a valid geometry; false when the geometry cannot be converted. With checkSource
// false only the output side is planned and the input stride is not looked at.
bool PlanFrame(const FrameGeometry& geometry, bool checkSource, FrameLayout& layout);

} // namespace detail
} // namespace kernels
