// FindMenuItemByText: finds items that have no command identifier, such as a submenu, by their text.
#include "settings/LangText.h"

#include <cwchar>

int FindMenuItemByText(HMENU menu, const wchar_t* text)
{
    if (!menu || !text)
        return -1;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t itemText[1024] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(position), itemText, 1024, MF_BYPOSITION) <= 0)
            continue;
        if (std::wcscmp(itemText, text) == 0)
            return position;
    }
    return -1;
}
