// A test source and a test sink built from the filter kit, for the kit's own tests and the filters' tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dshow/ComPtr.h"
#include "dshow/Filter.h"
#include "dshow/PushSource.h"
#include "support/Poll.h"

namespace testfilters {

// {6C1E0F3A-8D52-4E61-9C0B-2B7D5A1E9F01}
static const CLSID CLSID_TestSource = {0x6c1e0f3a, 0x8d52, 0x4e61, {0x9c, 0x0b, 0x2b, 0x7d, 0x5a, 0x1e, 0x9f, 0x01}};
// {6C1E0F3A-8D52-4E61-9C0B-2B7D5A1E9F02}
static const CLSID CLSID_TestSink = {0x6c1e0f3a, 0x8d52, 0x4e61, {0x9c, 0x0b, 0x2b, 0x7d, 0x5a, 0x1e, 0x9f, 0x02}};

// Fills a frame of the connected type: the test picture for the given frame number.
using FrameFiller = void (*)(const AM_MEDIA_TYPE& mt, BYTE* data, long bytes, LONG frameNumber);

class TestSourcePin;

// Live video (or audio) source with one output pin "Capture" (PIN_CATEGORY_CAPTURE) offering `types` in order.
class TestSource : public dshow::PushSource
{
public:
    TestSource(const std::vector<dshow::MediaType>& types, REFERENCE_TIME interval, FrameFiller filler);
    ~TestSource() override;
    int PinCount() override { return 1; }
    dshow::Pin* PinAt(int index) override;
    dshow::PushPin& OutPin();
    LONG Delivered() const;

private:
    std::unique_ptr<TestSourcePin> m_pin;
};

class SinkPin;

// Sink with one input pin "In" that accepts types matching `wanted` (null GUIDs are wildcards), offers no
// types of its own, and counts what it receives.
class TestSink : public dshow::BaseFilter
{
public:
    explicit TestSink(const AM_MEDIA_TYPE& wanted);
    ~TestSink() override;
    int PinCount() override { return 1; }
    dshow::Pin* PinAt(int index) override;
    dshow::InputPin& InPin();

    LONG Received() const { return m_received.load(); }
    REFERENCE_TIME LastStart() const { return m_lastStart.load(); }
    // Start time of the first sample received (-1 before any).
    REFERENCE_TIME FirstStart() const { return m_firstStart.load(); }
    bool TimesIncreased() const { return m_timesIncreased.load(); }
    long LastLength() const { return m_lastLength.load(); }
    // Copy of the last sample's bytes.
    std::vector<BYTE> LastData();
    void OnSample(IMediaSample* sample);

private:
    std::unique_ptr<SinkPin> m_pin;
    std::atomic<LONG> m_received{0};
    std::atomic<REFERENCE_TIME> m_lastStart{-1};
    std::atomic<REFERENCE_TIME> m_firstStart{-1};
    std::atomic<bool> m_timesIncreased{true};
    std::atomic<long> m_lastLength{0};
    dshow::CritSec m_dataLock;
    std::vector<BYTE> m_lastData;
};

dshow::ComPtr<TestSource> MakeVideoSource(dshow::PixelLayout layout, int width, int height, int fps = 30,
                                          FrameFiller filler = nullptr);
dshow::ComPtr<TestSource> MakeAudioSource();
dshow::ComPtr<TestSink> MakeSink(const AM_MEDIA_TYPE& wanted);
dshow::ComPtr<TestSink> MakeSink(const GUID& major, const GUID& subtype);

// An allocator over the system's memory allocator that attaches `changed` to the first sample it hands
// out, as a renderer does when its buffers have another row pitch or row order than the connection
// type says (a dynamic format change). Its buffers are large enough for `changed`. Hand it to a sink
// with NotifyAllocator before connecting: the sink then offers it to the upstream pin.
dshow::ComPtr<IMemAllocator> MakeFormatChangingAllocator(const AM_MEDIA_TYPE& changed);

// A filter made by the class factory of the module at this path (loaded for the rest of the test process: the
// filter's code lives there), the way COM would make it after registration.
HRESULT CreateFromModule(const std::wstring& module, const CLSID& clsid, IBaseFilter** out);
dshow::ComPtr<IBaseFilter> CreateFromModule(const std::wstring& module, const CLSID& clsid);

// Wine's own VMR-9, created through quartz.dll's class factory: the test prefix maps the VMR-9 class id
// to the GDI renderer (scripts/prefix.d/20-renderer.sh), so CoCreateInstance would not give it.
HRESULT CreateRealVmr9(IBaseFilter** out);

// Reference count of an object (AddRef + Release).
ULONG RefCount(IUnknown* object);
// Polls until cond() or the timeout; returns cond().
using testsupport::WaitFor;

} // namespace testfilters
