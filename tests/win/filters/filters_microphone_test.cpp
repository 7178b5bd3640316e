// The audio-pause filter behind the simulated microphone: the microphone's capture pin feeds nvpa.ax, whose
// output goes to a recording sink that keeps the times, bytes and arrival time of every sample.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "SimTestSupport.h"
#include "TestFilters.h"
#include "common/ModulePath.h"
#include "dshow/Devices.h"
#include "dshow/Filter.h"
#include "dshow/Graph.h"
#include "dshow/Lock.h"
#include "dshow/MediaType.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "support/Poll.h"

using dshow::ComPtr;

namespace {

// The microphone hands out 100 ms blocks of 48 kHz mono 16-bit PCM carrying a 1 kHz tone.
constexpr REFERENCE_TIME kBlockTime = 1000000;
constexpr size_t kBlockValues = 4800;
constexpr int kCycleValues = 48;
constexpr double kToneAmplitude = 8000.0;
constexpr size_t kMaxRecords = 600;

// {B3F1A7C2-5E4D-4C8B-9A61-0D2E7F3C8B15}
const CLSID CLSID_RecordingSink = {0xb3f1a7c2, 0x5e4d, 0x4c8b, {0x9a, 0x61, 0x0d, 0x2e, 0x7f, 0x3c, 0x8b, 0x15}};

struct Record
{
    bool timed = false;
    REFERENCE_TIME start = 0, stop = 0;
    DWORD arrival = 0;
    std::vector<int16_t> pcm;
};

class RecordingSink;

class RecordingPin : public dshow::InputPin
{
public:
    explicit RecordingPin(dshow::BaseFilter& filter) : InputPin(filter, L"In") {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override
    {
        return IsEqualGUID(mt.majortype, MEDIATYPE_Audio) && IsEqualGUID(mt.subtype, MEDIASUBTYPE_PCM) ? S_OK : S_FALSE;
    }

    HRESULT OnReceive(IMediaSample* sample) override
    {
        Record record;
        record.arrival = GetTickCount();
        const HRESULT timeResult = sample->GetTime(&record.start, &record.stop);
        record.timed = timeResult == S_OK;
        BYTE* data = nullptr;
        const long length = sample->GetActualDataLength();
        if (SUCCEEDED(sample->GetPointer(&data)) && data && length > 0) {
            const int16_t* values = reinterpret_cast<const int16_t*>(data);
            record.pcm.assign(values, values + length / 2);
        }
        dshow::AutoLock lock(m_lock);
        if (m_records.size() < kMaxRecords)
            m_records.push_back(std::move(record));
        m_count = static_cast<LONG>(m_records.size());
        return S_OK;
    }

    LONG Count() const { return m_count.load(); }
    std::vector<Record> Records()
    {
        dshow::AutoLock lock(m_lock);
        return m_records;
    }

private:
    dshow::CritSec m_lock;
    std::vector<Record> m_records;
    std::atomic<LONG> m_count{0};
};

// Sink with one audio input pin that records what arrives.
class RecordingSink : public dshow::BaseFilter
{
public:
    RecordingSink() : BaseFilter(CLSID_RecordingSink), m_pin(*this) {}
    int PinCount() override { return 1; }
    dshow::Pin* PinAt(int index) override { return index == 0 ? &m_pin : nullptr; }
    RecordingPin& In() { return m_pin; }

private:
    RecordingPin m_pin;
};

// nvpa.ax from the test's folder, created through its class factory.
ComPtr<IBaseFilter> NewPauseAudio()
{
    return testfilters::CreateFromModule(PathBesideProgram(L"nvpa.ax"), CLSID_NorvanePauseAudio);
}

ComPtr<IBaseFilter> BindMicrophone()
{
    ComPtr<IBaseFilter> microphone;
    (void)dshow::WalkDevices(CLSID_AudioInputDeviceCategory, [&](const dshow::DeviceMoniker& device) {
        if (device.Text(L"FriendlyName") != L"Sim Microphone")
            return dshow::WalkStep::Next;
        (void)device.Bind(microphone); // a failed bind leaves it null, which the caller checks
        return dshow::WalkStep::Stop;
    });
    return microphone;
}

// Phase (0..47) at which the block is the microphone's 1 kHz tone (within rounding), or -1 when it is not.
int TonePhase(const std::vector<int16_t>& pcm)
{
    if (pcm.size() < static_cast<size_t>(kCycleValues))
        return -1;
    const double pi = 3.14159265358979323846;
    for (int phase = 0; phase < kCycleValues; ++phase) {
        bool fits = true;
        for (size_t i = 0; i < pcm.size() && fits; ++i) {
            const double expected =
                kToneAmplitude * std::sin(2.0 * pi * static_cast<double>((i + phase) % kCycleValues) / kCycleValues);
            fits = std::fabs(pcm[i] - expected) <= 1.5;
        }
        if (fits)
            return phase;
    }
    return -1;
}

template <typename T> ULONG Drop(ComPtr<T>& p)
{
    return p.Detach()->Release();
}

class MicrophoneThroughPauseAudio : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_comStarted = true;
        ASSERT_EQ(S_OK, simtest::EnsureRegistered());
        m_microphone = BindMicrophone();
        ASSERT_TRUE(m_microphone) << "no \"Sim Microphone\" among the audio input devices";
        m_pause = NewPauseAudio();
        ASSERT_TRUE(m_pause) << "nvpa.ax not loadable";
        ASSERT_EQ(S_OK, m_pause->QueryInterface(IID_IPauseAudio, m_hold.PutVoid()));
        m_sink.Attach(new (std::nothrow) RecordingSink());
        ASSERT_TRUE(m_sink);

        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         m_graph.PutVoid()));
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_microphone.Get(), L"Sim Microphone"));
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_pause.Get(), L"Norvane Pause Audio"));
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_sink.Get(), L"Sink"));
        ComPtr<IPin> capture, pauseIn;
        ASSERT_EQ(S_OK, dshow::FindPinByCategory(m_microphone.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE,
                                                 &MEDIATYPE_Audio, true, 0, capture.Put()));
        ASSERT_EQ(S_OK, dshow::GetPin(m_pause.Get(), PINDIR_INPUT, 0, pauseIn.Put()));
        ASSERT_EQ(S_OK, m_graph->ConnectDirect(capture.Get(), pauseIn.Get(), nullptr));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), m_pause.Get(), 0, m_sink.Get(), 0, nullptr, false));
        ASSERT_EQ(S_OK, m_graph->QueryInterface(IID_IMediaControl, m_control.PutVoid()));
    }

    void TearDown() override
    {
        if (m_control) {
            EXPECT_EQ(S_OK, m_control->Stop());
        }
        m_control.Reset();
        m_hold.Reset();
        if (m_graph && m_microphone) {
            dshow::RemoveDownstream(m_graph.Get(), m_microphone.Get());
            EXPECT_EQ(S_OK, m_graph->RemoveFilter(m_microphone.Get()));
        }
        if (m_graph) {
            EXPECT_EQ(0u, Drop(m_graph)) << "graph still referenced";
        }
        if (m_pause) {
            EXPECT_EQ(0u, Drop(m_pause)) << "nvpa.ax still referenced after the teardown";
        }
        if (m_sink) {
            EXPECT_EQ(0u, Drop(m_sink)) << "the sink is still referenced after the teardown";
        }
        if (m_microphone) {
            EXPECT_EQ(0u, Drop(m_microphone)) << "the microphone is still referenced after the teardown";
        }
        if (m_comStarted)
            CoUninitialize();
    }

    LONG Count() { return m_sink->In().Count(); }
    bool WaitForCount(LONG count)
    {
        return testfilters::WaitFor([&] { return Count() >= count; }, 10000);
    }

    // Every record is a whole timed block of the same tone as the first one (so no byte was changed, lost or
    // shifted: a block holds a whole number of tone cycles), and each starts where the one before it stopped.
    static void ExpectUnchangedContiguousTone(const std::vector<Record>& records)
    {
        ASSERT_FALSE(records.empty());
        ASSERT_EQ(kBlockValues, records[0].pcm.size());
        const int phase = TonePhase(records[0].pcm);
        EXPECT_NE(-1, phase) << "the first block is not the 1 kHz tone of amplitude 8000";
        for (size_t i = 0; i < records.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "sample " << i);
            EXPECT_TRUE(records[i].timed);
            EXPECT_EQ(kBlockTime, records[i].stop - records[i].start);
            EXPECT_TRUE(records[i].pcm == records[0].pcm) << "the microphone's bytes changed on the way";
            if (i > 0) {
                EXPECT_EQ(records[i - 1].stop, records[i].start) << "a gap or an overlap in the time stamps";
            }
        }
    }

    bool m_comStarted = false;
    ComPtr<IBaseFilter> m_microphone;
    ComPtr<IBaseFilter> m_pause;
    ComPtr<IPauseAudio> m_hold;
    ComPtr<RecordingSink> m_sink;
    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IMediaControl> m_control;
};

TEST_F(MicrophoneThroughPauseAudio, ConnectsWithTheMicrophoneFormatOnBothSides)
{
    ComPtr<IPin> in, out;
    ASSERT_EQ(S_OK, dshow::GetPin(m_pause.Get(), PINDIR_INPUT, 0, in.Put()));
    ASSERT_EQ(S_OK, dshow::GetPin(m_pause.Get(), PINDIR_OUTPUT, 0, out.Put()));
    AM_MEDIA_TYPE inType = {}, outType = {};
    ASSERT_EQ(S_OK, in->ConnectionMediaType(&inType));
    ASSERT_EQ(S_OK, out->ConnectionMediaType(&outType));
    EXPECT_TRUE(dshow::MediaTypesEqual(inType, outType)) << "the filter must hand on the microphone's format";
    const WAVEFORMATEX* wave = dshow::WaveFormatOf(outType);
    ASSERT_NE(nullptr, wave);
    EXPECT_EQ(WAVE_FORMAT_PCM, wave->wFormatTag);
    EXPECT_EQ(48000u, wave->nSamplesPerSec);
    EXPECT_EQ(1, wave->nChannels);
    EXPECT_EQ(16, wave->wBitsPerSample);
    dshow::FreeMediaType(inType);
    dshow::FreeMediaType(outType);
}

TEST_F(MicrophoneThroughPauseAudio, TheToneArrivesUnchangedWithContiguousTimes)
{
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    EXPECT_TRUE(WaitForCount(5)) << Count() << " samples";
    EXPECT_EQ(S_OK, m_control->Stop());
    const std::vector<Record> records = m_sink->In().Records();
    ASSERT_GE(records.size(), 5u);
    ExpectUnchangedContiguousTone(records);
}

TEST_F(MicrophoneThroughPauseAudio, HoldStopsDeliveryAndTheTimesResumeWhereDeliveryStopped)
{
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(WaitForCount(3)) << Count() << " samples";

    ASSERT_EQ(S_OK, m_hold->SetHold(TRUE));
    const LONG atHold = Count();
    // The block that was inside the filter when the hold came may still arrive; none after it, watched for
    // four blocks' worth of microphone time.
    EXPECT_TRUE(testsupport::HoldsFor([&] { return Count() <= atHold + 1; }, 400)) << Count() - atHold << " arrived";
    const LONG held = Count();
    const DWORD releasedAt = GetTickCount();
    ASSERT_EQ(S_OK, m_hold->SetHold(FALSE));
    EXPECT_TRUE(WaitForCount(held + 3)) << Count() << " samples after the hold";
    EXPECT_EQ(S_OK, m_control->Stop());

    const std::vector<Record> records = m_sink->In().Records();
    ASSERT_GE(records.size(), static_cast<size_t>(held) + 3);
    ASSERT_GE(held, 1);
    const Record& last = records[held - 1];
    const Record& next = records[held];
    EXPECT_GE(next.arrival, releasedAt) << "a block arrived while held";
    EXPECT_EQ(last.stop, next.start) << "the time stamps after the hold must continue where delivery stopped";
    ExpectUnchangedContiguousTone(records);
}

} // namespace
