// SettingOptionsPage: the Setting dialog's toolbar page: the edge the bar docks at (Top, Left, Right) and
// auto-hide. Both act on the bar at once; the dialog's Cancel puts them back.
#pragma once

#include "ui/MyCheckButton.h"
#include "ui/MyRadioButton.h"
#include "ui/SkinPage.h"

class Setting;

class SettingOptionsPage : public SkinPage
{
public:
    explicit SettingOptionsPage(Setting& owner);

    // The radios show the edge (1 top, 2 left, 3 right) and the box the auto-hide state; the bar is not touched.
    void ShowPosition(int position);
    void ShowAutoHide(bool on);
    bool AutoHideChecked() const { return m_btnAutoHide.bSelected != 0; }

    Setting* pSet;
    MyRadioButton m_btnTop, m_btnLeft, m_btnRight;
    MyCheckButton m_btnAutoHide;

protected:
    BOOL OnInitDialog() override;
    COLORREF LabelTextColour(HWND control) const override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnPositionClicked(int position);
    void OnTop() { OnPositionClicked(1); }
    void OnLeft() { OnPositionClicked(2); }
    void OnRight() { OnPositionClicked(3); }
    void OnAutoHideClicked();
    void OnMouseMove(UINT keys, POINT point);
    MyRadioButton* RadioOf(int position);
};
