// The system-wide low-level mouse hook of the auto-hidden bar: while the bar is slid out it watches for the
// pointer touching the bar's strip of the screen edge, and then asks the bar to come back (WM_NCHITTEST).
#pragma once

#include <windows.h>

// Set by the hook when the pointer touched the strip; cleared when the bar has looked at it.
extern bool g_bEdgeTouched;

// Installs the hook anew (removing one that is there): it stands first in the system's chain.
bool ReinstallMouseHook();
void RemoveMouseHook();
