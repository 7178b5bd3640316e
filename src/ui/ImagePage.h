// ImagePage: the Properties dialog's page of six sliders (brightness, contrast, gamma, hue, saturation,
// sharpness). With the preview open they show the camera's own ranges and values and act on the live camera at
// once; without it they are disabled, with grey labels, and show what is known of the camera's family.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "fx/Gdi.h"
#include "ui/ImageSliderRules.h"
#include "ui/SkinPage.h"
#include "ui/SliderCtrlEx.h"

class Properties;

class ImagePage : public SkinPage
{
public:
    explicit ImagePage(Properties& owner);

    // One slider from the live camera: its range and value.
    void InitBrightness();
    void InitContrast();
    void InitGamma();
    void InitHue();
    void InitSaturation();
    void InitSharpness();
    // Every property back to the camera's default (only with a live camera).
    void LoadDefaultSetting();

    void EnableSliders(bool enable);
    // One slider and its value label in line with the camera (index in the toolbar's order).
    void ShowValue(int index, int minimum, int maximum, int value);
    int SliderPosition(int index) const;
    // The capability flags of the last query, passed with every value the page sets.
    long Flags() const { return m_lFlags; }

    Properties* pimgOwner;

protected:
    BOOL OnInitDialog() override;
    COLORREF LabelTextColour(HWND control) const override;
    void PaintBackground(HDC dc) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void InitSlider(int index, const char* name);
    void ShowSlidersWithoutCamera();
    void UpdateValueLabel(int index, int value);
    IAMVideoProcAmp* LiveCamera() const;
    void OnHScroll(UINT code, UINT position, HWND control);
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnGetBackground(WPARAM wParam, LPARAM lParam);

    CSliderCtrlEx m_sliders[imagepage::kSliderCount];
    fx::Font m_valueFont;
    // The background stretched over the client area, rebuilt on every size change.
    fx::Bitmap m_picture;
    long m_lMin = 0, m_lMax = 0, m_lStep = 0, m_lDefault = 0, m_lFlags = 0, m_lValue = 0;
};
