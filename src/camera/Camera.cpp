// Camera discovery and chip identification (see Camera.h).
#include "camera/Camera.h"

#include "camera/ChipTable.h"
#include "camera/VideoDevices.h"
#include "settings/DebugLog.h"

Camera::Camera(Preview* owner)
    : pOwner(owner), isp(kIspUnknown), bVGAModule(0), hHelperWnd(nullptr), bMirror(0), bFlip(0)
{
    DebugLog("Camera::Camera[IN]");
}

Camera::~Camera()
{
    DebugLog("Camera::~Camera[IN]");
}

bool Camera::ChkDeviceisp()
{
    if (!hHelperWnd)
        hHelperWnd = FindWindowW(nullptr, L"Tessel");
    if (isp != kIspUnknown)
        return false;
    if (ChkDeviceId(this, &isp, &bVGAModule)) {
        DebugLog("Camera::ChkDeviceisp[OUT] ChkDeviceId() isp=%d  bVGAModule=%d ", isp, bVGAModule);
        return true;
    }
    DebugLog("Camera::ChkDeviceisp[OUT] error!!! isp=%d", isp);
    isp = kIspUnknown;
    return false;
}

bool Camera::ChkDeviceId(Camera* camera, BYTE* ispOut, BYTE* vgaOut)
{
    DebugLog("Camera::ChkDeviceId[IN]");
    if (!camera)
        return false;
    KnownCameraSearch search;
    search.isp = ispOut;
    search.bVGAModule = vgaOut;
    return BindFirstKnownCamera(search, camera->pSrcFilter);
}

bool Camera::chkDeviceIdProceed(const std::wstring& devicePath, BYTE* ispOut, BYTE* vgaOut, BYTE* mjpegOut)
{
    const ChipRow* row = MatchChipRow(devicePath);
    if (!row) {
        DebugLog("%s", kChipNoMatchLog);
        return false;
    }
    DebugLog("%s", row->logText);
    if (ispOut)
        *ispOut = row->isp;
    if (vgaOut)
        *vgaOut = row->vgaModule;
    if (mjpegOut)
        *mjpegOut = row->mjpegModule;
    return true;
}
