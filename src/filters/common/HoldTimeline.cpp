// The hold timeline (see HoldTimeline.h).
#include "filters/common/HoldTimeline.h"

namespace filters {

bool HoldTimeline::Admit(bool hasTimes, int64_t& start, int64_t& stop)
{
    if (m_hold.load()) {
        m_dropped = true;
        return false;
    }
    if (!hasTimes)
        return true;
    if (m_dropped) {
        m_offset = start - m_nextStart;
        m_dropped = false;
    }
    start -= m_offset;
    stop -= m_offset;
    m_nextStart = stop > start ? stop : start;
    return true;
}

void HoldTimeline::Restart()
{
    m_dropped = false;
    m_offset = 0;
    m_nextStart = 0;
}

} // namespace filters
