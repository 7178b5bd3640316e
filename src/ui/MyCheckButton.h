// MyCheckButton: a picture check box of the skinned pages. The owner keeps its state in bSelected and
// sets its pictures on clicks; the mouse over an unchecked box shows the hover picture, which the owner
// takes back when the mouse moves on over the page.
#pragma once

#include "fx/BitmapButton.h"

class MyCheckButton : public fx::BitmapButton
{
public:
    BYTE bSelected = 0; // 1 while checked
    BYTE bHover = 0;    // 1 while the hover picture shows

protected:
    FX_DECLARE_MESSAGE_MAP()

private:
    void OnMouseMove(UINT keys, POINT point);
};
