// The tooltip of a skinned button: created on first use with one tool, the button itself, and fed
// with the button's mouse moves.
#pragma once

#include "fx/ToolTipCtrl.h"

class ButtonToolTip
{
public:
    // Creates the tooltip (TTS_ALWAYSTIP) the first time, adds `button` as its tool when it has none,
    // sets the tool's text and activates the tooltip. A failed creation leaves the button without one.
    void SetText(HWND button, const wchar_t* text);
    // Lets the tooltip see a mouse message of the button (TTM_RELAYEVENT).
    void Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam) const;

    bool Exists() const { return m_tip.IsWindow(); }
    std::wstring Text(HWND button) const { return m_tip.IsWindow() ? m_tip.GetToolText(button) : std::wstring(); }

private:
    fx::ToolTipCtrl m_tip;
};
