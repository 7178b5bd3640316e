// CLabel: a red-on-light status label of the preview window that can run a clock (the recording time),
// counting whole seconds from its start as "hh:mm:ss" once a second.
#pragma once

#include "fx/Gdi.h"
#include "fx/Static.h"

#include <cstdint>
#include <string>

class CLabel : public fx::Static
{
public:
    static constexpr UINT_PTR kClockTimer = 1;
    static constexpr UINT kClockPeriodMs = 1000;

    // Millisecond tick counts of the clock; GetTickCount unless a test drives its own.
    using TickSource = std::uint32_t (*)();

    CLabel();

    // Starting saves the shown text and counts from now; the text stays until the first tick. Stopping
    // (also before a new start) shows the saved text again.
    void RunClock(bool start);
    bool IsClockRunning() const { return m_clockRunning; }
    void SetTickSource(TickSource source) { m_tickSource = source ? source : &DefaultTicks; }

protected:
    FX_DECLARE_MESSAGE_MAP()

private:
    static std::uint32_t DefaultTicks();
    HBRUSH CtlColor(HDC dc, UINT ctlColorMessage);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    void OnTimer(UINT_PTR id);
    void OnDestroy();

    fx::Brush m_background;
    fx::Font m_font;
    std::wstring m_savedText;
    bool m_clockRunning = false;
    std::uint32_t m_startTick = 0;
    TickSource m_tickSource = &DefaultTicks;
};
