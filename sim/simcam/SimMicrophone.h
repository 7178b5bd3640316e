// The simulated microphone: a live source of 16-bit mono PCM at 48 kHz carrying a steady 1 kHz tone,
// with one capture pin.
#pragma once
#include "dshow/PushSource.h"
#include <cstdint>

namespace sim {

class MicrophonePin : public dshow::PushPin
{
public:
    static constexpr DWORD kSampleRate = 48000;
    static constexpr DWORD kSamplesPerBuffer = 4800; // 100 ms
    static constexpr DWORD kToneHz = 1000;

    explicit MicrophonePin(dshow::BaseFilter& filter);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override;
    HRESULT GetMediaType(int index, dshow::MediaType& mt) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) override;
    REFERENCE_TIME FrameInterval() override;

private:
    int16_t m_cycle[kSampleRate / kToneHz];
    uint32_t m_phase = 0;
};

class SimMicrophone : public dshow::PushSource
{
public:
    SimMicrophone();
    int PinCount() override { return 1; }
    dshow::Pin* PinAt(int index) override { return index == 0 ? &m_pin : nullptr; }

private:
    MicrophonePin m_pin;
};

} // namespace sim
