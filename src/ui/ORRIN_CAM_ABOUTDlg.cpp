// The About box (see ORRIN_CAM_ABOUTDlg.h).
#include "ui/ORRIN_CAM_ABOUTDlg.h"

#include "resource.h"
#include "settings/LangText.h"

FX_BEGIN_MESSAGE_MAP(ORRIN_CAM_ABOUTDlg, fx::Dialog)
FX_ON_WM_PAINT(OnPaint)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_WM_LBUTTONDOWN(OnLButtonDown)
FX_ON_MESSAGE(WM_ACTIVATE, OnActivate)
FX_ON_COMMAND(ID_ABOUT_HIDE, OnHide)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_END_MESSAGE_MAP()

ORRIN_CAM_ABOUTDlg::ORRIN_CAM_ABOUTDlg() : fx::Dialog(IDD_ABOUT) {}

std::wstring ORRIN_CAM_ABOUTDlg::VersionLine(const std::wstring& version)
{
    return version.empty() ? std::wstring() : L"UVC " + version;
}

BOOL ORRIN_CAM_ABOUTDlg::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    RECT rect = GetWindowRect();
    SetWindowPos(nullptr, rect.left, rect.top, 454, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    (void)m_background.Load(IDB_ABOUT_BACKGROUND); // without it the box shows its plain face
    const bool korean = GetOSLanguage() == L"Korean";
    m_font.Create(korean ? L"Batang" : L"Arial Unicode MS", 16, FW_BOLD, korean ? JOHAB_CHARSET : DEFAULT_CHARSET);
    HWND title = GetDlgItem(IDC_ABOUT_TITLE);
    HWND version = GetDlgItem(IDC_ABOUT_VERSION);
    for (HWND text : {title, version})
        ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    ::SetWindowTextW(title, GetLangText(L"VerInfo", L"Version Information").c_str());
    ::SetWindowPos(title, nullptr, 30, 220, 180, 13, SWP_NOZORDER | SWP_NOACTIVATE);
    std::wstring programVersion;
    if (!GetProgramVersion(programVersion))
        programVersion.clear();
    ::SetWindowTextW(version, VersionLine(programVersion).c_str());
    ::SetWindowPos(version, nullptr, 30, 245, 180, 13, SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void ORRIN_CAM_ABOUTDlg::OnPaint()
{
    fx::PaintDC dc(Hwnd());
    if (!m_background)
        return;
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_background);
    const SIZE size = m_background.Size();
    BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

LRESULT ORRIN_CAM_ABOUTDlg::OnActivate(WPARAM wParam, LPARAM)
{
    // Another window was activated: the box goes.
    if (LOWORD(wParam) == WA_INACTIVE)
        PostMessage(WM_CLOSE);
    return 0;
}

void ORRIN_CAM_ABOUTDlg::OnHide()
{
    ShowWindow(SW_HIDE);
    OnCancel();
}

HBRUSH ORRIN_CAM_ABOUTDlg::OnCtlColor(HDC dc, HWND, UINT)
{
    SetTextColor(dc, m_textColour);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
