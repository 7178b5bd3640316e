// Menu wrapper: loading, item texts and states, search by text and pop-up tracking.
#include "fx/Menu.h"

#include "fx/App.h"

namespace fx {

Menu::Menu(Menu&& other) noexcept : m_menu(other.m_menu), m_owned(other.m_owned)
{
    other.m_menu = nullptr;
    other.m_owned = false;
}

Menu& Menu::operator=(Menu&& other) noexcept
{
    if (this != &other) {
        Destroy();
        m_menu = other.m_menu;
        m_owned = other.m_owned;
        other.m_menu = nullptr;
        other.m_owned = false;
    }
    return *this;
}

Menu Menu::Borrow(HMENU menu)
{
    Menu borrowed;
    borrowed.m_menu = menu;
    return borrowed;
}

bool Menu::Load(UINT id)
{
    Destroy();
    m_menu = LoadMenuW(ResourceInstance(), MAKEINTRESOURCEW(id));
    m_owned = m_menu != nullptr;
    return m_menu != nullptr;
}

void Menu::Destroy()
{
    if (m_menu && m_owned)
        DestroyMenu(m_menu);
    m_menu = nullptr;
    m_owned = false;
}

int Menu::GetItemCount() const
{
    return m_menu ? GetMenuItemCount(m_menu) : -1;
}

int Menu::GetItemId(int position) const
{
    return m_menu ? static_cast<int>(GetMenuItemID(m_menu, position)) : -1;
}

Menu Menu::GetSubMenu(int position) const
{
    return Borrow(m_menu ? ::GetSubMenu(m_menu, position) : nullptr);
}

std::wstring Menu::GetItemText(UINT item, UINT byFlags) const
{
    if (!m_menu)
        return std::wstring();
    const int length = GetMenuStringW(m_menu, item, nullptr, 0, byFlags);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetMenuStringW(m_menu, item, &text[0], length + 1, byFlags);
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

bool Menu::SetItemText(UINT item, const wchar_t* text, UINT byFlags) const
{
    if (!m_menu)
        return false;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text ? text : L"");
    return SetMenuItemInfoW(m_menu, item, (byFlags & MF_BYPOSITION) != 0, &info) != FALSE;
}

int Menu::FindItemByText(const wchar_t* text) const
{
    if (!m_menu || !text)
        return -1;
    const int count = GetMenuItemCount(m_menu);
    for (int i = 0; i < count; ++i) {
        if (GetItemText(static_cast<UINT>(i), MF_BYPOSITION) == text)
            return i;
    }
    return -1;
}

int Menu::CheckItem(UINT item, bool checked, UINT byFlags) const
{
    if (!m_menu)
        return -1;
    return static_cast<int>(CheckMenuItem(m_menu, item, byFlags | (checked ? MF_CHECKED : MF_UNCHECKED)));
}

bool Menu::IsItemChecked(UINT item, UINT byFlags) const
{
    const UINT state = m_menu ? GetMenuState(m_menu, item, byFlags) : static_cast<UINT>(-1);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

int Menu::EnableItem(UINT item, bool enabled, UINT byFlags) const
{
    if (!m_menu)
        return -1;
    return EnableMenuItem(m_menu, item, byFlags | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Menu::IsItemEnabled(UINT item, UINT byFlags) const
{
    const UINT state = m_menu ? GetMenuState(m_menu, item, byFlags) : static_cast<UINT>(-1);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool Menu::DeleteItem(UINT item, UINT byFlags) const
{
    return m_menu && DeleteMenu(m_menu, item, byFlags);
}

int Menu::TrackPopup(UINT flags, int x, int y, HWND owner) const
{
    if (!m_menu)
        return 0;
    return static_cast<int>(TrackPopupMenu(m_menu, flags, x, y, 0, owner, nullptr));
}

} // namespace fx
