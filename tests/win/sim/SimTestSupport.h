// Helpers of the simulated-device tests: registration of simcam.ax from the test's folder, device
// set-up through the shared state, simctl runs in a second process, enumeration and graph building.
#pragma once
#include "dshow/ComPtr.h"
#include "dshow/vidcap_decl.h"
#include "sim/model/Profiles.h"
#include "sim/shared/SharedState.h"
#include <string>
#include <vector>

namespace simtest {

using dshow::ComPtr;

std::wstring BinFolder();
// Registers simcam.ax once per process.
HRESULT EnsureRegistered();
// A fresh device list with these profiles, listed with the device enumerator.
void UseDevices(std::initializer_list<sim::ProfileId> profiles);
// Runs simctl.exe with the arguments; returns its exit code and output.
int RunSimctl(const std::wstring& arguments, std::string* output = nullptr);

struct Listed
{
    std::wstring friendlyName, devicePath, clsid;
    ComPtr<IMoniker> moniker;
};
std::vector<Listed> ListDevices(const GUID& category);
ComPtr<IBaseFilter> BindDevice(const GUID& category, size_t position);

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction);
// The grabber keeps copies of samples and counts them.
ComPtr<IBaseFilter> MakeGrabber(const GUID& major, const GUID& subtype, ISampleGrabber** grabber);
ComPtr<IBaseFilter> MakeFilter(const CLSID& clsid);
// Waits for an event code from the graph within timeoutMs; true when it came.
bool WaitForEvent(IGraphBuilder* graph, long code, DWORD timeoutMs);

// Reference count of an object, probed by AddRef/Release.
ULONG RefCount(IUnknown* unknown);

} // namespace simtest
