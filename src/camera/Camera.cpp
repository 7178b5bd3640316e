// Camera discovery and chip identification (see Camera.h).
#include "camera/Camera.h"

#include "camera/ChipTable.h"
#include "camera/KnownCamera.h"
#include "common/SensorHelperProtocol.h"
#include "settings/DebugLog.h"

Camera::Camera(Preview* owner)
    : pOwner(owner), isp(kIspUnknown), bVGAModule(0), hHelperWnd(nullptr), bMirror(0), bFlip(0), bMJPEGModule(0)
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
        hHelperWnd = FindWindowW(nullptr, kSensorHelperTitle);
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
    search.bMJPEGModule = &camera->bMJPEGModule;
    return BindFirstKnownCamera(search, camera->pSrcFilter);
}

bool Camera::chkDeviceIdProceed(const std::wstring& devicePath, BYTE* ispOut, BYTE* vgaOut, BYTE* mjpegOut)
{
    return MatchKnownCamera(devicePath, ispOut, vgaOut, mjpegOut);
}
