// The edge-watching mouse hook (see MouseHook.h).
#include "app/MouseHook.h"

#include "app/SkinDlg.h"
#include "app/ToolbarGeometry.h"

bool g_bEdgeTouched = false;

namespace {

HHOOK g_hMouseHook = nullptr;

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && lParam && g_pToolbar && g_hToolbarWnd && g_pToolbar->m_settings.m_bAutoHide &&
        g_pToolbar->m_bSlidOut) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        RECT window = {};
        GetWindowRect(g_hToolbarWnd, &window);
        int edge = g_pToolbar->m_settings.m_nToolbarPosition;
        if (edge > toolbar::kRight)
            edge = toolbar::kTop;
        const toolbar::Rect bar = {window.left, window.top, window.right, window.bottom};
        if (toolbar::InEdgeStrip(edge, event->pt.x, event->pt.y, bar, GetSystemMetrics(SM_CXSCREEN))) {
            SendMessageW(g_hToolbarWnd, WM_NCHITTEST, 0, 0);
            g_bEdgeTouched = true;
        }
    }
    return CallNextHookEx(g_hMouseHook, code, wParam, lParam); // every event goes on
}

} // namespace

bool ReinstallMouseHook()
{
    RemoveMouseHook();
    g_hMouseHook = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, GetModuleHandleW(nullptr), 0);
    return g_hMouseHook != nullptr;
}

void RemoveMouseHook()
{
    if (g_hMouseHook)
        UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = nullptr;
}
