// HRESULT to log text: the symbolic name of the codes a capture graph meets, with the number beside it.
// Windows-free so the table is tested on the host.
#pragma once

#include <cstdint>
#include <string>

namespace dshow {

// Symbolic name of a known code ("VFW_E_NOT_CONNECTED"), or nullptr.
const char* HrName(uint32_t hr);

// "VFW_E_NOT_CONNECTED (0x80040209)" for a known code, "0x8004FFFF" for any other.
std::string HrToText(uint32_t hr);

} // namespace dshow
