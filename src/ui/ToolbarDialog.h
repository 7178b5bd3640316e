// ToolbarDialog: the base of the toolbar's two modeless working dialogs, Properties and Setting. It gives them
// their common face and behaviour: the skinned background (bitmap 163) and outline, dragging by the body, the
// title, the close button, the Default, OK, Cancel and Apply buttons, the tab buttons that each show one page in
// the page area (also by Alt and the tab's letter), and the toolbar's word when the dialog goes. Each dialog
// adds its pages and what its buttons do.
#pragma once

#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "settings/ToolbarLink.h"
#include "ui/ImageTextButton.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyStatic.h"

class SkinPage;

// The control ids and texts that make one dialog of this kind.
struct ToolbarDialogParts
{
    struct Tab
    {
        UINT id;
        const wchar_t* key; // also the English default
        UINT altKey;        // the virtual key that chooses the tab with Alt
    };
    static constexpr int kMaxTabs = 3;

    UINT templateId;
    UINT titleId;
    const wchar_t* titleKey; // also the English default
    UINT closeId;
    UINT pageAreaId;
    UINT defaultId, okId, cancelId, applyId;
    int buttonTop; // y of the four buttons
    Tab tabs[kMaxTabs];
    int tabCount;
};

class ToolbarDialog : public fx::Dialog
{
public:
    ToolbarDialog(const ToolbarDialogParts& parts, ToolbarLink* toolbar);

    // The close action (close button, Escape, the toolbar's button pressed again, the toolbar's exit): the
    // dialog's Cancel.
    void OnBnClickedClose() { OnCancelButton(); }
    // Enter and Escape on a page.
    void OnPageOK() { OnOKButton(); }
    void OnPageCancel() { OnCancelButton(); }
    // Alt and a tab's letter, pressed in the dialog or on any of its pages: shows that tab's page. True when the
    // key was a tab's.
    bool ChooseTabByKey(const MSG& msg);
    // The window the pages are children of.
    HWND PageArea() const { return GetDlgItem(m_parts.pageAreaId); }
    // The tab whose page shows.
    int ShownTab() const { return m_shownTab; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { OnOKButton(); }
    void OnCancel() override { OnCancelButton(); }
    bool PreTranslateMessage(MSG& msg) override;
    void PostNcDestroy() override;

    // Tells the toolbar this dialog is gone (Properties or Setting).
    virtual void ForgetInToolbar() = 0;
    virtual void OnDefaultButton() = 0;
    virtual void OnOKButton() = 0;
    virtual void OnCancelButton() = 0;
    virtual void OnApplyButton() = 0;

    // Creates the page of tab `index` in the page area (hidden until its tab is shown). False when it failed.
    bool AddPage(int index, SkinPage& page);
    // Shows the page of tab `index`, hides the others; the chosen tab is drawn chosen and disabled.
    void ShowTab(int index);
    // Ends the dialog; the toolbar forgets it first.
    void Close();

    ToolbarLink* Toolbar() const { return m_toolbar; }

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonDown(UINT keys, POINT point);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    ToolbarDialogParts m_parts;
    ToolbarLink* m_toolbar;
    MyBitmapButton m_btnClose;
    MyStatic m_title;
    CImageTextButton m_btnDefault, m_btnOK, m_btnCancel, m_btnApply;
    CImageTextButton m_tabs[ToolbarDialogParts::kMaxTabs];
    SkinPage* m_pages[ToolbarDialogParts::kMaxTabs] = {};
    int m_shownTab = -1;
    fx::Font m_titleFont;
    fx::Font m_buttonFont;
    bool m_forgotten = false;
};
