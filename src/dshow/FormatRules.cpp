// Media-type matching and frame sizes.
#include "dshow/FormatRules.h"

#include <cstring>

namespace dshow {

bool IsNullGuid(const GuidBytes& g)
{
    for (uint8_t b : g.bytes) {
        if (b != 0)
            return false;
    }
    return true;
}

bool SameGuid(const GuidBytes& a, const GuidBytes& b)
{
    return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

static bool FieldMatches(const GuidBytes& wanted, const GuidBytes& offered)
{
    return IsNullGuid(wanted) || SameGuid(wanted, offered);
}

bool KeyMatches(const TypeKey& wanted, const TypeKey& offered)
{
    return FieldMatches(wanted.major, offered.major) && FieldMatches(wanted.subtype, offered.subtype) &&
           FieldMatches(wanted.formatType, offered.formatType);
}

bool KeyIsComplete(const TypeKey& key)
{
    return !IsNullGuid(key.major) && !IsNullGuid(key.subtype) && !IsNullGuid(key.formatType);
}

size_t RowBytes(PixelLayout layout, int width)
{
    if (width <= 0 || width > kMaxFrameSide)
        return 0;
    const size_t w = static_cast<size_t>(width);
    switch (layout) {
    case PixelLayout::Yuy2:
        return ((w + 1) / 2) * 4;
    case PixelLayout::Rgb24:
        return (w * 3 + 3) & ~static_cast<size_t>(3);
    case PixelLayout::Rgb32:
        return w * 4;
    }
    return 0;
}

size_t FrameBytes(PixelLayout layout, int width, int height)
{
    if (height == 0 || height < -kMaxFrameSide || height > kMaxFrameSide)
        return 0;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    const size_t total = RowBytes(layout, width) * rows;
    return total > 0xFFFFFFFFu ? 0 : total;
}

} // namespace dshow
