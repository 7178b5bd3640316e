// CTesselDlg: the helper's hidden dialog titled "Tessel". The main program finds it by its title and sends
// it the orientation messages, which it carries out one at a time.
#pragma once

#include <windows.h>

#include "sensorhelper/SensorCommands.h"
#include "sensorhelper/VendorLibraries.h"

class CTesselDlg
{
public:
    // Runs the dialog modally; returns its result (0 after the quit message).
    INT_PTR DoModal(HINSTANCE instance);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HICON m_hIcon = nullptr;
    Win32VendorHost m_host;
    SensorHelper m_helper{m_host}; // holds bLastSunplusMirror
};
