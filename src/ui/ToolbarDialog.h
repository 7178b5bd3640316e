// ToolbarDialog: the base of the toolbar's two modeless working dialogs, Properties and Setting. It paints the
// skinned background (bitmap 163), draws the close button, and on closing tells the toolbar that made it,
// which then forgets its pointer and flag. Each dialog adds its pages and buttons.
#pragma once

#include "ui/MyBitmapButton.h"
#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "settings/ToolbarLink.h"

class ToolbarDialog : public fx::Dialog
{
public:
    // titleKey names the title's text in the language file; the key is also its English default.
    ToolbarDialog(UINT templateId, UINT titleId, const wchar_t* titleKey, UINT closeButtonId, ToolbarLink* toolbar);

    // The close action: the dialog goes and the toolbar forgets it.
    void OnBnClickedClose();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { OnBnClickedClose(); }
    void PostNcDestroy() override;
    // Tells the toolbar this dialog is gone (Properties or Setting).
    virtual void ForgetInToolbar() = 0;

    ToolbarLink* Toolbar() const { return m_toolbar; }

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT keys, POINT point);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);

    ToolbarLink* m_toolbar;
    UINT m_titleId;
    const wchar_t* m_titleKey;
    UINT m_closeButtonId;
    fx::Bitmap m_background;
    MyBitmapButton m_btnClose;
};
