// OptionsPage: the first page of the Properties dialog: mirror ("Horizontal") and flip ("Vertical") of the live
// picture, and the camera's power-line frequency (50 Hz / 60 Hz). Both act on the camera at once; the check and
// radio states are the pending choice that the dialog's OK and Apply keep and Cancel undoes.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "dshow/ComPtr.h"
#include "dshow/vidcap_decl.h"
#include "ui/MyCheckButton.h"
#include "ui/MyRadioButton.h"
#include "ui/SkinPage.h"

class Properties;

class OptionsPage : public SkinPage
{
public:
    explicit OptionsPage(Properties& owner);

    // Mirror or flip state to the live picture, the other axis as the page shows it.
    void ImageMirror(BYTE state);
    void ImageFlip(BYTE state);
    // Puts the picture back to a mirror and flip pair: the command of each axis that the boxes changed goes out
    // with both states, so the scaler filters (which take both at once) end exactly at the pair.
    void RestoreOrientation(BYTE mirror, BYTE flip);
    // Takes the interface through which the camera's power-line frequency is set: the camera's video-processing
    // node, or without a topology the capture filter's IAMVideoProcAmp.
    void InitPowerFrequency();
    // The frequency (1 = 50 Hz, 2 = 60 Hz) to the camera through the interface held; false when none is held.
    bool SetPowerLineFrequency(long frequency);
    // The page's part of the dialog's Default.
    void LoadDefaultSetting();
    // Clears both check boxes (unchecked picture) and enables or disables them.
    void ClearOrientationChecks(bool enable);
    bool Is60HzChosen() const { return m_btn60Hz.bSelected != 0; }

    Properties* poptOwner;
    MyCheckButton m_btnMirror;
    MyCheckButton m_btnFlip;
    MyRadioButton m_btn50Hz;
    MyRadioButton m_btn60Hz;

protected:
    BOOL OnInitDialog() override;
    COLORREF LabelTextColour(HWND control) const override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void SendOrientation(bool mirrorCommand, BYTE mirror, BYTE flip, const char* trace);
    void ShowFrequency(bool sixty);
    void OnMirrorClicked();
    void OnFlipClicked();
    void On50HzClicked();
    void On60HzClicked();
    void OnMouseMove(UINT keys, POINT point);

    dshow::ComPtr<IVideoProcAmp> m_pNode;
    dshow::ComPtr<IAMVideoProcAmp> m_pFallback;
};
