// Simulated microphone: one cycle of the tone is computed once and repeated into every buffer.
#include "sim/simcam/SimMicrophone.h"
#include "sim/shared/Registration.h"
#include <cmath>

namespace sim {

MicrophonePin::MicrophonePin(dshow::BaseFilter& filter) : dshow::PushPin(filter, L"Capture")
{
    SetCategory(PIN_CATEGORY_CAPTURE);
    const size_t n = sizeof m_cycle / sizeof m_cycle[0];
    for (size_t i = 0; i < n; ++i)
        m_cycle[i] = static_cast<int16_t>(std::lround(8000.0 * std::sin(2.0 * 3.14159265358979 * i / n)));
}

HRESULT MicrophonePin::CheckMediaType(const AM_MEDIA_TYPE& mt)
{
    const WAVEFORMATEX* wf = dshow::WaveFormatOf(mt);
    if (mt.majortype != MEDIATYPE_Audio || mt.subtype != MEDIASUBTYPE_PCM || !wf)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (wf->wFormatTag != WAVE_FORMAT_PCM || wf->nChannels != 1 || wf->wBitsPerSample != 16 ||
        wf->nSamplesPerSec != kSampleRate)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT MicrophonePin::GetMediaType(int index, dshow::MediaType& mt)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    return dshow::BuildWaveType(mt, kSampleRate, 1, 16);
}

HRESULT MicrophonePin::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request)
{
    if (!request)
        return E_POINTER;
    if (request->cBuffers < 4)
        request->cBuffers = 4;
    if (request->cbBuffer < static_cast<long>(kSamplesPerBuffer * 2))
        request->cbBuffer = kSamplesPerBuffer * 2;
    if (request->cbAlign < 1)
        request->cbAlign = 1;
    return S_OK;
}

REFERENCE_TIME MicrophonePin::FrameInterval()
{
    return 10000000LL * kSamplesPerBuffer / kSampleRate;
}

HRESULT MicrophonePin::FillBuffer(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME)
{
    BYTE* data = nullptr;
    if (!sample || FAILED(sample->GetPointer(&data)) || !data)
        return E_POINTER;
    const long size = sample->GetSize();
    if (size < static_cast<long>(kSamplesPerBuffer * 2))
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    int16_t* out = reinterpret_cast<int16_t*>(data);
    const uint32_t cycle = sizeof m_cycle / sizeof m_cycle[0];
    for (DWORD i = 0; i < kSamplesPerBuffer; ++i) {
        out[i] = m_cycle[m_phase];
        m_phase = (m_phase + 1) % cycle;
    }
    return sample->SetActualDataLength(static_cast<long>(kSamplesPerBuffer * 2));
}

SimMicrophone::SimMicrophone() : dshow::PushSource(CLSID_SimMicrophone), m_pin(*this) {}

} // namespace sim
