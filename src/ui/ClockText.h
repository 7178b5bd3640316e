// The recording clock's text: whole seconds since the start as hours, minutes and seconds.
#pragma once

#include <cstdint>
#include <string>

namespace skin {

// "%02d:%02d:%02d" of the whole seconds from `startTick` to `nowTick` (millisecond tick counts; the
// difference is taken modulo 2^32, so a tick counter that wraps around keeps counting on).
std::wstring ClockText(std::uint32_t startTick, std::uint32_t nowTick);

} // namespace skin
