// Profile table of the simulated cameras and the factory state each one starts from.
#include "sim/model/Profiles.h"
#include "sim/model/Registers.h"
#include <cstdio>
#include <cstring>

namespace sim {
namespace {

// Image ranges in VideoProcAmp property order: brightness, contrast, hue, saturation, sharpness,
// gamma, then the power-line frequency (1 = 50 Hz, 2 = 60 Hz).
#define SIM_RANGE(lo, hi, def)                                                                                         \
    {                                                                                                                  \
        lo, hi, 1, def, 2                                                                                              \
    }

const Profile kProfiles[kProfileCount] = {
    {"sonix",
     0x0C45,
     0x62C0,
     "Sim Camera Sonix 62C0",
     Family::Sonix,
     SensorModel::Id76,
     1,
     0x02,
     0x01,
     1,
     false,
     false,
     true,
     "SONIX",
     {SIM_RANGE(-64, 64, 0), SIM_RANGE(0, 64, 32), SIM_RANGE(-40, 40, 0), SIM_RANGE(0, 128, 64), SIM_RANGE(0, 7, 3),
      SIM_RANGE(72, 500, 100), SIM_RANGE(1, 2, 2)}},
    {"veyra7670",
     0x0402,
     0x7670,
     "Sim Camera Veyra 7670",
     Family::Brindle,
     SensorModel::Id76,
     1,
     0x05,
     0x01,
     1,
     true,
     false,
     true,
     "VEYRA",
     {SIM_RANGE(0, 100, 50), SIM_RANGE(0, 100, 45), SIM_RANGE(0, 100, 50), SIM_RANGE(0, 100, 40), SIM_RANGE(0, 100, 48),
      SIM_RANGE(1, 20, 18), SIM_RANGE(1, 2, 2)}},
    {"veyra7675",
     0x0402,
     0x7675,
     "Sim Camera Veyra 7675",
     Family::Brindle,
     SensorModel::Id76,
     1,
     0x05,
     0x01,
     2,
     false,
     false,
     true,
     "VEYRA",
     {SIM_RANGE(0, 100, 50), SIM_RANGE(0, 100, 45), SIM_RANGE(0, 100, 50), SIM_RANGE(0, 100, 40), SIM_RANGE(0, 100, 48),
      SIM_RANGE(1, 20, 18), SIM_RANGE(1, 2, 2)}},
    {"veyra9665",
     0x0402,
     0x9665,
     "Sim Camera Veyra 9665",
     Family::Brindle,
     SensorModel::Id96,
     1,
     0x0A,
     0x01,
     1,
     true,
     true,
     false,
     "Norvane Veyra",
     {SIM_RANGE(0, 255, 118), SIM_RANGE(0, 255, 36), SIM_RANGE(-30, 30, 0), SIM_RANGE(0, 255, 78), SIM_RANGE(0, 4, 2),
      SIM_RANGE(1, 10, 8), SIM_RANGE(1, 2, 1)}},
    {"sunplus",
     0x04FC,
     0x2800,
     "Sim Camera Sunplus 2800",
     Family::Sunplus,
     SensorModel::Sunplus,
     2,
     0x01,
     0x02,
     1,
     true,
     false,
     false,
     "SUNPLUS",
     {SIM_RANGE(0, 255, 128), SIM_RANGE(0, 255, 32), SIM_RANGE(-180, 180, 0), SIM_RANGE(0, 255, 40),
      SIM_RANGE(0, 255, 20), SIM_RANGE(90, 150, 120), SIM_RANGE(1, 2, 1)}},
    {"kt4b",
     0x04FC,
     0x2801,
     "Sim Camera Sunplus KT4B",
     Family::SunplusKT4B,
     SensorModel::KT4B,
     2,
     0x01,
     0x02,
     1,
     true,
     false,
     false,
     "SUNPLUS",
     {SIM_RANGE(-64, 64, 0), SIM_RANGE(0, 95, 32), SIM_RANGE(-2000, 2000, 0), SIM_RANGE(0, 100, 64), SIM_RANGE(1, 7, 3),
      SIM_RANGE(100, 300, 100), SIM_RANGE(1, 2, 1)}},
    {"alcor",
     0x058F,
     0xB002,
     "Sim Camera Alcor KT4A",
     Family::Alcor,
     SensorModel::None,
     1,
     0x03,
     0x01,
     2,
     true,
     true,
     false,
     "ALCOR",
     {SIM_RANGE(-64, 64, 0), SIM_RANGE(0, 64, 32), SIM_RANGE(-40, 40, 0), SIM_RANGE(0, 128, 64), SIM_RANGE(0, 6, 2),
      SIM_RANGE(72, 500, 100), SIM_RANGE(1, 2, 1)}},
    {"unknown",
     0x1D6B,
     0x0102,
     "Sim Camera Other",
     Family::Unknown,
     SensorModel::None,
     1,
     0x00,
     0x00,
     1,
     false,
     true,
     false,
     "OTHER",
     {SIM_RANGE(0, 255, 128), SIM_RANGE(0, 255, 128), SIM_RANGE(-180, 180, 0), SIM_RANGE(0, 255, 128),
      SIM_RANGE(0, 15, 7), SIM_RANGE(100, 300, 100), SIM_RANGE(1, 2, 1)}},
};

#undef SIM_RANGE

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseVidPid(const char* text, uint16_t* vid, uint16_t* pid)
{
    if (std::strlen(text) != 9 || text[4] != ':')
        return false;
    uint32_t v = 0, p = 0;
    for (int i = 0; i < 4; ++i) {
        int a = HexDigit(text[i]), b = HexDigit(text[5 + i]);
        if (a < 0 || b < 0)
            return false;
        v = v * 16 + static_cast<uint32_t>(a);
        p = p * 16 + static_cast<uint32_t>(b);
    }
    *vid = static_cast<uint16_t>(v);
    *pid = static_cast<uint16_t>(p);
    return true;
}

bool SameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}

// Writes the manufacturer string record where the driver library looks for it: the unsigned sum
// of the eight bytes at 0x0230 is the record's offset from 0x0254.
void WriteEepromImage(DeviceState& device, const Profile& profile)
{
    std::memset(device.eeprom, 0xFF, sizeof device.eeprom);
    if (profile.family == Family::Unknown)
        return;
    const uint8_t signature[4] = {0x56, 0x09, 0x55, 0xAA};
    std::memcpy(device.eeprom, signature, sizeof signature);
    const uint8_t locator[8] = {0x04, 0x04, 0x02, 0x02, 0x01, 0x01, 0x01, 0x01}; // sum 0x10
    std::memcpy(device.eeprom + 0x0230, locator, sizeof locator);
    device.eeprom[0x0244] = profile.firmwareLow;
    device.eeprom[0x0245] = profile.firmwareHigh;
    size_t record = 0x0254 + 0x10;
    size_t count = std::strlen(profile.manufacturer);
    if (count > 38)
        count = 38;
    device.eeprom[record] = static_cast<uint8_t>((count + 1) * 2);
    device.eeprom[record + 1] = 3;
    for (size_t i = 0; i < count; ++i) {
        device.eeprom[record + 2 + i * 2] = static_cast<uint8_t>(profile.manufacturer[i]);
        device.eeprom[record + 3 + i * 2] = 0;
    }
}

void WriteRegisterImage(DeviceState& device, const Profile& profile)
{
    std::memset(device.asic, 0, sizeof device.asic);
    std::memset(device.sensor, 0, sizeof device.sensor);
    device.sensorPage = 0;
    device.address = 0;
    device.asic[kAsicEepromBurst] = 1;
    device.asic[0xFF96] = 0x04;
    device.asic[0x9230] = 0x56;
    if (profile.family == Family::Brindle)
        device.asic[kAsicProbe] = kAsicProbeAnswer;
    switch (profile.sensor) {
    case SensorModel::Id76:
        SensorPoke(device, 0, 0x0A, 0x76);
        SensorPoke(device, 0, 0x0B, 0x48);
        SensorPoke(device, 0, 0x1E, 0x00);
        break;
    case SensorModel::Id96:
        SensorPoke(device, 0, 0x0A, 0x96);
        SensorPoke(device, 0, 0x0B, 0x52);
        SensorPoke(device, 0, 0x04, 0x00);
        SensorPoke(device, 0, 0x33, 0x00);
        break;
    case SensorModel::Sunplus:
    case SensorModel::KT4B:
        // Identification 0x06AA in page 0x7000; profile A (0x000A) on the 2800, profile E on KT4B.
        SensorPoke(device, 0x7000, 0x0152, 0x06AA);
        SensorPoke(device, 0x7000, 0x0262, 0x0000);
        SensorPoke(device, 0xD000, 0xF118, profile.sensor == SensorModel::Sunplus ? 0x000A : 0x000E);
        SensorPoke(device, 0xD000, 0xC342, 0x0040);
        if (profile.sensor == SensorModel::KT4B)
            SensorPoke(device, 0, 0x0101, 0x0000);
        break;
    case SensorModel::None:
        break;
    }
}

} // namespace

const Profile& GetProfile(ProfileId id)
{
    size_t index = static_cast<size_t>(id);
    return kProfiles[index < kProfileCount ? index : static_cast<size_t>(ProfileId::Unknown)];
}

const Profile& ProfileOf(const DeviceState& device)
{
    return GetProfile(static_cast<ProfileId>(device.profile));
}

bool FindProfile(const char* name, ProfileId* id)
{
    if (!name || !id)
        return false;
    uint16_t vid = 0, pid = 0;
    bool byIds = ParseVidPid(name, &vid, &pid);
    for (size_t i = 0; i < kProfileCount; ++i) {
        if (SameName(name, kProfiles[i].name) || (byIds && kProfiles[i].vid == vid && kProfiles[i].pid == pid)) {
            *id = static_cast<ProfileId>(i);
            return true;
        }
    }
    return false;
}

void ApplyProfile(DeviceState& device, ProfileId id)
{
    if (static_cast<size_t>(id) >= kProfileCount)
        id = ProfileId::Unknown;
    const Profile& profile = GetProfile(id);
    uint32_t generation = device.generation;
    std::memset(&device, 0, sizeof device);
    device.profile = static_cast<uint32_t>(id);
    device.plugged = 1;
    device.generation = generation + 1;
    device.videoNodeIndex = profile.videoNodeIndex;
    device.hasExtensionNode = profile.extensionNode ? 1 : 0;
    device.has720 = profile.has720 ? 1 : 0;
    for (int i = 0; i < kImageCount; ++i) {
        device.imageValue[i] = profile.image[i].def;
        device.imageFlags[i] = 2;
    }
    WriteRegisterImage(device, profile);
    WriteEepromImage(device, profile);
}

bool FormatDevicePath(const DeviceState& device, uint32_t slot, char* buffer, size_t length)
{
    if (!buffer || length == 0)
        return false;
    const Profile& profile = ProfileOf(device);
    int n = std::snprintf(buffer, length,
                          "\\\\?\\usb#vid_%04x&pid_%04x&mi_00#6&2c5a1f3&%u&0000#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"
                          "\\global",
                          profile.vid, profile.pid, slot);
    return n > 0 && static_cast<size_t>(n) < length;
}

size_t OfferedSizes(const DeviceState& device, FrameSize* sizes, size_t capacity)
{
    const Profile& profile = ProfileOf(device);
    FrameSize all[5];
    size_t count = 0;
    all[count++] = {320, 240};
    all[count++] = {640, 480};
    if (!profile.vgaOnly) {
        if (device.has720)
            all[count++] = {1280, 720};
        all[count++] = {1280, 800};
        all[count++] = {1280, 1024};
    }
    size_t written = 0;
    for (size_t i = 0; i < count && written < capacity && sizes; ++i)
        sizes[written++] = all[i];
    return written;
}

} // namespace sim
