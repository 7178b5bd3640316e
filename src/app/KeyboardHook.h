// The system-wide low-level keyboard hook of the bar's hot keys (Alt+F7, Alt+F8, Alt+F9, F1). It runs on the
// user-interface thread; it only decides and posts the action to the bar, so that opening a window never
// keeps the system's keyboard waiting (a slow low-level hook is dropped by the system).
#pragma once

#include <windows.h>

// Message posted to the bar: wParam is the toolbar::HotKeyAction to run.
constexpr UINT kHotKeyMessage = WM_APP + 7;

// Installs the hook for this thread (first in the system's chain); false when the system refuses.
bool InstallKeyboardHook();
void RemoveKeyboardHook();
bool KeyboardHookInstalled();
// Removes and installs the hook again, so that it stands first in the chain (after a window opened).
void ReinstallKeyboardHook();
// Set while the bar runs a hot key's action: the hook lets key events pass untouched meanwhile.
void SetHotKeyActionRunning(bool running);
