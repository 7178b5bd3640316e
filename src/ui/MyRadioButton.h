// MyRadioButton: a picture radio button of the skinned pages. The owner keeps its state in bSelected and
// sets its pictures on clicks; the mouse over a button that is not chosen shows the hover picture, which
// the owner takes back when the mouse moves on over the page.
#pragma once

#include "fx/BitmapButton.h"

class MyRadioButton : public fx::BitmapButton
{
public:
    BYTE bSelected = 0; // 1 while chosen
    BYTE bHover = 0;    // 1 while the hover picture shows

protected:
    FX_DECLARE_MESSAGE_MAP()

private:
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
};
