// Properties: the modeless dialog in which the user adjusts the camera, opened by the toolbar's Property button
// (Alt+F8, or the preview's function menu). Its options page holds mirror, flip and the power-line frequency, its
// image page six image sliders; both act on the live camera at once. Default restores the defaults, OK saves and
// closes, Apply saves, Cancel puts the camera back and closes.
#pragma once

#include "settings/DialogViews.h"
#include "ui/ImagePage.h"
#include "ui/OptionsPage.h"
#include "ui/ToolbarDialog.h"

class Properties : public ToolbarDialog, public PropertiesView
{
public:
    explicit Properties(ToolbarLink* skinDlg);

    // OK (and Enter on either page): Apply's steps, then the dialog closes.
    void OnBnClickedBtnPropertiesOK();

    // What the preview asks of the dialog.
    bool MirrorChecked() const override { return m_dlgOptions.m_btnMirror.bSelected != 0; }
    bool FlipChecked() const override { return m_dlgOptions.m_btnFlip.bSelected != 0; }
    void ClearOrientationChecks(bool enable) override { m_dlgOptions.ClearOrientationChecks(enable); }
    void EnableImageSliders(bool enable) override { m_dlgImage.EnableSliders(enable); }
    void ShowImageValue(int index, int minimum, int maximum, int value) override
    {
        m_dlgImage.ShowValue(index, minimum, maximum, value);
    }

    ToolbarLink* pSkinProp;
    OptionsPage m_dlgOptions;
    ImagePage m_dlgImage;

protected:
    BOOL OnInitDialog() override;
    void ForgetInToolbar() override;
    void OnDefaultButton() override;
    void OnOKButton() override { OnBnClickedBtnPropertiesOK(); }
    void OnCancelButton() override;
    void OnApplyButton() override;

private:
    // Apply: the pending choices become the saved ones and are stored.
    void SaveChoices();
};
