// The known camera among the video-input devices (see KnownCamera.h).
#include "camera/KnownCamera.h"

#include "camera/ChipTable.h"
#include "dshow/Devices.h"
#include "settings/DebugLog.h"

bool MatchKnownCamera(const std::wstring& upperDevicePath, BYTE* isp, BYTE* bVGAModule, BYTE* bMJPEGModule)
{
    const ChipRow* row = MatchChipRow(upperDevicePath);
    if (!row) {
        DebugLog("%s", kChipNoMatchLog);
        return false;
    }
    DebugLog("%s", row->logText);
    if (isp)
        *isp = row->isp;
    if (bVGAModule)
        *bVGAModule = row->vgaModule;
    if (bMJPEGModule)
        *bMJPEGModule = row->mjpegModule;
    return true;
}

bool BindFirstKnownCamera(const KnownCameraSearch& search, dshow::ComPtr<IBaseFilter>& filter)
{
    filter.Reset();
    (void)dshow::WalkDevices(CLSID_VideoInputDeviceCategory, [&](const dshow::DeviceMoniker& device) {
        std::wstring text;
        if (!device.HasBag())
            return dshow::WalkStep::Next;
        if (search.requireFriendlyName && !device.Text(L"FriendlyName", text))
            return dshow::WalkStep::Next;
        if (!device.Text(L"DevicePath", text))
            return dshow::WalkStep::Next;
        const std::wstring path = UpperCaseAscii(text);
        if (search.logDevicePath)
            DebugLogW(L"Camera::ChkDeviceId DevicePath=%s", path.c_str());
        if (!MatchKnownCamera(path, search.isp, search.bVGAModule, search.bMJPEGModule))
            return dshow::WalkStep::Next;
        // A known camera whose filter cannot be made (unplugged, held by a driver fault) is passed over.
        return SUCCEEDED(device.Bind(filter)) ? dshow::WalkStep::Stop : dshow::WalkStep::Next;
    });
    return static_cast<bool>(filter);
}
