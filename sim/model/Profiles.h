// The simulated camera models: one profile per USB camera the program knows, plus one it does not.
// A profile fixes identification values, image ranges, topology and offered sizes; ApplyProfile
// turns a device record into a freshly plugged camera of that model.
#pragma once
#include "sim/model/DeviceState.h"
#include <cstddef>
#include <cstdint>

namespace sim {

enum class Family : uint8_t { Sonix, Brindle, Sunplus, SunplusKT4B, Alcor, Unknown };

// Which registers turn the picture round.
enum class SensorModel : uint8_t { None, Id76, Id96, Sunplus, KT4B };

enum class ProfileId : uint32_t { Sonix, Veyra7670, Veyra7675, Veyra9665, Sunplus, KT4B, Alcor, Unknown, Count };

constexpr size_t kProfileCount = static_cast<size_t>(ProfileId::Count);

struct ImageRange
{
    int32_t min;
    int32_t max;
    int32_t step;
    int32_t def;
    int32_t caps; // capability flags: 1 auto, 2 manual
};

struct Profile
{
    const char* name; // used by simctl and QUILLO_SIM_DEVICES
    uint16_t vid;
    uint16_t pid;
    const char* friendlyName;
    Family family;
    SensorModel sensor;
    uint8_t sensorWidth;  // bytes per sensor register: 1 (8-bit sensors) or 2 (paged 16-bit sensors)
    uint8_t firmwareLow;  // EEPROM 0x0244
    uint8_t firmwareHigh; // EEPROM 0x0245
    uint8_t videoNodeIndex;
    bool extensionNode;
    bool has720;
    bool vgaOnly; // offers 320x240 and 640x480 only
    const char* manufacturer;
    ImageRange image[kImageCount];
};

const Profile& GetProfile(ProfileId id);
// The profile of a device record; the unknown camera when the record names no valid profile.
const Profile& ProfileOf(const DeviceState& device);
// Finds a profile by its name or by "vvvv:pppp" (hexadecimal, any case); false when none matches.
bool FindProfile(const char* name, ProfileId* id);

// Resets every register, the EEPROM and the image values to those of a new camera of the profile.
void ApplyProfile(DeviceState& device, ProfileId id);

// The device path the driver reports, e.g. \\?\usb#vid_0402&pid_9665&mi_00#6&2c5a1f3&0&0000#{65e8...}\global.
// Returns false when the buffer (length in characters, including the terminator) is too small.
bool FormatDevicePath(const DeviceState& device, uint32_t slot, char* buffer, size_t length);

struct FrameSize
{
    int32_t width;
    int32_t height;
};

// Sizes offered in capability order; returns how many were written (at most capacity).
size_t OfferedSizes(const DeviceState& device, FrameSize* sizes, size_t capacity);

} // namespace sim
