// fx::ComboBox: a combo box control (the size and format lists of the settings pages).
#pragma once

#include "fx/Wnd.h"

#include <string>

namespace fx {

class ComboBox : public Wnd
{
public:
    // Index of the new entry, or CB_ERR / CB_ERRSPACE.
    int AddString(const wchar_t* text) const;
    int DeleteString(int index) const;
    void ResetContent() const;
    int GetCount() const;
    int GetCurSel() const;
    // CB_ERR when `index` is out of range (-1 clears the selection).
    int SetCurSel(int index) const;
    // Empty when `index` is out of range.
    std::wstring GetLBText(int index) const;
};

} // namespace fx
