// Bitmap button: pictures from bitmap resources, chosen by the owner-draw state.
#include "fx/BitmapButton.h"

namespace fx {

namespace {
bool LoadOptional(Bitmap& bitmap, UINT id)
{
    bitmap.Delete();
    return id == 0 || bitmap.Load(id);
}
} // namespace

bool BitmapButton::LoadBitmaps(UINT normalId, UINT pressedId, UINT focusedId, UINT disabledId)
{
    bool allLoaded = m_normal.Load(normalId);
    allLoaded = LoadOptional(m_pressed, pressedId) && allLoaded;
    allLoaded = LoadOptional(m_focused, focusedId) && allLoaded;
    allLoaded = LoadOptional(m_disabled, disabledId) && allLoaded;
    if (Hwnd() && (GetButtonStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
        SetButtonStyle((GetButtonStyle() & ~static_cast<UINT>(BS_TYPEMASK)) | BS_OWNERDRAW, false);
    return allLoaded;
}

const Bitmap& BitmapButton::Picture(ButtonPicture which) const
{
    switch (which) {
    case ButtonPicture::Pressed:
        return m_pressed;
    case ButtonPicture::Focused:
        return m_focused;
    case ButtonPicture::Disabled:
        return m_disabled;
    case ButtonPicture::Normal:
        break;
    }
    return m_normal;
}

void BitmapButton::DrawItem(DRAWITEMSTRUCT& item)
{
    const ButtonDrawState state = {(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0,
                                   (item.itemState & ODS_DISABLED) != 0};
    const ButtonPictureSet available = {m_pressed.Get() != nullptr, m_focused.Get() != nullptr,
                                        m_disabled.Get() != nullptr};
    const Bitmap& picture = Picture(ChooseButtonPicture(state, available));
    if (!picture)
        return;
    MemoryDC source(item.hDC);
    SelectObjectGuard selected(source, picture);
    if (!selected.Selected())
        return;
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
}

} // namespace fx
