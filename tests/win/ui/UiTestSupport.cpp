#include "UiTestSupport.h"

#include "fx/Gdi.h"
#include "fx/MessageLoop.h"

namespace uitest {

namespace {
void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}
} // namespace

void PumpMessages()
{
    fx::PumpWaitingMessages();
}

POINT Centre(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveMouseTo(POINT p)
{
    // Absolute moves are in 0..65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const LONG dx = static_cast<LONG>((p.x * 65536LL + width / 2) / width);
    const LONG dy = static_cast<LONG>((p.y * 65536LL + height / 2) / height);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
    PumpMessages();
}

void MoveMouseOver(HWND window)
{
    MoveMouseTo(Centre(window));
}

void MoveMouseAway()
{
    MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) - 4, GetSystemMetrics(SM_CYSCREEN) - 4});
}

void PressLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpMessages();
}

void ReleaseLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpMessages();
}

COLORREF ScreenPixel(POINT p)
{
    fx::ClientDC screen(nullptr);
    return GetPixel(screen, p.x, p.y);
}

COLORREF ShownAt(HWND window, int clientX, int clientY)
{
    POINT p = {clientX, clientY};
    ClientToScreen(window, &p);
    return ScreenPixel(p);
}

COLORREF Shown(HWND window)
{
    return ScreenPixel(Centre(window));
}

} // namespace uitest
