// The audio-pause filter.
#include "filters/pauseaudio/PauseAudio.h"

#include "filters/common/SampleHold.h"

PauseAudio::PauseAudio() : TransformFilter(CLSID_NorvanePauseAudio, L"Input", L"Output") {}

HRESULT PauseAudio::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IPauseAudio)) {
        *ppv = static_cast<IPauseAudio*>(this);
        AddRef();
        return S_OK;
    }
    return TransformFilter::QueryExtraInterface(riid, ppv);
}

STDMETHODIMP PauseAudio::SetHold(BOOL hold)
{
    m_hold.SetHold(hold != FALSE);
    return S_OK;
}

HRESULT PauseAudio::CheckInputType(const AM_MEDIA_TYPE& in)
{
    return IsEqualGUID(in.majortype, MEDIATYPE_Audio) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT PauseAudio::CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out)
{
    // Pass-through: downstream must take exactly the microphone's format.
    return dshow::MediaTypesEqual(in, out) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT PauseAudio::GetOutputType(int index, const AM_MEDIA_TYPE& in, dshow::MediaType& out)
{
    if (index != 0)
        return VFW_S_NO_MORE_ITEMS;
    return out.Set(in);
}

HRESULT PauseAudio::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request)
{
    // Samples are handed on as they come; the output allocator only completes the connection.
    if (request->cBuffers < 1)
        request->cBuffers = 1;
    long size = static_cast<long>(Input().ConnectionType()->lSampleSize);
    if (const WAVEFORMATEX* wfx = dshow::WaveFormatOf(Input().ConnectionType().Get()))
        size = static_cast<long>(wfx->nAvgBytesPerSec / 2);
    if (size < 4096)
        size = 4096;
    if (request->cbBuffer < size)
        request->cbBuffer = size;
    return S_OK;
}

HRESULT PauseAudio::OnPause(FILTER_STATE from)
{
    if (from == State_Stopped)
        m_hold.Restart();
    return S_OK;
}

HRESULT PauseAudio::Receive(IMediaSample* in)
{
    filters::SampleHold sample;
    if (!sample.Admit(m_hold, in))
        return S_OK;
    if (!Output().IsConnected())
        return S_OK;
    sample.Stamp(in);
    // The very same sample goes on: audio is never copied or changed.
    return Output().Deliver(in);
}
