// The scaler's work on each camera frame, Windows-free: planned once from the connection's formats, then
// one pass per frame from the camera frame straight into the output sample (orientation and crop
// included), and on request a second pass into the 24-bit picture that a frame grab writes.
// DownScaler::Receive calls it for every frame and the benchmark times the same calls.
#pragma once

#include "filters/kernels/ScalerKernels.h"

#include <cstddef>
#include <cstdint>

namespace scaler {

// The formats of a connection as its media types give them.
struct StreamFormats
{
    kernels::PixelFormat input = kernels::PixelFormat::Yuy2; // Yuy2 or Rgb24
    int inputWidth = 0;
    int inputHeight = 0; // as biHeight: RGB24 with a negative height is stored top-down, YUY2 always is
    kernels::PixelFormat output = kernels::PixelFormat::Rgb32; // Rgb32 or Rgb24
    int outputWidth = 0;
    int outputHeight = 0; // picture rows; fewer than the input's are a centre crop
};

struct Orientation
{
    bool mirror = false;
    bool flip = false;
};

class FramePath
{
public:
    // Plans the frames of a connection: output samples hold bottom-up DIB rows until a sample announces
    // another layout. False, leaving the path unplanned, when the formats do not fit together.
    bool Plan(const StreamFormats& formats);
    void Clear() { m_planned = false; }
    bool Planned() const { return m_planned; }

    // The row pitch (bytes) and row order of the renderer's buffers, announced on one sample and kept
    // for every later one. False, changing nothing, when a row does not fit the pitch.
    bool UseSampleLayout(ptrdiff_t stride, bool topDown);

    // Bytes a camera frame must hold, and the data length of an output sample (its rows times its pitch).
    size_t FrameBytes() const { return m_planned ? kernels::RequiredSourceBytes(m_sample) : 0; }
    size_t SampleBytes() const;

    // The per-frame work: one camera frame into one output sample in a single pass. False, writing
    // nothing, when the path is not planned, the frame is short or the sample smaller than SampleBytes.
    bool ToSample(const uint8_t* frame, size_t frameBytes, uint8_t* sample, size_t sampleBytes, Orientation orientation,
                  kernels::KernelPath path = kernels::KernelPath::Auto) const;

    // The picture a grab writes: the sample's pixels as 24-bit bottom-up DIB rows.
    int PictureWidth() const { return m_picture.width; }
    int PictureHeight() const { return m_picture.height; }
    size_t PictureStride() const { return kernels::Rgb24Stride(m_picture.width); }
    size_t PictureBytes() const { return m_planned ? kernels::RequiredDestinationBytes(m_picture) : 0; }
    bool ToPicture(const uint8_t* frame, size_t frameBytes, uint8_t* picture, size_t pictureBytes,
                   Orientation orientation) const;

private:
    kernels::FrameGeometry m_sample;  // camera frame to output sample, orientation left out
    kernels::FrameGeometry m_picture; // camera frame to grab picture, orientation left out
    bool m_planned = false;
};

} // namespace scaler
