// The Setting dialog's video page (see VideoPage.h).
#include "ui/VideoPage.h"

#include <shlobj.h>

#include "res/resource.h"
#include "settings/LangText.h"
#include "settings/RegistryStore.h"
#include "ui/PicturePage.h"
#include "ui/Setting.h"
#include "ui/SettingSizeRules.h"

FX_BEGIN_MESSAGE_MAP(VideoPage, SkinPage)
FX_ON_CONTROL(CBN_SELCHANGE, IDC_VID_SIZE, OnSizeChosen)
FX_ON_BN_CLICKED(IDC_VID_BROWSE, OnBrowse)
FX_ON_BN_CLICKED(IDC_VID_PLAY, OnPlayClicked)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

VideoPage::VideoPage(Setting& owner) : SkinPage(IDD_VIDEO_PAGE, IDB_PAGE_IMAGE, owner), pSet(&owner) {}

BOOL VideoPage::OnInitDialog()
{
    SkinPage::OnInitDialog();
    SetLabel(IDC_VID_TITLE, L"VOutput", L"Video Output", 15, 15, 235, 20);
    SetLabel(IDC_VID_SIZE_LABEL, L"Size", L"Size", 25, 62, 150, 20);
    SetLabel(IDC_VID_PATH_LABEL, L"SavePath", L"Save Path", 25, 112, 150, 20);
    SetLabel(IDC_VID_PLAY_LABEL, L"PlayVideo", L"Play video after recording", 43, 198, 220, 50);

    m_btnBrowse.SubclassDlgItem(IDC_VID_BROWSE, Hwnd());
    Place(IDC_VID_BROWSE, 210, 130, 46, 30);
    m_btnBrowse.LoadBitmaps(IDB_BROWSE);
    m_btnBrowse.SetTooltipText(GetLangText(L"SavePath", L"Save Path").c_str());
    m_btnPlay.SubclassDlgItem(IDC_VID_PLAY, Hwnd());
    Place(IDC_VID_PLAY, 23, 198, 17, 17);

    m_cbSize.SubclassDlgItem(IDC_VID_SIZE, Hwnd());
    m_edPath.SubclassDlgItem(IDC_VID_PATH, Hwnd());
    m_cbSize.ResetContent();
    for (int i = 0; i < sizelist::kVideoEntryCount; ++i)
        m_cbSize.AddString(sizelist::VideoEntryText(i));
    Place(IDC_VID_SIZE, 25, 84, 197, 22);
    Place(IDC_VID_PATH, 25, 134, 180, 22);

    ToolbarLink* toolbar = pSet->pSkinSet;
    if (!toolbar)
        return TRUE;
    SettingsRecord& record = toolbar->Settings();
    ShowCheck(m_btnPlay, record.m_bPlayVideoAfterRecording == 1);
    m_cbSize.SetCurSel(sizelist::VideoEntryOfState(record.m_nPictureSize));
    if (pSet->PreviewHoldsItsSize())
        m_cbSize.EnableWindow(false);
    ShowPath(record.m_strVideoPath);
    return TRUE;
}

COLORREF VideoPage::LabelTextColour(HWND control) const
{
    const int id = ::GetDlgCtrlID(control);
    return id >= IDC_VID_TITLE && id <= IDC_VID_PLAY_LABEL ? kLabelText : CLR_INVALID;
}

void VideoPage::SelectSizeEntry(int index)
{
    m_cbSize.SetCurSel(index);
}

void VideoPage::ShowPath(const std::wstring& path)
{
    m_strPath = path;
    m_edPath.SetWindowText(path.c_str());
}

void VideoPage::ShowDefaults()
{
    ShowCheck(m_btnPlay, false);
    if (m_cbSize.IsWindowEnabled())
        m_cbSize.SetCurSel(1);
    ShowPath(UserFolderWithBackslash(CSIDL_MYVIDEO));
}

void VideoPage::OnSizeChosen()
{
    const int entry = m_cbSize.GetCurSel();
    if (sizelist::StateOfVideoEntry(entry) >= 0)
        pSet->OnVideoSizeChosen(entry);
}

void VideoPage::OnBrowse()
{
    std::wstring folder;
    if (pSet->ChooseFolder(Hwnd(), folder))
        ShowPath(folder);
}

void VideoPage::OnPlayClicked()
{
    ToggleCheck(m_btnPlay);
}

void VideoPage::OnMouseMove(UINT, POINT)
{
    RestoreCheck(m_btnPlay);
    m_btnBrowse.RestoreNormal(IDB_BROWSE);
    Default();
}
