// Helpers of the simulated-device tests.
#include "SimTestSupport.h"
#include "common/ModulePath.h"
#include "dshow/Graph.h"
#include "sim/shared/Registration.h"
#include <gtest/gtest.h>

namespace simtest {

HRESULT EnsureRegistered()
{
    static HRESULT result = sim::RegisterDevices(PathBesideProgram(L"simcam.ax").c_str());
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

ComPtr<IBaseFilter> BindDevice(const GUID& category, size_t position)
{
    ComPtr<IBaseFilter> filter;
    const std::vector<dshow::DeviceMoniker> devices = dshow::ListDevices(category);
    if (position < devices.size())
        (void)devices[position].Bind(filter); // a failed bind leaves filter null, which the caller checks
    return filter;
}

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IPin> pin;
    (void)dshow::GetPin(filter, direction, 0, pin.Put()); // no such pin: null, which the caller checks
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
    if (FAILED(g->SetMediaType(&mt)) || FAILED(g->SetBufferSamples(TRUE)) || FAILED(g->SetOneShot(FALSE))) {
        filter.Reset();
        return filter;
    }
    g.CopyTo(grabber);
    return filter;
}

bool WaitForEvent(IGraphBuilder* graph, long code, DWORD timeoutMs)
{
    ComPtr<IMediaEvent> events;
    if (!graph || FAILED(graph->QueryInterface(IID_IMediaEvent, events.PutVoid())))
        return false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
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

HRESULT GrabGraph::Build(ComPtr<IBaseFilter> source, const GUID& major, const GUID& subtype)
{
    camera = source;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid());
    if (FAILED(hr))
        return hr;
    grabberFilter = MakeGrabber(major, subtype, grabber.Put());
    sink = MakeFilter(CLSID_NullRenderer);
    if (!camera || !grabberFilter || !sink)
        return E_FAIL;
    if (FAILED(hr = graph->AddFilter(camera.Get(), L"Cap")) ||
        FAILED(hr = graph->AddFilter(grabberFilter.Get(), L"Grabber")) ||
        FAILED(hr = graph->AddFilter(sink.Get(), L"Sink")))
        return hr;
    ComPtr<IPin> capture = FindPin(camera.Get(), PINDIR_OUTPUT);
    if (!capture)
        return E_FAIL;
    if (FAILED(hr = graph->Connect(capture.Get(), FindPin(grabberFilter.Get(), PINDIR_INPUT).Get())))
        return hr;
    if (FAILED(hr = graph->Connect(FindPin(grabberFilter.Get(), PINDIR_OUTPUT).Get(),
                                   FindPin(sink.Get(), PINDIR_INPUT).Get())))
        return hr;
    return graph.As(control);
}

bool GrabGraph::Grab(std::vector<uint8_t>& frame, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        long size = 0;
        if (grabber && grabber->GetCurrentBuffer(&size, nullptr) == S_OK && size > 0) {
            frame.resize(static_cast<size_t>(size));
            if (grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())) == S_OK &&
                static_cast<size_t>(size) <= frame.size()) {
                frame.resize(static_cast<size_t>(size));
                return true;
            }
        }
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return false;
}

GrabGraph::~GrabGraph()
{
    if (control)
        control->Stop();
}

} // namespace simtest
