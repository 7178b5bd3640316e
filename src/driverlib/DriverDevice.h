// The camera as Brindle sees it: the vendor property set of one opened camera and the list of cameras in
// enumeration order. The Windows side implements both over DirectShow; tests implement them with fakes.
#pragma once

#include <cstdint>

// Property numbers of the vendor property set as the extension node numbers them. The property-set access
// path numbers them one lower.
enum VendorProperty : unsigned {
    kPropAddress = 8,    // 16-bit address of the next data access
    kPropAsicRead = 9,   // low byte = ASIC register at the address
    kPropAsicWrite = 10, // low byte goes to the ASIC register at the address
    kPropEeprom = 11,    // two EEPROM bytes at the address (advancing in burst mode)
    kPropSensor = 13,    // one or two bytes of the sensor register at the address
};

// How a bound camera is reached.
enum class DriverAccessMode { None = 0, PropertySet = 1, ExtensionNode = 2 };

// One opened camera. Values are the two bytes of a property, low byte first.
class VendorPropertyPort
{
public:
    virtual ~VendorPropertyPort() = default;
    virtual bool GetProperty(unsigned id, uint16_t& value) = 0;
    virtual bool SetProperty(unsigned id, uint16_t value) = 0;
    // The camera's power-line frequency through its image controls (1 = 50 Hz, 2 = 60 Hz).
    virtual bool GetPowerLineFrequency(int32_t& value) = 0;
    virtual bool SetPowerLineFrequency(int32_t value) = 0;
};

// The video-input devices of the system, in enumeration order. Only devices served by the kernel-streaming
// proxy are offered.
class DriverDeviceList
{
public:
    virtual ~DriverDeviceList() = default;
    // Starts a fresh enumeration; false when the system has no device enumerator or no video device.
    virtual bool Begin() = 0;
    // Binds the next kernel-streaming device, dropping the one bound before, and reports how it can be
    // reached (None when one of its interfaces is missing). False when no device is left.
    virtual bool BindNext(DriverAccessMode& mode) = 0;
    // The bound device; valid after BindNext returned true and until the next BindNext or Close.
    virtual VendorPropertyPort& Port() = 0;
    // Releases the bound device and every interface.
    virtual void Close() = 0;
};
