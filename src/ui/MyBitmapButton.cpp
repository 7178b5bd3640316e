// Picture button: hover pictures by control id, the record button's lock, the tooltip.
#include "ui/MyBitmapButton.h"

#include "ui/ButtonPictures.h"

FX_BEGIN_MESSAGE_MAP(MyBitmapButton, fx::BitmapButton)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_END_MESSAGE_MAP()

LRESULT MyBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE)
        m_toolTip.Relay(Hwnd(), message, wParam, lParam);
    return fx::BitmapButton::WindowProc(message, wParam, lParam);
}

void MyBitmapButton::OnMouseMove(UINT, POINT)
{
    skin::HoverPictures pictures = {};
    if (!m_hover && skin::HoverPicturesFor(GetDlgCtrlID(), m_locked, pictures)) {
        LoadBitmaps(pictures.hover, pictures.pressed);
        m_hover = true;
        Invalidate(true);
    }
    Default();
}

bool MyBitmapButton::RestoreNormal(UINT normalId)
{
    if (!m_hover)
        return false;
    m_hover = false;
    LoadBitmaps(normalId);
    Invalidate(true);
    return true;
}
