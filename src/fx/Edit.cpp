// Edit control wrapper.
#include "fx/Edit.h"

namespace fx {

void Edit::SetLimitText(UINT maxChars) const
{
    SendMessage(EM_SETLIMITTEXT, maxChars);
}

void Edit::SetSel(int start, int end) const
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

} // namespace fx
