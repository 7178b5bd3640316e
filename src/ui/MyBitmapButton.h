// MyBitmapButton: a picture button of the preview window and the dialogs (close, minimise, snapshot,
// record, menu and browse buttons). The mouse over it loads its hover and pressed pictures by control id;
// its owner puts the normal picture back when the mouse moves on over the owner's surface.
#pragma once

#include "fx/BitmapButton.h"
#include "ui/ButtonToolTip.h"

class MyBitmapButton : public fx::BitmapButton
{
public:
    void SetTooltipText(const wchar_t* text) { m_toolTip.SetText(Hwnd(), text); }
    std::wstring TooltipText() const { return m_toolTip.Text(Hwnd()); }

    // True while the hover pictures are loaded.
    bool IsHovered() const { return m_hover; }
    // For the owner: when the hover pictures are loaded, loads `normalId` instead, repaints and returns
    // true; otherwise does nothing.
    bool RestoreNormal(UINT normalId);

    // Set while the record button records: its hover pictures stay away.
    void SetLock(bool locked) { m_locked = locked; }
    bool IsLocked() const { return m_locked; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnMouseMove(UINT keys, POINT point);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }

    ButtonToolTip m_toolTip;
    bool m_hover = false;
    bool m_locked = false;
};
