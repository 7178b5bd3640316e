// Double-click detection (see DoubleClick.h).
#include "ui/DoubleClick.h"

#include <cstdlib>

namespace ui {

bool DoubleClick::Press(uint32_t now, int x, int y)
{
    // Tick counts wrap after 49 days: the unsigned difference stays right across the wrap.
    const bool paired = m_pending && now - m_lastTick <= m_timeMs && std::abs(x - m_lastX) * 2 <= m_boxW &&
                        std::abs(y - m_lastY) * 2 <= m_boxH;
    if (paired) {
        m_pending = false;
        return true;
    }
    m_pending = true;
    m_lastTick = now;
    m_lastX = x;
    m_lastY = y;
    return false;
}

} // namespace ui
