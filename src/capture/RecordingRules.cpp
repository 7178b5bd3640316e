// Recording clock rules (see RecordingRules.h).
#include "capture/RecordingRules.h"

namespace recording {

bool ClickIgnored(const ClickTime& last, const ClickTime& now)
{
    const bool sameSecond =
        now.day <= last.day && now.hour <= last.hour && now.minute <= last.minute && now.second <= last.second;
    const int elapsedMs = (now.second - last.second) * 1000 + (now.millisecond - last.millisecond);
    return sameSecond && elapsedMs < 300;
}

unsigned BlinkPicture(unsigned lengthSeconds, bool& blinkOn)
{
    const bool even = lengthSeconds % 2 == 0;
    if (even && !blinkOn) {
        blinkOn = true;
        return 314;
    }
    if (!even && blinkOn) {
        blinkOn = false;
        return 315;
    }
    return 0;
}

bool DiskCheckDue(unsigned lengthSeconds, unsigned& lastCheck)
{
    if (lastCheck >= lengthSeconds)
        return false;
    lastCheck += 10;
    return true;
}

} // namespace recording
