// PicturePage: the Setting dialog's picture page: the picture size (which switches the open preview at once),
// the file format, the snapshot folder with its browse button, the date stamp and showing the picture after a
// snapshot.
#pragma once

#include <string>

#include "fx/ComboBox.h"
#include "fx/Edit.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyCheckButton.h"
#include "ui/SkinPage.h"

class Setting;

class PicturePage : public SkinPage
{
public:
    explicit PicturePage(Setting& owner);

    // The size list's entry shown (no notification, the chosen size stays).
    void SelectSizeEntry(int index);
    int SizeEntry() const { return m_cbSize.GetCurSel(); }
    // The format list's entry: 0 BMP, 1 JPEG, 2 PNG; -1 when none is chosen.
    int FormatIndex() const { return m_cbFormat.GetCurSel(); }
    std::wstring PathText() const { return m_edPath.GetWindowText(); }
    void ShowPath(const std::wstring& path);
    // The page as a new user has it: no date stamp, no picture shown, "640 X 480" when the list may change,
    // JPEG, the user's pictures folder.
    void ShowDefaults();

    Setting* pSet;
    MyBitmapButton m_btnBrowse;
    MyCheckButton m_btnDateStamp, m_btnShowImage;
    fx::ComboBox m_cbSize, m_cbFormat;
    fx::Edit m_edPath;
    // The resolution state the size list has chosen.
    int m_nChosenSize = 1;
    std::wstring m_strPath;

protected:
    BOOL OnInitDialog() override;
    COLORREF LabelTextColour(HWND control) const override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnSizeChosen();
    void OnBrowse();
    void OnDateStampClicked();
    void OnShowImageClicked();
    void OnMouseMove(UINT keys, POINT point);
};

// Shows a check box's state with its picture (212 checked, 207 not).
void ShowCheck(MyCheckButton& check, bool on);
// A click on a check box: 213 under the mouse when it was checked, else 212; the state turns over.
void ToggleCheck(MyCheckButton& check);
// The mouse left a check box that shows its hover picture: the unchecked picture comes back.
void RestoreCheck(MyCheckButton& check);
