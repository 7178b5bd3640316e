// The toolbar's working dialogs (see ToolbarDialog.h).
#include "ui/ToolbarDialog.h"

#include "res/resource.h"
#include "settings/LangText.h"
#include "ui/SkinBackground.h"
#include "ui/SkinPage.h"
#include "ui/SkinShape.h"

FX_BEGIN_MESSAGE_MAP(ToolbarDialog, fx::Dialog)
FX_ON_WM_PAINT(OnPaint)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_ON_WM_SIZE(OnSize)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_WM_LBUTTONDOWN(OnLButtonDown)
FX_END_MESSAGE_MAP()

namespace {

constexpr int kWidth = 308, kHeight = 434;
constexpr int kCloseX = 258, kCloseY = 5, kCloseWidth = 33, kCloseHeight = 17;
constexpr int kButtonX[4] = {18, 87, 156, 225};
constexpr int kButtonWidth = 64, kButtonHeight = 33;
constexpr int kPageAreaX = 18, kPageAreaY = 65;
constexpr int kTabX = 18, kTabY = 44, kTabWidth = 63, kTabHeight = 21;
// The system's move command with the mouse: a press anywhere on the body drags the captionless window.
constexpr WPARAM kMoveByMouse = 0xF011;

void Place(HWND control, int x, int y, int width, int height)
{
    ::SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

ToolbarDialog::ToolbarDialog(const ToolbarDialogParts& parts, ToolbarLink* toolbar)
    : fx::Dialog(parts.templateId), m_parts(parts), m_toolbar(toolbar)
{
}

BOOL ToolbarDialog::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    const RECT window = GetWindowRect();
    SetWindowPos(nullptr, window.left, window.top, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    m_btnClose.SubclassDlgItem(m_parts.closeId, Hwnd());
    Place(m_btnClose.Hwnd(), kCloseX, kCloseY, kCloseWidth, kCloseHeight);
    m_btnClose.LoadBitmaps(IDB_CLOSE);

    const bool japanese = GetOSLanguage() == L"Japanese";
    const UINT buttonIds[4] = {m_parts.defaultId, m_parts.okId, m_parts.cancelId, m_parts.applyId};
    CImageTextButton* buttons[4] = {&m_btnDefault, &m_btnOK, &m_btnCancel, &m_btnApply};
    const wchar_t* buttonTexts[4] = {TextKey(L"Default"), TextKey(L"OK"), TextKey(L"Cancel"), TextKey(L"Apply")};
    for (int i = 0; i < 4; ++i) {
        CImageTextButton& button = *buttons[i];
        button.SubclassDlgItem(buttonIds[i], Hwnd());
        Place(button.Hwnd(), kButtonX[i], m_parts.buttonTop, kButtonWidth, kButtonHeight);
        button.SetBitmaps(IDB_BUTTON, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER);
        button.SetText(GetLangText(buttonTexts[i], buttonTexts[i]).c_str());
        button.SetTextFont(L"Arial Unicode MS", japanese ? 12 : 16);
        button.SetTextColors(RGB(255, 255, 255), RGB(255, 255, 255));
    }
    Place(PageArea(), kPageAreaX, kPageAreaY, SkinPage::kWidth, SkinPage::kHeight);
    for (int i = 0; i < m_parts.tabCount; ++i) {
        CImageTextButton& tab = m_tabs[i];
        tab.SubclassDlgItem(m_parts.tabs[i].id, Hwnd());
        Place(tab.Hwnd(), kTabX + i * kTabWidth, kTabY, kTabWidth, kTabHeight);
        tab.SetText(GetLangText(m_parts.tabs[i].key, m_parts.tabs[i].key).c_str());
        tab.SetTextFont(L"Arial Unicode MS", japanese ? 12 : 16);
        tab.SetTextColors(RGB(255, 255, 255), RGB(255, 255, 255));
    }

    const bool korean = GetOSLanguage() == L"Korean";
    (void)m_titleFont.Create(korean ? L"Batang" : L"Arial Unicode MS", 20, FW_BOLD,
                             korean ? JOHAB_CHARSET : DEFAULT_CHARSET); // without it the title keeps the dialog font
    m_title.SubclassDlgItem(m_parts.titleId, Hwnd());
    m_title.SetFont(m_titleFont.Get(), false);
    m_title.SetWindowText(GetLangText(m_parts.titleKey, m_parts.titleKey).c_str());
    return TRUE;
}

bool ToolbarDialog::AddPage(int index, SkinPage& page)
{
    if (index < 0 || index >= m_parts.tabCount)
        return false;
    m_pages[index] = &page;
    return page.CreateInOwner();
}

void ToolbarDialog::ShowTab(int index)
{
    if (index < 0 || index >= m_parts.tabCount)
        return;
    for (int i = 0; i < m_parts.tabCount; ++i) {
        const bool chosen = i == index;
        m_tabs[i].SetBitmaps(chosen ? IDB_TAB_CHOSEN : IDB_TAB, IDB_TAB_CHOSEN, IDB_TAB_HOVER);
        m_tabs[i].EnableWindow(!chosen);
        m_tabs[i].Invalidate(true);
        if (m_pages[i] && m_pages[i]->IsWindow())
            m_pages[i]->SetWindowPos(nullptr, 0, 0, SkinPage::kWidth, SkinPage::kHeight,
                                     SWP_NOZORDER | SWP_NOACTIVATE | (chosen ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    m_shownTab = index;
}

bool ToolbarDialog::ChooseTabByKey(const MSG& msg)
{
    if (msg.message != WM_SYSKEYDOWN || !IsWindow())
        return false;
    if (msg.hwnd != Hwnd() && !::IsChild(Hwnd(), msg.hwnd))
        return false;
    for (int i = 0; i < m_parts.tabCount; ++i) {
        if (msg.wParam == m_parts.tabs[i].altKey) {
            ShowTab(i);
            return true;
        }
    }
    return false;
}

bool ToolbarDialog::PreTranslateMessage(MSG& msg)
{
    if (ChooseTabByKey(msg))
        return true;
    return fx::Dialog::PreTranslateMessage(msg);
}

LRESULT ToolbarDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        return OnCommandMessage(wParam, lParam);
    return fx::Dialog::WindowProc(message, wParam, lParam);
}

LRESULT ToolbarDialog::OnCommandMessage(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == m_parts.closeId || id == m_parts.cancelId)
        OnCancelButton();
    else if (id == m_parts.okId)
        OnOKButton();
    else if (id == m_parts.applyId)
        OnApplyButton();
    else if (id == m_parts.defaultId)
        OnDefaultButton();
    else {
        for (int i = 0; i < m_parts.tabCount; ++i) {
            if (id == m_parts.tabs[i].id) {
                ShowTab(i);
                return 0;
            }
        }
        return fx::Dialog::WindowProc(WM_COMMAND, wParam, lParam);
    }
    return 0;
}

HBRUSH ToolbarDialog::OnCtlColor(HDC dc, HWND control, UINT)
{
    if (control != m_title.Hwnd())
        return nullptr;
    // The title stands on the skin's dark strip: white text keeps it readable, no background of its own.
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void ToolbarDialog::OnPaint()
{
    fx::PaintDC dc(Hwnd());
    (void)skin::PaintSkinBackground(dc, IDB_DIALOG_BACKGROUND); // a missing bitmap leaves the plain face
}

void ToolbarDialog::OnSize(UINT, int, int)
{
    Default();
    (void)skin::ApplyDialogOutline(Hwnd(), IDB_DIALOG_BACKGROUND); // a missing picture says so, keeps the rectangle
}

void ToolbarDialog::OnMouseMove(UINT, POINT)
{
    m_btnClose.RestoreNormal(IDB_CLOSE);
    Default();
}

void ToolbarDialog::OnLButtonDown(UINT, POINT)
{
    SendMessage(WM_SYSCOMMAND, kMoveByMouse, 0);
    Default();
}

void ToolbarDialog::Close()
{
    if (!m_forgotten) {
        m_forgotten = true;
        ForgetInToolbar();
    }
    EndDialog(0);
}

void ToolbarDialog::PostNcDestroy()
{
    // A dialog that ends another way (its window destroyed with the toolbar's) is forgotten too.
    if (!m_forgotten) {
        m_forgotten = true;
        ForgetInToolbar();
    }
    fx::Dialog::PostNcDestroy();
}
