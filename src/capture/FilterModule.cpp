#include "capture/FilterModule.h"

#include "common/ModulePath.h"

#include <string>

namespace {
using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
}

HRESULT CreateOwnFilter(const wchar_t* moduleFile, const CLSID& clsid, IBaseFilter** filter)
{
    if (!filter || !moduleFile)
        return E_POINTER;
    *filter = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    if (SUCCEEDED(hr) && *filter)
        return S_OK;

    // Not registered (or registered elsewhere): load our own copy by its full path. The handle is kept
    // on purpose: filters made from the module live until the process ends.
    std::wstring path = ProgramFolder() + moduleFile;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        return HRESULT_FROM_WIN32(GetLastError());
    auto getClassObject =
        reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    if (!getClassObject)
        return E_FAIL;
    IClassFactory* factory = nullptr;
    hr = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr) || !factory)
        return FAILED(hr) ? hr : E_FAIL;
    hr = factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    factory->Release();
    if (SUCCEEDED(hr) && !*filter)
        hr = E_FAIL;
    return hr;
}
