// Combo box control wrapper.
#include "fx/ComboBox.h"

namespace fx {

int ComboBox::AddString(const wchar_t* text) const
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

int ComboBox::DeleteString(int index) const
{
    return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}

void ComboBox::ResetContent() const
{
    SendMessage(CB_RESETCONTENT);
}

int ComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int ComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int ComboBox::SetCurSel(int index) const
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, index));
}

std::wstring ComboBox::GetLBText(int index) const
{
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace fx
