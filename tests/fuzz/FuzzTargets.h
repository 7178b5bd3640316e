// The fuzz targets' entry points: each takes one input of any length and bytes and answers whether the code under
// test kept its promises for it (a crash or a sanitizer report fails it too). scripts/fuzz runs each under
// libFuzzer; the host tests feed every kept input under regressions/<name>/ through the same entry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The EEPROM as the camera answers it: signature, seed bytes and the string record from the input, an EEPROM of
// the input's size (reads past its end fail); the manufacturer, serial number and firmware readers.
bool EepromStringRecord(const uint8_t* data, size_t size);
// The interface texts' handling: a looked-up value of any length and content cut into the shared buffer, the
// language code from registry bytes and from the system's text.
bool IniValue(const uint8_t* data, size_t size);
// The AVI layout driven by the input: frames and sound of any size, writes failing or the disk filling at any
// point, then Finish; a finished file must be a walkable RIFF whose sizes match its bytes.
bool AviLayout(const uint8_t* data, size_t size);

struct Target
{
    const char* name; // folder under regressions/ and scripts/fuzz's name
    bool (*run)(const uint8_t* data, size_t size);
};
constexpr Target kTargets[] = {
    {"eeprom_string_record", &EepromStringRecord},
    {"ini_value", &IniValue},
    {"avi_layout", &AviLayout},
};

} // namespace fuzz
