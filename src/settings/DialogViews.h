// What the preview and the toolbar ask of the open Properties and Setting dialogs: the options page's pending
// orientation and the image sliders, the Setting dialog's size lists, edge radios and auto-hide box. The dialogs
// implement these; the preview and the toolbar reach them through ToolbarLink and never see the dialogs' classes.
#pragma once

class PropertiesView
{
public:
    // The options page's check boxes: the orientation chosen but not yet applied.
    virtual bool MirrorChecked() const = 0;
    virtual bool FlipChecked() const = 0;
    // Clears both check boxes (unchecked picture, repainted) and enables or disables them.
    virtual void ClearOrientationChecks(bool enable) = 0;
    // Enables or disables the six image sliders and repaints the image page.
    virtual void EnableImageSliders(bool enable) = 0;
    // Brings one slider in line with the live camera: its value label, range and position. `index` counts in
    // the toolbar's order (Brightness, Contrast, Gamma, Hue, Saturation, Sharpness).
    virtual void ShowImageValue(int index, int minimum, int maximum, int value) = 0;

protected:
    ~PropertiesView() = default;
};

class SettingView
{
public:
    // The resolution state the picture page has chosen.
    virtual int ChosenPictureSize() const = 0;
    // The picture and video size lists (disabled while the preview records or is enlarged).
    virtual void EnableSizeLists(bool enable) = 0;
    // Both size lists show the entries of a resolution state.
    virtual void ShowResolutionState(int state) = 0;
    // The toolbar page's radios show the edge (1 top, 2 left, 3 right) and its box the auto-hide state.
    virtual void ShowToolbarPosition(int position) = 0;
    virtual void ShowAutoHide(bool on) = 0;

protected:
    ~SettingView() = default;
};
