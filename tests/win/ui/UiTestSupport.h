// What the skinned-control tests share: the message pump with a deadline, the real mouse (SendInput),
// and pixels read back from the screen where a user would see them.
#pragma once

#include <windows.h>

namespace uitest {

// Handles the thread's messages until `done()` holds or `timeoutMs` have passed; true when it held.
template <class Done> bool PumpUntil(Done done, DWORD timeoutMs = 3000);
// Handles the thread's messages for `ms` and checks `holds()` all along; false at the first look it fails.
template <class Holds> bool HoldsFor(Holds holds, DWORD ms);

void PumpMessages();

// The centre of a window in screen coordinates.
POINT Centre(HWND window);
// Moves the pointer as the mouse would (absolute move through SendInput).
void MoveMouseTo(POINT screenPoint);
void MoveMouseOver(HWND window);
// Away from every test window.
void MoveMouseAway();
void PressLeftButton();
void ReleaseLeftButton();

// The colour the screen shows at a point (screen coordinates).
COLORREF ScreenPixel(POINT screenPoint);
// The colour the screen shows at a point of a window's client area, or at its centre.
COLORREF ShownAt(HWND window, int clientX, int clientY);
COLORREF Shown(HWND window);

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);

template <class Done> bool PumpUntil(Done done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(2);
    }
}

template <class Holds> bool HoldsFor(Holds holds, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PumpMessages();
        if (!holds())
            return false;
        Sleep(2);
    } while (GetTickCount() - start < ms);
    return true;
}

} // namespace uitest
