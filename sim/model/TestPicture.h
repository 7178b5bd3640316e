// The picture a simulated camera delivers: colour bars over a grey ramp, an "F" glyph that shows
// mirror and flip at a glance, a marker that moves from frame to frame and the frame counter as a
// row of 16 binary cells. Drawn straight into YUY2, turned by the sensor's orientation and toned by
// the image values. Drawing allocates nothing; only Configure does.
#pragma once
#include "sim/model/DeviceState.h"
#include "sim/model/Registers.h"
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// One image property's current value within its range, as the picture's tone uses it.
struct ToneValue
{
    int32_t value;
    int32_t min;
    int32_t max;
    int32_t def;
};

struct Tone
{
    ToneValue brightness, contrast, hue, saturation, gamma;
};

// The tone of a device's picture from its image values and its profile's ranges.
Tone ToneOf(const DeviceState& device);
// The neutral tone: every value at its default.
Tone NeutralTone();

// Where the scene's parts lie, in unturned picture coordinates (all x and widths even).
struct PictureLayout
{
    int32_t barsBottom; // rows [0, barsBottom) hold the colour bars, the rest the grey ramp
    int32_t glyphX, glyphY, glyphSize, glyphStroke;
    int32_t markerY, markerSize;
    int32_t counterX, counterY, counterCell, counterHeight;
};

class TestPicture
{
public:
    static constexpr int kCounterBits = 16;
    static constexpr int kBarCount = 8;

    // Prepares drawing at the given size; false for sizes the device cannot deliver (width not
    // even, below 32x32 or above 4096x4096).
    bool Configure(int32_t width, int32_t height);
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    size_t FrameBytes() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 2; }
    const PictureLayout& Layout() const { return m_layout; }
    // Left edge of the moving marker in frame `counter`.
    int32_t MarkerX(uint32_t counter) const;

    // Draws frame `counter` into a YUY2 buffer; false when not configured or the buffer is short.
    bool DrawYuy2(uint8_t* buffer, size_t length, uint32_t counter, Orientation orientation, const Tone& tone);

private:
    struct Yuv
    {
        uint8_t y, u, v;
    };
    void FillRect(uint8_t* frame, int32_t x, int32_t y, int32_t w, int32_t h, Yuv colour, Orientation o) const;
    void BuildBandRow(uint8_t* row, bool bars, bool mirror, const Yuv* palette) const;

    int32_t m_width = 0;
    int32_t m_height = 0;
    PictureLayout m_layout = {};
    std::vector<uint8_t> m_barsRow;
    std::vector<uint8_t> m_rampRow;
};

} // namespace sim
