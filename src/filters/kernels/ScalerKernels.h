// Pixel kernels of the scaler filter: a camera frame (YUY2 or RGB24) becomes the 32-bit or 24-bit RGB
// picture the filter delivers, with left-right mirror, upside-down flip, a centre crop of rows (1280x800
// camera frames give 1280x720 pictures) and either row order, all in one pass over the frame.
// Windows-free; no allocation; safe to call from the streaming thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kernels {

// Which implementation runs. Auto picks the fastest one the processor supports; a forced path that
// the processor lacks falls back to the fastest one it has (see ResolveKernelPath).
enum class KernelPath { Auto, Scalar, Sse2, Avx2 };

// How the pixels of one frame are stored. Yuy2: Y0 U Y1 V per pixel pair (input only). Rgb24: blue,
// green, red. Rgb32: blue, green, red and a spare byte that conversions set to 0 (output only).
enum class PixelFormat { Yuy2, Rgb24, Rgb32 };

// Shape, formats and orientation of one conversion. Output width equals input width; when srcHeight is
// larger than height, the extra input rows are dropped, half above the picture and the rest below it.
struct FrameGeometry
{
    PixelFormat srcFormat = PixelFormat::Yuy2;  // Yuy2 or Rgb24
    PixelFormat dstFormat = PixelFormat::Rgb24; // Rgb24 or Rgb32
    int width = 0;                              // pixels per row, input and output
    int height = 0;                             // output rows
    int srcHeight = 0;                          // input rows; 0 means the same as height
    ptrdiff_t srcStride = 0;  // bytes from one stored input row to the next (at least one row's bytes)
    ptrdiff_t dstStride = 0;  // bytes from one stored output row to the next; 0 means DibStride
    bool srcBottomUp = false; // input stored last picture row first (RGB24 with a positive biHeight)
    bool dstBottomUp = true;  // output stored last picture row first (DIB order)
    bool mirror = false;      // left-right mirror
    bool flip = false;        // upside-down flip
};

// Bytes of one DIB row of an RGB format: width * 3 (or 4) rounded up to a multiple of 4.
size_t DibStride(PixelFormat format, int width);
size_t Rgb24Stride(int width);

// Bytes of one YUY2 row; an odd width still stores its last pixel's whole pair.
size_t Yuy2RowBytes(int width);

// Smallest input and output buffers a conversion with this geometry accepts; 0 when the geometry
// is not valid (formats the other way round, non-positive sizes, fewer input than output rows, strides
// shorter than a row).
size_t RequiredSourceBytes(const FrameGeometry& geometry);
size_t RequiredDestinationBytes(const FrameGeometry& geometry);

// Converts one frame. Each output row gets width * 3 (or 4) bytes of pixels; the bytes between them and
// the DIB row size are set to zero, bytes past the DIB row are left alone. Returns false, writing
// nothing, when the geometry is not valid, a pointer is null or a buffer is shorter than the
// Required...Bytes of the geometry. Input and output must not overlap.
// YUY2 is converted as BT.601 limited range (Y 16..235, U and V 16..240) to full-range RGB.
bool ConvertFrame(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes, const FrameGeometry& geometry,
                  KernelPath path = KernelPath::Auto);

// Straightforward per-pixel version with exact colour arithmetic: the yardstick for the fast paths,
// which stay within 1 per channel of it. Same contract as ConvertFrame.
bool ConvertFrameReference(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes,
                           const FrameGeometry& geometry);

// One BT.601 limited-range pixel to full-range blue, green, red, rounded to nearest, exact.
void YuvToBgrReference(uint8_t y, uint8_t u, uint8_t v, uint8_t bgr[3]);

// The path that a conversion asked for `requested` runs on this processor.
KernelPath ResolveKernelPath(KernelPath requested);
bool IsKernelPathAvailable(KernelPath path);
const char* KernelPathName(KernelPath path);

} // namespace kernels
