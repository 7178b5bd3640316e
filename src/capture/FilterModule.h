// Creates our own DirectShow filters (nvds.ax, nvpa.ax): through COM when they are registered, else
// straight from the module file in the program folder through its class factory, which needs neither
// registration nor any privilege. The module stays loaded for the rest of the process.
#pragma once

#include <windows.h>
#include <dshow.h>

// The module file beside the program (e.g. L"nvds.ax") and the filter's class id.
HRESULT CreateOwnFilter(const wchar_t* moduleFile, const CLSID& clsid, IBaseFilter** filter);
