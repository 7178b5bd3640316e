// The hidden dialog of Tessel: never shown, handles the orientation messages and the quit message.
#include "sensorhelper/TesselDlg.h"

#include "common/SensorHelperProtocol.h"
#include "fx/App.h"
#include "resource.h"

FX_BEGIN_MESSAGE_MAP(CTesselDlg, fx::Dialog)
FX_ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
FX_END_MESSAGE_MAP()

CTesselDlg::CTesselDlg() : fx::Dialog(IDD_TESSEL)
{
    m_hIcon = LoadIconW(fx::ResourceInstance(), MAKEINTRESOURCEW(IDI_TESSEL));
}

BOOL CTesselDlg::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    // Quillo finds the helper by this title; the template carries the same text.
    SetWindowText(kSensorHelperTitle);
    if (m_hIcon != nullptr) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    }
    return TRUE;
}

LRESULT CTesselDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_helper.OnMessage(message, wParam, static_cast<int64_t>(lParam)) == MessageOutcome::Quit)
        EndDialog(0);
    return fx::Dialog::WindowProc(message, wParam, lParam);
}

LRESULT CTesselDlg::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    // The window only receives messages: every request to show it is dropped, so it stays hidden.
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (pos != nullptr)
        pos->flags &= ~SWP_SHOWWINDOW;
    return 0;
}
