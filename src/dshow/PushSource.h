// Live source base: each PushPin has its own streaming thread that fills and delivers one sample per frame
// interval while the filter runs, paced by the graph's reference clock (the system clock when there is
// none). Samples carry stream times: the frame's capture time relative to the run's start. Used by the
// simulated camera and microphone.
#pragma once

#include "dshow/Filter.h"

namespace dshow {

class PushPin : public OutputPin
{
public:
    PushPin(BaseFilter& filter, const wchar_t* name);
    ~PushPin() override;

    // ---- operations ----
    // Fills one sample (data and actual length) for the interval [start, stop). S_OK delivers it, S_FALSE
    // ends the stream (end-of-stream goes downstream), a failure stops streaming with EC_ERRORABORT.
    virtual HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) = 0;
    // Interval between samples of the connected type, in 100 ns units (> 0).
    virtual REFERENCE_TIME FrameInterval() = 0;

    HRESULT Active() override;
    HRESULT Inactive() override;
    void OnRun(REFERENCE_TIME start, IReferenceClock* clock) override;
    void OnPause() override;

    // Samples delivered since the filter last left the stopped state.
    LONG DeliveredCount() const { return m_delivered.load(); }

private:
    static DWORD WINAPI ThreadMain(void* self);
    void StreamLoop();
    // Current stream time of the running filter: clock time minus the start time.
    REFERENCE_TIME StreamNow();
    // Waits up to ms for a stop or a state change; false when the thread must end.
    bool WaitOrStop(DWORD ms);

    HANDLE m_thread = nullptr;
    Event m_stop{true};
    Event m_wake{false};
    CritSec m_timeLock; // guards the fields below, shared with the streaming thread
    bool m_running = false;
    bool m_resync = false;
    REFERENCE_TIME m_start = 0;
    ComPtr<IReferenceClock> m_clock;
    LARGE_INTEGER m_runCounter = {}; // performance counter at Run when there is no clock
    std::atomic<LONG> m_delivered{0};
};

// A source filter of PushPins (the pins start and pause their threads themselves). Live: GetState in paused says
// VFW_S_CANT_CUE, and nothing streams until Run.
class PushSource : public BaseFilter
{
public:
    explicit PushSource(const CLSID& clsid);

protected:
    bool IsLive() const override { return true; }
};

} // namespace dshow
