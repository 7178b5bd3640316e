// The hold both of our filters keep (the scaler for the picture, the audio pause for the sound): while held,
// samples are dropped; after a hold, time stamps move back by the dropped span so the delivered stream stays
// continuous from its start. Windows-free.
#pragma once

#include <atomic>
#include <cstdint>

namespace filters {

// SetHold may be called from any thread; Admit and Restart run on the streaming thread (or with it stopped).
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

} // namespace filters
