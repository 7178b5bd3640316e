// fx::WaitCursor: shows the hourglass for as long as the guard lives and then the previous cursor.
#pragma once

#include <windows.h>

namespace fx {

class WaitCursor
{
public:
    WaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

} // namespace fx
