// Trackbar control wrapper.
#include "fx/SliderCtrl.h"

#include <commctrl.h>

namespace fx {

void SliderCtrl::SetRange(int minimum, int maximum, bool redraw) const
{
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw ? TRUE : FALSE, maximum);
    // Some trackbars (Wine's) place the thumb anew only when the position changes: a position that keeps its
    // number in the new range would stay where the old range put it. Moving it away and back places it.
    const int position = GetPos();
    if (minimum != maximum) {
        SendMessage(TBM_SETPOS, TRUE, position == minimum ? maximum : minimum);
        SendMessage(TBM_SETPOS, TRUE, position);
    }
}

int SliderCtrl::GetRangeMin() const
{
    return static_cast<int>(SendMessage(TBM_GETRANGEMIN));
}

int SliderCtrl::GetRangeMax() const
{
    return static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

void SliderCtrl::SetPos(int position) const
{
    SendMessage(TBM_SETPOS, TRUE, position);
}

int SliderCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(TBM_GETPOS));
}

void SliderCtrl::SetLineSize(int size) const
{
    SendMessage(TBM_SETLINESIZE, 0, size);
}

void SliderCtrl::SetPageSize(int size) const
{
    SendMessage(TBM_SETPAGESIZE, 0, size);
}

RECT SliderCtrl::GetThumbRect() const
{
    RECT rect = {};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

RECT SliderCtrl::GetChannelRect() const
{
    RECT rect = {};
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

} // namespace fx
