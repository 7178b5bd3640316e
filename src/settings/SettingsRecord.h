// The settings record the toolbar owns: every value it reads from and writes to the registry, the camera's
// module flag taken at start, and the running numbers of the picture and video files. The toolbar holds it;
// the preview and the dialogs reach it through the toolbar and read and change its fields directly.
#pragma once

#include <string>

struct SettingsRecord
{
    // "Settings\Options\"
    bool m_bAutoHide = false;
    int m_nToolbarPosition = 1; // 1 top, 2 left, 3 right; 0 floating
    // The camera's bVGAModule flag, copied in at start and by every preview start.
    bool m_bVGAModule = false;
    // "Settings\Picture\"
    std::wstring m_strPicturePath;
    unsigned char m_bShowImageAfterSnapshot = 0;
    unsigned char m_bDateStamp = 0;
    int m_nExportFile = 1;  // 0 BMP, 1 JPEG, 2 PNG
    int m_nPictureSize = 1; // resolution state of the preview
    // "Settings\Video\"
    unsigned char m_bPlayVideoAfterRecording = 0;
    std::wstring m_strVideoPath;
    // "Properties\Options\"
    int m_nPowerlineFrequency = -1; // 1 = 50 Hz, 2 = 60 Hz, -1 before reading
    bool m_bPowerline60Hz = false;
    int m_nDefaultFrequency = 0; // the camera's own: 0 = 50 Hz, 1 = 60 Hz
    // "Properties\Image\"
    int iBrightness_value = 0, iContrast_value = 0, iGamma_value = 0, iHue_value = 0, iSaturation_value = 0,
        iSharpness_value = 0;
    bool m_bImageSet = false;
    // The camera's factory defaults and ranges, refreshed by every graph build (the Properties dialog uses them).
    int iBrightness_default = 0, iContrast_default = 0, iGamma_default = 0, iHue_default = 0, iSaturation_default = 0,
        iSharpness_default = 0;
    int m_imageMax[6] = {}; // in the order Brightness, Contrast, Gamma, Hue, Saturation, Sharpness
    int m_imageMin[6] = {};

    // Running file numbers, in memory only (-1: the folder has not been looked at yet).
    int m_nVideoNumber = -1;
    int m_nPictureNumber = -1;
    int m_nBmpNumber = 0, m_nJpgNumber = 0, m_nPngNumber = 0;
};

// The user's image value and the camera's default of one image property, counted in the record's order
// (Brightness, Contrast, Gamma, Hue, Saturation, Sharpness; 0 to 5).
inline int& ImageValue(SettingsRecord& record, int index)
{
    int* fields[6] = {&record.iBrightness_value, &record.iContrast_value,   &record.iGamma_value,
                      &record.iHue_value,        &record.iSaturation_value, &record.iSharpness_value};
    return *fields[index];
}

inline int& ImageDefault(SettingsRecord& record, int index)
{
    int* fields[6] = {&record.iBrightness_default, &record.iContrast_default,   &record.iGamma_default,
                      &record.iHue_default,        &record.iSaturation_default, &record.iSharpness_default};
    return *fields[index];
}
