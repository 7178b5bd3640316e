// The audio-pause filter: audio passes through unchanged; while held, samples are dropped, and after a hold
// the time stamps continue where delivery stopped, so a recording starts at the stream start.
#pragma once

#include "dshow/TransformFilter.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "filters/common/HoldTimeline.h"

class PauseAudio : public dshow::TransformFilter, public IPauseAudio
{
public:
    PauseAudio();
    DSHOW_FILTER_IUNKNOWN

    STDMETHODIMP SetHold(BOOL hold) override;

    HRESULT CheckInputType(const AM_MEDIA_TYPE& in) override;
    HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) override;
    HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& in, dshow::MediaType& out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Receive(IMediaSample* in) override;

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;
    HRESULT OnPause(FILTER_STATE from) override;

private:
    filters::HoldTimeline m_hold;
};
