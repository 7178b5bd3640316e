// A skinned page of the Properties and Setting dialogs (see SkinPage.h).
#include "ui/SkinPage.h"

#include "settings/LangText.h"
#include "ui/SkinBackground.h"
#include "ui/ToolbarDialog.h"

FX_BEGIN_MESSAGE_MAP(SkinPage, fx::Dialog)
FX_ON_WM_PAINT(OnPaint)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_END_MESSAGE_MAP()

void CreatePageFont(fx::Font& font, int height, int japaneseHeight, int weight)
{
    const std::wstring language = GetOSLanguage();
    const bool korean = language == L"Korean";
    (void)font.Create(korean ? L"Batang" : L"Arial Unicode MS", language == L"Japanese" ? japaneseHeight : height,
                      weight, korean ? JOHAB_CHARSET : DEFAULT_CHARSET); // without it the labels keep the template's
}

SkinPage::SkinPage(UINT templateId, UINT backgroundId, ToolbarDialog& owner)
    : fx::Dialog(templateId), m_backgroundId(backgroundId), m_owner(owner)
{
}

bool SkinPage::CreateInOwner()
{
    if (!Create(TemplateId(), m_owner.PageArea()))
        return false;
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return true;
}

BOOL SkinPage::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    CreatePageFont(m_labelFont, 16, 15, FW_NORMAL);
    return TRUE;
}

void SkinPage::OnOK()
{
    m_owner.OnPageOK();
}

void SkinPage::OnCancel()
{
    m_owner.OnPageCancel();
}

bool SkinPage::PreTranslateMessage(MSG& msg)
{
    // The page's own dialog handling would take the key first: the tabs' keys belong to the dialog.
    if (m_owner.ChooseTabByKey(msg))
        return true;
    return fx::Dialog::PreTranslateMessage(msg);
}

COLORREF SkinPage::LabelTextColour(HWND) const
{
    return CLR_INVALID;
}

void SkinPage::PaintBackground(HDC dc)
{
    (void)skin::PaintSkinBackground(dc, m_backgroundId); // a missing bitmap leaves the plain page
}

void SkinPage::OnPaint()
{
    fx::PaintDC dc(Hwnd());
    PaintBackground(dc);
}

HBRUSH SkinPage::OnCtlColor(HDC dc, HWND control, UINT message)
{
    if (message != WM_CTLCOLORSTATIC)
        return nullptr;
    const COLORREF text = LabelTextColour(control);
    if (text == CLR_INVALID)
        return nullptr;
    SetTextColor(dc, text);
    SetBkColor(dc, kLabelBackground);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void SkinPage::Place(UINT id, int x, int y, int width, int height) const
{
    ::SetWindowPos(GetDlgItem(id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinPage::SetLabel(UINT id, const wchar_t* key, const wchar_t* text, int x, int y, int width, int height) const
{
    HWND label = GetDlgItem(id);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.Get()), FALSE);
    ::SetWindowTextW(label, GetLangText(key, text).c_str());
    Place(id, x, y, width, height);
}
