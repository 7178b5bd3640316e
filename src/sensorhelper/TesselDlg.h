// CTesselDlg: the helper's hidden dialog titled "Tessel". The main program finds it by its title and sends
// it the orientation messages, which it carries out one at a time.
#pragma once

#include "fx/Dialog.h"
#include "sensorhelper/SensorCommands.h"
#include "sensorhelper/VendorLibraries.h"

class CTesselDlg : public fx::Dialog
{
public:
    CTesselDlg();

protected:
    BOOL OnInitDialog() override;
    // Sees every message first: the orientation commands run here, then the message goes on to the
    // default handling like any other.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);

    HICON m_hIcon = nullptr;
    Win32VendorHost m_host;
    SensorHelper m_helper{m_host}; // holds bLastSunplusMirror
};
