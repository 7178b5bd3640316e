// Properties: the modeless dialog of the camera's image values and picture options, opened by the toolbar's
// Property button (Alt+F8). Its pages come with the image and options work; today it is the skinned dialog
// with its close button.
#pragma once

#include "ui/ToolbarDialog.h"

class Properties : public ToolbarDialog
{
public:
    explicit Properties(ToolbarLink* skinDlg);

    ToolbarLink* pSkinProp;

protected:
    void ForgetInToolbar() override;

    FX_DECLARE_MESSAGE_MAP()
};
