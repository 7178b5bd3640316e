// fx::ToolTipCtrl: a tooltip window whose tools are controls; the owner relays mouse messages to it.
#pragma once

#include "fx/Wnd.h"

#include <string>

namespace fx {

class ToolTipCtrl : public Wnd
{
public:
    // Creates the tooltip window owned by `owner` (TTS_* style bits in `style`).
    bool Create(HWND owner, DWORD style = 0);
    // Adds the control `tool` as a tool (identified by its window) with `text`.
    bool AddTool(HWND tool, const wchar_t* text);
    void UpdateTipText(const wchar_t* text, HWND tool);
    // The text of the tool `tool` (empty when it is not a tool of this tooltip).
    std::wstring GetToolText(HWND tool) const;
    int GetToolCount() const;
    void Activate(bool active) const;
    // Lets the tooltip see a mouse message of one of its tools (TTM_RELAYEVENT).
    void RelayEvent(const MSG& msg) const;
};

} // namespace fx
