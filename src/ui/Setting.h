// Setting: the modeless dialog of the program's own settings, opened by the toolbar's Setting button (Alt+F9,
// or the preview's function menu): the toolbar's edge and auto-hide, the picture size, format and folder, the
// video size and folder. The edge, auto-hide and the sizes act at once; OK and Apply store everything, Cancel
// puts back what acted at once, Default shows the defaults without storing them.
#pragma once

#include <string>

#include "settings/DialogViews.h"
#include "ui/PicturePage.h"
#include "ui/SettingOptionsPage.h"
#include "ui/ToolbarDialog.h"
#include "ui/VideoPage.h"

class Setting : public ToolbarDialog, public SettingView
{
public:
    explicit Setting(ToolbarLink* skinDlg);

    // Whether the program may write into a folder: 0 yes, -1 no.
    static int CheckUACFolder(const std::wstring& path);
    // The folder error box (no owner window).
    static void ShowFolderError();
    // A folder the program may store and write into; otherwise the folder error, and false.
    static bool FolderUsable(const std::wstring& folder);
    // The folder chooser for a page: true with a folder the program may write into; a chosen folder that it may
    // not write into gives the folder error.
    bool ChooseFolder(HWND page, std::wstring& folder);
    // The open preview records or shows its enlarged layout: its size cannot change now.
    bool PreviewHoldsItsSize() const;

    // The size lists' live changes.
    void OnPictureSizeChosen(int entry);
    void OnVideoSizeChosen(int entry);

    // What the preview and the toolbar ask of the dialog.
    int ChosenPictureSize() const override { return m_dlgPicture.m_nChosenSize; }
    void EnableSizeLists(bool enable) override;
    void ShowResolutionState(int state) override;
    void ShowToolbarPosition(int position) override { m_dlgOptions.ShowPosition(position); }
    void ShowAutoHide(bool on) override { m_dlgOptions.ShowAutoHide(on); }

    ToolbarLink* pSkinSet;
    SettingOptionsPage m_dlgOptions;
    PicturePage m_dlgPicture;
    VideoPage m_dlgVideo;

protected:
    BOOL OnInitDialog() override;
    void ForgetInToolbar() override;
    void OnDefaultButton() override;
    void OnOKButton() override;
    void OnCancelButton() override;
    void OnApplyButton() override;

private:
    void SaveSettings();
    // Takes a folder the user typed or chose when the program may write into it; else the folder error.
    bool TakeFolder(const std::wstring& text, std::wstring& field, int videoFlag);
    void SwitchPreviewTo(int state);

    int m_nBaselinePosition = 1;
    bool m_bBaselineAutoHide = false;
    int m_nBaselineVideoEntry = 1;
};
