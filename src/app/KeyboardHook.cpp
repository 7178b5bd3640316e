// The hot-key hook (see KeyboardHook.h).
#include "app/KeyboardHook.h"

#include "app/HotKeys.h"
#include "app/SkinDlg.h"

namespace {

HHOOK g_hKeyboardHook = nullptr;
bool g_bHotKeyRunning = false;

toolbar::KeyEvent EventOf(WPARAM message)
{
    if (message == WM_KEYDOWN)
        return toolbar::KeyEvent::KeyDown;
    if (message == WM_SYSKEYDOWN)
        return toolbar::KeyEvent::SystemKeyDown;
    return toolbar::KeyEvent::Other;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION || g_bHotKeyRunning || !lParam)
        return CallNextHookEx(g_hKeyboardHook, code, wParam, lParam);
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool previewOpen = g_pToolbar && g_pToolbar->bTolPrevWnd;
    const toolbar::HotKeyDecision decision = toolbar::DecideHotKey(EventOf(wParam), key->vkCode, previewOpen);
    if (decision.action != toolbar::HotKeyAction::None && g_hToolbarWnd)
        PostMessageW(g_hToolbarWnd, kHotKeyMessage, static_cast<WPARAM>(decision.action), 0);
    // A key that is not passed on is hidden from later hooks only; it still reaches its window.
    return decision.passOn ? CallNextHookEx(g_hKeyboardHook, code, wParam, lParam) : 0;
}

} // namespace

bool InstallKeyboardHook()
{
    if (!g_hKeyboardHook)
        g_hKeyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, GetModuleHandleW(nullptr), 0);
    return g_hKeyboardHook != nullptr;
}

void RemoveKeyboardHook()
{
    if (g_hKeyboardHook)
        UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
}

bool KeyboardHookInstalled()
{
    return g_hKeyboardHook != nullptr;
}

void ReinstallKeyboardHook()
{
    if (!g_hKeyboardHook)
        return;
    RemoveKeyboardHook();
    (void)InstallKeyboardHook(); // a refused hook leaves the bar without hot keys, nothing worse
}

void SetHotKeyActionRunning(bool running)
{
    g_bHotKeyRunning = running;
}
