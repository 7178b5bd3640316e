// The Setting dialog (see Setting.h).
#include "ui/Setting.h"

#include "capture/FolderChecks.h"
#include "capture/Preview.h"
#include "res/resource.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"
#include "ui/FolderDialog.h"
#include "ui/FolderText.h"
#include "ui/SettingSizeRules.h"

namespace {

const ToolbarDialogParts kParts = {
    IDD_SETTING,
    IDC_SET_TITLE,
    TextKey(L"Setting"),
    IDC_SET_CLOSE,
    IDC_SET_PAGES,
    IDC_SET_DEFAULT,
    IDC_SET_OK,
    IDC_SET_CANCEL,
    IDC_SET_APPLY,
    376,
    {{IDC_SET_TAB_OPTIONS, TextKey(L"Options"), 'O'},
     {IDC_SET_TAB_PICTURE, TextKey(L"Picture"), 'P'},
     {IDC_SET_TAB_VIDEO, TextKey(L"Video"), 'V'}},
    3,
};

} // namespace

Setting::Setting(ToolbarLink* skinDlg)
    : ToolbarDialog(kParts, skinDlg), pSkinSet(skinDlg), m_dlgOptions(*this), m_dlgPicture(*this), m_dlgVideo(*this)
{
}

BOOL Setting::OnInitDialog()
{
    ToolbarDialog::OnInitDialog();
    if (!AddPage(0, m_dlgOptions) || !AddPage(1, m_dlgPicture) || !AddPage(2, m_dlgVideo)) {
        DebugLog("Setting::OnInitDialog a page could not be created");
        Close();
        return TRUE;
    }
    ShowTab(0);
    if (pSkinSet) {
        m_nBaselinePosition = pSkinSet->Settings().m_nToolbarPosition;
        m_bBaselineAutoHide = pSkinSet->Settings().m_bAutoHide;
    }
    m_nBaselineVideoEntry = m_dlgVideo.SizeEntry();
    DebugLog("Setting::OnInitDialog[EXIT]");
    return TRUE;
}

void Setting::ForgetInToolbar()
{
    if (pSkinSet)
        pSkinSet->OnSettingClosed(this);
}

int Setting::CheckUACFolder(const std::wstring& path)
{
    return ::CheckUACFolder(path, "Setting");
}

void Setting::ShowFolderError()
{
    MessageBoxW(
        nullptr,
        GetLangText(L"FolderError", L"The folder is forbidden to be accessed, please select another one").c_str(),
        GetLangText(L"Error", L"Error!").c_str(), MB_OK);
}

bool Setting::FolderUsable(const std::wstring& folder)
{
    // A folder the store cannot hold, or one that names no fixed place (empty, relative), is refused like one
    // the program may not write into.
    if (!folders::IsStorableFolder(folder) || CheckUACFolder(folder) != 0) {
        ShowFolderError();
        return false;
    }
    return true;
}

bool Setting::TakeFolder(const std::wstring& text, std::wstring& field, int videoFlag)
{
    if (!FolderUsable(text))
        return false;
    field = text;
    if (pSkinSet)
        (void)pSkinSet->FindNextFileNumber(text, videoFlag); // no numbered file yet is no failure
    return true;
}

bool Setting::ChooseFolder(HWND page, std::wstring& folder)
{
    CFolderDialog chooser(L"C:", nullptr, page, BIF_RETURNONLYFSDIRS);
    (void)chooser.SetRootFolder(nullptr); // the desktop: always there
    if (chooser.DoModal() != CFolderDialog::kChosen || !FolderUsable(chooser.FolderPath()))
        return false;
    folder = chooser.FolderPath();
    return true;
}

bool Setting::PreviewHoldsItsSize() const
{
    Preview* preview = pSkinSet && pSkinSet->IsPreviewOpen() ? pSkinSet->OpenPreview() : nullptr;
    return preview && (preview->m_nCapState == 1 || preview->m_bFullWindow);
}

void Setting::SwitchPreviewTo(int state)
{
    Preview* preview = pSkinSet && pSkinSet->IsPreviewOpen() ? pSkinSet->OpenPreview() : nullptr;
    if (!preview)
        return;
    switch (state) {
    case 0:
        preview->ResQVGA();
        break;
    case 1:
        preview->ResVGA();
        break;
    case 2:
        preview->ResSSVGA();
        break;
    case 3:
        preview->ResSVGA();
        break;
    case 4:
        preview->ResXVGA();
        break;
    default:
        break;
    }
}

void Setting::OnPictureSizeChosen(int entry)
{
    m_dlgVideo.SelectSizeEntry(sizelist::VideoEntryOfPictureEntry(entry));
    SwitchPreviewTo(sizelist::StateOfPictureEntry(entry));
}

void Setting::OnVideoSizeChosen(int entry)
{
    m_dlgPicture.SelectSizeEntry(entry);
    SwitchPreviewTo(sizelist::StateOfVideoEntry(entry));
}

void Setting::EnableSizeLists(bool enable)
{
    m_dlgPicture.m_cbSize.EnableWindow(enable);
    m_dlgVideo.m_cbSize.EnableWindow(enable);
}

void Setting::ShowResolutionState(int state)
{
    const bool vgaModule = pSkinSet && pSkinSet->Settings().m_bVGAModule;
    m_dlgPicture.SelectSizeEntry(sizelist::PictureEntryOfState(state, vgaModule));
    m_dlgVideo.SelectSizeEntry(sizelist::VideoEntryOfState(state));
}

void Setting::SaveSettings()
{
    if (!pSkinSet)
        return;
    SettingsRecord& record = pSkinSet->Settings();
    m_nBaselinePosition = record.m_nToolbarPosition;
    m_bBaselineAutoHide = record.m_bAutoHide;
    record.m_bDateStamp = m_dlgPicture.m_btnDateStamp.bSelected ? 1 : 0;
    record.m_bShowImageAfterSnapshot = m_dlgPicture.m_btnShowImage.bSelected ? 1 : 0;
    (void)TakeFolder(m_dlgPicture.PathText(), record.m_strPicturePath, 0); // a refused folder keeps the old one
    const int format = m_dlgPicture.FormatIndex();
    if (format >= 0 && format <= 2)
        record.m_nExportFile = format;
    record.m_nPictureSize = m_dlgPicture.m_nChosenSize;
    record.m_bPlayVideoAfterRecording = m_dlgVideo.m_btnPlay.bSelected ? 1 : 0;
    (void)TakeFolder(m_dlgVideo.PathText(), record.m_strVideoPath, 1);
    record.m_nPictureSize = sizelist::StoredState(record.m_nPictureSize, m_dlgVideo.SizeEntry(), m_nBaselineVideoEntry);
    pSkinSet->WriteSettingsToRegistry();
}

void Setting::OnApplyButton()
{
    SaveSettings();
}

void Setting::OnOKButton()
{
    SaveSettings(); // a refused folder does not stop OK: the rest is stored and the dialog closes
    Close();
}

void Setting::OnCancelButton()
{
    if (pSkinSet) {
        SettingsRecord& record = pSkinSet->Settings();
        if (record.m_nToolbarPosition != m_nBaselinePosition)
            pSkinSet->DockAtEdge(m_nBaselinePosition);
        if (m_dlgOptions.AutoHideChecked() != m_bBaselineAutoHide) {
            m_dlgOptions.ShowAutoHide(m_bBaselineAutoHide);
            pSkinSet->ApplyAutoHide(m_bBaselineAutoHide);
        }
        if (pSkinSet->IsPreviewOpen() &&
            sizelist::CancelSwitchesBack(m_dlgPicture.m_nChosenSize, m_dlgVideo.SizeEntry(), record.m_nPictureSize))
            SwitchPreviewTo(record.m_nPictureSize);
    }
    Close();
}

void Setting::OnDefaultButton()
{
    m_dlgOptions.ShowAutoHide(true);
    m_dlgOptions.ShowPosition(1);
    if (pSkinSet) {
        pSkinSet->ApplyAutoHide(true);
        pSkinSet->DockAtEdge(1);
    }
    m_dlgPicture.ShowDefaults();
    m_dlgVideo.ShowDefaults();
    Preview* preview = pSkinSet && pSkinSet->IsPreviewOpen() ? pSkinSet->OpenPreview() : nullptr;
    if (preview && preview->m_nCapState != 1)
        preview->ResVGA();
}
