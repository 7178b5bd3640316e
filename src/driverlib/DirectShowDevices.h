// The system's kernel-streaming cameras through DirectShow's device enumerator, and the vendor property
// set of the bound one through IKsControl node requests or the IKsPropertySet block.
#pragma once

#include "dshow/ComPtr.h"
#include "dshow/Devices.h"
#include "dshow/vidcap_decl.h"
#include "driverlib/DriverDevice.h"

#include <vector>

class DirectShowDevices : public DriverDeviceList, private VendorPropertyPort
{
public:
    bool Begin() override;
    bool BindNext(DriverAccessMode& mode) override;
    VendorPropertyPort& Port() override { return *this; }
    void Close() override;

private:
    bool GetProperty(unsigned id, uint16_t& value) override;
    bool SetProperty(unsigned id, uint16_t value) override;
    bool GetPowerLineFrequency(int32_t& value) override;
    bool SetPowerLineFrequency(int32_t value) override;

    bool Access(unsigned id, bool set, uint16_t& value);
    void ReleaseDevice();
    DriverAccessMode BindDevice(const dshow::DeviceMoniker& device);

    std::vector<dshow::DeviceMoniker> m_devices;
    size_t m_next = 0;
    dshow::ComPtr<IBaseFilter> m_filter;
    dshow::ComPtr<IKsControl> m_control;
    dshow::ComPtr<IKsPropertySet> m_propertySet;
    DriverAccessMode m_mode = DriverAccessMode::None;
    uint32_t m_extensionNode = 0;
    uint32_t m_cameraTerminal = 0; // recorded for completeness; no request goes to it
};
