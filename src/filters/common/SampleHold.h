// A received sample through the hold: reads its stream times, lets the hold judge it, and later stamps the
// shifted times on the sample that goes downstream, the way the incoming sample carried them (start and
// stop, start only, or none).
#pragma once

#include <windows.h>
#include <strmif.h>
#include <vfwmsgs.h>

#include "filters/common/HoldTimeline.h"

namespace filters {

class SampleHold
{
public:
    // False: the hold drops this sample. True: Stamp() puts its (shifted) times on the outgoing sample.
    bool Admit(HoldTimeline& hold, IMediaSample* in);
    void Stamp(IMediaSample* out) const;

private:
    HRESULT m_timeResult = VFW_E_SAMPLE_TIME_NOT_SET;
    REFERENCE_TIME m_start = 0;
    REFERENCE_TIME m_stop = 0;
};

} // namespace filters
