// Picture radio button: the hover picture of a button that is not chosen; a chosen button shows its
// chosen picture again after the click.
#include "ui/MyRadioButton.h"

#include "res/resource.h"

FX_BEGIN_MESSAGE_MAP(MyRadioButton, fx::BitmapButton)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_WM_LBUTTONUP(OnLButtonUp)
FX_END_MESSAGE_MAP()

void MyRadioButton::OnMouseMove(UINT, POINT)
{
    if (bSelected == 0) {
        bHover = 1;
        LoadBitmaps(IDB_RADIO_HOVER);
        Invalidate(true);
    }
    Default();
}

void MyRadioButton::OnLButtonUp(UINT, POINT)
{
    Default();
    if (bSelected == 1) {
        LoadBitmaps(IDB_RADIO_ON);
        Invalidate(true);
    }
}
