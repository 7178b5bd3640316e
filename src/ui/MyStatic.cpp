// See-through static text.
#include "ui/MyStatic.h"

FX_BEGIN_MESSAGE_MAP(MyStatic, fx::Static)
FX_ON_REFLECT_CTLCOLOR(CtlColor)
FX_END_MESSAGE_MAP()

HBRUSH MyStatic::CtlColor(HDC dc, UINT)
{
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
