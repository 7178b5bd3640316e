// The complete state of one simulated camera as a fixed-layout record, so that it can live in memory
// shared by every process that talks to the device (capture filter, vendor libraries, simctl, tests).
#pragma once
#include <cstddef>
#include <cstdint>

namespace sim {

constexpr size_t kAsicSize = 0x10000;
constexpr size_t kEepromSize = 0x1000;
constexpr size_t kSensorSlots = 1024;

// Image properties carried by the capture pin, indexed by their VideoProcAmp property number; the
// power-line frequency (property 13) is kept in the last entry.
constexpr int kImageBrightness = 0;
constexpr int kImageContrast = 1;
constexpr int kImageHue = 2;
constexpr int kImageSaturation = 3;
constexpr int kImageSharpness = 4;
constexpr int kImageGamma = 5;
constexpr int kImagePowerLine = 6;
constexpr int kImageCount = 7;
constexpr long kVideoProcAmpPowerLine = 13;

// Maps a VideoProcAmp property number to its index in the image arrays; -1 for numbers the device lacks.
inline int ImageIndexOfProperty(long property)
{
    if (property >= 0 && property <= 5)
        return static_cast<int>(property);
    return property == kVideoProcAmpPowerLine ? kImagePowerLine : -1;
}

struct SensorRegister
{
    uint16_t page;
    uint16_t address;
    uint16_t value;
    uint16_t used;
};

struct DeviceState
{
    uint32_t profile;          // ProfileId the device was made from
    uint32_t plugged;          // 1 while the device is attached
    uint32_t busy;             // 1 when another program holds the device
    uint32_t probeFail;        // 1 when the chip does not answer its identification
    uint32_t sensorStallMs;    // a register write through the vendor library waits this long first (a hung library)
    uint32_t videoNodeIndex;   // topology index of the video-processing unit
    uint32_t hasExtensionNode; // 1: vendor properties through the extension node; 0: through the property set
    uint32_t has720;           // offers 1280x720
    uint32_t hasMjpg;          // also offers MJPG types
    uint32_t address;          // vendor property 8: address of the next data access
    uint32_t sensorPage;       // current sensor page (written through register 0xFCFC on paged sensors)
    uint32_t frameCounter;     // frames drawn since the device was made
    uint32_t generation;       // bumped by unplug, so a streaming graph notices a quick replug too
    int32_t imageValue[kImageCount];
    int32_t imageFlags[kImageCount];
    uint8_t asic[kAsicSize];
    uint8_t eeprom[kEepromSize];
    SensorRegister sensor[kSensorSlots];
};

} // namespace sim
