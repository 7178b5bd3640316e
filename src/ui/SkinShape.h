// Win32 side of the skin outlines: reads a bitmap resource's pixels and turns its outline into a
// window region.
#pragma once

#include "ui/SkinOutline.h"

#include <windows.h>

namespace skin {

enum class OutlineKind { Full, Dialog };

// The region of the bitmap resource `bitmapId`'s outline, or null when the bitmap does not load.
// The caller owns the region (SetWindowRgn takes it over).
HRGN CreateOutlineRegion(UINT bitmapId, OutlineKind kind);

} // namespace skin
