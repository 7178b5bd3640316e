// The video area (see VideoArea.h).
#include "ui/VideoArea.h"

VideoArea::VideoArea()
    : m_doubleClick(GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK))
{
}

LRESULT VideoArea::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK) {
        m_doubleClick.Recognised(); // the static reports this one itself
    } else if (message == WM_LBUTTONDOWN) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (m_doubleClick.Press(GetTickCount(), x, y)) {
            const LRESULT result = fx::Static::WindowProc(message, wParam, lParam);
            ::SendMessageW(::GetParent(Hwnd()), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Hwnd()), STN_DBLCLK),
                           reinterpret_cast<LPARAM>(Hwnd()));
            return result;
        }
    }
    return fx::Static::WindowProc(message, wParam, lParam);
}
