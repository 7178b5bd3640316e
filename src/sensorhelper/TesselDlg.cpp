// The hidden dialog of Tessel: never shown, handles the orientation messages and the quit message.
#include "sensorhelper/TesselDlg.h"

#include "resource.h"

INT_PTR CTesselDlg::DoModal(HINSTANCE instance)
{
    m_hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TESSEL));
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_TESSEL), nullptr, &CTesselDlg::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CTesselDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<CTesselDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->OnMessage(window, message, wParam, lParam) : FALSE;
}

INT_PTR CTesselDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (m_hIcon != nullptr) {
            SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
            SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
        }
        return TRUE;
    case WM_WINDOWPOSCHANGING: {
        // The window only receives messages: every request to show it is dropped.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos != nullptr)
            pos->flags &= ~SWP_SHOWWINDOW;
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(window, LOWORD(wParam));
        return FALSE;
    default:
        break;
    }
    if (m_helper.OnMessage(message, wParam, static_cast<int64_t>(lParam)) == MessageOutcome::Quit)
        EndDialog(window, 0);
    // Every message goes on to the default dialog processing as well.
    return FALSE;
}
