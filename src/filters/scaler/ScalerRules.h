// Windows-free decisions of the scaler and audio-pause filters: the output size for a camera frame and the
// scale mode, the BMP file header of a grabbed frame, and the hold timeline that drops samples while held
// and shifts later time stamps so the delivered stream stays continuous from its start.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace scaler {

struct FrameSize
{
    int width;
    int height; // always positive: rows of the picture
};

// Scale mode on turns a 1280x800 camera frame into a 1280x720 picture (40 rows cut above and below);
// any other size, and every size with the mode off, passes through. A negative input height (top-down
// rows) counts by its absolute value.
FrameSize OutputSizeFor(int inWidth, int inHeight, bool scaleMode);

// Bytes of a 24-bit BMP file header (file header + info header).
constexpr size_t kBmpHeaderBytes = 54;

// Writes the header of a bottom-up 24-bit BMP of width x height whose rows are `stride` bytes. Returns
// false for sizes that do not fit a BMP (non-positive, or a file over 4 GB).
bool MakeBmpHeader(int width, int height, size_t stride, uint8_t (&header)[kBmpHeaderBytes]);

// Hold logic shared by the scaler and the audio pause. SetHold may be called from any thread; Admit and
// Restart run on the streaming thread (or with it stopped).
class HoldTimeline
{
public:
    void SetHold(bool hold) { m_hold = hold; }
    bool Held() const { return m_hold.load(); }

    // Decides one sample: false while held (the sample is dropped). When it passes and samples were dropped
    // before it, its times and all later ones move back by the dropped span, so the first sample after a
    // hold continues where the last delivered one ended (0 at the start of a run).
    bool Admit(bool hasTimes, int64_t& start, int64_t& stop);

    // A new run: stream times start again from 0.
    void Restart();

private:
    std::atomic<bool> m_hold{false};
    bool m_dropped = false;
    int64_t m_offset = 0;
    int64_t m_nextStart = 0;
};

} // namespace scaler
