// Class and category registration of the simulated devices through IFilterMapper2 and the registry.
#include "sim/shared/Registration.h"
#include "sim/shared/SharedState.h"
#include <dshow.h>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

const CLSID CLSID_SimCamera = {0x17CCA71B, 0xECD7, 0x11D0, {0xB9, 0x08, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
const CLSID CLSID_SimMicrophone = {0x6F1C2A90, 0x3B7E, 0x4D55, {0x9A, 0x1E, 0x5C, 0x0D, 0x7B, 0x2E, 0x4A, 0x11}};

namespace {

constexpr wchar_t kCameraPrefix[] = L"QuilloSimCam";
constexpr wchar_t kMicrophoneInstance[] = L"QuilloSimMic";

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[64] = {};
    StringFromGUID2(guid, text, 64);
    return text;
}

std::wstring InstanceKey(const GUID& category)
{
    return L"CLSID\\" + GuidText(category) + L"\\Instance";
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring GetString(HKEY key, const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return L"";
    return value;
}

// The camera class shares its id with the system's kernel-streaming proxy: the proxy's server is kept
// aside on registration and put back on unregistration.
constexpr wchar_t kPreviousServer[] = L"QuilloSimPreviousServer";
constexpr wchar_t kPreviousName[] = L"QuilloSimPreviousName";

HRESULT RegisterClass(const CLSID& clsid, const wchar_t* name, const wchar_t* modulePath)
{
    std::wstring path = L"CLSID\\" + GuidText(clsid);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return E_ACCESSDENIED;
    bool ok = true;
    HKEY server = nullptr;
    if (RegCreateKeyExW(key, L"InprocServer32", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &server, nullptr) ==
        ERROR_SUCCESS) {
        std::wstring previous = GetString(server, nullptr);
        if (!previous.empty() && _wcsicmp(previous.c_str(), modulePath) != 0 && GetString(key, kPreviousServer).empty())
            ok = SetString(key, kPreviousServer, previous) && SetString(key, kPreviousName, GetString(key, nullptr));
        ok = ok && SetString(server, nullptr, modulePath) && SetString(server, L"ThreadingModel", L"Both");
        RegCloseKey(server);
    } else {
        ok = false;
    }
    ok = ok && SetString(key, nullptr, name);
    RegCloseKey(key);
    return ok ? S_OK : E_ACCESSDENIED;
}

void UnregisterClass(const CLSID& clsid)
{
    std::wstring path = L"CLSID\\" + GuidText(clsid);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    std::wstring previous = GetString(key, kPreviousServer);
    if (previous.empty()) {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
        return;
    }
    HKEY server = nullptr;
    if (RegOpenKeyExW(key, L"InprocServer32", 0, KEY_WRITE, &server) == ERROR_SUCCESS) {
        SetString(server, nullptr, previous);
        RegCloseKey(server);
    }
    SetString(key, nullptr, GetString(key, kPreviousName));
    RegDeleteValueW(key, kPreviousServer);
    RegDeleteValueW(key, kPreviousName);
    RegCloseKey(key);
}

// Deletes every instance of ours under a category.
void RemoveInstances(const GUID& category, const wchar_t* prefix)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, InstanceKey(category).c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> ours;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (wcsncmp(name, prefix, wcslen(prefix)) == 0)
            ours.push_back(name);
    }
    for (const std::wstring& n : ours)
        RegDeleteTreeW(key, n.c_str());
    RegCloseKey(key);
}

HRESULT RegisterInstance(IFilterMapper2* mapper, const CLSID& clsid, const GUID& category, const GUID& major,
                         const GUID& subtype, const std::wstring& instance, const std::wstring& friendlyName,
                         HKEY* instanceKey)
{
    REGPINTYPES type = {&major, &subtype};
    REGFILTERPINS2 pin = {};
    pin.dwFlags = REG_PINFLAG_B_OUTPUT;
    pin.cInstances = 1;
    pin.nMediaTypes = 1;
    pin.lpMediaType = &type;
    pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
    REGFILTER2 filter = {};
    filter.dwVersion = 2;
    filter.dwMerit = MERIT_DO_NOT_USE;
    filter.cPins2 = 1;
    filter.rgPins2 = &pin;
    HRESULT hr = mapper->RegisterFilter(clsid, friendlyName.c_str(), nullptr, &category, instance.c_str(), &filter);
    if (FAILED(hr))
        return hr;
    std::wstring path = InstanceKey(category) + L"\\" + instance;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_WRITE, instanceKey) != ERROR_SUCCESS)
        return E_ACCESSDENIED;
    return S_OK;
}

struct ComScope
{
    HRESULT hr;
    ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            CoUninitialize();
    }
};

} // namespace

HRESULT RefreshDeviceList()
{
    ComScope com;
    RemoveInstances(CLSID_VideoInputDeviceCategory, kCameraPrefix);
    RemoveInstances(CLSID_AudioInputDeviceCategory, kMicrophoneInstance);
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  reinterpret_cast<void**>(&mapper));
    if (FAILED(hr))
        return hr;

    struct Listed
    {
        uint32_t slot;
        std::wstring name, path;
    };
    std::vector<Listed> listed;
    {
        StateLock lock;
        if (!lock.State()) {
            mapper->Release();
            return E_FAIL;
        }
        for (uint32_t i = 0; i < lock.State()->header.deviceCount; ++i) {
            uint32_t slot = 0;
            DeviceState* d = lock.DeviceAt(i, &slot);
            if (!d || !d->plugged)
                continue;
            char path[256] = {};
            FormatDevicePath(*d, slot, path, sizeof path);
            std::string name = ProfileOf(*d).friendlyName;
            listed.push_back({slot, std::wstring(name.begin(), name.end()), std::wstring(path, path + strlen(path))});
        }
    }
    for (size_t position = 0; position < listed.size() && SUCCEEDED(hr); ++position) {
        wchar_t instance[64];
        _snwprintf(instance, 64, L"%ls%02u", kCameraPrefix, static_cast<unsigned>(position));
        instance[63] = 0;
        HKEY key = nullptr;
        hr = RegisterInstance(mapper, CLSID_SimCamera, CLSID_VideoInputDeviceCategory, MEDIATYPE_Video,
                              MEDIASUBTYPE_YUY2, instance, listed[position].name, &key);
        if (SUCCEEDED(hr)) {
            bool ok = SetString(key, L"DevicePath", listed[position].path) &&
                      SetString(key, L"SimSlot", std::to_wstring(listed[position].slot));
            RegCloseKey(key);
            hr = ok ? S_OK : E_ACCESSDENIED;
        }
    }
    if (SUCCEEDED(hr)) {
        HKEY key = nullptr;
        hr = RegisterInstance(mapper, CLSID_SimMicrophone, CLSID_AudioInputDeviceCategory, MEDIATYPE_Audio,
                              MEDIASUBTYPE_PCM, kMicrophoneInstance, L"Sim Microphone", &key);
        if (SUCCEEDED(hr))
            RegCloseKey(key);
    }
    mapper->Release();
    return hr;
}

HRESULT RegisterDevices(const wchar_t* modulePath)
{
    if (!modulePath || !*modulePath)
        return E_INVALIDARG;
    HRESULT hr = RegisterClass(CLSID_SimCamera, L"Quillo simulated camera", modulePath);
    if (SUCCEEDED(hr))
        hr = RegisterClass(CLSID_SimMicrophone, L"Quillo simulated microphone", modulePath);
    if (SUCCEEDED(hr))
        hr = RefreshDeviceList();
    return hr;
}

HRESULT UnregisterDevices()
{
    RemoveInstances(CLSID_VideoInputDeviceCategory, kCameraPrefix);
    RemoveInstances(CLSID_AudioInputDeviceCategory, kMicrophoneInstance);
    UnregisterClass(CLSID_SimCamera);
    UnregisterClass(CLSID_SimMicrophone);
    return S_OK;
}

bool DevicesRegistered()
{
    HKEY key = nullptr;
    std::wstring path = L"CLSID\\" + GuidText(CLSID_SimCamera) + L"\\InprocServer32";
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace sim
