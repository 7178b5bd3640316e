// Live source base with one streaming thread per pin.
#include "dshow/PushSource.h"

namespace dshow {

PushPin::PushPin(BaseFilter& filter, const wchar_t* name) : OutputPin(filter, name) {}

PushPin::~PushPin()
{
    (void)Inactive(); // Joins a thread still running when the filter is released without a Stop.
}

HRESULT PushPin::Active()
{
    if (!IsConnected())
        return S_OK;
    HRESULT hr = OutputPin::Active();
    if (FAILED(hr))
        return hr;
    {
        AutoLock lock(m_timeLock);
        m_running = false;
        m_resync = true;
    }
    m_delivered = 0;
    m_stop.Reset();
    m_thread = CreateThread(nullptr, 0, &PushPin::ThreadMain, this, 0, nullptr);
    if (!m_thread) {
        (void)OutputPin::Inactive(); // Nothing was handed out yet.
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}

HRESULT PushPin::Inactive()
{
    m_stop.Set();
    // Decommitting first releases the thread from a GetBuffer that waits for a free sample.
    HRESULT hr = OutputPin::Inactive();
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    AutoLock lock(m_timeLock);
    m_running = false;
    m_clock.Reset();
    return hr;
}

void PushPin::OnRun(REFERENCE_TIME start, IReferenceClock* clock)
{
    {
        AutoLock lock(m_timeLock);
        m_running = true;
        m_resync = true;
        m_start = start;
        m_clock.Assign(clock);
        QueryPerformanceCounter(&m_runCounter);
    }
    m_wake.Set();
}

void PushPin::OnPause()
{
    {
        AutoLock lock(m_timeLock);
        m_running = false;
    }
    m_wake.Set();
}

DWORD WINAPI PushPin::ThreadMain(void* self)
{
    static_cast<PushPin*>(self)->StreamLoop();
    return 0;
}

REFERENCE_TIME PushPin::StreamNow()
{
    AutoLock lock(m_timeLock);
    if (m_clock) {
        REFERENCE_TIME now = 0;
        if (SUCCEEDED(m_clock->GetTime(&now)))
            return now - m_start;
    }
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    const LONGLONG ticks = counter.QuadPart - m_runCounter.QuadPart;
    return static_cast<REFERENCE_TIME>(static_cast<double>(ticks) * 10000000.0 /
                                       static_cast<double>(frequency.QuadPart));
}

bool PushPin::WaitOrStop(DWORD ms)
{
    HANDLE handles[2] = {m_stop.Get(), m_wake.Get()};
    return WaitForMultipleObjects(2, handles, FALSE, ms) != WAIT_OBJECT_0;
}

void PushPin::StreamLoop()
{
    REFERENCE_TIME next = 0;
    bool ended = false;
    for (;;) {
        if (WaitForSingleObject(m_stop.Get(), 0) == WAIT_OBJECT_0)
            return;
        bool running, resync;
        {
            AutoLock lock(m_timeLock);
            running = m_running;
            resync = m_resync;
            m_resync = false;
        }
        if (!running || ended) {
            if (!WaitOrStop(INFINITE))
                return;
            continue;
        }
        const REFERENCE_TIME interval = FrameInterval() > 0 ? FrameInterval() : 333333;
        const REFERENCE_TIME now = StreamNow();
        // After a pause the stream time has moved on; the next frame is captured "now", never in the past.
        if (resync && next < now)
            next = now;
        if (now < next) {
            const DWORD ms = static_cast<DWORD>((next - now + 9999) / 10000);
            if (!WaitOrStop(ms))
                return;
            continue;
        }
        ComPtr<IMediaSample> sample;
        HRESULT hr = GetDeliveryBuffer(sample.Put(), nullptr, nullptr, 0);
        if (FAILED(hr)) {
            // Decommitted: the filter is stopping. Wait for the stop signal.
            if (!WaitOrStop(INFINITE))
                return;
            continue;
        }
        REFERENCE_TIME start = next, stop = next + interval;
        sample->SetTime(&start, &stop);
        sample->SetSyncPoint(TRUE);
        hr = FillBuffer(sample.Get(), start, stop);
        if (hr == S_OK) {
            hr = Deliver(sample.Get());
            ++m_delivered;
            if (hr == S_FALSE) { // Downstream asks for no more data.
                (void)DeliverEndOfStream();
                ended = true;
            }
        } else if (hr == S_FALSE) {
            (void)DeliverEndOfStream(); // Downstream may already be gone; nothing else to tell.
            ended = true;
        } else {
            m_filter.NotifyEvent(EC_ERRORABORT, hr, 0);
            ended = true;
        }
        next = stop;
    }
}

PushSource::PushSource(const CLSID& clsid) : BaseFilter(clsid) {}

} // namespace dshow
