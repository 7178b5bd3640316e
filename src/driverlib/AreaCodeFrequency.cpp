// GetAreaCodeFrequency: the power-line default of the system's locale. Built into Brindle.dll and into
// flicker_a.dll, which the main program asks at its first start.
#include <windows.h>

#include "driverlib/BrindleApi.h"
#include "driverlib/BrindleDriver.h"

extern "C" int GetAreaCodeFrequency(int* value)
{
    if (value == nullptr)
        return 0;
    *value = PowerLineFrequencyForLocale(GetSystemDefaultLCID());
    return 1;
}
