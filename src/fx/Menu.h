// fx::Menu: a menu loaded from a resource (destroyed with the object) or a borrowed pop-up of it.
#pragma once

#include <string>
#include <windows.h>

namespace fx {

class Menu
{
public:
    Menu() = default;
    ~Menu() { Destroy(); }
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    Menu(Menu&& other) noexcept;
    Menu& operator=(Menu&& other) noexcept;

    // A menu this object does not destroy (a pop-up of another menu, a system menu).
    static Menu Borrow(HMENU menu);

    // Replaces the menu with the menu resource `id`.
    bool Load(UINT id);
    void Destroy();

    HMENU Get() const { return m_menu; }
    explicit operator bool() const { return m_menu != nullptr; }

    int GetItemCount() const;
    // Command id of the item at `position`; 0 for separators, -1 for pop-ups and bad positions.
    int GetItemId(int position) const;
    // The pop-up at `position`, borrowed (empty when there is none).
    Menu GetSubMenu(int position) const;
    // Item text by command id (MF_BYCOMMAND) or by position (MF_BYPOSITION); empty when there is none.
    std::wstring GetItemText(UINT item, UINT byFlags = MF_BYCOMMAND) const;
    bool SetItemText(UINT item, const wchar_t* text, UINT byFlags = MF_BYCOMMAND) const;
    // Position of the first item of this menu level whose text is exactly `text`, or -1.
    int FindItemByText(const wchar_t* text) const;
    // Returns the previous state (MF_CHECKED / MF_UNCHECKED) or -1 when there is no such item.
    int CheckItem(UINT item, bool checked, UINT byFlags = MF_BYCOMMAND) const;
    bool IsItemChecked(UINT item, UINT byFlags = MF_BYCOMMAND) const;
    int EnableItem(UINT item, bool enabled, UINT byFlags = MF_BYCOMMAND) const;
    bool IsItemEnabled(UINT item, UINT byFlags = MF_BYCOMMAND) const;
    bool DeleteItem(UINT item, UINT byFlags = MF_BYCOMMAND) const;
    // Shows the menu as a pop-up at a screen point. With TPM_RETURNCMD the chosen command id is returned
    // instead of being sent to `owner`.
    int TrackPopup(UINT flags, int x, int y, HWND owner) const;

private:
    HMENU m_menu = nullptr;
    bool m_owned = false;
};

} // namespace fx
