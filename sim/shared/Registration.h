// Registration of the simulated devices with the system device enumerator: the capture source class
// (registered under the kernel-streaming proxy's class id, as driver-based cameras are) and the
// microphone class, plus one category instance per plugged camera in the configured order.
#pragma once
#include <windows.h>

namespace sim {

// {17CCA71B-ECD7-11D0-B908-00A0C9223196}: every driver-based capture device carries this class id.
extern const CLSID CLSID_SimCamera;
// {6F1C2A90-3B7E-4D55-9A1E-5C0D7B2E4A11}
extern const CLSID CLSID_SimMicrophone;

// Registers both classes as served by `modulePath` and lists the devices.
HRESULT RegisterDevices(const wchar_t* modulePath);
// Re-lists the plugged cameras in the enumeration order of the shared state (the classes stay).
HRESULT RefreshDeviceList();
// Removes the device instances and both classes.
HRESULT UnregisterDevices();
// True when the camera class is registered (so that device-list changes should be re-listed).
bool DevicesRegistered();

} // namespace sim
