// Static control wrapper.
#include "fx/Static.h"

namespace fx {

HBITMAP Static::SetBitmap(HBITMAP bitmap) const
{
    ModifyStyle(SS_TYPEMASK, SS_BITMAP);
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP Static::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

} // namespace fx
