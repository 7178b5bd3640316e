// The seven known USB vendor/product pairs and what they tell about the camera: chip-family code, module
// flag and MJPG flag. Matching is done on the device path after upper-casing; the first row found wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Chip-family code of a camera that has not been identified.
constexpr std::uint8_t kIspUnknown = 255;

struct ChipRow
{
    const wchar_t* pathText; // searched anywhere in the upper-cased device path
    std::uint8_t isp;
    std::uint8_t vgaModule;
    std::uint8_t mjpegModule;
    const char* logText;
};

// The rows in matching order.
const ChipRow* ChipRows(std::size_t* count);

// Upper-cases a to z only, whatever the system's locale.
std::wstring UpperCaseAscii(const std::wstring& text);

// The first row whose text occurs in the (already upper-cased) device path, or null.
const ChipRow* MatchChipRow(const std::wstring& upperDevicePath);

// Chip family 3 (Sunplus KT4B) asked for 1280 x 800 streams once at 640 x 480 before its own size.
bool StartsAt640x480First(std::uint8_t isp, int width, int height);

// Where a chip family turns its picture: in the sensor through the helper program (families 0, 1, 2), in the
// preview's scaler filters (3, 4), or nowhere (an unknown family).
enum class OrientationPath { Sensor, Filter, None };
OrientationPath OrientationPathFor(std::uint8_t isp);
// The helper's message for a flip (upside down) or a mirror (left-right) command of a sensor family; 0 for the
// other families.
unsigned SensorOrientationMessage(std::uint8_t isp, bool flip);

// Line logged when no row matches.
constexpr char kChipNoMatchLog[] = "Camera::chkDeviceIdProceed return FALSE!!!";
