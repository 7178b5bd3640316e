// The camera's stream configuration (see CameraFormat.h).
#include "capture/CameraFormat.h"

#include "dshow/MediaType.h"

#include <vector>

namespace {

// A media type handed out by the camera, freed whatever path the caller takes.
class CameraMediaType
{
public:
    ~CameraMediaType() { dshow::DeleteMediaType(m_type); }
    AM_MEDIA_TYPE** Put()
    {
        dshow::DeleteMediaType(m_type);
        m_type = nullptr;
        return &m_type;
    }
    AM_MEDIA_TYPE* Get() const { return m_type; }
    VIDEOINFOHEADER* VideoInfo() const
    {
        if (!m_type || m_type->formattype != FORMAT_VideoInfo || !m_type->pbFormat ||
            m_type->cbFormat < sizeof(VIDEOINFOHEADER))
            return nullptr;
        return reinterpret_cast<VIDEOINFOHEADER*>(m_type->pbFormat);
    }

private:
    AM_MEDIA_TYPE* m_type = nullptr;
};

} // namespace

bool CameraOffersSSVGA(IAMStreamConfig* config)
{
    if (!config)
        return false;
    int count = 0, size = 0;
    if (FAILED(config->GetNumberOfCapabilities(&count, &size)) || count <= 0 || size <= 0)
        return false;
    std::vector<BYTE> caps(static_cast<size_t>(size));
    bool offers = false;
    for (int i = 0; i < count; ++i) {
        CameraMediaType type;
        if (FAILED(config->GetStreamCaps(i, type.Put(), caps.data())) || !type.Get())
            continue;
        if (const VIDEOINFOHEADER* info = type.VideoInfo())
            offers = offers || FormatOffersSSVGA(info->bmiHeader.biWidth, info->bmiHeader.biHeight);
    }
    return offers;
}

HRESULT SetCameraFormat(IAMStreamConfig* config, const StreamFormat& format, const std::function<void()>& beforeSet)
{
    if (!config)
        return E_POINTER;
    CameraMediaType type;
    if (config->GetFormat(type.Put()) != S_OK || !type.Get())
        return S_FALSE;
    VIDEOINFOHEADER* info = type.VideoInfo();
    if (!info)
        return S_FALSE;
    info->AvgTimePerFrame = format.avgTimePerFrame;
    info->bmiHeader.biWidth = format.width;
    info->bmiHeader.biHeight = format.height;
    info->bmiHeader.biSizeImage = format.sizeImage;
    type.Get()->subtype = format.subtype == CameraSubtype::Mjpg ? MEDIASUBTYPE_MJPG : MEDIASUBTYPE_YUY2;
    if (beforeSet)
        beforeSet();
    return config->SetFormat(type.Get());
}
