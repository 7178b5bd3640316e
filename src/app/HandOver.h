// The hand-over text that a later start of the program sends to the running toolbar.
#pragma once

#include <cstdint>

// True when the received data, read as UTF-16 text up to its terminator or its end (dataBytes), holds
// the first three characters of the hand-over text. Null or empty data never does.
bool IsHandOverRequest(const wchar_t* data, std::uint32_t dataBytes, const wchar_t* handOverText);
