// The scaler filter: YUY2 or RGB24 camera frames in, RGB32 or RGB24 bottom-up pictures out, with mirror, flip, the
// 1280x800 -> 1280x720 crop, frame grabs, and hold. Each frame is converted once, straight into the output
// sample; a grab has the streaming thread convert the next frame into the grab's picture as well.
#pragma once

#include <vector>

#include "dshow/TransformFilter.h"
#include "filters/common/HoldTimeline.h"
#include "filters/scaler/DownScalerApi.h"
#include "filters/scaler/FramePath.h"
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
    void OnStop() override;

private:
    scaler::Orientation CurrentOrientation() const;
    // Converts the camera frame into an output sample in the sample's own row layout.
    HRESULT FillSample(IMediaSample* out, const BYTE* frame, size_t frameBytes, scaler::Orientation orientation);
    // Hands this frame to a grab that waits for one.
    void ServeGrab(const BYTE* frame, size_t frameBytes, scaler::Orientation orientation);
    // Wakes a waiting grab without a frame (the stream stopped).
    void CancelGrab();

    std::atomic<bool> m_scaleMode{false};
    std::atomic<int> m_orientation{0}; // bit 0 mirror, bit 1 flip: one value so both change together
    filters::HoldTimeline m_hold;

    // Planned when the output connects (filter stopped); the sample layout part is then changed only by the
    // streaming thread. Read by GrabFrame under m_grabLock.
    scaler::FramePath m_path;
    dshow::PixelLayout m_outputLayout = dshow::PixelLayout::Rgb24;
    REFERENCE_TIME m_frameInterval = 0;
    std::atomic<bool> m_frameSeen{false}; // a camera frame arrived since the output connected

    // A grab in progress: GrabFrame asks, the streaming thread converts the next frame into the target and
    // sets m_grabDone and the event. m_grabSerial keeps grabs one at a time; the streaming thread never takes it.
    dshow::CritSec m_grabSerial;
    dshow::CritSec m_grabLock;
    dshow::Event m_grabEvent{true};
    std::atomic<bool> m_grabAsked{false};
    bool m_grabDone = false;
    BYTE* m_grabTarget = nullptr;
    size_t m_grabTargetBytes = 0;
    std::vector<BYTE> m_grabPicture; // the target when the caller's buffer is missing or too small
};
