// SkinPage: a page of the Properties or Setting dialog, a child dialog in the dialog's page area. It paints its
// background bitmap, answers its labels' colour requests with the page colours, hands Enter and Escape to the
// dialog's OK and Cancel, and lets the dialog see its tab keys (Alt+letter) before any control does.
#pragma once

#include "fx/Dialog.h"
#include "fx/Gdi.h"

class ToolbarDialog;

class SkinPage : public fx::Dialog
{
public:
    // The pages' size in the page area.
    static constexpr int kWidth = 271;
    static constexpr int kHeight = 307;
    // Label colours of every page: white text on the page's own colour; grey for labels of what cannot act.
    static constexpr COLORREF kLabelText = RGB(0xFF, 0xFF, 0xFF);
    static constexpr COLORREF kLabelGrey = RGB(0x41, 0x41, 0x41);
    static constexpr COLORREF kLabelBackground = RGB(0x58, 0x58, 0x67);

    SkinPage(UINT templateId, UINT backgroundId, ToolbarDialog& owner);

    // Creates the page in the owner's page area, at its origin, hidden. False when the template failed.
    bool CreateInOwner();

protected:
    BOOL OnInitDialog() override;
    // Enter runs the dialog's OK, Escape its Cancel.
    void OnOK() override;
    void OnCancel() override;
    bool PreTranslateMessage(MSG& msg) override;

    // The text colour of a label of this page, or CLR_INVALID for a control that keeps its default colours.
    virtual COLORREF LabelTextColour(HWND control) const;
    // The page's background: its bitmap at the origin. The image page paints a stretched picture instead.
    virtual void PaintBackground(HDC dc);

    // Places a control of the page (client pixels).
    void Place(UINT id, int x, int y, int width, int height) const;
    // Places a label, gives it the page font and its looked-up text (key and English default).
    void SetLabel(UINT id, const wchar_t* key, const wchar_t* text, int x, int y, int width, int height) const;
    HFONT LabelFont() const { return m_labelFont.Get(); }
    ToolbarDialog& Owner() const { return m_owner; }
    UINT BackgroundId() const { return m_backgroundId; }

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    UINT m_backgroundId;
    ToolbarDialog& m_owner;
    fx::Font m_labelFont;
};

// The face and height of the pages' label font in the interface language: "Batang" in the Korean character set
// for Korean, else "Arial Unicode MS"; 15 pixels for Japanese, else 16.
void CreatePageFont(fx::Font& font, int height, int japaneseHeight, int weight);
