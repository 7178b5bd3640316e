// Helpers of the tests on the simulated devices: registration of simcam.ax from the test's folder, device
// set-up through the shared state, the devices as the system lists them, and a camera -> Sample Grabber ->
// Null Renderer graph that hands out the newest sample.
#pragma once
#include "dshow/ComPtr.h"
#include "dshow/Devices.h"
#include "dshow/vidcap_decl.h"
#include "sim/model/Profiles.h"
#include "sim/shared/SharedState.h"
#include <string>
#include <vector>

namespace simtest {

using dshow::ComPtr;

// Registers simcam.ax once per process.
HRESULT EnsureRegistered();
// A fresh device list with these profiles, listed with the device enumerator.
void UseDevices(std::initializer_list<sim::ProfileId> profiles);

// The filter of the device at this place of the category's list; null when there is none.
ComPtr<IBaseFilter> BindDevice(const GUID& category, size_t position);

// The first pin of the direction, or null.
ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction);
// The grabber keeps copies of samples and counts them.
ComPtr<IBaseFilter> MakeGrabber(const GUID& major, const GUID& subtype, ISampleGrabber** grabber);
ComPtr<IBaseFilter> MakeFilter(const CLSID& clsid);
// Waits for an event code from the graph within timeoutMs; true when it came.
bool WaitForEvent(IGraphBuilder* graph, long code, DWORD timeoutMs);

// A graph of source -> Sample Grabber (of the given type) -> Null Renderer.
struct GrabGraph
{
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> camera, grabberFilter, sink;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IMediaControl> control;

    HRESULT Build(ComPtr<IBaseFilter> source, const GUID& major, const GUID& subtype);
    // Copies the newest sample the grabber holds; waits at most timeoutMs for one.
    bool Grab(std::vector<uint8_t>& frame, DWORD timeoutMs = 5000);
    // Grabs samples until one of the size satisfies done(frame), for at most timeoutMs; the last grabbed.
    template <typename Done> std::vector<uint8_t> GrabUntil(size_t size, Done done, DWORD timeoutMs = 5000);

    ~GrabGraph();
};

template <typename Done> std::vector<uint8_t> GrabGraph::GrabUntil(size_t size, Done done, DWORD timeoutMs)
{
    std::vector<uint8_t> frame;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (Grab(frame, 1000) && frame.size() == size && done(frame))
            break;
        Sleep(30);
    } while (GetTickCount64() < deadline);
    return frame;
}

} // namespace simtest
