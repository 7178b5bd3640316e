// The background of the skinned dialogs and pages: their bitmap painted at the window's origin in its
// own size.
#pragma once

#include <windows.h>

namespace skin {

// Copies bitmap resource `bitmapId` to (0, 0) of `dc` in the bitmap's size, through a memory device
// context in the same mapping mode. False when the bitmap does not load (nothing is painted).
bool PaintSkinBackground(HDC dc, UINT bitmapId);

} // namespace skin
