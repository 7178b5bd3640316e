// Frame walk shared by every conversion path: checks the geometry and the buffers, maps each output
// row to its input row (crop, flip, row orders) and hands the rows to the chosen path's row function.
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

struct PathRows
{
    RowFunction yuy2;
    RowFunction rgb24;
};

PathRows RowsFor(KernelPath path)
{
    switch (ResolveKernelPath(path)) {
#if defined(QUILLO_KERNELS_X86)
    case KernelPath::Avx2:
        return {detail::Yuy2RowAvx2, detail::Rgb24RowAvx2};
    case KernelPath::Sse2:
        return {detail::Yuy2RowSse2, detail::Rgb24RowSse2};
#endif
    default:
        return {detail::Yuy2RowScalar, detail::Rgb24RowScalar};
    }
}

bool Convert(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes, const FrameGeometry& geometry,
             detail::SourceFormat format, RowFunction row)
{
    detail::FrameLayout layout;
    if (!src || !dst || !detail::PlanFrame(geometry, format, layout) || srcBytes < layout.srcBytes ||
        dstBytes < layout.dstBytes) {
        return false;
    }
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

} // namespace

size_t Rgb24Stride(int width)
{
    return width <= 0 ? 0 : (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}

size_t Yuy2RowBytes(int width)
{
    return width <= 0 ? 0 : (static_cast<size_t>(width) + 1) / 2 * 4;
}

size_t RequiredYuy2Bytes(const FrameGeometry& geometry)
{
    detail::FrameLayout layout;
    return detail::PlanFrame(geometry, detail::SourceFormat::Yuy2, layout) ? layout.srcBytes : 0;
}

size_t RequiredRgb24SourceBytes(const FrameGeometry& geometry)
{
    detail::FrameLayout layout;
    return detail::PlanFrame(geometry, detail::SourceFormat::Rgb24, layout) ? layout.srcBytes : 0;
}

size_t RequiredRgb24DestinationBytes(const FrameGeometry& geometry)
{
    detail::FrameLayout layout;
    return detail::PlanFrame(geometry, detail::SourceFormat::DestinationOnly, layout) ? layout.dstBytes : 0;
}

bool ConvertYuy2ToRgb24(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes,
                        const FrameGeometry& geometry, KernelPath path)
{
    return Convert(src, srcBytes, dst, dstBytes, geometry, detail::SourceFormat::Yuy2, RowsFor(path).yuy2);
}

bool ConvertRgb24ToRgb24(const uint8_t* src, size_t srcBytes, uint8_t* dst, size_t dstBytes,
                         const FrameGeometry& geometry, KernelPath path)
{
    return Convert(src, srcBytes, dst, dstBytes, geometry, detail::SourceFormat::Rgb24, RowsFor(path).rgb24);
}

void Rgb24RowToRgb32(const uint8_t* src, uint8_t* dst, int width)
{
    for (int x = 0; x < width; ++x, src += 3, dst += 4) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        dst[3] = 0;
    }
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
