// Frame walk shared by every conversion path: checks the geometry and the buffers, maps each output
// row to its input row (crop, flip, row orders) and hands the rows to the chosen path's row function
// for the two formats.
#include "filters/kernels/ScalerKernels.h"

#include "filters/kernels/FrameLayout.h"
#include "filters/kernels/KernelsInternal.h"

#include <cstring>

namespace kernels {
namespace {

using detail::RowFunction;

bool CpuHasAvx2()
{
#if defined(QUILLO_KERNELS_X86) && defined(__GNUC__)
    static const bool hasAvx2 = [] {
        __builtin_cpu_init();
        // The compiler's check also asks the operating system whether it saves the 256-bit registers.
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return hasAvx2;
#else
    return false;
#endif
}

// The row function of each path for one pair of formats.
RowFunction RowFor(KernelPath path, PixelFormat from, PixelFormat to)
{
    const bool yuy2 = from == PixelFormat::Yuy2;
    const bool wide = to == PixelFormat::Rgb32;
    switch (ResolveKernelPath(path)) {
#if defined(QUILLO_KERNELS_X86)
    case KernelPath::Avx2:
        return yuy2 ? (wide ? detail::Yuy2ToRgb32RowAvx2 : detail::Yuy2ToRgb24RowAvx2)
                    : (wide ? detail::Rgb24ToRgb32RowAvx2 : detail::Rgb24ToRgb24RowAvx2);
    case KernelPath::Sse2:
        // Without a byte shuffle, reversing three-byte pixels gains nothing over the plain loop.
        return yuy2 ? (wide ? detail::Yuy2ToRgb32RowSse2 : detail::Yuy2ToRgb24RowSse2)
                    : (wide ? detail::Rgb24ToRgb32RowSse2 : detail::Rgb24ToRgb24RowScalar);
#endif
    default:
        return yuy2 ? (wide ? detail::Yuy2ToRgb32RowScalar : detail::Yuy2ToRgb24RowScalar)
                    : (wide ? detail::Rgb24ToRgb32RowScalar : detail::Rgb24ToRgb24RowScalar);
    }
}

} // namespace

size_t DibStride(PixelFormat format, int width)
{
    if (width <= 0 || format == PixelFormat::Yuy2) {
        return 0;
    }
    const size_t bytes = static_cast<size_t>(width) * (format == PixelFormat::Rgb32 ? 4 : 3);
    return (bytes + 3) & ~static_cast<size_t>(3);
}

size_t Rgb24Stride(int width)
{
    return DibStride(PixelFormat::Rgb24, width);
}

size_t Yuy2RowBytes(int width)
{
    return width <= 0 ? 0 : (static_cast<size_t>(width) + 1) / 2 * 4;
}

size_t RequiredSourceBytes(const FrameGeometry& geometry)
{
    detail::FrameLayout layout;
    return detail::PlanFrame(geometry, true, layout) ? layout.srcBytes : 0;
}

size_t RequiredDestinationBytes(const FrameGeometry& geometry)
{
    detail::FrameLayout layout;
    return detail::PlanFrame(geometry, false, layout) ? layout.dstBytes : 0;
}

bool ConvertFrame(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes, const FrameGeometry& geometry,
                  KernelPath path)
{
    detail::FrameLayout layout;
    if (!src || !dst || !detail::PlanFrame(geometry, true, layout) || srcBytes < layout.srcBytes ||
        dstBytes < layout.dstBytes) {
        return false;
    }
    if (geometry.srcFormat == PixelFormat::Rgb24 && geometry.dstFormat == PixelFormat::Rgb24 && !geometry.mirror &&
        layout.dstStride == layout.pixelBytes && layout.srcStride == layout.dstStride &&
        (geometry.height == 1 || layout.SourceRowOffset(1) == layout.SourceRowOffset(0) + layout.srcStride)) {
        // The output rows are the input rows in the same order and pitch: one copy of the whole block.
        std::memcpy(dst, src + layout.SourceRowOffset(0), layout.dstBytes);
        return true;
    }
    const RowFunction row = RowFor(path, geometry.srcFormat, geometry.dstFormat);
    for (int outRow = 0; outRow < geometry.height; ++outRow) {
        const uint8_t* in = src + layout.SourceRowOffset(outRow);
        uint8_t* out = dst + layout.DestinationRowOffset(outRow);
        row(in, out, geometry.width, geometry.mirror);
        if (layout.padBytes) {
            std::memset(out + layout.pixelBytes, 0, layout.padBytes);
        }
    }
    return true;
}

bool IsKernelPathAvailable(KernelPath path)
{
    switch (path) {
    case KernelPath::Auto:
    case KernelPath::Scalar:
        return true;
#if defined(QUILLO_KERNELS_X86)
    case KernelPath::Sse2:
        return true; // part of every x86-64 processor
    case KernelPath::Avx2:
        return CpuHasAvx2();
#endif
    default:
        return false;
    }
}

KernelPath ResolveKernelPath(KernelPath requested)
{
    if (requested == KernelPath::Auto || (requested == KernelPath::Avx2 && !IsKernelPathAvailable(requested))) {
        if (IsKernelPathAvailable(KernelPath::Avx2)) {
            return KernelPath::Avx2;
        }
        requested = KernelPath::Sse2;
    }
    if (requested == KernelPath::Sse2 && !IsKernelPathAvailable(KernelPath::Sse2)) {
        return KernelPath::Scalar;
    }
    return requested;
}

const char* KernelPathName(KernelPath path)
{
    switch (path) {
    case KernelPath::Auto:
        return "auto";
    case KernelPath::Scalar:
        return "scalar";
    case KernelPath::Sse2:
        return "sse2";
    case KernelPath::Avx2:
        return "avx2";
    }
    return "unknown";
}

} // namespace kernels
