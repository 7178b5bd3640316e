// The Setting dialog's toolbar page (see SettingOptionsPage.h).
#include "ui/SettingOptionsPage.h"

#include "res/resource.h"
#include "ui/Setting.h"

FX_BEGIN_MESSAGE_MAP(SettingOptionsPage, SkinPage)
FX_ON_BN_CLICKED(IDC_BARPOS_TOP, OnTop)
FX_ON_BN_CLICKED(IDC_BARPOS_LEFT, OnLeft)
FX_ON_BN_CLICKED(IDC_BARPOS_RIGHT, OnRight)
FX_ON_BN_CLICKED(IDC_BARPOS_AUTOHIDE, OnAutoHideClicked)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

SettingOptionsPage::SettingOptionsPage(Setting& owner)
    : SkinPage(IDD_SETTING_OPTIONS_PAGE, IDB_PAGE_TOOLBAR_OPTIONS, owner), pSet(&owner)
{
}

BOOL SettingOptionsPage::OnInitDialog()
{
    SkinPage::OnInitDialog();
    SetLabel(IDC_BARPOS_TITLE, L"BarPosition", L"Toolbar Position", 15, 20, 250, 30);
    SetLabel(IDC_BARPOS_TOP_LABEL, L"Top", L"Top", 135, 64, 90, 30);
    SetLabel(IDC_BARPOS_LEFT_LABEL, L"Left", L"Left", 135, 120, 90, 30);
    SetLabel(IDC_BARPOS_RIGHT_LABEL, L"Right", L"Right", 135, 178, 90, 30);
    SetLabel(IDC_BARPOS_AUTOHIDE_LABEL, L"AutoHide", L"Auto Hide", 53, 237, 250, 30);
    m_btnTop.SubclassDlgItem(IDC_BARPOS_TOP, Hwnd());
    m_btnLeft.SubclassDlgItem(IDC_BARPOS_LEFT, Hwnd());
    m_btnRight.SubclassDlgItem(IDC_BARPOS_RIGHT, Hwnd());
    m_btnAutoHide.SubclassDlgItem(IDC_BARPOS_AUTOHIDE, Hwnd());
    Place(IDC_BARPOS_TOP, 108, 62, 19, 20);
    Place(IDC_BARPOS_LEFT, 108, 118, 19, 20);
    Place(IDC_BARPOS_RIGHT, 108, 176, 19, 20);
    Place(IDC_BARPOS_AUTOHIDE, 32, 237, 17, 17);
    const SettingsRecord* record = pSet->pSkinSet ? &pSet->pSkinSet->Settings() : nullptr;
    ShowPosition(record ? record->m_nToolbarPosition : 1);
    ShowAutoHide(record && record->m_bAutoHide);
    return TRUE;
}

COLORREF SettingOptionsPage::LabelTextColour(HWND control) const
{
    const int id = ::GetDlgCtrlID(control);
    return id >= IDC_BARPOS_TITLE && id <= IDC_BARPOS_AUTOHIDE_LABEL ? kLabelText : CLR_INVALID;
}

MyRadioButton* SettingOptionsPage::RadioOf(int position)
{
    switch (position) {
    case 1:
        return &m_btnTop;
    case 2:
        return &m_btnLeft;
    case 3:
        return &m_btnRight;
    default:
        return nullptr;
    }
}

void SettingOptionsPage::ShowPosition(int position)
{
    for (int p = 1; p <= 3; ++p) {
        MyRadioButton* radio = RadioOf(p);
        if (!radio->IsWindow())
            continue;
        radio->bSelected = p == position ? 1 : 0;
        radio->bHover = 0;
        radio->LoadBitmaps(p == position ? IDB_RADIO_ON : IDB_RADIO_OFF);
        radio->Invalidate(true);
    }
}

void SettingOptionsPage::ShowAutoHide(bool on)
{
    if (!m_btnAutoHide.IsWindow())
        return;
    m_btnAutoHide.bSelected = on ? 1 : 0;
    m_btnAutoHide.bHover = 0;
    m_btnAutoHide.LoadBitmaps(on ? IDB_CHECK_ON : IDB_CHECK_OFF);
    m_btnAutoHide.Invalidate(true);
}

void SettingOptionsPage::OnPositionClicked(int position)
{
    MyRadioButton* radio = RadioOf(position);
    if (!radio || radio->bSelected)
        return;
    ShowPosition(position);
    if (pSet->pSkinSet)
        pSet->pSkinSet->DockAtEdge(position);
}

void SettingOptionsPage::OnAutoHideClicked()
{
    const bool wasChecked = m_btnAutoHide.bSelected != 0;
    m_btnAutoHide.LoadBitmaps(wasChecked ? IDB_CHECK_HOVER : IDB_CHECK_ON);
    m_btnAutoHide.bHover = wasChecked ? 1 : 0;
    m_btnAutoHide.bSelected = wasChecked ? 0 : 1;
    m_btnAutoHide.Invalidate(true);
    if (pSet->pSkinSet)
        pSet->pSkinSet->ApplyAutoHide(!wasChecked);
}

void SettingOptionsPage::OnMouseMove(UINT, POINT)
{
    for (MyRadioButton* radio : {&m_btnTop, &m_btnLeft, &m_btnRight}) {
        if (radio->bSelected == 0 && radio->bHover == 1) {
            radio->bHover = 0;
            radio->LoadBitmaps(IDB_RADIO_OFF);
            radio->Invalidate(true);
        }
    }
    if (m_btnAutoHide.bSelected == 0 && m_btnAutoHide.bHover == 1) {
        m_btnAutoHide.bHover = 0;
        m_btnAutoHide.LoadBitmaps(IDB_CHECK_OFF);
        m_btnAutoHide.Invalidate(true);
    }
    Default();
}
