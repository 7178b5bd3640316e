// ORRIN_CAM_ABOUTDlg: the skinned About box (template 283): a picture with "Version Information" and the
// program's file version. It closes as soon as the user clicks it or activates another window.
#pragma once

#include "fx/Dialog.h"
#include "fx/Gdi.h"

class ORRIN_CAM_ABOUTDlg : public fx::Dialog
{
public:
    ORRIN_CAM_ABOUTDlg();

    // The second line: "UVC " and the version text, or empty without a version.
    static std::wstring VersionLine(const std::wstring& version);

protected:
    BOOL OnInitDialog() override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    void OnLButtonDown(UINT, POINT) { EndDialog(1); }
    LRESULT OnActivate(WPARAM wParam, LPARAM);
    void OnHide();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);

    fx::Bitmap m_background;
    fx::Font m_font;
    COLORREF m_textColour = RGB(0x55, 0x55, 0x55);
};
