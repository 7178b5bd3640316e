// Tooltip control wrapper. Tools are controls identified by their window (TTF_IDISHWND).
#include "fx/ToolTipCtrl.h"

#include "fx/App.h"

#include <commctrl.h>

namespace fx {

namespace {
// The tool record of the oldest common-control versions, which every version accepts.
TTTOOLINFOW ToolInfo(HWND tool)
{
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}
} // namespace

bool ToolTipCtrl::Create(HWND owner, DWORD style)
{
    EnsureCommonControls();
    const RECT none = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, none, owner, 0))
        return false;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool ToolTipCtrl::AddTool(HWND tool, const wchar_t* text)
{
    TTTOOLINFOW info = ToolInfo(tool);
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void ToolTipCtrl::UpdateTipText(const wchar_t* text, HWND tool)
{
    TTTOOLINFOW info = ToolInfo(tool);
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring ToolTipCtrl::GetToolText(HWND tool) const
{
    // Older tooltips copy at most 80 characters and ignore the size; newer ones take it from wParam.
    wchar_t buffer[256] = {};
    TTTOOLINFOW info = ToolInfo(tool);
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTW, sizeof(buffer) / sizeof(buffer[0]), reinterpret_cast<LPARAM>(&info));
    buffer[255] = L'\0';
    return buffer;
}

int ToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void ToolTipCtrl::Activate(bool active) const
{
    SendMessage(TTM_ACTIVATE, active ? TRUE : FALSE);
}

void ToolTipCtrl::RelayEvent(const MSG& msg) const
{
    MSG copy = msg;
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

} // namespace fx
