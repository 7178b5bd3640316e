// Class factory and self-registration of filter modules.
#include "dshow/Module.h"

#include "common/ModulePath.h"
#include "common/RegistryKey.h"

#include <new>

#include "dshow/ComPtr.h"
#include "dshow/Filter.h"

namespace dshow {

namespace {

class ClassFactory final : public SingleInterfaceObject<IClassFactory>
{
public:
    explicit ClassFactory(CreateFunction create) : m_create(create) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return m_create(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ++ModuleObjectCount();
        else
            --ModuleObjectCount();
        return S_OK;
    }

private:
    CreateFunction m_create;
};

void ModuleAnchor() {}

} // namespace

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    if (StringFromGUID2(guid, text, 40) == 0)
        return std::wstring();
    return text;
}

std::wstring ModulePath()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ModuleAnchor), &module))
        return std::wstring();
    return ModuleFileName(module);
}

HRESULT ModuleGetClassObject(const FilterTemplate* templates, size_t count, REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (!IsEqualCLSID(*templates[i].clsid, clsid))
            continue;
        ClassFactory* factory = new (std::nothrow) ClassFactory(templates[i].create);
        if (!factory)
            return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ModuleCanUnloadNow()
{
    return ModuleObjectCount().load() == 0 ? S_OK : S_FALSE;
}

HRESULT RegisterComServer(const CLSID& clsid, const wchar_t* name, const wchar_t* path)
{
    const std::wstring key = L"CLSID\\" + GuidText(clsid);
    RegistryKey classKey;
    LONG err = classKey.Create(HKEY_CLASSES_ROOT, key, KEY_WRITE);
    if (err == ERROR_SUCCESS)
        err = classKey.WriteText(nullptr, name ? name : L"");
    if (err != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(err);
    RegistryKey server;
    err = server.Create(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", KEY_WRITE);
    if (err == ERROR_SUCCESS)
        err = server.WriteText(nullptr, path ? path : L"");
    if (err == ERROR_SUCCESS)
        err = server.WriteText(L"ThreadingModel", L"Both");
    return HRESULT_FROM_WIN32(err);
}

HRESULT UnregisterComServer(const CLSID& clsid)
{
    const std::wstring key = L"CLSID\\" + GuidText(clsid);
    LONG err = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (err == ERROR_FILE_NOT_FOUND)
        return S_FALSE;
    return HRESULT_FROM_WIN32(err);
}

static HRESULT CreateMapper(ComPtr<IFilterMapper2>& mapper)
{
    return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.PutVoid());
}

static REGFILTER2 FilterData(DWORD merit, const REGFILTERPINS2* pins, ULONG pinCount)
{
    REGFILTER2 rf2 = {};
    rf2.dwVersion = 2;
    rf2.dwMerit = merit;
    rf2.cPins2 = pins ? pinCount : 0;
    rf2.rgPins2 = pins;
    return rf2;
}

// Registration runs from regsvr32 or a test without COM necessarily set up on the thread.
class ComScope
{
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_hr;
};

HRESULT ModuleRegister(const FilterTemplate* templates, size_t count, bool install)
{
    ComScope com;
    const std::wstring path = ModulePath();
    if (install && path.empty())
        return E_FAIL;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CreateMapper(mapper);
    if (FAILED(hr))
        return hr;
    HRESULT result = S_OK;
    for (size_t i = 0; i < count; ++i) {
        const FilterTemplate& t = templates[i];
        if (install) {
            hr = RegisterComServer(*t.clsid, t.name, path.c_str());
            if (SUCCEEDED(hr)) {
                REGFILTER2 rf2 = FilterData(t.merit, t.pins, t.pinCount);
                hr = mapper->RegisterFilter(*t.clsid, t.name, nullptr, &CLSID_LegacyAmFilterCategory, nullptr, &rf2);
            }
        } else {
            hr = mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *t.clsid);
            HRESULT hr2 = UnregisterComServer(*t.clsid);
            if (SUCCEEDED(hr))
                hr = hr2;
        }
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    return result;
}

HRESULT RegisterInCategory(const CategoryEntry& entry)
{
    ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CreateMapper(mapper);
    if (FAILED(hr))
        return hr;
    REGFILTER2 rf2 = FilterData(entry.merit, entry.pins, entry.pinCount);
    ComPtr<IMoniker> moniker;
    hr = mapper->RegisterFilter(entry.clsid, entry.friendlyName.c_str(), moniker.Put(), &entry.category,
                                entry.instance.c_str(), &rf2);
    if (FAILED(hr) || entry.extraValues.empty())
        return hr;
    // Extra values go into the instance key, where the device enumerator's property bag finds them.
    const std::wstring key = L"CLSID\\" + GuidText(entry.category) + L"\\Instance\\" +
                             (entry.instance.empty() ? GuidText(entry.clsid) : entry.instance);
    RegistryKey instanceKey;
    LONG err = instanceKey.Create(HKEY_CLASSES_ROOT, key, KEY_WRITE);
    for (const auto& value : entry.extraValues) {
        if (err != ERROR_SUCCESS)
            break;
        err = instanceKey.WriteText(value.first.c_str(), value.second);
    }
    return HRESULT_FROM_WIN32(err);
}

HRESULT UnregisterFromCategory(const GUID& category, const wchar_t* instance, const CLSID& clsid)
{
    ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CreateMapper(mapper);
    if (FAILED(hr))
        return hr;
    return mapper->UnregisterFilter(&category, instance, clsid);
}

} // namespace dshow
