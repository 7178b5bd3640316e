// VideoPage: the Setting dialog's video page: the recording size (which switches the open preview at once), the
// recording folder with its browse button, and playing the recording afterwards.
#pragma once

#include <string>

#include "fx/ComboBox.h"
#include "fx/Edit.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyCheckButton.h"
#include "ui/SkinPage.h"

class Setting;

class VideoPage : public SkinPage
{
public:
    explicit VideoPage(Setting& owner);

    // The size list's entry shown (no notification).
    void SelectSizeEntry(int index);
    int SizeEntry() const { return m_cbSize.GetCurSel(); }
    std::wstring PathText() const { return m_edPath.GetWindowText(); }
    void ShowPath(const std::wstring& path);
    // The page as a new user has it: nothing played, "640 X 480" when the list may change, the user's videos
    // folder.
    void ShowDefaults();

    Setting* pSet;
    MyBitmapButton m_btnBrowse;
    MyCheckButton m_btnPlay;
    fx::ComboBox m_cbSize;
    fx::Edit m_edPath;
    std::wstring m_strPath;

protected:
    BOOL OnInitDialog() override;
    COLORREF LabelTextColour(HWND control) const override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnSizeChosen();
    void OnBrowse();
    void OnPlayClicked();
    void OnMouseMove(UINT keys, POINT point);
};
