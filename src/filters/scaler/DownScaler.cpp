// The scaler filter.
#include "filters/scaler/DownScaler.h"

#include "filters/common/SampleHold.h"

#include <cstring>

using dshow::AutoLock;
using dshow::ComPtr;
using dshow::PixelLayout;

namespace {

const int kOrientationMirror = 1;
const int kOrientationFlip = 2;

// The camera frame's layout when the scaler takes it: YUY2 or RGB24 in a checked VIDEOINFOHEADER.
bool InputLayout(const AM_MEDIA_TYPE& mt, PixelLayout* layout, const VIDEOINFOHEADER** vih)
{
    if (!IsEqualGUID(mt.majortype, MEDIATYPE_Video))
        return false;
    PixelLayout l;
    if (!dshow::LayoutOfSubtype(mt.subtype, &l) || l == PixelLayout::Rgb32)
        return false;
    const VIDEOINFOHEADER* v = dshow::VideoInfoOf(mt);
    if (!v)
        return false;
    const BITMAPINFOHEADER& bih = v->bmiHeader;
    if (dshow::FrameBytes(l, bih.biWidth, bih.biHeight) == 0)
        return false;
    if (bih.biBitCount != (l == PixelLayout::Yuy2 ? 16 : 24))
        return false;
    *layout = l;
    *vih = v;
    return true;
}

// The picture goes out as 32-bit RGB first (renderers draw it without a colour converter; Direct3D
// surfaces of 24-bit RGB are rare) or as 24-bit RGB, always bottom-up and of the scaled size.
bool OutputLayout(const AM_MEDIA_TYPE& mt, PixelLayout* layout)
{
    if (!IsEqualGUID(mt.majortype, MEDIATYPE_Video))
        return false;
    PixelLayout l;
    if (!dshow::LayoutOfSubtype(mt.subtype, &l) || l == PixelLayout::Yuy2)
        return false;
    const VIDEOINFOHEADER* v = dshow::VideoInfoOf(mt);
    if (!v || v->bmiHeader.biCompression != BI_RGB || v->bmiHeader.biBitCount != (l == PixelLayout::Rgb32 ? 32 : 24))
        return false;
    *layout = l;
    return true;
}

} // namespace

DownScaler::DownScaler() : TransformFilter(CLSID_NorvaneDownScaler, L"Input", L"Output") {}

HRESULT DownScaler::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IDownScaler)) {
        *ppv = static_cast<IDownScaler*>(this);
    } else if (IsEqualIID(riid, IID_IMirrorFlip)) {
        *ppv = static_cast<IMirrorFlip*>(this);
    } else {
        return TransformFilter::QueryExtraInterface(riid, ppv);
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP DownScaler::SetScaleMode(BOOL scale)
{
    m_scaleMode = scale != FALSE;
    return S_OK;
}

STDMETHODIMP DownScaler::GetScaleMode(BOOL* scale)
{
    if (!scale)
        return E_POINTER;
    *scale = m_scaleMode ? TRUE : FALSE;
    return S_OK;
}

STDMETHODIMP DownScaler::SetHold(BOOL hold)
{
    m_hold.SetHold(hold != FALSE);
    return S_OK;
}

STDMETHODIMP DownScaler::SetMirrorFlip(BOOL mirror, BOOL flip)
{
    m_orientation = (mirror ? kOrientationMirror : 0) | (flip ? kOrientationFlip : 0);
    return S_OK;
}

HRESULT DownScaler::CheckInputType(const AM_MEDIA_TYPE& in)
{
    PixelLayout layout;
    const VIDEOINFOHEADER* vih;
    return InputLayout(in, &layout, &vih) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT DownScaler::CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out)
{
    PixelLayout layout;
    const VIDEOINFOHEADER* inInfo;
    PixelLayout outLayout;
    if (!InputLayout(in, &layout, &inInfo) || !OutputLayout(out, &outLayout))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* outInfo = dshow::VideoInfoOf(out);
    const scaler::FrameSize size =
        scaler::OutputSizeFor(inInfo->bmiHeader.biWidth, inInfo->bmiHeader.biHeight, m_scaleMode);
    // Bottom-up rows only: that is the picture the grab writes and the renderers take.
    if (outInfo->bmiHeader.biWidth != size.width || outInfo->bmiHeader.biHeight != size.height)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT DownScaler::GetOutputType(int index, const AM_MEDIA_TYPE& in, dshow::MediaType& out)
{
    if (index < 0 || index > 1)
        return VFW_S_NO_MORE_ITEMS;
    PixelLayout layout;
    const VIDEOINFOHEADER* vih;
    if (!InputLayout(in, &layout, &vih))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const scaler::FrameSize size = scaler::OutputSizeFor(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight, m_scaleMode);
    return dshow::BuildVideoType(out, index == 0 ? PixelLayout::Rgb32 : PixelLayout::Rgb24, size.width, size.height,
                                 vih->AvgTimePerFrame);
}

HRESULT DownScaler::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request)
{
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(Output().ConnectionType().Get());
    if (!vih)
        return E_UNEXPECTED;
    if (request->cBuffers < 3)
        request->cBuffers = 3;
    if (request->cbBuffer < static_cast<long>(vih->bmiHeader.biSizeImage))
        request->cbBuffer = static_cast<long>(vih->bmiHeader.biSizeImage);
    return S_OK;
}

HRESULT DownScaler::OnOutputConnected(const AM_MEDIA_TYPE& mt)
{
    PixelLayout layout;
    const VIDEOINFOHEADER* inInfo;
    PixelLayout outLayout;
    const VIDEOINFOHEADER* outInfo = dshow::VideoInfoOf(mt);
    if (!outInfo || !OutputLayout(mt, &outLayout) || !InputLayout(Input().ConnectionType().Get(), &layout, &inInfo))
        return VFW_E_TYPE_NOT_ACCEPTED;
    scaler::StreamFormats formats;
    formats.input = layout == PixelLayout::Yuy2 ? kernels::PixelFormat::Yuy2 : kernels::PixelFormat::Rgb24;
    formats.inputWidth = inInfo->bmiHeader.biWidth;
    formats.inputHeight = inInfo->bmiHeader.biHeight;
    formats.output = outLayout == PixelLayout::Rgb32 ? kernels::PixelFormat::Rgb32 : kernels::PixelFormat::Rgb24;
    formats.outputWidth = outInfo->bmiHeader.biWidth;
    formats.outputHeight = outInfo->bmiHeader.biHeight;
    AutoLock lock(m_grabLock);
    // Everything a frame needs is planned once per connection; streaming never allocates.
    if (!m_path.Plan(formats))
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_outputLayout = outLayout;
    m_frameInterval = inInfo->AvgTimePerFrame;
    m_frameSeen = false;
    return S_OK;
}

void DownScaler::OnOutputDisconnected()
{
    AutoLock lock(m_grabLock);
    m_path.Clear();
    m_frameSeen = false;
}

HRESULT DownScaler::OnPause(FILTER_STATE from)
{
    if (from == State_Stopped)
        m_hold.Restart();
    else if (from == State_Running)
        CancelGrab(); // a live camera sends nothing while paused
    return S_OK;
}

void DownScaler::OnStop()
{
    CancelGrab();
}

scaler::Orientation DownScaler::CurrentOrientation() const
{
    const int orientation = m_orientation.load();
    scaler::Orientation o;
    o.mirror = (orientation & kOrientationMirror) != 0;
    o.flip = (orientation & kOrientationFlip) != 0;
    return o;
}

HRESULT DownScaler::FillSample(IMediaSample* out, const BYTE* frame, size_t frameBytes, scaler::Orientation orientation)
{
    BYTE* dst = nullptr;
    HRESULT hr = out->GetPointer(&dst);
    if (FAILED(hr))
        return hr;
    if (!dst)
        return E_POINTER;
    const PixelLayout layout = m_outputLayout;
    // A renderer whose buffers have another row pitch or order (a Direct3D surface) says so by a media
    // type on one sample; that layout holds for every later sample of the connection.
    AM_MEDIA_TYPE* changed = nullptr;
    if (out->GetMediaType(&changed) == S_OK && changed) {
        const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*changed);
        const int width = m_path.PictureWidth();
        const int height = m_path.PictureHeight();
        const bool usable =
            vih && IsEqualGUID(changed->subtype, dshow::SubtypeOf(layout)) && vih->bmiHeader.biWidth >= width &&
            (vih->bmiHeader.biHeight == height || vih->bmiHeader.biHeight == -height) &&
            m_path.UseSampleLayout(static_cast<ptrdiff_t>(dshow::RowBytes(layout, vih->bmiHeader.biWidth)),
                                   vih->bmiHeader.biHeight < 0);
        dshow::DeleteMediaType(changed);
        if (!usable)
            return VFW_E_INVALIDMEDIATYPE;
    }
    const long capacity = out->GetSize();
    const size_t needed = m_path.SampleBytes();
    if (capacity < 0 || static_cast<size_t>(capacity) < needed || needed > 0x7FFFFFFF)
        return VFW_E_BUFFER_OVERFLOW;
    if (!m_path.ToSample(frame, frameBytes, dst, static_cast<size_t>(capacity), orientation))
        return E_UNEXPECTED; // the frame's length was checked before: only a broken plan gets here
    return out->SetActualDataLength(static_cast<long>(needed));
}

void DownScaler::ServeGrab(const BYTE* frame, size_t frameBytes, scaler::Orientation orientation)
{
    AutoLock lock(m_grabLock);
    if (!m_grabAsked || m_grabDone || !m_grabTarget)
        return;
    if (m_path.ToPicture(frame, frameBytes, m_grabTarget, m_grabTargetBytes, orientation)) {
        m_grabDone = true;
        m_grabEvent.Set();
    }
}

void DownScaler::CancelGrab()
{
    AutoLock lock(m_grabLock);
    if (m_grabAsked)
        m_grabEvent.Set();
}

HRESULT DownScaler::Receive(IMediaSample* in)
{
    BYTE* src = nullptr;
    HRESULT hr = in->GetPointer(&src);
    if (FAILED(hr))
        return hr;
    const long length = in->GetActualDataLength();
    // A short or damaged camera frame is skipped; the stream goes on with the next one.
    if (!src || length <= 0 || static_cast<size_t>(length) < m_path.FrameBytes() || !m_path.Planned())
        return S_OK;
    const size_t frameBytes = static_cast<size_t>(length);
    const scaler::Orientation orientation = CurrentOrientation();
    m_frameSeen = true;
    // A waiting grab takes this frame, the one that goes to the screen next (also while held).
    if (m_grabAsked.load())
        ServeGrab(src, frameBytes, orientation);

    filters::SampleHold sample;
    if (!sample.Admit(m_hold, in))
        return S_OK;
    if (!Output().IsConnected())
        return S_OK;

    ComPtr<IMediaSample> out;
    hr = Output().GetDeliveryBuffer(out.Put(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    CopySampleProperties(in, out.Get());
    sample.Stamp(out.Get());
    out->SetSyncPoint(TRUE);
    hr = FillSample(out.Get(), src, frameBytes, orientation);
    if (FAILED(hr))
        return hr;
    return Output().Deliver(out.Get());
}

namespace {

// How long a grab waits for the next frame: a few frame intervals, at least half a second, so that a
// late frame on a busy machine still answers and a stream that ended does not hang the caller.
DWORD GrabWaitMs(REFERENCE_TIME frameInterval)
{
    const REFERENCE_TIME fourFrames = frameInterval > 0 ? 4 * frameInterval / 10000 : 0;
    return static_cast<DWORD>(fourFrames < 500 ? 500 : (fourFrames > 2000 ? 2000 : fourFrames));
}

} // namespace

STDMETHODIMP DownScaler::GrabFrame(BYTE* buffer, LONG size, LPCWSTR path)
{
    if (!path || !*path)
        return E_POINTER;
    if (!m_grabEvent.Get())
        return E_OUTOFMEMORY;
    AutoLock serial(m_grabSerial);
    uint8_t header[scaler::kBmpHeaderBytes];
    size_t bytes = 0;
    BYTE* pixels = nullptr;
    DWORD waitMs = 0;
    {
        AutoLock lock(m_grabLock);
        // No frame yet, or none coming: nothing is written.
        if (!m_frameSeen || State() != State_Running || !m_path.Planned() ||
            !scaler::MakeBmpHeader(m_path.PictureWidth(), m_path.PictureHeight(), m_path.PictureStride(), header))
            return VFW_E_WRONG_STATE;
        bytes = m_path.PictureBytes();
        if (buffer && size > 0 && static_cast<size_t>(size) >= bytes) {
            // The next frame goes straight into the caller's scratch area.
            pixels = buffer;
        } else {
            if (m_grabPicture.size() < bytes)
                m_grabPicture.resize(bytes); // once per connection size; kept for later grabs
            pixels = m_grabPicture.data();
        }
        m_grabTarget = pixels;
        m_grabTargetBytes = bytes;
        m_grabDone = false;
        m_grabEvent.Reset();
        m_grabAsked = true;
        waitMs = GrabWaitMs(m_frameInterval);
    }
    const DWORD waited = WaitForSingleObject(m_grabEvent.Get(), waitMs);
    bool served = false;
    {
        AutoLock lock(m_grabLock);
        served = m_grabDone;
        m_grabAsked = false;
        m_grabDone = false;
        m_grabTarget = nullptr;
        m_grabTargetBytes = 0;
    }
    if (!served) {
        // Stopped or paused while waiting, or no frame within the wait.
        if (waited == WAIT_FAILED)
            return HRESULT_FROM_WIN32(GetLastError());
        return State() == State_Running ? VFW_E_TIMEOUT : VFW_E_WRONG_STATE;
    }

    HRESULT hr = S_OK;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file, header, sizeof header, &written, nullptr) && written == sizeof header;
    if (ok)
        ok = WriteFile(file, pixels, static_cast<DWORD>(bytes), &written, nullptr) && written == bytes;
    if (!ok)
        hr = HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    CloseHandle(file);
    if (FAILED(hr))
        DeleteFileW(path); // Never leave a half-written picture behind.
    return hr;
}
