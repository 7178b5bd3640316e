// Waiting in tests: look again and again until a deadline instead of sleeping a fixed time and looking once.
#pragma once

#include <windows.h>

namespace testsupport {

// Calls ready() every intervalMs until it is true or timeoutMs have passed; returns its last answer.
template <typename Ready> bool WaitFor(Ready ready, DWORD timeoutMs, DWORD intervalMs = 10)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!ready()) {
        if (GetTickCount64() >= deadline)
            return ready();
        Sleep(intervalMs);
    }
    return true;
}

// Calls holds() every intervalMs for durationMs; false as soon as it is not true, true when it held
// throughout. For what must not happen during a span (nothing delivered while held, no second window).
template <typename Holds> bool HoldsFor(Holds holds, DWORD durationMs, DWORD intervalMs = 10)
{
    const ULONGLONG end = GetTickCount64() + durationMs;
    do {
        if (!holds())
            return false;
        Sleep(intervalMs);
    } while (GetTickCount64() < end);
    return holds();
}

} // namespace testsupport
