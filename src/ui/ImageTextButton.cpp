// Image-and-text button: pictures from an image list chosen by state, text over them, hover tracking.
#include "ui/ImageTextButton.h"

#include "ui/ButtonPictures.h"

#include <commctrl.h>

FX_BEGIN_MESSAGE_MAP(CImageTextButton, fx::Button)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
FX_ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
FX_ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
FX_ON_MESSAGE(WM_ENABLE, OnEnable)
FX_END_MESSAGE_MAP()

void CImageTextButton::OnAttach()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

bool CImageTextButton::SetBitmaps(UINT normalId, UINT pressedId, UINT hoverId)
{
    m_pictures.Destroy();
    m_picturesLoaded = false;
    m_pictureSize = {0, 0};

    fx::Bitmap first;
    if (normalId == 0 || !first.Load(normalId))
        return false;
    const SIZE size = first.Size();
    // ILC_COLORDDB: the pictures keep the display's colour format; no mask, each bitmap is its own.
    if (!m_pictures.Create(size.cx, size.cy, ILC_COLORDDB, 1, 2) || m_pictures.Add(first, first) < 0) {
        m_pictures.Destroy();
        return false;
    }
    for (UINT id : {pressedId, hoverId}) {
        fx::Bitmap picture;
        if (id != 0 && picture.Load(id))
            m_pictures.Add(picture, picture);
    }
    m_pictureSize = size;
    m_picturesLoaded = true;
    return true;
}

void CImageTextButton::SetText(const wchar_t* text)
{
    m_text = text ? text : L"";
    // The window text and font follow what is drawn, so that readers of the window (accessibility tools, the
    // test that fits every text to its control) see the button's real text and font.
    if (Hwnd())
        (void)SetWindowText(m_text.c_str());
}

bool CImageTextButton::SetTextFont(const wchar_t* faceName, int height)
{
    if (!m_font.Create(faceName, height, FW_NORMAL, DEFAULT_CHARSET))
        return false;
    if (Hwnd())
        SetFont(m_font.Get(), false);
    return true;
}

void CImageTextButton::SetTextColors(COLORREF normal, COLORREF hover)
{
    m_normalColour = normal;
    m_hoverColour = hover;
}

void CImageTextButton::SetTextPosition(int x, int y)
{
    m_textX = x;
    m_textY = y;
}

void CImageTextButton::DrawItem(DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT drawRect = item.rcItem;
    if (m_picturesLoaded) {
        const RECT window = GetClientRect();
        if (window.right != m_pictureSize.cx || window.bottom != m_pictureSize.cy)
            SetWindowPos(nullptr, 0, 0, m_pictureSize.cx, m_pictureSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        drawRect = {0, 0, m_pictureSize.cx, m_pictureSize.cy};
    }
    DrawFrameControl(dc, &drawRect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);

    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (m_picturesLoaded) {
        const int picture = skin::ImageTextButtonPicture(pressed, m_hover, m_pictures.GetImageCount());
        m_pictures.Draw(picture, dc, drawRect.left, drawRect.top, ILD_NORMAL);
    }

    if (m_text.empty())
        return;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour =
        SetTextColor(dc, skin::ImageTextButtonUsesHoverColour(pressed, m_hover) ? m_hoverColour : m_normalColour);
    fx::SelectObjectGuard font(dc, m_font.Get());
    if (m_textX != -1 && m_textY != -1) {
        TextOutW(dc, m_textX, m_textY, m_text.c_str(), static_cast<int>(m_text.size()));
    } else {
        DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &drawRect, kCentredText);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void CImageTextButton::OnMouseMove(UINT, POINT)
{
    // Asked again on every move: the hover notice comes once per request.
    TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, Hwnd(), 1};
    (void)TrackMouseEvent(&track); // without it the button only misses its hover picture
    Default();
}

LRESULT CImageTextButton::OnMouseHover(WPARAM, LPARAM)
{
    if (!m_hover) {
        m_hover = true;
        Invalidate(true);
    }
    return 0;
}

LRESULT CImageTextButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_hover = false;
    Invalidate(false);
    return 0;
}

LRESULT CImageTextButton::OnSetFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    Invalidate(true);
    return result;
}

LRESULT CImageTextButton::OnEnable(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    Invalidate(true);
    return result;
}
