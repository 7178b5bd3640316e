// Access to the simulated devices' state, shared by every process through a file-backed mapping
// (C:\ProgramData\QuilloSim\state.bin) and guarded by one named mutex. A missing or damaged file is
// made anew with the devices listed in QUILLO_SIM_DEVICES (default: the 0402:9665 camera).
#pragma once
#include "sim/model/SharedLayout.h"
#include <windows.h>
#include <string>

namespace sim {

// Full path of the state file.
std::wstring StateFilePath();

// Holds the state lock for its lifetime; State() is null when the state could not be opened.
class StateLock
{
public:
    StateLock();
    ~StateLock();
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;
    SharedLayout* State() const { return m_state; }
    // The device at a position of the enumeration order, or null.
    DeviceState* DeviceAt(uint32_t position, uint32_t* slot = nullptr) const;
    // The device in a slot while it is listed and plugged in, or null.
    DeviceState* PluggedSlot(uint32_t slot) const;
    // The first plugged device of a family in enumeration order, or null.
    DeviceState* FirstPlugged(bool (*matches)(const DeviceState&), uint32_t* slot = nullptr) const;

private:
    HANDLE m_mutex = nullptr;
    SharedLayout* m_state = nullptr;
};

// Profiles named by QUILLO_SIM_DEVICES (space- or comma-separated; "none" for no device), or the
// default camera. Unknown names are skipped.
size_t DefaultProfiles(ProfileId* profiles, size_t capacity);

// Writes one line to the call journal: function, arguments and result as printf-style texts.
// A hung vendor library (its register writes): waits as long as the first plugged matching device's sensorStallMs says (outside the
// lock, so simctl can still answer meanwhile).
void StallSensorWrite(bool (*matches)(const DeviceState&));
void JournalCall(const char* function, const char* result, const char* argumentFormat, ...);

} // namespace sim
