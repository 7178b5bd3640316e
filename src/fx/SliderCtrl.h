// fx::SliderCtrl: a trackbar control.
#pragma once

#include "fx/Wnd.h"

namespace fx {

class SliderCtrl : public Wnd
{
public:
    void SetRange(int minimum, int maximum, bool redraw = true) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int position) const;
    int GetPos() const;
    void SetLineSize(int size) const;
    void SetPageSize(int size) const;
    RECT GetThumbRect() const;
    RECT GetChannelRect() const;
};

} // namespace fx
