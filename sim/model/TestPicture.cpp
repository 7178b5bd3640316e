// Test-picture drawing: two pre-built band rows copied per line, then a few solid rectangles.
#include "sim/model/TestPicture.h"
#include "sim/model/Profiles.h"
#include <cmath>
#include <cstring>

namespace sim {
namespace {

constexpr int kRampSteps = 16;

int32_t Even(int32_t v)
{
    return v & ~1;
}

double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// 0 at the minimum, 1 at the default, 2 at the maximum, linear in between.
double Gain(const ToneValue& t)
{
    if (t.value <= t.def)
        return t.def > t.min ? static_cast<double>(t.value - t.min) / (t.def - t.min) : 1.0;
    return t.max > t.def ? 1.0 + static_cast<double>(t.value - t.def) / (t.max - t.def) : 1.0;
}

ToneValue FromRange(const DeviceState& device, int index)
{
    const ImageRange& r = ProfileOf(device).image[index];
    return {device.imageValue[index], r.min, r.max, r.def};
}

} // namespace

Tone ToneOf(const DeviceState& device)
{
    return {FromRange(device, kImageBrightness), FromRange(device, kImageContrast), FromRange(device, kImageHue),
            FromRange(device, kImageSaturation), FromRange(device, kImageGamma)};
}

Tone NeutralTone()
{
    ToneValue neutral = {0, -1, 1, 0};
    return {neutral, neutral, neutral, neutral, neutral};
}

bool TestPicture::Configure(int32_t width, int32_t height)
{
    if (width < 32 || height < 32 || width > 4096 || height > 4096 || (width & 1))
        return false;
    m_width = width;
    m_height = height;
    m_barsRow.assign(static_cast<size_t>(width) * 2, 0);
    m_rampRow.assign(static_cast<size_t>(width) * 2, 0);
    PictureLayout& l = m_layout;
    l.barsBottom = height * 3 / 4;
    l.glyphSize = Even(height / 4);
    l.glyphStroke = Even(l.glyphSize / 6) > 2 ? Even(l.glyphSize / 6) : 2;
    l.glyphX = Even(width / 16);
    l.glyphY = height / 16;
    l.markerSize = Even(height / 12) > 2 ? Even(height / 12) : 2;
    l.markerY = l.barsBottom - l.markerSize - height / 32;
    l.counterCell = Even(width / 48) > 2 ? Even(width / 48) : 2;
    l.counterHeight = height / 16 > 1 ? height / 16 : 1;
    l.counterX = Even(width - width / 32 - kCounterBits * l.counterCell);
    l.counterY = l.barsBottom + (height - l.barsBottom - l.counterHeight) / 2;
    return true;
}

int32_t TestPicture::MarkerX(uint32_t counter) const
{
    int32_t travel = m_width - m_layout.markerSize;
    if (travel <= 0)
        return 0;
    return Even(static_cast<int32_t>((static_cast<uint64_t>(counter) * 8) % static_cast<uint64_t>(travel)));
}

void TestPicture::BuildBandRow(uint8_t* row, bool bars, bool mirror, const Yuv* palette) const
{
    const int32_t pairs = m_width / 2;
    for (int32_t p = 0; p < pairs; ++p) {
        int32_t x = p * 2;
        int index = bars ? 1 + static_cast<int>(static_cast<int64_t>(x) * kBarCount / m_width)
                         : 1 + kBarCount + static_cast<int>(static_cast<int64_t>(x) * kRampSteps / m_width);
        const Yuv& c = palette[index];
        // Both pixels of a pair share a colour, so mirroring reverses the pairs only.
        uint8_t* out = row + static_cast<size_t>(mirror ? pairs - 1 - p : p) * 4;
        out[0] = c.y;
        out[1] = c.u;
        out[2] = c.y;
        out[3] = c.v;
    }
}

void TestPicture::FillRect(uint8_t* frame, int32_t x, int32_t y, int32_t w, int32_t h, Yuv colour, Orientation o) const
{
    if (o.mirror)
        x = m_width - x - w;
    if (o.flip)
        y = m_height - y - h;
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    if (x + w > m_width)
        w = m_width - x;
    if (y + h > m_height)
        h = m_height - y;
    if (w <= 0 || h <= 0)
        return;
    const uint8_t quad[4] = {colour.y, colour.u, colour.y, colour.v};
    for (int32_t row = y; row < y + h; ++row) {
        uint8_t* out = frame + (static_cast<size_t>(row) * m_width + x) * 2;
        for (int32_t p = 0; p < w / 2; ++p)
            std::memcpy(out + p * 4, quad, 4);
    }
}

bool TestPicture::DrawYuy2(uint8_t* buffer, size_t length, uint32_t counter, Orientation orientation, const Tone& tone)
{
    if (m_width == 0 || !buffer || length < FrameBytes())
        return false;

    // Palette: 0 black, 1..8 the bars, 9..24 the ramp, 25 white. Only these colours are toned,
    // never single pixels.
    static const uint8_t kBarRgb[kBarCount][3] = {{235, 235, 235}, {235, 235, 16}, {16, 235, 235}, {16, 235, 16},
                                                  {235, 16, 235},  {235, 16, 16},  {16, 16, 235},  {16, 16, 16}};
    Yuv palette[2 + kBarCount + kRampSteps];
    const double contrast = Gain(tone.contrast);
    const double gamma = Clamp(Gain(tone.gamma), 0.1, 2.0);
    const double saturation = Gain(tone.saturation);
    const double brightness = Gain(tone.brightness) - 1.0; // -1 .. +1
    const ToneValue& h = tone.hue;
    const double hueSpan = h.max > h.min ? static_cast<double>(h.max - h.min) : 1.0;
    const double hueAngle = (h.value - h.def) / hueSpan * 2.0 * 3.14159265358979;
    const double cosH = std::cos(hueAngle), sinH = std::sin(hueAngle);
    auto toned = [&](double r, double g, double b) {
        double y = (0.299 * r + 0.587 * g + 0.114 * b - 16.0) / 219.0;
        double u = (b - 16.0) / 219.0 - y, v = (r - 16.0) / 219.0 - y;
        y = Clamp(y, 0.0, 1.0);
        y = std::pow(y, 1.0 / gamma);
        y = (y - 0.5) * contrast + 0.5 + brightness * 0.5;
        double u2 = (u * cosH - v * sinH) * saturation * 0.564 * 224.0;
        double v2 = (u * sinH + v * cosH) * saturation * 0.713 * 224.0;
        return Yuv{static_cast<uint8_t>(std::lround(16.0 + 219.0 * Clamp(y, 0.0, 1.0))),
                   static_cast<uint8_t>(std::lround(Clamp(128.0 + u2, 16.0, 240.0))),
                   static_cast<uint8_t>(std::lround(Clamp(128.0 + v2, 16.0, 240.0)))};
    };
    palette[0] = toned(16, 16, 16);
    for (int i = 0; i < kBarCount; ++i)
        palette[1 + i] = toned(kBarRgb[i][0], kBarRgb[i][1], kBarRgb[i][2]);
    for (int i = 0; i < kRampSteps; ++i) {
        double grey = 16.0 + 219.0 * i / (kRampSteps - 1);
        palette[1 + kBarCount + i] = toned(grey, grey, grey);
    }
    palette[1 + kBarCount + kRampSteps] = toned(235, 235, 235);
    const Yuv black = palette[0];
    const Yuv white = palette[1 + kBarCount + kRampSteps];

    BuildBandRow(m_barsRow.data(), true, orientation.mirror, palette);
    BuildBandRow(m_rampRow.data(), false, orientation.mirror, palette);
    const size_t rowBytes = static_cast<size_t>(m_width) * 2;
    for (int32_t y = 0; y < m_height; ++y) {
        int32_t sceneY = orientation.flip ? m_height - 1 - y : y;
        const uint8_t* source = sceneY < m_layout.barsBottom ? m_barsRow.data() : m_rampRow.data();
        std::memcpy(buffer + static_cast<size_t>(y) * rowBytes, source, rowBytes);
    }

    const PictureLayout& l = m_layout;
    const int32_t s = l.glyphStroke;
    FillRect(buffer, l.glyphX, l.glyphY, l.glyphSize, l.glyphSize, black, orientation);
    FillRect(buffer, l.glyphX + s, l.glyphY + s, s, l.glyphSize - 2 * s, white, orientation);
    FillRect(buffer, l.glyphX + s, l.glyphY + s, l.glyphSize - 2 * s, s, white, orientation);
    FillRect(buffer, l.glyphX + s, l.glyphY + l.glyphSize / 2 - s / 2, Even((l.glyphSize - 2 * s) * 2 / 3), s, white,
             orientation);
    FillRect(buffer, MarkerX(counter), l.markerY, l.markerSize, l.markerSize, black, orientation);
    // A dark band behind the counter keeps its white cells visible on the light end of the ramp.
    FillRect(buffer, l.counterX - 2, l.counterY - 2, kCounterBits * l.counterCell + 4, l.counterHeight + 4, black,
             orientation);
    for (int bit = 0; bit < kCounterBits; ++bit) {
        bool on = (counter >> (kCounterBits - 1 - bit)) & 1u;
        FillRect(buffer, l.counterX + bit * l.counterCell, l.counterY, l.counterCell, l.counterHeight,
                 on ? white : black, orientation);
    }
    return true;
}

} // namespace sim
