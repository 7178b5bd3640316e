// The Properties dialog (see Properties.h).
#include "ui/Properties.h"

#include "capture/Preview.h"
#include "res/resource.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"

namespace {

const ToolbarDialogParts kParts = {
    IDD_PROPERTIES,
    IDC_PROP_TITLE,
    TextKey(L"Properties"),
    IDC_PROP_CLOSE,
    IDC_PROP_PAGES,
    IDC_PROP_DEFAULT,
    IDC_PROP_OK,
    IDC_PROP_CANCEL,
    IDC_PROP_APPLY,
    380,
    {{IDC_PROP_TAB_OPTIONS, TextKey(L"Options"), 'O'}, {IDC_PROP_TAB_IMAGE, TextKey(L"Image"), 'I'}},
    2,
};

} // namespace

Properties::Properties(ToolbarLink* skinDlg)
    : ToolbarDialog(kParts, skinDlg), pSkinProp(skinDlg), m_dlgOptions(*this), m_dlgImage(*this)
{
}

BOOL Properties::OnInitDialog()
{
    ToolbarDialog::OnInitDialog();
    if (!AddPage(0, m_dlgOptions) || !AddPage(1, m_dlgImage)) {
        DebugLog("Properties::OnInitDialog a page could not be created");
        Close();
        return TRUE;
    }
    ShowTab(0);
    return TRUE;
}

void Properties::ForgetInToolbar()
{
    if (pSkinProp)
        pSkinProp->OnPropertiesClosed(this);
}

void Properties::OnDefaultButton()
{
    m_dlgOptions.LoadDefaultSetting();
    m_dlgImage.LoadDefaultSetting();
}

void Properties::SaveChoices()
{
    if (!pSkinProp)
        return;
    SettingsRecord& record = pSkinProp->Settings();
    record.m_bPowerline60Hz = m_dlgOptions.Is60HzChosen();
    record.m_nPowerlineFrequency = record.m_bPowerline60Hz ? 2 : 1;
    if (Preview* preview = pSkinProp->OpenPreview()) {
        preview->m_bIsMirrorSelected = m_dlgOptions.m_btnMirror.bSelected != 0;
        preview->m_bIsFlipSelected = m_dlgOptions.m_btnFlip.bSelected != 0;
        if (preview->VideoProcAmp()) {
            for (int i = 0; i < imagepage::kSliderCount; ++i)
                ImageValue(record, i) = m_dlgImage.SliderPosition(i);
        }
    }
    pSkinProp->ModifyPropertiesToRegistry();
}

void Properties::OnApplyButton()
{
    SaveChoices();
}

void Properties::OnBnClickedBtnPropertiesOK()
{
    DebugLog("Properties::OnBnClickedBtnPropertiesOK [IN]");
    SaveChoices();
    Close();
    DebugLog("Properties::OnBnClickedBtnPropertiesOK [OUT]");
}

void Properties::OnCancelButton()
{
    if (pSkinProp && pSkinProp->IsPreviewOpen()) {
        SettingsRecord& record = pSkinProp->Settings();
        Preview* preview = pSkinProp->OpenPreview();
        if (preview)
            m_dlgOptions.RestoreOrientation(preview->m_bIsMirrorSelected ? 1 : 0, preview->m_bIsFlipSelected ? 1 : 0);
        // The frequency goes back through whichever interface the page holds, so Cancel undoes the page on
        // cameras without a topology too.
        if (m_dlgOptions.Is60HzChosen() != record.m_bPowerline60Hz)
            (void)m_dlgOptions.SetPowerLineFrequency(record.m_bPowerline60Hz ? 2 : 1);
        if (IAMVideoProcAmp* amp = preview ? preview->VideoProcAmp() : nullptr) {
            for (int i = 0; i < imagepage::kSliderCount; ++i) {
                const int saved = ImageValue(record, i);
                if (m_dlgImage.SliderPosition(i) != saved)
                    (void)amp->Set(imagepage::kProperty[i], saved, m_dlgImage.Flags()); // a refusal is the camera's
            }
        }
    }
    Close();
}
