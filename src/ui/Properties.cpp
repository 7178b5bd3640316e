// The Properties dialog (see Properties.h).
#include "ui/Properties.h"

#include "resource.h"

FX_BEGIN_MESSAGE_MAP(Properties, ToolbarDialog)
FX_ON_BN_CLICKED(IDC_PROP_CLOSE, OnBnClickedClose)
FX_END_MESSAGE_MAP()

Properties::Properties(ToolbarLink* skinDlg)
    : ToolbarDialog(IDD_PROPERTIES, IDC_PROP_TITLE, L"Properties", IDC_PROP_CLOSE, skinDlg), pSkinProp(skinDlg)
{
}

void Properties::ForgetInToolbar()
{
    if (pSkinProp)
        pSkinProp->OnPropertiesClosed(this);
}
