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
    kernels::FrameGeometry g;
    g.width = outInfo->bmiHeader.biWidth;
    g.height = outInfo->bmiHeader.biHeight;
    g.srcHeight = inInfo->bmiHeader.biHeight < 0 ? -inInfo->bmiHeader.biHeight : inInfo->bmiHeader.biHeight;
    g.srcStride = static_cast<ptrdiff_t>(dshow::RowBytes(layout, inInfo->bmiHeader.biWidth));
    g.dstStride = static_cast<ptrdiff_t>(dshow::RowBytes(PixelLayout::Rgb24, g.width));
    // RGB24 with a positive height is stored bottom-up; YUY2 is always stored top-down.
    g.srcBottomUp = layout == PixelLayout::Rgb24 && inInfo->bmiHeader.biHeight > 0;
    g.dstBottomUp = true;
    const size_t bytes = dshow::FrameBytes(PixelLayout::Rgb24, g.width, g.height);
    if (bytes == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    AutoLock lock(m_frameLock);
    // The newest-frame picture is sized once per connection; streaming never allocates.
    m_newest.assign(bytes, 0);
    m_haveFrame = false;
    m_geometry = g;
    m_frameBytes = bytes;
    m_inputYuy2 = layout == PixelLayout::Yuy2;
    m_outputLayout = outLayout;
    m_sampleStride = dshow::RowBytes(outLayout, g.width);
    m_sampleTopDown = false;
    return S_OK;
}

void DownScaler::OnOutputDisconnected()
{
    AutoLock lock(m_frameLock);
    m_newest.clear();
    m_newest.shrink_to_fit();
    m_haveFrame = false;
    m_frameBytes = 0;
}

HRESULT DownScaler::OnPause(FILTER_STATE from)
{
    if (from == State_Stopped)
        m_hold.Restart();
    return S_OK;
}

bool DownScaler::ConvertFrame(const BYTE* src, size_t srcBytes)
{
    kernels::FrameGeometry g = m_geometry;
    const int orientation = m_orientation.load();
    g.mirror = (orientation & kOrientationMirror) != 0;
    g.flip = (orientation & kOrientationFlip) != 0;
    AutoLock lock(m_frameLock);
    if (m_newest.size() < m_frameBytes || m_frameBytes == 0)
        return false;
    const bool ok = m_inputYuy2 ? kernels::ConvertYuy2ToRgb24(src, srcBytes, m_newest.data(), m_frameBytes, g)
                                : kernels::ConvertRgb24ToRgb24(src, srcBytes, m_newest.data(), m_frameBytes, g);
    if (ok)
        m_haveFrame = true;
    return ok;
}

HRESULT DownScaler::CopyToSample(IMediaSample* out)
{
    BYTE* dst = nullptr;
    HRESULT hr = out->GetPointer(&dst);
    if (FAILED(hr))
        return hr;
    const long capacity = out->GetSize();
    const int width = m_geometry.width;
    const int height = m_geometry.height;
    const PixelLayout layout = m_outputLayout;
    // A renderer whose buffers have another row pitch or order (a Direct3D surface) says so by a media
    // type on one sample; that layout holds for every later sample of the connection.
    AM_MEDIA_TYPE* changed = nullptr;
    if (out->GetMediaType(&changed) == S_OK && changed) {
        const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*changed);
        const bool usable = vih && IsEqualGUID(changed->subtype, dshow::SubtypeOf(layout)) &&
                            vih->bmiHeader.biWidth >= width &&
                            (vih->bmiHeader.biHeight == height || vih->bmiHeader.biHeight == -height);
        if (usable) {
            m_sampleStride = dshow::RowBytes(layout, vih->bmiHeader.biWidth);
            m_sampleTopDown = vih->bmiHeader.biHeight < 0;
        }
        dshow::DeleteMediaType(changed);
        if (!usable)
            return VFW_E_INVALIDMEDIATYPE;
    }
    const size_t stride = m_sampleStride;
    const bool topDown = m_sampleTopDown;
    const size_t rowBytes = static_cast<size_t>(width) * (layout == PixelLayout::Rgb32 ? 4 : 3);
    const size_t ownStride = static_cast<size_t>(m_geometry.dstStride);
    const size_t needed = stride * static_cast<size_t>(height);
    if (stride < rowBytes || capacity < 0 || static_cast<size_t>(capacity) < needed)
        return VFW_E_BUFFER_OVERFLOW;
    AutoLock lock(m_frameLock);
    if (layout == PixelLayout::Rgb24 && stride == ownStride && !topDown) {
        std::memcpy(dst, m_newest.data(), m_frameBytes);
    } else {
        for (int row = 0; row < height; ++row) {
            const BYTE* from = m_newest.data() + static_cast<size_t>(row) * ownStride;
            BYTE* to = dst + static_cast<size_t>(topDown ? height - 1 - row : row) * stride;
            if (layout == PixelLayout::Rgb32)
                kernels::Rgb24RowToRgb32(from, to, width);
            else
                std::memcpy(to, from, rowBytes);
        }
    }
    return out->SetActualDataLength(static_cast<long>(needed));
}

HRESULT DownScaler::Receive(IMediaSample* in)
{
    BYTE* src = nullptr;
    HRESULT hr = in->GetPointer(&src);
    if (FAILED(hr))
        return hr;
    const long length = in->GetActualDataLength();
    // A short or damaged camera frame is skipped; the stream goes on with the next one.
    if (length <= 0 || !ConvertFrame(src, static_cast<size_t>(length)))
        return S_OK;

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
    hr = CopyToSample(out.Get());
    if (FAILED(hr))
        return hr;
    return Output().Deliver(out.Get());
}

STDMETHODIMP DownScaler::GrabFrame(BYTE* buffer, LONG size, LPCWSTR path)
{
    if (!path || !*path)
        return E_POINTER;
    uint8_t header[scaler::kBmpHeaderBytes];
    const BYTE* pixels = nullptr;
    size_t bytes = 0;
    m_frameLock.Enter();
    if (!m_haveFrame || m_frameBytes == 0 ||
        !scaler::MakeBmpHeader(m_geometry.width, m_geometry.height, static_cast<size_t>(m_geometry.dstStride),
                               header)) {
        m_frameLock.Leave();
        return VFW_E_WRONG_STATE; // No frame yet: nothing is written.
    }
    bytes = m_frameBytes;
    const bool intoBuffer = buffer && size > 0 && static_cast<size_t>(size) >= bytes;
    if (intoBuffer) {
        // The caller's scratch copy frees the streaming thread before the file is written.
        std::memcpy(buffer, m_newest.data(), bytes);
        pixels = buffer;
        m_frameLock.Leave();
    } else {
        pixels = m_newest.data();
    }

    HRESULT hr = S_OK;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        hr = HRESULT_FROM_WIN32(GetLastError());
    } else {
        DWORD written = 0;
        BOOL ok = WriteFile(file, header, sizeof header, &written, nullptr) && written == sizeof header;
        if (ok)
            ok = WriteFile(file, pixels, static_cast<DWORD>(bytes), &written, nullptr) && written == bytes;
        if (!ok)
            hr = HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
        CloseHandle(file);
        if (FAILED(hr))
            DeleteFileW(path); // Never leave a half-written picture behind.
    }
    if (!intoBuffer)
        m_frameLock.Leave();
    return hr;
}
