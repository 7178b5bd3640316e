// The system's kernel-streaming cameras through DirectShow's device enumerator, and the vendor property
// set of the bound one through IKsControl node requests or the IKsPropertySet block.
#pragma once

#include "dshow/vidcap_decl.h"
#include "driverlib/DriverDevice.h"

// Owns one COM reference and releases it on reset and destruction.
template <typename T> class ComRef
{
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Reset()
    {
        if (m_p != nullptr)
            m_p->Release();
        m_p = nullptr;
    }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

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
    DriverAccessMode BindDevice(IMoniker* moniker);

    ComRef<IEnumMoniker> m_enum;
    ComRef<IBaseFilter> m_filter;
    ComRef<IKsControl> m_control;
    ComRef<IKsPropertySet> m_propertySet;
    DriverAccessMode m_mode = DriverAccessMode::None;
    uint32_t m_extensionNode = 0;
    uint32_t m_cameraTerminal = 0; // recorded for completeness; no request goes to it
};
