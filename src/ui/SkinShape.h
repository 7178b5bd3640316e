// Win32 side of the skin outlines: reads a bitmap's pixels and turns its outline into a window region;
// cuts the skinned dialogs to their background's outline.
#pragma once

#include "ui/SkinOutline.h"

#include <windows.h>

namespace skin {

enum class OutlineKind { Full, Dialog };

// The region of the bitmap resource `bitmapId`'s outline, or null when the bitmap does not load.
// The caller owns the region (SetWindowRgn takes it over).
HRGN CreateOutlineRegion(UINT bitmapId, OutlineKind kind);
// The same for a bitmap already loaded (24-bit or any format GetDIBits converts).
HRGN CreateOutlineRegion(HBITMAP bitmap, OutlineKind kind);

// Cuts a skinned dialog to the outline of its background bitmap and redraws it. A bitmap that does not
// load shows the "Error loading bitmap" box, owned by the dialog, and leaves the window as it was.
bool ApplyDialogOutline(HWND dialog, UINT bitmapId);

} // namespace skin
