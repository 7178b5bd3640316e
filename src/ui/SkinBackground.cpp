#include "ui/SkinBackground.h"

#include "fx/Gdi.h"

namespace skin {

bool PaintSkinBackground(HDC dc, UINT bitmapId)
{
    fx::Bitmap background;
    if (!dc || !background.Load(bitmapId))
        return false;
    const SIZE size = background.Size();
    fx::MemoryDC memory(dc);
    if (!memory.Get())
        return false;
    SetMapMode(memory, GetMapMode(dc));
    fx::SelectObjectGuard select(memory, background);
    return select.Selected() && BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY) != FALSE;
}

} // namespace skin
