// The toolbar's working dialogs (see ToolbarDialog.h).
#include "ui/ToolbarDialog.h"

#include "settings/LangText.h"
#include "ui/SkinShape.h"

FX_BEGIN_MESSAGE_MAP(ToolbarDialog, fx::Dialog)
FX_ON_WM_PAINT(OnPaint)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_ON_WM_SIZE(OnSize)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

namespace {
constexpr UINT kBackground = 163;
constexpr UINT kCloseNormal = 309;
} // namespace

ToolbarDialog::ToolbarDialog(UINT templateId, UINT titleId, const wchar_t* titleKey, UINT closeButtonId,
                             ToolbarLink* toolbar)
    : fx::Dialog(templateId), m_toolbar(toolbar), m_titleId(titleId), m_titleKey(titleKey),
      m_closeButtonId(closeButtonId)
{
}

BOOL ToolbarDialog::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    if (m_background.Load(kBackground)) {
        const SIZE size = m_background.Size();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowTextW(GetDlgItem(m_titleId), GetLangText(m_titleKey, m_titleKey).c_str());
    m_btnClose.SubclassDlgItem(m_closeButtonId, Hwnd());
    m_btnClose.LoadBitmaps(kCloseNormal);
    // Only the title and the close button belong to the bare dialog; the pages and their buttons are shown by
    // the dialog that fills them.
    for (HWND child = ::GetWindow(Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (id != static_cast<int>(m_closeButtonId) && id != static_cast<int>(m_titleId))
            ::ShowWindow(child, SW_HIDE);
    }
    return TRUE;
}

HBRUSH ToolbarDialog::OnCtlColor(HDC dc, HWND control, UINT)
{
    if (::GetDlgCtrlID(control) != static_cast<int>(m_titleId))
        return nullptr;
    // The title stands on the skin's header: white text, no background of its own.
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void ToolbarDialog::OnPaint()
{
    fx::PaintDC dc(Hwnd());
    if (!m_background)
        return;
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_background);
    const SIZE size = m_background.Size();
    BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

void ToolbarDialog::OnSize(UINT, int, int)
{
    Default();
    (void)skin::ApplyDialogOutline(Hwnd(), kBackground); // a missing picture says so and keeps the rectangle
}

void ToolbarDialog::OnMouseMove(UINT, POINT)
{
    m_btnClose.RestoreNormal(kCloseNormal);
    Default();
}

void ToolbarDialog::OnBnClickedClose()
{
    ForgetInToolbar();
    EndDialog(0);
}

void ToolbarDialog::PostNcDestroy()
{
    // A dialog that ends another way (the toolbar's exit) is forgotten too; the toolbar ignores a repeat.
    ForgetInToolbar();
    fx::Dialog::PostNcDestroy();
}
