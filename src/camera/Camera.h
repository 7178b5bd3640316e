// Camera: identifies the camera among the video-input devices and carries its chip-family code and
// module flag. Instances are short-lived: a user creates one, asks it, copies the codes and deletes it.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

#include "dshow/ComPtr.h"

// The owner that turns the picture in its scaler filters (the preview dialog), for chip families 3 and 4.
class FilterOrientation
{
public:
    // Sends mirror and flip together to the scaler filters; 0 when there is no scaler.
    virtual HRESULT ImageMirrorFlipUsingFilter(BYTE mirror, BYTE flip) = 0;

protected:
    ~FilterOrientation() = default;
};

// The power-line frequency the system's locale calls for, from "GetAreaCodeFrequency" of flicker_a.dll in the
// program folder: 1 (50 Hz), 2 (60 Hz), or -1 when the library or its export is missing.
int PowerLineFrequency();

class Camera
{
public:
    explicit Camera(FilterOrientation* owner);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Looks up the helper window when not known yet; enumerates the devices only while isp is 255.
    // False also when the family was already known: callers read isp rather than the result.
    bool ChkDeviceisp();

    // Binds the first known camera's capture filter into camera's pSrcFilter and writes its codes.
    static bool ChkDeviceId(Camera* camera, BYTE* isp, BYTE* bVGAModule);

    // Matches an upper-cased device path against the chip table. Writes the first matching row's codes
    // into the places that are not null; writes nothing without a match.
    static bool chkDeviceIdProceed(const std::wstring& devicePath, BYTE* isp, BYTE* bVGAModule, BYTE* bMJPEGModule);

    // Orientation commands: to the helper program's window for the sensor families (with the module flag),
    // to the owner's scaler filters for the filter families (with this object's bMirror and bFlip). Nothing
    // happens while the helper's window is missing, for either path.
    void SetFlip(BYTE flip);
    void SetMirror(BYTE mirror);
    // The filter path alone (family 3 after a rebuild): the owner's filters when the helper window and an owner
    // are there; otherwise the answer of ChkDeviceisp.
    HRESULT SetMirrorFlipByFilter(BYTE mirror, BYTE flip);

    // The camera's factory defaults of brightness, contrast, gamma, hue, saturation and sharpness. False when
    // this object bound no capture filter or the filter has no IAMVideoProcAmp; nothing is written then.
    bool GetDefautImageValue(int* brightness, int* contrast, int* gamma, int* hue, int* saturation, int* sharpness);

    FilterOrientation* pOwner;
    dshow::ComPtr<IBaseFilter> pSrcFilter;
    BYTE isp;
    BYTE bVGAModule;
    HWND hHelperWnd;
    BYTE bMirror;
    BYTE bFlip;
    // The matching row's MJPG flag, written with isp; the preview copies it for its graphs.
    BYTE bMJPEGModule;
};
