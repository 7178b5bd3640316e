#include "ui/ButtonToolTip.h"

#include <commctrl.h>

void ButtonToolTip::SetText(HWND button, const wchar_t* text)
{
    if (!m_tip.IsWindow() && !m_tip.Create(button, TTS_ALWAYSTIP))
        return;
    if (m_tip.GetToolCount() == 0 && !m_tip.AddTool(button, text))
        return;
    m_tip.UpdateTipText(text, button);
    m_tip.Activate(true);
}

void ButtonToolTip::Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!m_tip.IsWindow())
        return;
    MSG msg = {button, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD pos = GetMessagePos();
    msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    m_tip.RelayEvent(msg);
}
