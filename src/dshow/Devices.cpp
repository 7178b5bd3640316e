// The device walk (see Devices.h).
#include "dshow/Devices.h"

namespace dshow {

VARIANT* Variant::ResetAsText()
{
    VariantClear(&m_value);
    m_value.vt = VT_BSTR;
    m_value.bstrVal = nullptr;
    return &m_value;
}

bool Variant::Text(std::wstring& text) const
{
    if (m_value.vt != VT_BSTR || !m_value.bstrVal)
        return false;
    text.assign(m_value.bstrVal, SysStringLen(m_value.bstrVal));
    return true;
}

bool ReadBagText(IPropertyBag* bag, const wchar_t* name, std::wstring& text)
{
    text.clear();
    if (!bag || !name)
        return false;
    Variant value;
    if (FAILED(bag->Read(name, value.ResetAsText(), nullptr)))
        return false;
    return value.Text(text);
}

bool DeviceMoniker::Text(const wchar_t* name, std::wstring& text) const
{
    return ReadBagText(m_bag.Get(), name, text);
}

std::wstring DeviceMoniker::Text(const wchar_t* name) const
{
    std::wstring text;
    (void)ReadBagText(m_bag.Get(), name, text); // a missing value reads as empty
    return text;
}

HRESULT DeviceMoniker::Bind(ComPtr<IBaseFilter>& filter) const
{
    filter.Reset();
    if (!m_moniker)
        return E_POINTER;
    HRESULT hr = m_moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid());
    if (SUCCEEDED(hr) && !filter)
        hr = E_NOINTERFACE;
    if (FAILED(hr))
        filter.Reset();
    return hr;
}

HRESULT WalkDevices(const GUID& category, const std::function<WalkStep(const DeviceMoniker&)>& visit)
{
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_ALL, IID_ICreateDevEnum, devices.PutVoid());
    if (FAILED(hr) || !devices)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    ComPtr<IEnumMoniker> monikers;
    hr = devices->CreateClassEnumerator(category, monikers.Put(), 0);
    if (FAILED(hr))
        return hr;
    // S_FALSE, or no enumerator at all: the category has no device.
    if (hr != S_OK || !monikers)
        return S_FALSE;
    (void)monikers->Reset(); // a fresh enumerator; the reset only makes the start explicit
    for (;;) {
        ComPtr<IMoniker> moniker;
        if (monikers->Next(1, moniker.Put(), nullptr) != S_OK)
            break;
        if (!moniker)
            continue;
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())))
            bag.Reset();
        if (visit && visit(DeviceMoniker(moniker, bag)) == WalkStep::Stop)
            break;
    }
    return S_OK;
}

std::vector<DeviceMoniker> ListDevices(const GUID& category)
{
    std::vector<DeviceMoniker> devices;
    (void)WalkDevices(category, [&](const DeviceMoniker& device) {
        devices.push_back(device);
        return WalkStep::Next;
    });
    return devices;
}

} // namespace dshow
