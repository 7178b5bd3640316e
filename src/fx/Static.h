// fx::Static: a static text or picture control.
#pragma once

#include "fx/Wnd.h"

namespace fx {

class Static : public Wnd
{
public:
    // Shows `bitmap` (switching the control to a bitmap static) and returns the previous bitmap. The
    // control does not own either: the caller keeps the bitmap alive while it is shown.
    HBITMAP SetBitmap(HBITMAP bitmap) const;
    HBITMAP GetBitmap() const;
};

} // namespace fx
