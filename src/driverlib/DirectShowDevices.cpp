// Enumerates the video-input devices served by the kernel-streaming proxy and carries the vendor property
// set's requests to the bound one.
#include "driverlib/DirectShowDevices.h"

#include "driverlib/KsRequests.h"

#include <cstring>
#include <vector>

namespace {

// {17CCA71B-ECD7-11D0-B908-00A0C9223196}: the class every driver-based capture device is created from.
constexpr char kKsProxyClsid[] = "{17CCA71B-ECD7-11D0-B908-00A0C9223196}";

const GUID kIidIKsControl = {0x28F54685, 0x06FD, 0x11D2, {0xB2, 0x7A, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
const GUID kNodeExtensionUnit = {0x941C7AC0, 0xC559, 0x11D0, {0x8A, 0x2B, 0x00, 0xA0, 0xC9, 0x25, 0x5A, 0xC1}};
const GUID kNodeCameraTerminal = {0xDFF229E6, 0xF70F, 0x11D0, {0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

constexpr long kVideoProcAmpPowerLineFrequency = 13;
constexpr long kVideoProcAmpFlagsManual = 2;

GUID VendorSet()
{
    GUID set;
    static_assert(sizeof set == kVendorPropertySet.size(), "GUID layout");
    std::memcpy(&set, kVendorPropertySet.data(), sizeof set);
    return set;
}

// The device's "CLSID" value in the system code page, compared as the driver registers it.
bool IsKsProxyDevice(const dshow::DeviceMoniker& device)
{
    std::wstring clsid;
    if (!device.Text(L"CLSID", clsid))
        return false;
    char text[64] = {};
    const int n = WideCharToMultiByte(CP_ACP, 0, clsid.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return n > 0 && std::strcmp(text, kKsProxyClsid) == 0;
}

} // namespace

bool DirectShowDevices::Begin()
{
    // COM stays initialised for the calling thread; the library never uninitialises it.
    (void)CoInitialize(nullptr);
    Close();
    m_devices = dshow::ListDevices(CLSID_VideoInputDeviceCategory);
    m_next = 0;
    return !m_devices.empty();
}

bool DirectShowDevices::BindNext(DriverAccessMode& mode)
{
    while (m_next < m_devices.size()) {
        const dshow::DeviceMoniker& device = m_devices[m_next++];
        if (!IsKsProxyDevice(device))
            continue;
        mode = BindDevice(device);
        return true;
    }
    return false;
}

DriverAccessMode DirectShowDevices::BindDevice(const dshow::DeviceMoniker& device)
{
    ReleaseDevice();
    if (FAILED(device.Bind(m_filter)))
        return DriverAccessMode::None;
    if (FAILED(m_filter->QueryInterface(kIidIKsControl, m_control.PutVoid())) || !m_control ||
        FAILED(m_filter->QueryInterface(IID_IKsPropertySet, m_propertySet.PutVoid())) || !m_propertySet) {
        ReleaseDevice();
        return DriverAccessMode::None;
    }
    std::vector<KsNodeKind> nodes;
    dshow::ComPtr<IKsTopologyInfo> topology;
    DWORD count = 0;
    if (SUCCEEDED(m_filter->QueryInterface(IID_IKsTopologyInfo, topology.PutVoid())) && topology &&
        SUCCEEDED(topology->get_NumNodes(&count))) {
        for (DWORD i = 0; i < count; ++i) {
            GUID type = GUID_NULL;
            KsNodeKind kind = KsNodeKind::Other;
            if (SUCCEEDED(topology->get_NodeType(i, &type))) {
                if (IsEqualGUID(type, kNodeExtensionUnit))
                    kind = KsNodeKind::ExtensionUnit;
                else if (IsEqualGUID(type, kNodeCameraTerminal))
                    kind = KsNodeKind::CameraTerminal;
            }
            nodes.push_back(kind);
        }
    }
    const CameraTopology chosen = ChooseTopologyNodes(nodes);
    m_extensionNode = chosen.extensionNode;
    m_cameraTerminal = chosen.cameraTerminal;
    m_mode = AccessModeFor(chosen);
    return m_mode;
}

void DirectShowDevices::ReleaseDevice()
{
    m_control.Reset();
    m_propertySet.Reset();
    m_filter.Reset();
    m_mode = DriverAccessMode::None;
}

void DirectShowDevices::Close()
{
    ReleaseDevice();
    m_devices.clear();
    m_next = 0;
}

bool DirectShowDevices::Access(unsigned id, bool set, uint16_t& value)
{
    if (m_mode == DriverAccessMode::ExtensionNode && m_control) {
        auto request = BuildNodeRequest(id, set, m_extensionNode);
        BYTE data[2] = {static_cast<BYTE>(value & 0xFF), static_cast<BYTE>(value >> 8)};
        ULONG returned = 0;
        const HRESULT hr = m_control->KsProperty(reinterpret_cast<PKSPROPERTY>(request.data()),
                                                 static_cast<ULONG>(request.size()), data, sizeof data, &returned);
        if (FAILED(hr))
            return false;
        if (!set)
            value = static_cast<uint16_t>(data[0] | (data[1] << 8));
        return true;
    }
    if (m_mode == DriverAccessMode::PropertySet && m_propertySet) {
        auto block = BuildPropertySetBlock(id, set, value);
        const GUID vendorSet = VendorSet();
        const DWORD size = static_cast<DWORD>(block.size());
        HRESULT hr;
        if (set) {
            hr = m_propertySet->Set(vendorSet, id - 1, block.data(), size, block.data(), size);
        } else {
            DWORD returned = 0;
            hr = m_propertySet->Get(vendorSet, id - 1, block.data(), size, block.data(), size, &returned);
        }
        if (FAILED(hr))
            return false;
        if (!set)
            value = PropertySetBlockValue(block);
        return true;
    }
    return false;
}

bool DirectShowDevices::GetProperty(unsigned id, uint16_t& value)
{
    value = 0;
    return Access(id, false, value);
}

bool DirectShowDevices::SetProperty(unsigned id, uint16_t value)
{
    return Access(id, true, value);
}

bool DirectShowDevices::GetPowerLineFrequency(int32_t& value)
{
    dshow::ComPtr<IAMVideoProcAmp> amp;
    if (!m_filter || FAILED(m_filter->QueryInterface(IID_IAMVideoProcAmp, amp.PutVoid())) || !amp)
        return false;
    long current = 0;
    long flags = 0;
    if (FAILED(amp->Get(kVideoProcAmpPowerLineFrequency, &current, &flags)))
        return false;
    value = current;
    return true;
}

bool DirectShowDevices::SetPowerLineFrequency(int32_t value)
{
    dshow::ComPtr<IAMVideoProcAmp> amp;
    if (!m_filter || FAILED(m_filter->QueryInterface(IID_IAMVideoProcAmp, amp.PutVoid())) || !amp)
        return false;
    return SUCCEEDED(amp->Set(kVideoProcAmpPowerLineFrequency, value, kVideoProcAmpFlagsManual));
}
