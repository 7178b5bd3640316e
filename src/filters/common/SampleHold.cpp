// A sample through the hold (see SampleHold.h).
#include "filters/common/SampleHold.h"

namespace filters {

bool SampleHold::Admit(HoldTimeline& hold, IMediaSample* in)
{
    m_start = 0;
    m_stop = 0;
    m_timeResult = in ? in->GetTime(&m_start, &m_stop) : E_POINTER;
    if (m_timeResult == VFW_S_NO_STOP_TIME)
        m_stop = m_start;
    const bool hasStart = m_timeResult == S_OK || m_timeResult == VFW_S_NO_STOP_TIME;
    return hold.Admit(hasStart, m_start, m_stop);
}

void SampleHold::Stamp(IMediaSample* out) const
{
    if (!out)
        return;
    if (m_timeResult == S_OK)
        out->SetTime(const_cast<REFERENCE_TIME*>(&m_start), const_cast<REFERENCE_TIME*>(&m_stop));
    else if (m_timeResult == VFW_S_NO_STOP_TIME)
        out->SetTime(const_cast<REFERENCE_TIME*>(&m_start), nullptr);
}

} // namespace filters
