// The Setting dialog (see Setting.h).
#include "ui/Setting.h"

#include "resource.h"

FX_BEGIN_MESSAGE_MAP(Setting, ToolbarDialog)
FX_ON_BN_CLICKED(IDC_SET_CLOSE, OnBnClickedClose)
FX_END_MESSAGE_MAP()

Setting::Setting(ToolbarLink* skinDlg)
    : ToolbarDialog(IDD_SETTING, IDC_SET_TITLE, L"Setting", IDC_SET_CLOSE, skinDlg), pSkinSet(skinDlg)
{
}

void Setting::ForgetInToolbar()
{
    if (pSkinSet)
        pSkinSet->OnSettingClosed(this);
}
