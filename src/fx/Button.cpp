// Button control wrapper.
#include "fx/Button.h"

namespace fx {

FX_BEGIN_MESSAGE_MAP(Button, Wnd)
FX_ON_REFLECT_DRAWITEM(OnReflectedDrawItem)
FX_END_MESSAGE_MAP()

int Button::GetCheck() const
{
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void Button::SetCheck(int check) const
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT Button::GetState() const
{
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

UINT Button::GetButtonStyle() const
{
    return GetStyle() & 0xFFFFu;
}

void Button::SetButtonStyle(UINT style, bool redraw) const
{
    SendMessage(BM_SETSTYLE, style, redraw ? TRUE : FALSE);
}

void Button::DrawItem(DRAWITEMSTRUCT&) {}

} // namespace fx
