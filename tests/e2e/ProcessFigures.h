// Another process's resource figures under Wine, for the probes that report whether a loop leaves them flat:
// its handles (read from the system's handle table, as Wine answers GetProcessHandleCount with 0), committed memory,
// working set and GDI/USER objects (which Wine reports as 0).
#pragma once

#include <windows.h>

#include <cstdio>

namespace e2e {

struct Figures
{
    DWORD handles = 0;
    SIZE_T commitBytes = 0;
    SIZE_T workingSet = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

// Zeros for what cannot be read.
Figures Measure(DWORD pid);
// One line "<what>: handles a -> b (+d), committed memory ..., working set ..." on stdout.
void PrintFigures(const char* what, const Figures& before, const Figures& after);

} // namespace e2e
