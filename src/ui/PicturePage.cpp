// The Setting dialog's picture page (see PicturePage.h).
#include "ui/PicturePage.h"

#include <shlobj.h>

#include "capture/Preview.h"
#include "res/resource.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"
#include "settings/RegistryStore.h"
#include "ui/Setting.h"
#include "ui/SettingSizeRules.h"

FX_BEGIN_MESSAGE_MAP(PicturePage, SkinPage)
FX_ON_CONTROL(CBN_SELCHANGE, IDC_PIC_SIZE, OnSizeChosen)
FX_ON_BN_CLICKED(IDC_PIC_BROWSE, OnBrowse)
FX_ON_BN_CLICKED(IDC_PIC_DATESTAMP, OnDateStampClicked)
FX_ON_BN_CLICKED(IDC_PIC_SHOWIMAGE, OnShowImageClicked)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

namespace {
constexpr const wchar_t* kFormats[] = {L"BMP", L"JPEG", L"PNG"};
constexpr int kJpeg = 1;
} // namespace

void ShowCheck(MyCheckButton& check, bool on)
{
    if (!check.IsWindow())
        return;
    check.bSelected = on ? 1 : 0;
    check.bHover = 0;
    check.LoadBitmaps(on ? IDB_CHECK_ON : IDB_CHECK_OFF);
    check.Invalidate(true);
}

void ToggleCheck(MyCheckButton& check)
{
    const bool wasChecked = check.bSelected != 0;
    check.LoadBitmaps(wasChecked ? IDB_CHECK_HOVER : IDB_CHECK_ON);
    check.bHover = wasChecked ? 1 : 0;
    check.bSelected = wasChecked ? 0 : 1;
    check.Invalidate(true);
}

void RestoreCheck(MyCheckButton& check)
{
    if (check.bSelected == 0 && check.bHover == 1) {
        check.bHover = 0;
        check.LoadBitmaps(IDB_CHECK_OFF);
        check.Invalidate(true);
    }
}

PicturePage::PicturePage(Setting& owner) : SkinPage(IDD_PICTURE_PAGE, IDB_PAGE_IMAGE, owner), pSet(&owner) {}

BOOL PicturePage::OnInitDialog()
{
    SkinPage::OnInitDialog();
    SetLabel(IDC_PIC_TITLE, L"POutput", L"Picture Output", 15, 15, 235, 20);
    SetLabel(IDC_PIC_SIZE_LABEL, L"Size", L"Size", 21, 38, 150, 20);
    SetLabel(IDC_PIC_EXPORT_LABEL, L"Export", L"Export File", 21, 98, 150, 20);
    SetLabel(IDC_PIC_PATH_LABEL, L"SavePath", L"Save Path", 21, 158, 150, 20);
    SetLabel(IDC_PIC_DATESTAMP_LABEL, L"DateStamp", L"Date Stamp", 45, 218, 225, 50);
    SetLabel(IDC_PIC_SHOWIMAGE_LABEL, L"ShowImage", L"Show image after snapshot", 45, 265, 225, 50);

    m_btnBrowse.SubclassDlgItem(IDC_PIC_BROWSE, Hwnd());
    Place(IDC_PIC_BROWSE, 210, 176, 46, 30);
    m_btnBrowse.LoadBitmaps(IDB_BROWSE);
    m_btnBrowse.SetTooltipText(GetLangText(L"SavePath", L"Save Path").c_str());
    m_btnDateStamp.SubclassDlgItem(IDC_PIC_DATESTAMP, Hwnd());
    m_btnShowImage.SubclassDlgItem(IDC_PIC_SHOWIMAGE, Hwnd());
    Place(IDC_PIC_DATESTAMP, 24, 218, 17, 17);
    Place(IDC_PIC_SHOWIMAGE, 24, 265, 17, 17);

    m_cbSize.SubclassDlgItem(IDC_PIC_SIZE, Hwnd());
    m_cbFormat.SubclassDlgItem(IDC_PIC_FORMAT, Hwnd());
    m_edPath.SubclassDlgItem(IDC_PIC_PATH, Hwnd());
    Place(IDC_PIC_SIZE, 21, 62, 198, 22);
    Place(IDC_PIC_FORMAT, 21, 120, 198, 22);
    Place(IDC_PIC_PATH, 21, 180, 180, 22);

    ToolbarLink* toolbar = pSet->pSkinSet;
    if (!toolbar)
        return TRUE;
    SettingsRecord& record = toolbar->Settings();
    ShowCheck(m_btnDateStamp, record.m_bDateStamp == 1);
    ShowCheck(m_btnShowImage, record.m_bShowImageAfterSnapshot == 1);

    DebugLog("PicturePage::OnInitDialog pSet->pSkinSet->m_bVGAModule=%d", record.m_bVGAModule ? 1 : 0);
    for (int i = 0; i < sizelist::PictureEntryCount(record.m_bVGAModule); ++i)
        m_cbSize.AddString(sizelist::PictureEntryText(i));
    if (pSet->PreviewHoldsItsSize())
        m_cbSize.EnableWindow(false);
    m_nChosenSize = record.m_nPictureSize;
    m_cbSize.SetCurSel(sizelist::PictureEntryOfState(m_nChosenSize, record.m_bVGAModule));

    // The system does not apply a template's list entries: the page fills its own.
    m_cbFormat.ResetContent();
    for (const wchar_t* format : kFormats)
        m_cbFormat.AddString(format);
    m_cbFormat.SetCurSel(record.m_nExportFile);
    ShowPath(record.m_strPicturePath);
    return TRUE;
}

COLORREF PicturePage::LabelTextColour(HWND control) const
{
    const int id = ::GetDlgCtrlID(control);
    return id >= IDC_PIC_TITLE && id <= IDC_PIC_SHOWIMAGE_LABEL ? kLabelText : CLR_INVALID;
}

void PicturePage::SelectSizeEntry(int index)
{
    m_cbSize.SetCurSel(index);
}

void PicturePage::ShowPath(const std::wstring& path)
{
    m_strPath = path;
    m_edPath.SetWindowText(path.c_str());
}

void PicturePage::ShowDefaults()
{
    ShowCheck(m_btnDateStamp, false);
    ShowCheck(m_btnShowImage, false);
    if (m_cbSize.IsWindowEnabled()) {
        m_cbSize.SetCurSel(1);
        m_nChosenSize = sizelist::StateOfPictureEntry(1);
    }
    m_cbFormat.SetCurSel(kJpeg);
    ShowPath(UserFolderWithBackslash(CSIDL_MYPICTURES));
}

void PicturePage::OnSizeChosen()
{
    const int entry = m_cbSize.GetCurSel();
    const int state = sizelist::StateOfPictureEntry(entry);
    if (state < 0)
        return;
    m_nChosenSize = state;
    pSet->OnPictureSizeChosen(entry);
}

void PicturePage::OnBrowse()
{
    std::wstring folder;
    if (pSet->ChooseFolder(Hwnd(), folder))
        ShowPath(folder);
}

void PicturePage::OnDateStampClicked()
{
    ToggleCheck(m_btnDateStamp);
}

void PicturePage::OnShowImageClicked()
{
    ToggleCheck(m_btnShowImage);
}

void PicturePage::OnMouseMove(UINT, POINT)
{
    RestoreCheck(m_btnDateStamp);
    RestoreCheck(m_btnShowImage);
    m_btnBrowse.RestoreNormal(IDB_BROWSE);
    Default();
}
