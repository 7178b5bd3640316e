// fx::Edit: an edit control (the folder paths of the settings pages).
#pragma once

#include "fx/Wnd.h"

namespace fx {

class Edit : public Wnd
{
public:
    void SetLimitText(UINT maxChars) const;
    void SetSel(int start, int end) const;
};

} // namespace fx
