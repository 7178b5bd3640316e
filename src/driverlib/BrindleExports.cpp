// The plain exports of Brindle.dll. The device state is process-wide and lives only inside one call:
// every device export opens the camera, works and closes it again.
#include "driverlib/BrindleApi.h"
#include "driverlib/BrindleDriver.h"
#include "driverlib/DirectShowDevices.h"

namespace {

BrindleDriver& Driver()
{
    static DirectShowDevices devices;
    static BrindleDriver driver(devices);
    return driver;
}

} // namespace

extern "C" {

int Initialize_DriverInterface()
{
    return Driver().Initialize();
}

int UnInitialize_DriverInterface()
{
    return 1;
}

int GetSensorRegister(int kind, unsigned short address, int, unsigned short* result, int width)
{
    return Driver().GetSensorRegister(kind, address, result, width);
}

int SetSensorRegister(int kind, unsigned short address, int, unsigned short value, int width)
{
    return Driver().SetSensorRegister(kind, address, value, width);
}

int GetSerialNumber(int, char* buffer)
{
    return Driver().GetSerialNumber(buffer);
}

int GetFWVersion(int, unsigned char* version4)
{
    return Driver().GetFWVersion(version4);
}

int GetEEPROMRegister(unsigned short address, int count, unsigned char* buffer)
{
    return Driver().GetEEPROMRegister(address, count, buffer);
}

int SetEEPROMRegister(unsigned short address, int count, const unsigned char* data)
{
    return Driver().SetEEPROMRegister(address, count, data);
}

int GetPowerLineFrequency(int* value)
{
    return Driver().GetPowerLineFrequency(value);
}

int SetPowerLineFrequency(int value)
{
    return Driver().SetPowerLineFrequency(value);
}

int GetManufacturer(int* length, char* buffer)
{
    return Driver().GetManufacturer(length, buffer);
}

int SetManufacturer(int length, const char* chars)
{
    return Driver().SetManufacturer(length, chars);
}

int GetSensorVersion()
{
    return Driver().GetSensorVersion();
}

} // extern "C"
