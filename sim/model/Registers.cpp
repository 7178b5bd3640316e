// ASIC, sensor and EEPROM behaviour of the simulated chip and the vendor property set over them.
#include "sim/model/Registers.h"
#include "sim/model/Hresults.h"
#include "sim/model/Profiles.h"
#include <cstring>

namespace sim {
namespace {

bool IsPaged(const DeviceState& device)
{
    return ProfileOf(device).sensorWidth == 2;
}

int FindSensorSlot(const DeviceState& device, uint16_t page, uint16_t address)
{
    for (size_t i = 0; i < kSensorSlots; ++i) {
        const SensorRegister& r = device.sensor[i];
        if (r.used && r.page == page && r.address == address)
            return static_cast<int>(i);
    }
    return -1;
}

bool SameGuid(const Guid& a, const Guid& b)
{
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

} // namespace

uint8_t AsicRead(const DeviceState& device, uint16_t address)
{
    if (address == kAsicProbe && device.probeFail)
        return 0;
    return device.asic[address];
}

void AsicWrite(DeviceState& device, uint16_t address, uint8_t value)
{
    device.asic[address] = value;
}

uint16_t SensorPeek(const DeviceState& device, uint16_t page, uint16_t address)
{
    int slot = FindSensorSlot(device, page, address);
    return slot < 0 ? 0 : device.sensor[slot].value;
}

bool SensorPoke(DeviceState& device, uint16_t page, uint16_t address, uint16_t value)
{
    int slot = FindSensorSlot(device, page, address);
    if (slot < 0) {
        for (size_t i = 0; i < kSensorSlots && slot < 0; ++i)
            if (!device.sensor[i].used)
                slot = static_cast<int>(i);
        if (slot < 0)
            return false;
    }
    device.sensor[slot] = {page, address, value, 1};
    return true;
}

bool SensorRead(const DeviceState& device, uint16_t address, uint16_t* value)
{
    if (!value)
        return false;
    if (!IsPaged(device)) {
        if (address > 0xFF)
            return false;
        *value = static_cast<uint16_t>(SensorPeek(device, 0, address) & 0xFF);
        return true;
    }
    if (address == kSensorPageRegister) {
        *value = static_cast<uint16_t>(device.sensorPage);
        return true;
    }
    *value = SensorPeek(device, static_cast<uint16_t>(device.sensorPage), address);
    return true;
}

bool SensorWrite(DeviceState& device, uint16_t address, uint16_t value)
{
    if (!IsPaged(device)) {
        if (address > 0xFF)
            return false;
        return SensorPoke(device, 0, address, static_cast<uint16_t>(value & 0xFF));
    }
    if (address == kSensorPageRegister) {
        device.sensorPage = value;
        return true;
    }
    return SensorPoke(device, static_cast<uint16_t>(device.sensorPage), address, value);
}

int32_t VendorPropertyRequest(DeviceState& device, const Guid& propertySet, uint32_t id, bool set, uint8_t* data,
                              size_t length, uint32_t* returned)
{
    if (returned)
        *returned = 0;
    if (!data)
        return kInvalidArg;
    if (!SameGuid(propertySet, kVendorPropertySet))
        return kPropSetUnsupported;
    bool known = (id == kPropAddress && set) || (id == kPropAsicRead && !set) || (id == kPropAsicWrite && set) ||
                 id == kPropEeprom || id == kPropSensor;
    if (!known)
        return kPropIdUnsupported;
    if (length < 2)
        return kInsufficientBuffer;
    const uint16_t value = static_cast<uint16_t>(data[0] | (data[1] << 8));
    const uint32_t address = device.address;

    switch (id) {
    case kPropAddress:
        device.address = value;
        return kOk;
    case kPropAsicRead:
        data[0] = AsicRead(device, static_cast<uint16_t>(address & 0xFFFF));
        data[1] = 0;
        break;
    case kPropAsicWrite:
        AsicWrite(device, static_cast<uint16_t>(address & 0xFFFF), data[0]);
        return kOk;
    case kPropEeprom:
        if (address >= kEepromSize)
            return kInvalidArg;
        // The last byte of the EEPROM has no partner: a read answers 0xFF for it, a write drops it.
        if (set) {
            device.eeprom[address] = data[0];
            if (address + 1 < kEepromSize)
                device.eeprom[address + 1] = data[1];
        } else {
            data[0] = device.eeprom[address];
            data[1] = address + 1 < kEepromSize ? device.eeprom[address + 1] : 0xFF;
        }
        if (device.asic[kAsicEepromBurst] == 2)
            device.address = address + 2;
        if (set)
            return kOk;
        break;
    case kPropSensor: {
        if (address > 0xFFFF)
            return kInvalidArg;
        if (set) {
            uint16_t written = IsPaged(device) ? value : data[0];
            return SensorWrite(device, static_cast<uint16_t>(address), written) ? kOk : kInvalidArg;
        }
        uint16_t current = 0;
        if (!SensorRead(device, static_cast<uint16_t>(address), &current))
            return kInvalidArg;
        data[0] = static_cast<uint8_t>(current & 0xFF);
        data[1] = static_cast<uint8_t>(current >> 8);
        break;
    }
    default:
        return kPropIdUnsupported;
    }
    if (returned)
        *returned = 2;
    return kOk;
}

Orientation SensorOrientation(const DeviceState& device)
{
    Orientation o = {false, false};
    switch (ProfileOf(device).sensor) {
    case SensorModel::Id76: {
        uint16_t r = SensorPeek(device, 0, 0x1E);
        o = {(r & 0x20) != 0, (r & 0x10) != 0};
        break;
    }
    case SensorModel::Id96:
        // Firmware 10 and later turns the picture in the ASIC; older firmware in the sensor.
        if (device.eeprom[0x0244] > 9) {
            uint8_t r = device.asic[0x90CF];
            o = {(r & 0x02) != 0, (r & 0x04) != 0};
        } else {
            o = {(SensorPeek(device, 0, 0x33) & 0x08) != 0, (SensorPeek(device, 0, 0x04) & 0x40) != 0};
        }
        break;
    case SensorModel::Sunplus: {
        uint16_t r = SensorPeek(device, 0x7000, 0x0262);
        o = {(r & 0x0001) != 0, (r & 0x0002) != 0};
        break;
    }
    case SensorModel::KT4B: {
        uint16_t r = SensorPeek(device, static_cast<uint16_t>(device.sensorPage), 0x0101);
        o = {(r & 0x01) != 0, (r & 0x02) != 0};
        break;
    }
    case SensorModel::None:
        break;
    }
    return o;
}

} // namespace sim
