// Helpers of the simulated-device tests.
#include "SimTestSupport.h"
#include "sim/shared/Registration.h"
#include <gtest/gtest.h>

namespace simtest {

std::wstring BinFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

HRESULT EnsureRegistered()
{
    static HRESULT result = sim::RegisterDevices((BinFolder() + L"simcam.ax").c_str());
    return result;
}

void UseDevices(std::initializer_list<sim::ProfileId> profiles)
{
    ASSERT_EQ(EnsureRegistered(), S_OK);
    {
        sim::StateLock lock;
        ASSERT_NE(lock.State(), nullptr);
        sim::StateReset(*lock.State(), profiles.begin(), profiles.size());
    }
    ASSERT_EQ(sim::RefreshDeviceList(), S_OK);
}

int RunSimctl(const std::wstring& arguments, std::string* output)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &sa, 0))
        return -1;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + BinFolder() + L"simctl.exe\" " + arguments;
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(write);
    if (!started) {
        CloseHandle(read);
        return -1;
    }
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(read);
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    if (output)
        *output = text;
    return static_cast<int>(code);
}

static std::wstring ReadBagText(IPropertyBag* bag, const wchar_t* name)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    std::wstring text;
    if (SUCCEEDED(bag->Read(name, &v, nullptr)) && v.vt == VT_BSTR && v.bstrVal)
        text = v.bstrVal;
    VariantClear(&v);
    return text;
}

std::vector<Listed> ListDevices(const GUID& category)
{
    std::vector<Listed> listed;
    ComPtr<ICreateDevEnum> devEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devEnum.PutVoid())))
        return listed;
    ComPtr<IEnumMoniker> monikers;
    if (devEnum->CreateClassEnumerator(category, monikers.Put(), 0) != S_OK)
        return listed;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.Put(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())))
            continue;
        listed.push_back({ReadBagText(bag.Get(), L"FriendlyName"), ReadBagText(bag.Get(), L"DevicePath"),
                          ReadBagText(bag.Get(), L"CLSID"), moniker});
    }
    return listed;
}

ComPtr<IBaseFilter> BindDevice(const GUID& category, size_t position)
{
    ComPtr<IBaseFilter> filter;
    std::vector<Listed> listed = ListDevices(category);
    if (position < listed.size())
        listed[position].moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid());
    return filter;
}

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (!filter || FAILED(filter->EnumPins(pins.Put())))
        return pin;
    while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction)
            return pin;
    }
    pin.Reset();
    return pin;
}

ComPtr<IBaseFilter> MakeFilter(const CLSID& clsid)
{
    ComPtr<IBaseFilter> filter;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.PutVoid());
    return filter;
}

ComPtr<IBaseFilter> MakeGrabber(const GUID& major, const GUID& subtype, ISampleGrabber** grabber)
{
    ComPtr<IBaseFilter> filter = MakeFilter(CLSID_SampleGrabber);
    if (!filter)
        return filter;
    ComPtr<ISampleGrabber> g;
    if (FAILED(filter.As(g))) {
        filter.Reset();
        return filter;
    }
    AM_MEDIA_TYPE mt = {};
    mt.majortype = major;
    mt.subtype = subtype;
    g->SetMediaType(&mt);
    g->SetBufferSamples(TRUE);
    g->SetOneShot(FALSE);
    g.CopyTo(grabber);
    return filter;
}

bool WaitForEvent(IGraphBuilder* graph, long code, DWORD timeoutMs)
{
    ComPtr<IMediaEvent> events;
    if (!graph || FAILED(graph->QueryInterface(IID_IMediaEvent, events.PutVoid())))
        return false;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        long got = 0;
        LONG_PTR p1 = 0, p2 = 0;
        if (events->GetEvent(&got, &p1, &p2, 100) == S_OK) {
            events->FreeEventParams(got, p1, p2);
            if (got == code)
                return true;
        }
    }
    return false;
}

ULONG RefCount(IUnknown* unknown)
{
    unknown->AddRef();
    return unknown->Release();
}

} // namespace simtest
