// Status label: its colours and font on every colour request, and the once-a-second clock.
#include "ui/Label.h"

#include "ui/ClockText.h"

FX_BEGIN_MESSAGE_MAP(CLabel, fx::Static)
FX_ON_REFLECT_CTLCOLOR(CtlColor)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_WM_TIMER(OnTimer)
FX_ON_WM_DESTROY(OnDestroy)
FX_END_MESSAGE_MAP()

namespace {
// The light plate the preview's status labels stand on (red 207, green 209, blue 212), red text on it.
const COLORREF kLabelBackground = RGB(207, 209, 212);
const COLORREF kLabelText = RGB(255, 0, 0);
} // namespace

CLabel::CLabel()
{
    (void)m_background.CreateSolid(kLabelBackground); // without it the request falls to the dialog
}

std::uint32_t CLabel::DefaultTicks()
{
    return GetTickCount();
}

void CLabel::RunClock(bool start)
{
    // Only a running clock has a saved text: a first start must not blank the label.
    if (m_clockRunning) {
        KillTimer(kClockTimer);
        m_clockRunning = false;
        SetWindowText(m_savedText.c_str());
    }
    if (!start)
        return;
    m_savedText = GetWindowText();
    m_startTick = m_tickSource();
    m_clockRunning = SetTimer(kClockTimer, kClockPeriodMs) != 0;
}

void CLabel::OnTimer(UINT_PTR id)
{
    if (id != kClockTimer || !m_clockRunning) {
        Default();
        return;
    }
    SetWindowText(skin::ClockText(m_startTick, m_tickSource()).c_str());
}

void CLabel::OnDestroy()
{
    if (m_clockRunning)
        KillTimer(kClockTimer);
    m_clockRunning = false;
    Default();
}

HBRUSH CLabel::CtlColor(HDC dc, UINT ctlColorMessage)
{
    if (ctlColorMessage != WM_CTLCOLORSTATIC)
        return m_background;
    // A fresh font each time, selected before the previous one is freed.
    fx::Font font;
    if (font.Create(L"Arial", 23, 100, DEFAULT_CHARSET)) {
        SelectObject(dc, font);
        m_font = std::move(font);
    }
    SetTextColor(dc, kLabelText);
    SetBkMode(dc, TRANSPARENT);
    return m_background;
}
