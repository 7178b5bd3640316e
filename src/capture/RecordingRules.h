// Windows-free rules of a recording's clock: the record button's debounce, its blinking, and when the disk
// is looked at again.
#pragma once

namespace recording {

// A moment of the local clock, as much of it as the debounce looks at.
struct ClickTime
{
    int day, hour, minute, second, millisecond;
};

// A click is ignored when none of day, hour, minute and second has moved on since the last accepted click
// and less than 300 ms have passed within that second.
bool ClickIgnored(const ClickTime& last, const ClickTime& now);

// The record button's picture change of one tick: 314 on an even second while dark, 315 on an odd second while
// lit, 0 when nothing changes. blinkOn is the phase, updated here.
unsigned BlinkPicture(unsigned lengthSeconds, bool& blinkOn);

// The disk watch: true when the disk is to be measured at this length; lastCheck moves on 10 s each time, so the
// disk is looked at in seconds 1, 11, 21 and so on.
bool DiskCheckDue(unsigned lengthSeconds, unsigned& lastCheck);

// Recordings shorter than this are deleted.
constexpr unsigned kShortestRecordingSeconds = 2;

} // namespace recording
