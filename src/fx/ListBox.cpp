// List box control wrapper.
#include "fx/ListBox.h"

namespace fx {

int ListBox::AddString(const wchar_t* text) const
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

int ListBox::DeleteString(int index) const
{
    return static_cast<int>(SendMessage(LB_DELETESTRING, index));
}

void ListBox::ResetContent() const
{
    SendMessage(LB_RESETCONTENT);
}

int ListBox::GetCount() const
{
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int ListBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int ListBox::SetCurSel(int index) const
{
    return static_cast<int>(SendMessage(LB_SETCURSEL, index));
}

std::wstring ListBox::GetText(int index) const
{
    const LRESULT length = SendMessage(LB_GETTEXTLEN, index);
    if (length == LB_ERR || length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

bool ListBox::SetItemData(int index, LPARAM data) const
{
    return SendMessage(LB_SETITEMDATA, index, data) != LB_ERR;
}

LPARAM ListBox::GetItemData(int index) const
{
    return SendMessage(LB_GETITEMDATA, index);
}

} // namespace fx
