// Camera discovery and chip identification (see Camera.h).
#include "camera/Camera.h"

#include "camera/ChipTable.h"
#include "camera/KnownCamera.h"
#include "common/ModulePath.h"
#include "common/SensorHelperProtocol.h"
#include "driverlib/BrindleApi.h"
#include "settings/DebugLog.h"

Camera::Camera(FilterOrientation* owner)
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

namespace {

// A helper that hangs inside a vendor library must not freeze the program: a command waits this long at most.
constexpr UINT kHelperTimeoutMs = 5000;

void SendToHelper(HWND helper, unsigned message, BYTE vgaModule, BYTE state)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(helper, message, vgaModule, state, SMTO_ABORTIFHUNG | SMTO_NORMAL, kHelperTimeoutMs,
                             &result))
        DebugLog("Camera::SendToHelper[ERROR] message %u not answered (error %lu)", message,
                 static_cast<unsigned long>(GetLastError()));
}

} // namespace

void Camera::SetFlip(BYTE flip)
{
    ChkDeviceisp();
    if (!hHelperWnd)
        return;
    if (OrientationPathFor(isp) == OrientationPath::Sensor)
        SendToHelper(hHelperWnd, SensorOrientationMessage(isp, true), bVGAModule, flip);
    else if (OrientationPathFor(isp) == OrientationPath::Filter && pOwner)
        (void)pOwner->ImageMirrorFlipUsingFilter(bMirror, bFlip); // the owner logs what the filter said
}

void Camera::SetMirror(BYTE mirror)
{
    ChkDeviceisp();
    if (!hHelperWnd)
        return;
    if (OrientationPathFor(isp) == OrientationPath::Sensor)
        SendToHelper(hHelperWnd, SensorOrientationMessage(isp, false), bVGAModule, mirror);
    else if (OrientationPathFor(isp) == OrientationPath::Filter && pOwner)
        (void)pOwner->ImageMirrorFlipUsingFilter(bMirror, bFlip);
}

HRESULT Camera::SetMirrorFlipByFilter(BYTE mirror, BYTE flip)
{
    const bool found = ChkDeviceisp();
    if (hHelperWnd && pOwner)
        return pOwner->ImageMirrorFlipUsingFilter(mirror, flip);
    return found ? S_OK : S_FALSE;
}

bool Camera::GetDefautImageValue(int* brightness, int* contrast, int* gamma, int* hue, int* saturation, int* sharpness)
{
    if (!pSrcFilter)
        return false;
    DebugLog("Camera::GetDefautImageValue[IN]");
    dshow::ComPtr<IAMVideoProcAmp> amp;
    if (FAILED(pSrcFilter->QueryInterface(IID_IAMVideoProcAmp, amp.PutVoid())) || !amp)
        return false;
    struct Query
    {
        long property;
        int* out;
    };
    const Query queries[] = {{VideoProcAmp_Brightness, brightness}, {VideoProcAmp_Contrast, contrast},
                             {VideoProcAmp_Gamma, gamma},           {VideoProcAmp_Hue, hue},
                             {VideoProcAmp_Saturation, saturation}, {VideoProcAmp_Sharpness, sharpness}};
    for (const Query& query : queries) {
        long min = 0, max = 0, step = 0, def = 0, flags = 0;
        // A range the camera will not give leaves 0 as that default.
        if (FAILED(amp->GetRange(query.property, &min, &max, &step, &def, &flags)))
            def = 0;
        if (query.out)
            *query.out = static_cast<int>(def);
    }
    return true;
}

int PowerLineFrequency()
{
    int code = -1;
    const std::wstring path = PathBesideProgram(L"flicker_a.dll");
    DebugLogW(L"Camera::PowerLineFrequency pFileName=%s", path.c_str());
    HMODULE library = path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library) {
        auto getFrequency = reinterpret_cast<GetAreaCodeFrequencyFn>(
            reinterpret_cast<void*>(GetProcAddress(library, "GetAreaCodeFrequency")));
        if (getFrequency && (getFrequency(&code) & 0xFF))
            DebugLog("Camera::PowerLineFrequency nPowerLineFrequency=%d (From flicker_a.dll!!!)", code);
        FreeLibrary(library);
    }
    DebugLog("Camera::PowerLineFrequency nPowerLineFrequency=%d", code);
    return code;
}
