// What each Brindle export does, over a DriverDeviceList: open the camera, run the register, EEPROM or
// string-record algorithm, close the camera. Results are 1 for success and 0 for failure.
#pragma once

#include "driverlib/DriverDevice.h"

#include <cstddef>
#include <cstdint>

// EEPROM addresses and ASIC registers with a fixed role.
constexpr uint16_t kEepromSignatureAddress = 0x0000;
constexpr uint16_t kEepromRecordSeedAddress = 0x0230;
constexpr uint16_t kEepromFirmwareAddress = 0x0244;
constexpr uint16_t kEepromStringRecordBase = 0x0254;
constexpr uint16_t kAsicChipId = 0xFF50;
constexpr uint8_t kAsicChipIdSupported = 0xB0;
constexpr uint16_t kAsicEepromBurst = 0x9023;
constexpr uint16_t kAsicEepromProtectA = 0xFF98;
constexpr uint16_t kAsicEepromProtectB = 0xFF96;
constexpr uint16_t kAsicSensorIdMode = 0x9230;

// The string record holds at most 78 bytes: two header bytes and 38 UTF-16 characters.
constexpr size_t kStringRecordBytes = 78;
constexpr int kStringRecordMaxChars = 38;

// Sensor register kinds of GetSensorRegister/SetSensorRegister.
constexpr int kRegisterKindSensor = 0;
constexpr int kRegisterKindAsic = 1;

class BrindleDriver
{
public:
    explicit BrindleDriver(DriverDeviceList& devices) : m_devices(devices) {}

    int Initialize();
    int GetSensorRegister(int kind, uint16_t address, uint16_t* result, int width);
    int SetSensorRegister(int kind, uint16_t address, uint16_t value, int width);
    // The buffer takes up to 38 characters (one byte each) and a terminator when there is room.
    int GetSerialNumber(char* buffer);
    int GetFWVersion(uint8_t* version4);
    int GetEEPROMRegister(uint16_t address, int count, uint8_t* buffer);
    int SetEEPROMRegister(uint16_t address, int count, const uint8_t* data);
    int GetPowerLineFrequency(int32_t* value);
    int SetPowerLineFrequency(int32_t value);
    int GetManufacturer(int32_t* length, char* buffer);
    int SetManufacturer(int32_t length, const char* chars);
    int GetSensorVersion();

private:
    DriverDeviceList& m_devices;
};

// The power-line frequency code for a system default locale: 2 (60 Hz) for the locales of 60 Hz countries,
// 1 (50 Hz) for every other.
int32_t PowerLineFrequencyForLocale(uint32_t localeId);
