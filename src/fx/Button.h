// fx::Button: a push, check or radio button control; owner-drawn buttons draw in DrawItem, which the
// parent's WM_DRAWITEM reaches through reflection.
#pragma once

#include "fx/Wnd.h"

namespace fx {

class Button : public Wnd
{
public:
    int GetCheck() const;
    void SetCheck(int check) const;
    // BM_GETSTATE bits (BST_PUSHED, BST_FOCUS, BST_CHECKED...).
    UINT GetState() const;
    // The BS_* style bits of the button.
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, bool redraw = true) const;

protected:
    // Draws an owner-drawn button; nothing by default.
    virtual void DrawItem(DRAWITEMSTRUCT& item);

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnReflectedDrawItem(DRAWITEMSTRUCT& item) { DrawItem(item); }
};

} // namespace fx
