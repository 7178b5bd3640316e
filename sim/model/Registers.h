// Register-level behaviour of a simulated camera: ASIC register file, sensor registers (8-bit, or
// 16-bit in pages selected through register 0xFCFC), EEPROM with burst advance, and the driver's
// vendor property set on top of them.
#pragma once
#include "sim/model/DeviceState.h"
#include <cstddef>
#include <cstdint>

namespace sim {

constexpr uint16_t kSensorPageRegister = 0xFCFC;
constexpr uint16_t kAsicProbe = 0xFF50;
constexpr uint8_t kAsicProbeAnswer = 0xB0;
constexpr uint16_t kAsicEepromBurst = 0x9023;

// Same layout as a Windows GUID.
struct Guid
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

// {A7974C56-A77E-4B90-8CBF-1C71EC303000}
constexpr Guid kVendorPropertySet = {0xA7974C56, 0xA77E, 0x4B90, {0x8C, 0xBF, 0x1C, 0x71, 0xEC, 0x30, 0x30, 0x00}};

// Vendor property numbers as the extension node carries them; the plain property set uses each minus one.
enum VendorProperty : uint32_t {
    kPropAddress = 8,
    kPropAsicRead = 9,
    kPropAsicWrite = 10,
    kPropEeprom = 11,
    kPropSensor = 13,
};

uint8_t AsicRead(const DeviceState& device, uint16_t address);
void AsicWrite(DeviceState& device, uint16_t address, uint8_t value);

// Sensor access as the chip sees it: the current page applies on paged sensors, a write to 0xFCFC
// switches the page. False for addresses the sensor does not have or when no register slot is left.
bool SensorRead(const DeviceState& device, uint16_t address, uint16_t* value);
bool SensorWrite(DeviceState& device, uint16_t address, uint16_t value);
// Direct access to one page's register, for set-up and for deciding the picture's orientation.
uint16_t SensorPeek(const DeviceState& device, uint16_t page, uint16_t address);
bool SensorPoke(DeviceState& device, uint16_t page, uint16_t address, uint16_t value);

// Vendor property request. `set` is true for a set request; data/length is the two-byte value
// (more bytes are allowed and ignored). Returns kOk or the driver's error code; *returned gets the
// number of bytes produced by a get.
int32_t VendorPropertyRequest(DeviceState& device, const Guid& propertySet, uint32_t id, bool set, uint8_t* data,
                              size_t length, uint32_t* returned);

// Whether the picture is mirrored and flipped now, read from the orientation registers of the
// device's sensor model.
struct Orientation
{
    bool mirror;
    bool flip;
};
Orientation SensorOrientation(const DeviceState& device);

} // namespace sim
