// Media-type helpers.
#include "dshow/MediaType.h"

#include <cstring>

namespace dshow {

void FreeMediaType(AM_MEDIA_TYPE& mt)
{
    if (mt.pbFormat)
        CoTaskMemFree(mt.pbFormat);
    mt.pbFormat = nullptr;
    mt.cbFormat = 0;
    mt.formattype = GUID_NULL;
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return;
    FreeMediaType(*mt);
    CoTaskMemFree(mt);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src)
{
    if (!dst || !src)
        return E_POINTER;
    *dst = *src;
    if (src->cbFormat && src->pbFormat) {
        dst->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src->cbFormat));
        if (!dst->pbFormat) {
            std::memset(dst, 0, sizeof *dst);
            return E_OUTOFMEMORY;
        }
        std::memcpy(dst->pbFormat, src->pbFormat, src->cbFormat);
    } else {
        dst->pbFormat = nullptr;
        dst->cbFormat = 0;
    }
    if (dst->pUnk)
        dst->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src)
{
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!mt)
        return nullptr;
    if (FAILED(CopyMediaType(mt, src))) {
        CoTaskMemFree(mt);
        return nullptr;
    }
    return mt;
}

static GuidBytes BytesOf(const GUID& g)
{
    GuidBytes b;
    static_assert(sizeof b.bytes == sizeof(GUID), "GUID layout");
    std::memcpy(b.bytes, &g, sizeof b.bytes);
    return b;
}

TypeKey KeyOf(const AM_MEDIA_TYPE& mt)
{
    return TypeKey{BytesOf(mt.majortype), BytesOf(mt.subtype), BytesOf(mt.formattype)};
}

bool MediaTypeMatches(const AM_MEDIA_TYPE& wanted, const AM_MEDIA_TYPE& offered)
{
    return KeyMatches(KeyOf(wanted), KeyOf(offered));
}

bool MediaTypeIsComplete(const AM_MEDIA_TYPE& mt)
{
    return KeyIsComplete(KeyOf(mt));
}

bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    if (!IsEqualGUID(a.majortype, b.majortype) || !IsEqualGUID(a.subtype, b.subtype) ||
        !IsEqualGUID(a.formattype, b.formattype) || a.cbFormat != b.cbFormat)
        return false;
    if (a.cbFormat == 0)
        return true;
    if (!a.pbFormat || !b.pbFormat)
        return a.pbFormat == b.pbFormat;
    return std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& mt)
{
    if (!IsEqualGUID(mt.formattype, FORMAT_VideoInfo) || mt.cbFormat < sizeof(VIDEOINFOHEADER) || !mt.pbFormat)
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
}

const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& mt)
{
    if (!IsEqualGUID(mt.formattype, FORMAT_WaveFormatEx) || mt.cbFormat < sizeof(WAVEFORMATEX) || !mt.pbFormat)
        return nullptr;
    return reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat);
}

MediaType::MediaType()
{
    std::memset(&m_mt, 0, sizeof m_mt);
}

MediaType::MediaType(const MediaType& other) : MediaType()
{
    (void)Set(other.m_mt); // An allocation failure leaves an empty type, which every user checks.
}

MediaType& MediaType::operator=(const MediaType& other)
{
    if (this != &other)
        (void)Set(other.m_mt);
    return *this;
}

MediaType::~MediaType()
{
    FreeMediaType(m_mt);
}

HRESULT MediaType::Set(const AM_MEDIA_TYPE& mt)
{
    AM_MEDIA_TYPE copy;
    HRESULT hr = CopyMediaType(&copy, &mt);
    if (FAILED(hr))
        return hr;
    FreeMediaType(m_mt);
    m_mt = copy;
    return S_OK;
}

void MediaType::Clear()
{
    FreeMediaType(m_mt);
    std::memset(&m_mt, 0, sizeof m_mt);
}

bool MediaType::IsEmpty() const
{
    return IsEqualGUID(m_mt.majortype, GUID_NULL);
}

BYTE* MediaType::AllocFormat(const GUID& formatType, ULONG size)
{
    FreeMediaType(m_mt);
    m_mt.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!m_mt.pbFormat)
        return nullptr;
    std::memset(m_mt.pbFormat, 0, size);
    m_mt.cbFormat = size;
    m_mt.formattype = formatType;
    return m_mt.pbFormat;
}

const GUID& SubtypeOf(PixelLayout layout)
{
    switch (layout) {
    case PixelLayout::Yuy2:
        return MEDIASUBTYPE_YUY2;
    case PixelLayout::Rgb24:
        return MEDIASUBTYPE_RGB24;
    case PixelLayout::Rgb32:
        return MEDIASUBTYPE_RGB32;
    }
    return GUID_NULL;
}

bool LayoutOfSubtype(const GUID& subtype, PixelLayout* layout)
{
    static const PixelLayout kLayouts[] = {PixelLayout::Yuy2, PixelLayout::Rgb24, PixelLayout::Rgb32};
    for (PixelLayout l : kLayouts) {
        if (IsEqualGUID(subtype, SubtypeOf(l))) {
            if (layout)
                *layout = l;
            return true;
        }
    }
    return false;
}

static VIDEOINFOHEADER* StartVideoType(MediaType& out, const GUID& subtype, int width, int height,
                                       REFERENCE_TIME avgTimePerFrame)
{
    out.Clear();
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(out.AllocFormat(FORMAT_VideoInfo, sizeof(VIDEOINFOHEADER)));
    if (!vih)
        return nullptr;
    AM_MEDIA_TYPE& mt = out.Get();
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = subtype;
    vih->AvgTimePerFrame = avgTimePerFrame;
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biPlanes = 1;
    return vih;
}

HRESULT BuildVideoType(MediaType& out, PixelLayout layout, int width, int height, REFERENCE_TIME avgTimePerFrame)
{
    if (layout == PixelLayout::Yuy2 && height < 0)
        height = -height;
    const size_t bytes = FrameBytes(layout, width, height);
    if (bytes == 0)
        return E_INVALIDARG;
    VIDEOINFOHEADER* vih = StartVideoType(out, SubtypeOf(layout), width, height, avgTimePerFrame);
    if (!vih)
        return E_OUTOFMEMORY;
    BITMAPINFOHEADER& bih = vih->bmiHeader;
    switch (layout) {
    case PixelLayout::Yuy2:
        bih.biBitCount = 16;
        bih.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
        break;
    case PixelLayout::Rgb24:
        bih.biBitCount = 24;
        bih.biCompression = BI_RGB;
        break;
    case PixelLayout::Rgb32:
        bih.biBitCount = 32;
        bih.biCompression = BI_RGB;
        break;
    }
    bih.biSizeImage = static_cast<DWORD>(bytes);
    if (avgTimePerFrame > 0)
        vih->dwBitRate = static_cast<DWORD>(bytes * 8 * (10000000.0 / static_cast<double>(avgTimePerFrame)));
    AM_MEDIA_TYPE& mt = out.Get();
    mt.bFixedSizeSamples = TRUE;
    mt.bTemporalCompression = FALSE;
    mt.lSampleSize = bih.biSizeImage;
    return S_OK;
}

HRESULT BuildMjpgType(MediaType& out, int width, int height, REFERENCE_TIME avgTimePerFrame, ULONG maxBytes)
{
    if (width <= 0 || height <= 0 || width > kMaxFrameSide || height > kMaxFrameSide)
        return E_INVALIDARG;
    VIDEOINFOHEADER* vih = StartVideoType(out, MEDIASUBTYPE_MJPG, width, height, avgTimePerFrame);
    if (!vih)
        return E_OUTOFMEMORY;
    vih->bmiHeader.biBitCount = 24;
    vih->bmiHeader.biCompression = MAKEFOURCC('M', 'J', 'P', 'G');
    vih->bmiHeader.biSizeImage = maxBytes ? maxBytes : static_cast<DWORD>(width) * static_cast<DWORD>(height) * 2;
    AM_MEDIA_TYPE& mt = out.Get();
    mt.bFixedSizeSamples = FALSE;
    mt.bTemporalCompression = FALSE;
    mt.lSampleSize = vih->bmiHeader.biSizeImage;
    return S_OK;
}

HRESULT BuildWaveType(MediaType& out, DWORD samplesPerSec, WORD channels, WORD bitsPerSample)
{
    if (samplesPerSec == 0 || channels == 0 || (bitsPerSample != 8 && bitsPerSample != 16))
        return E_INVALIDARG;
    out.Clear();
    auto* wfx = reinterpret_cast<WAVEFORMATEX*>(out.AllocFormat(FORMAT_WaveFormatEx, sizeof(WAVEFORMATEX)));
    if (!wfx)
        return E_OUTOFMEMORY;
    wfx->wFormatTag = WAVE_FORMAT_PCM;
    wfx->nChannels = channels;
    wfx->nSamplesPerSec = samplesPerSec;
    wfx->wBitsPerSample = bitsPerSample;
    wfx->nBlockAlign = static_cast<WORD>(channels * bitsPerSample / 8);
    wfx->nAvgBytesPerSec = samplesPerSec * wfx->nBlockAlign;
    wfx->cbSize = 0;
    AM_MEDIA_TYPE& mt = out.Get();
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = MEDIASUBTYPE_PCM;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = wfx->nBlockAlign;
    return S_OK;
}

} // namespace dshow
