// CImageTextButton: an owner-drawn push button drawn from up to three pictures (normal, pressed, hover)
// with an optional text over them; the dialogs' Default, OK, Cancel, Apply and tab buttons.
#pragma once

#include "fx/Button.h"
#include "fx/Gdi.h"
#include "fx/ImageList.h"

#include <string>

class CImageTextButton : public fx::Button
{
public:
    // Loads the pictures into a new image list sized by the first one (picture 0, 1, 2 in this order; a
    // zero id is skipped). A first picture that does not load leaves the button without pictures.
    // Returns whether the button has pictures.
    bool SetBitmaps(UINT normalId, UINT pressedId = 0, UINT hoverId = 0);
    void SetText(const wchar_t* text);
    // A font of weight 400 in the default character set.
    bool SetTextFont(const wchar_t* faceName, int height);
    void SetTextColors(COLORREF normal, COLORREF hover);
    // Where the text starts, in client pixels; -1, -1 (the default) centres it.
    void SetTextPosition(int x, int y);

    int PictureCount() const { return m_pictures.GetImageCount(); }
    bool IsHovered() const { return m_hover; }

protected:
    void OnAttach() override;
    void DrawItem(DRAWITEMSTRUCT& item) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnMouseMove(UINT keys, POINT point);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);

    static constexpr UINT kCentredText = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

    fx::ImageList m_pictures;
    bool m_picturesLoaded = false;
    SIZE m_pictureSize = {0, 0};
    std::wstring m_text;
    COLORREF m_normalColour = RGB(255, 255, 255);
    COLORREF m_hoverColour = RGB(255, 255, 255);
    int m_textX = -1;
    int m_textY = -1;
    fx::Font m_font;
    bool m_hover = false;
};
