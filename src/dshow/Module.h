// What a filter module (.ax) exports: the class factory behind DllGetClassObject, DllCanUnloadNow, and
// self-registration through IFilterMapper2 (COM server keys, filter data, merit), plus registration of a
// filter instance in a device category with a friendly name and extra values such as "DevicePath".
#pragma once

#include <windows.h>
#include <dshow.h>

#include <new>
#include <string>
#include <utility>
#include <vector>

namespace dshow {

using CreateFunction = HRESULT (*)(REFIID riid, void** ppv);

// Creates a filter object of type T (default-constructed, reference count 1) and hands out riid.
template <typename T> HRESULT CreateFilterInstance(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    T* object = new (std::nothrow) T();
    if (!object)
        return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

// One filter class of a module.
struct FilterTemplate
{
    const wchar_t* name;        // friendly name in the filter category
    const CLSID* clsid;         // class id
    CreateFunction create;      // CreateFilterInstance<T>
    DWORD merit;                // MERIT_DO_NOT_USE keeps intelligent connect from inserting it
    const REGFILTERPINS2* pins; // pin data for the filter mapper (may be null)
    ULONG pinCount;
};

// DllGetClassObject for the module's templates.
HRESULT ModuleGetClassObject(const FilterTemplate* templates, size_t count, REFCLSID clsid, REFIID riid, void** ppv);
// DllCanUnloadNow: S_OK when no object of the module is alive and no server lock is held.
HRESULT ModuleCanUnloadNow();
// DllRegisterServer (install true) / DllUnregisterServer: COM server keys pointing at this module and the
// filter-mapper entries in CLSID_LegacyAmFilterCategory.
HRESULT ModuleRegister(const FilterTemplate* templates, size_t count, bool install);

// The four exports of a filter module whose filter classes are the array `templates`: the class factory,
// the unload check and self-registration through the filter mapper. Used once in a module's source.
#define DSHOW_FILTER_MODULE_EXPORTS(templates)                                                                         \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)                                                  \
    {                                                                                                                  \
        return dshow::ModuleGetClassObject(templates, sizeof templates / sizeof templates[0], clsid, riid, ppv);       \
    }                                                                                                                  \
    STDAPI DllCanUnloadNow()                                                                                           \
    {                                                                                                                  \
        return dshow::ModuleCanUnloadNow();                                                                            \
    }                                                                                                                  \
    STDAPI DllRegisterServer()                                                                                         \
    {                                                                                                                  \
        return dshow::ModuleRegister(templates, sizeof templates / sizeof templates[0], true);                         \
    }                                                                                                                  \
    STDAPI DllUnregisterServer()                                                                                       \
    {                                                                                                                  \
        return dshow::ModuleRegister(templates, sizeof templates / sizeof templates[0], false);                        \
    }

// Full path of the module that contains the kit (the .ax or .exe it is linked into).
std::wstring ModulePath();

// COM server keys: HKCR\CLSID\{clsid} (default value = name) and InprocServer32 = path, ThreadingModel Both.
HRESULT RegisterComServer(const CLSID& clsid, const wchar_t* name, const wchar_t* path);
HRESULT UnregisterComServer(const CLSID& clsid);

// A filter instance listed in a category (video or audio input devices, ...), as the system device
// enumerator shows it: FriendlyName, CLSID, filter data, and extra string values in the instance's key.
struct CategoryEntry
{
    GUID category = GUID_NULL;
    std::wstring instance;     // instance key name, unique within the category
    std::wstring friendlyName; // "FriendlyName"
    CLSID clsid = GUID_NULL;
    DWORD merit = MERIT_DO_NOT_USE;
    const REGFILTERPINS2* pins = nullptr;
    ULONG pinCount = 0;
    std::vector<std::pair<std::wstring, std::wstring>> extraValues; // e.g. {L"DevicePath", L"\\\\?\\usb#..."}
};

HRESULT RegisterInCategory(const CategoryEntry& entry);
HRESULT UnregisterFromCategory(const GUID& category, const wchar_t* instance, const CLSID& clsid);

// Text form "{XXXXXXXX-...}" of a GUID.
std::wstring GuidText(const GUID& guid);

} // namespace dshow
