// Telling a double-click from two presses: the second press counts when it comes within the system's
// double-click time and box of the first. Windows-free.
#pragma once

#include <cstdint>

namespace ui {

class DoubleClick
{
public:
    DoubleClick(uint32_t timeMs, int boxWidth, int boxHeight) : m_timeMs(timeMs), m_boxW(boxWidth), m_boxH(boxHeight) {}
    // A press at (x, y) at tick `now`; true when it completes a double-click (the pair is then used up).
    bool Press(uint32_t now, int x, int y);
    // A double-click the system recognised itself: the press before it is used up.
    void Recognised() { m_pending = false; }

private:
    uint32_t m_timeMs;
    int m_boxW, m_boxH;
    bool m_pending = false;
    uint32_t m_lastTick = 0;
    int m_lastX = 0, m_lastY = 0;
};

} // namespace ui
