// Media-type helpers: an owning AM_MEDIA_TYPE, copy/free/compare, and builders for the video (YUY2, RGB24,
// MJPG) and audio (PCM) types the camera graphs use.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "dshow/FormatRules.h"

namespace dshow {

// Frees what an AM_MEDIA_TYPE points to (format block, pUnk) and empties it; the struct itself stays.
void FreeMediaType(AM_MEDIA_TYPE& mt);
// Frees a media type allocated with CoTaskMemAlloc, as handed out by IEnumMediaTypes::Next.
void DeleteMediaType(AM_MEDIA_TYPE* mt);
// Deep copy into an empty dst (dst is overwritten, not freed). E_OUTOFMEMORY leaves dst empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src);
// Deep copy into CoTaskMemAlloc'd memory, or nullptr.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src);

TypeKey KeyOf(const AM_MEDIA_TYPE& mt);
// Wildcard match: null GUIDs in `wanted` accept anything.
bool MediaTypeMatches(const AM_MEDIA_TYPE& wanted, const AM_MEDIA_TYPE& offered);
// Major type, subtype and format type all given.
bool MediaTypeIsComplete(const AM_MEDIA_TYPE& mt);
// Same GUIDs and byte-identical format blocks.
bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// The VIDEOINFOHEADER of a media type when it really has one (format type, size and pointer checked).
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& mt);
// The WAVEFORMATEX of a media type when it really has one.
const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& mt);

// Owning AM_MEDIA_TYPE.
class MediaType
{
public:
    MediaType();
    MediaType(const MediaType& other);
    MediaType& operator=(const MediaType& other);
    ~MediaType();

    HRESULT Set(const AM_MEDIA_TYPE& mt);
    void Clear();
    bool IsEmpty() const;
    // Allocates a zeroed format block of `size` bytes of the given format type; returns it or nullptr.
    BYTE* AllocFormat(const GUID& formatType, ULONG size);

    AM_MEDIA_TYPE& Get() { return m_mt; }
    const AM_MEDIA_TYPE& Get() const { return m_mt; }
    const AM_MEDIA_TYPE* operator->() const { return &m_mt; }

private:
    AM_MEDIA_TYPE m_mt;
};

// Uncompressed video type. For RGB a negative height means top-down rows; YUY2 is always top-down and
// takes the height's absolute value. avgTimePerFrame in 100 ns units (0: not given).
HRESULT BuildVideoType(MediaType& out, PixelLayout layout, int width, int height, REFERENCE_TIME avgTimePerFrame);
// Motion-JPEG video type of the given size; maxBytes bounds a compressed frame (0: width * height * 2).
HRESULT BuildMjpgType(MediaType& out, int width, int height, REFERENCE_TIME avgTimePerFrame, ULONG maxBytes = 0);
// PCM audio type.
HRESULT BuildWaveType(MediaType& out, DWORD samplesPerSec, WORD channels, WORD bitsPerSample);

const GUID& SubtypeOf(PixelLayout layout);
// Layout of an uncompressed video subtype; false for any other subtype.
bool LayoutOfSubtype(const GUID& subtype, PixelLayout* layout);

} // namespace dshow
