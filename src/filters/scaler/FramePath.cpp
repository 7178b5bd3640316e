// The scaler's per-frame work (see FramePath.h).
#include "filters/scaler/FramePath.h"

namespace scaler {
namespace {

kernels::FrameGeometry Oriented(kernels::FrameGeometry g, Orientation orientation)
{
    g.mirror = orientation.mirror;
    g.flip = orientation.flip;
    return g;
}

} // namespace

bool FramePath::Plan(const StreamFormats& f)
{
    m_planned = false;
    const bool yuy2 = f.input == kernels::PixelFormat::Yuy2;
    if ((!yuy2 && f.input != kernels::PixelFormat::Rgb24) ||
        (f.output != kernels::PixelFormat::Rgb24 && f.output != kernels::PixelFormat::Rgb32) ||
        f.inputWidth != f.outputWidth || f.inputHeight == 0) {
        return false;
    }
    kernels::FrameGeometry g;
    g.srcFormat = f.input;
    g.dstFormat = f.output;
    g.width = f.outputWidth;
    g.height = f.outputHeight;
    g.srcHeight = f.inputHeight < 0 ? -f.inputHeight : f.inputHeight;
    g.srcStride = static_cast<ptrdiff_t>(yuy2 ? kernels::Yuy2RowBytes(g.width) : kernels::Rgb24Stride(g.width));
    g.srcBottomUp = !yuy2 && f.inputHeight > 0;
    g.dstStride = static_cast<ptrdiff_t>(kernels::DibStride(f.output, g.width));
    g.dstBottomUp = true;
    kernels::FrameGeometry picture = g;
    picture.dstFormat = kernels::PixelFormat::Rgb24;
    picture.dstStride = 0;
    if (kernels::RequiredSourceBytes(g) == 0 || kernels::RequiredDestinationBytes(g) == 0 ||
        kernels::RequiredDestinationBytes(picture) == 0) {
        return false;
    }
    m_sample = g;
    m_picture = picture;
    m_planned = true;
    return true;
}

bool FramePath::UseSampleLayout(ptrdiff_t stride, bool topDown)
{
    if (!m_planned) {
        return false;
    }
    kernels::FrameGeometry g = m_sample;
    g.dstStride = stride;
    g.dstBottomUp = !topDown;
    if (kernels::RequiredDestinationBytes(g) == 0) {
        return false;
    }
    m_sample = g;
    return true;
}

size_t FramePath::SampleBytes() const
{
    return m_planned ? static_cast<size_t>(m_sample.dstStride) * static_cast<size_t>(m_sample.height) : 0;
}

bool FramePath::ToSample(const uint8_t* frame, size_t frameBytes, uint8_t* sample, size_t sampleBytes,
                         Orientation orientation, kernels::KernelPath path) const
{
    if (!m_planned || sampleBytes < SampleBytes()) {
        return false;
    }
    return kernels::ConvertFrame(frame, frameBytes, sample, sampleBytes, Oriented(m_sample, orientation), path);
}

bool FramePath::ToPicture(const uint8_t* frame, size_t frameBytes, uint8_t* picture, size_t pictureBytes,
                          Orientation orientation) const
{
    return m_planned &&
           kernels::ConvertFrame(frame, frameBytes, picture, pictureBytes, Oriented(m_picture, orientation));
}

} // namespace scaler
