// fx::ListBox: a list box control (also used hidden, as a list of names with a number per entry).
#pragma once

#include "fx/Wnd.h"

#include <string>

namespace fx {

class ListBox : public Wnd
{
public:
    // Index of the new entry, or LB_ERR / LB_ERRSPACE.
    int AddString(const wchar_t* text) const;
    int DeleteString(int index) const;
    void ResetContent() const;
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index) const;
    // Empty when `index` is out of range.
    std::wstring GetText(int index) const;
    bool SetItemData(int index, LPARAM data) const;
    // LB_ERR when `index` is out of range.
    LPARAM GetItemData(int index) const;
};

} // namespace fx
