// Simulated SN9C21xVCdll.dll: sensor access of the first plugged Sonix camera. Every call is
// journaled with its arguments and result.
#include "sim/model/Registers.h"
#include "sim/shared/SharedState.h"
#include <cstdio>

namespace {

bool IsSonix(const sim::DeviceState& d)
{
    return sim::ProfileOf(d).family == sim::Family::Sonix;
}

} // namespace

extern "C" {

__declspec(dllexport) int DeviceDetect()
{
    int found = 0;
    {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSonix);
        found = d && !d->probeFail ? 1 : 0;
    }
    sim::JournalCall("DeviceDetect", found ? "1" : "0", "");
    return found;
}

// The slave id, access mode, register and length are narrow values; only the low bytes are read.
__declspec(dllexport) int ReadFromSensor(unsigned char slave, unsigned char mode, unsigned char reg,
                                         unsigned char length, unsigned char* value)
{
    int ok = 0;
    uint16_t read = 0;
    if (value && (length == 1 || length == 2)) {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSonix);
        if (d && sim::SensorRead(*d, reg, &read)) {
            value[0] = static_cast<unsigned char>(read & 0xFF);
            if (length == 2)
                value[1] = static_cast<unsigned char>(read >> 8);
            ok = 1;
        }
    }
    char result[32];
    snprintf(result, sizeof result, ok ? "1 value=0x%02x" : "0", read);
    sim::JournalCall("ReadFromSensor", result, "0x%02x,%u,0x%02x,%u", slave, mode, reg, length);
    return ok;
}

__declspec(dllexport) int WriteToSensor(unsigned char slave, unsigned char mode, unsigned char reg,
                                        unsigned char length, unsigned short value)
{
    sim::StallSensorWrite(IsSonix);
    int ok = 0;
    uint16_t written = length == 2 ? value : static_cast<uint16_t>(value & 0xFF);
    if (length == 1 || length == 2) {
        sim::StateLock lock;
        sim::DeviceState* d = lock.FirstPlugged(IsSonix);
        ok = d && sim::SensorWrite(*d, reg, written) ? 1 : 0;
    }
    sim::JournalCall("WriteToSensor", ok ? "1" : "0", "0x%02x,%u,0x%02x,%u,0x%02x", slave, mode, reg, length, written);
    return ok;
}

} // extern "C"
