// Simulated SunplusCamera.dll: sensor (paged) and ASIC access of the first plugged Sunplus camera.
// Results follow the vendor's convention: 0 for success. Every call is journaled.
#include "sim/model/Registers.h"
#include "sim/shared/SharedState.h"
#include <cstdio>

namespace {

constexpr int kSuccess = 0;
constexpr int kNoDevice = -1;
constexpr int kBadArgument = -2;

bool IsSunplus(const sim::DeviceState& d)
{
    sim::Family f = sim::ProfileOf(d).family;
    return f == sim::Family::Sunplus || f == sim::Family::SunplusKT4B;
}

const char* ResultText(int result, char* buffer, size_t length)
{
    snprintf(buffer, length, "%d", result);
    return buffer;
}

} // namespace

extern "C" {

__declspec(dllexport) int __stdcall SunplusCam_Init(int device)
{
    int result = kNoDevice;
    {
        sim::StateLock lock;
        if (lock.FirstPlugged(IsSunplus))
            result = kSuccess;
    }
    char text[16];
    sim::JournalCall("SunplusCam_Init", ResultText(result, text, sizeof text), "%d", device);
    return result;
}

__declspec(dllexport) int __stdcall SunplusCam_UnInit(int device)
{
    sim::JournalCall("SunplusCam_UnInit", "0", "%d", device);
    return kSuccess;
}

__declspec(dllexport) int GetSensorRegister(unsigned char device, unsigned short reg, unsigned short* value)
{
    int result = kBadArgument;
    uint16_t read = 0;
    if (value) {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSunplus);
        result = kNoDevice;
        // A camera whose probe fails does not answer its identification register.
        bool identification = d && d->sensorPage == 0x7000 && reg == 0x0152;
        if (d && !(identification && d->probeFail) && sim::SensorRead(*d, reg, &read)) {
            *value = read;
            result = kSuccess;
        }
    }
    char text[32];
    snprintf(text, sizeof text, result == kSuccess ? "%d value=0x%04x" : "%d", result, read);
    sim::JournalCall("GetSensorRegister", text, "%u,0x%04x", device, reg);
    return result;
}

__declspec(dllexport) int SetSensorRegister(unsigned char device, unsigned short reg, unsigned short value)
{
    sim::StallSensorWrite(IsSunplus);
    int result = kNoDevice;
    {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSunplus);
        if (d)
            result = sim::SensorWrite(*d, reg, value) ? kSuccess : kBadArgument;
    }
    char text[16];
    sim::JournalCall("SetSensorRegister", ResultText(result, text, sizeof text), "%u,0x%04x,0x%04x", device, reg,
                     value);
    return result;
}

// The value place gets one byte: callers use only the low byte of what they pass.
__declspec(dllexport) int GetASICRegister(unsigned char device, unsigned short reg, unsigned char* value)
{
    int result = kBadArgument;
    uint8_t read = 0;
    if (value) {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSunplus);
        result = kNoDevice;
        if (d) {
            read = sim::AsicRead(*d, reg);
            *value = read;
            result = kSuccess;
        }
    }
    char text[32];
    snprintf(text, sizeof text, result == kSuccess ? "%d value=0x%02x" : "%d", result, read);
    sim::JournalCall("GetASICRegister", text, "%u,0x%04x", device, reg);
    return result;
}

__declspec(dllexport) int SetASICRegister(unsigned char device, unsigned short reg, unsigned char value)
{
    sim::StallSensorWrite(IsSunplus);
    int result = kNoDevice;
    {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSunplus);
        if (d) {
            sim::AsicWrite(*d, reg, value);
            result = kSuccess;
        }
    }
    char text[16];
    sim::JournalCall("SetASICRegister", ResultText(result, text, sizeof text), "%u,0x%04x,0x%02x", device, reg, value);
    return result;
}

} // extern "C"
