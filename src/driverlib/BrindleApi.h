// The plain exports of Brindle.dll and the pointer types its callers look them up as. Every export returns
// 1 for success and 0 for failure (GetSensorVersion: the identification, 0 on failure).
#pragma once

extern "C" {
int Initialize_DriverInterface();
int UnInitialize_DriverInterface();
int GetSensorRegister(int kind, unsigned short address, int unused, unsigned short* result, int width);
int SetSensorRegister(int kind, unsigned short address, int unused, unsigned short value, int width);
int GetSerialNumber(int unused, char* buffer);
int GetFWVersion(int unused, unsigned char* version4);
int GetEEPROMRegister(unsigned short address, int count, unsigned char* buffer);
int SetEEPROMRegister(unsigned short address, int count, const unsigned char* data);
int GetPowerLineFrequency(int* value);
int SetPowerLineFrequency(int value);
int GetAreaCodeFrequency(int* value);
int GetManufacturer(int* length, char* buffer);
int SetManufacturer(int length, const char* chars);
int GetSensorVersion();
}

using InitializeDriverInterfaceFn = decltype(&Initialize_DriverInterface);
using UnInitializeDriverInterfaceFn = decltype(&UnInitialize_DriverInterface);
using GetSensorRegisterFn = decltype(&GetSensorRegister);
using SetSensorRegisterFn = decltype(&SetSensorRegister);
using GetSerialNumberFn = decltype(&GetSerialNumber);
using GetFWVersionFn = decltype(&GetFWVersion);
using GetEEPROMRegisterFn = decltype(&GetEEPROMRegister);
using SetEEPROMRegisterFn = decltype(&SetEEPROMRegister);
using GetPowerLineFrequencyFn = decltype(&GetPowerLineFrequency);
using SetPowerLineFrequencyFn = decltype(&SetPowerLineFrequency);
using GetAreaCodeFrequencyFn = decltype(&GetAreaCodeFrequency);
using GetManufacturerFn = decltype(&GetManufacturer);
using SetManufacturerFn = decltype(&SetManufacturer);
using GetSensorVersionFn = decltype(&GetSensorVersion);
