// Enumeration of video-input devices and binding of the known camera (see VideoDevices.h).
#include "camera/VideoDevices.h"

#include <string>

#include "camera/Camera.h"
#include "camera/ChipTable.h"
#include "settings/DebugLog.h"

namespace {

// A VARIANT that is always cleared, whatever path the loop takes.
class Variant
{
public:
    Variant() { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Reset()
    {
        VariantClear(&m_value);
        m_value.vt = VT_BSTR;
        return &m_value;
    }
    // The text read, or false when the bag gave something else than a text.
    bool Text(std::wstring& text) const
    {
        if (m_value.vt != VT_BSTR || !m_value.bstrVal)
            return false;
        text.assign(m_value.bstrVal, SysStringLen(m_value.bstrVal));
        return true;
    }

private:
    VARIANT m_value;
};

bool ReadText(IPropertyBag* bag, const wchar_t* name, Variant& value, std::wstring& text)
{
    return SUCCEEDED(bag->Read(name, value.Reset(), nullptr)) && value.Text(text);
}

} // namespace

bool BindFirstKnownCamera(const KnownCameraSearch& search, dshow::ComPtr<IBaseFilter>& filter)
{
    dshow::ComPtr<ICreateDevEnum> deviceEnum;
    if (FAILED(
            CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_ALL, IID_ICreateDevEnum, deviceEnum.PutVoid())) ||
        !deviceEnum)
        return false;
    dshow::ComPtr<IEnumMoniker> monikers;
    // S_FALSE with no enumerator means the category is empty: no video device at all.
    if (FAILED(deviceEnum->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.Put(), 0)) || !monikers)
        return false;

    (void)monikers->Reset(); // a fresh enumerator; the reset only makes the start explicit
    dshow::ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.Put(), nullptr) == S_OK) {
        if (!moniker)
            continue;
        dshow::ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())) || !bag)
            continue;
        Variant value;
        std::wstring text;
        if (search.requireFriendlyName && !ReadText(bag.Get(), L"FriendlyName", value, text))
            continue;
        if (!ReadText(bag.Get(), L"DevicePath", value, text))
            continue;
        std::wstring path = UpperCaseAscii(text);
        if (search.logDevicePath)
            DebugLogW(L"Camera::ChkDeviceId DevicePath=%s", path.c_str());
        if (!Camera::chkDeviceIdProceed(path, search.isp, search.bVGAModule, search.bMJPEGModule))
            continue;
        // A known camera whose filter cannot be made (unplugged, held by a driver fault) is passed over.
        if (SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid())) && filter)
            return true;
        filter.Reset();
    }
    return false;
}
