// Setting: the modeless dialog of the toolbar, picture and video settings, opened by the toolbar's Setting
// button (Alt+F9). Its pages come with the settings work; today it is the skinned dialog with its close button.
#pragma once

#include "ui/ToolbarDialog.h"

class Setting : public ToolbarDialog
{
public:
    explicit Setting(ToolbarLink* skinDlg);

    ToolbarLink* pSkinSet;

protected:
    void ForgetInToolbar() override;

    FX_DECLARE_MESSAGE_MAP()
};
