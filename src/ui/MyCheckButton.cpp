// Picture check box: the hover picture of an unchecked box.
#include "ui/MyCheckButton.h"

#include "res/resource.h"

FX_BEGIN_MESSAGE_MAP(MyCheckButton, fx::BitmapButton)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

void MyCheckButton::OnMouseMove(UINT, POINT)
{
    // A checked box keeps its picture under the mouse.
    if (bSelected == 0) {
        bHover = 1;
        LoadBitmaps(IDB_CHECK_HOVER);
        Invalidate(true);
    }
    Default();
}
