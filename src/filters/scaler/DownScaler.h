// The scaler filter: YUY2 or RGB24 camera frames in, RGB32 or RGB24 bottom-up pictures out, with mirror, flip, the
// 1280x800 -> 1280x720 crop, the newest frame kept for GrabFrame, and hold.
#pragma once

#include <vector>

#include "dshow/TransformFilter.h"
#include "filters/kernels/ScalerKernels.h"
#include "filters/scaler/DownScalerApi.h"
#include "filters/common/HoldTimeline.h"
#include "filters/scaler/ScalerRules.h"

class DownScaler : public dshow::TransformFilter, public IDownScaler, public IMirrorFlip
{
public:
    DownScaler();
    DSHOW_FILTER_IUNKNOWN

    // IDownScaler
    STDMETHODIMP SetScaleMode(BOOL scale) override;
    STDMETHODIMP GetScaleMode(BOOL* scale) override;
    STDMETHODIMP GrabFrame(BYTE* buffer, LONG size, LPCWSTR path) override;
    STDMETHODIMP SetHold(BOOL hold) override;
    // IMirrorFlip
    STDMETHODIMP SetMirrorFlip(BOOL mirror, BOOL flip) override;

    // TransformFilter operations
    HRESULT CheckInputType(const AM_MEDIA_TYPE& in) override;
    HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) override;
    HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& in, dshow::MediaType& out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Receive(IMediaSample* in) override;
    HRESULT OnOutputConnected(const AM_MEDIA_TYPE& mt) override;
    void OnOutputDisconnected() override;

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;
    HRESULT OnPause(FILTER_STATE from) override;

private:
    // Converts one camera frame into the newest-frame picture; false for a frame that does not fit.
    bool ConvertFrame(const BYTE* src, size_t srcBytes);
    // Copies the newest picture into an output sample in the sample's own row layout.
    HRESULT CopyToSample(IMediaSample* out);

    std::atomic<bool> m_scaleMode{false};
    std::atomic<int> m_orientation{0}; // bit 0 mirror, bit 1 flip: one value so both change together
    filters::HoldTimeline m_hold;

    // Set when the output connects (filter stopped); read by the streaming thread.
    bool m_inputYuy2 = true;
    dshow::PixelLayout m_outputLayout = dshow::PixelLayout::Rgb24;
    // Row pitch and order of the output samples: the connection's, until a sample announces others.
    // Written and read by the streaming thread (and at connection, while stopped).
    size_t m_sampleStride = 0;
    bool m_sampleTopDown = false;
    kernels::FrameGeometry m_geometry;
    size_t m_frameBytes = 0;

    dshow::CritSec m_frameLock; // the newest picture, shared by the streaming thread and GrabFrame
    std::vector<BYTE> m_newest;
    bool m_haveFrame = false;
};
