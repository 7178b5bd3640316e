// Windows-free rules of media-type negotiation and video frame layout: which offered type matches a wanted
// one (null GUIDs are wildcards), and the row and image sizes of the formats the kit builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dshow {

// A GUID in the platform's memory layout, compared byte by byte.
struct GuidBytes
{
    uint8_t bytes[16];
};

bool IsNullGuid(const GuidBytes& g);
bool SameGuid(const GuidBytes& a, const GuidBytes& b);

// The three GUIDs of a media type that negotiation looks at.
struct TypeKey
{
    GuidBytes major;
    GuidBytes subtype;
    GuidBytes formatType;
};

// True when `offered` is acceptable for `wanted`: every non-null GUID of `wanted` equals the one offered.
bool KeyMatches(const TypeKey& wanted, const TypeKey& offered);

// True when `key` names a major type, subtype and format type (no wildcard), so a connection can be tried
// with it directly instead of enumerating types.
bool KeyIsComplete(const TypeKey& key);

// Uncompressed video layouts the kit knows.
enum class PixelLayout { Yuy2, Rgb24, Rgb32 };

// Bytes of one stored row: RGB rows are padded to a multiple of 4 (DIB rule), YUY2 rows hold whole pixel
// pairs. 0 for a non-positive or absurd width.
size_t RowBytes(PixelLayout layout, int width);

// Bytes of a whole frame; the height's sign (DIB row order) does not count. 0 for invalid sizes or when the
// result would not fit in 32 bits (a media type's biSizeImage).
size_t FrameBytes(PixelLayout layout, int width, int height);

// Largest width or height the kit builds formats for; bounds every size computation.
constexpr int kMaxFrameSide = 8192;

} // namespace dshow
