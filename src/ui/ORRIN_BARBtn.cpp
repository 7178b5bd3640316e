// Toolbar button: frames, the shared-index hover animation, mouse tracking and the tooltip.
#include "ui/ORRIN_BARBtn.h"

#include "ui/BarAnimation.h"

#include <commctrl.h>

int CORRIN_BARBtn::s_frameIndex = 0;

FX_BEGIN_MESSAGE_MAP(CORRIN_BARBtn, fx::Button)
FX_ON_WM_TIMER(OnTimer)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
FX_ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_END_MESSAGE_MAP()

void CORRIN_BARBtn::OnAttach()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

int CORRIN_BARBtn::LoadFrames(UINT id0, UINT id1, UINT id2, UINT id3, UINT id4)
{
    const UINT ids[kMaxFrames] = {id0, id1, id2, id3, id4};
    for (auto& frame : m_frames)
        frame.Delete();
    m_frameCount = 0;
    for (UINT id : ids) {
        if (id == 0)
            continue;
        if (m_frames[m_frameCount].Load(id, LR_LOADMAP3DCOLORS))
            ++m_frameCount;
    }
    m_frameSize = m_frameCount > 0 ? m_frames[0].Size() : SIZE{0, 0};
    return m_frameCount;
}

void CORRIN_BARBtn::CopyFrame(HDC dc, int index) const
{
    if (!dc || index < 0 || index >= m_frameCount)
        return;
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_frames[index]);
    if (!select.Selected())
        return;
    BitBlt(dc, 0, 0, m_frameSize.cx, m_frameSize.cy, memory, 0, 0, SRCCOPY);
}

void CORRIN_BARBtn::DrawItem(DRAWITEMSTRUCT& item)
{
    s_frameIndex = 0;
    KillTimer(kAnimationTimer);
    const skin::BarButtonState state = {(item.itemState & ODS_DISABLED) == 0, bBarHidden,
                                        (item.itemState & ODS_SELECTED) != 0, m_hover};
    const skin::BarDraw draw = skin::DrawBarButton(state);
    CopyFrame(item.hDC, draw.frame);
    if (draw.startAnimation)
        SetTimer(kAnimationTimer, kFramePeriodMs);
}

void CORRIN_BARBtn::OnTimer(UINT_PTR id)
{
    if (id != kAnimationTimer) {
        Default();
        return;
    }
    const skin::BarTick tick = skin::AdvanceBarAnimation(s_frameIndex, m_frameCount);
    s_frameIndex = tick.index;
    if (tick.stop) {
        KillTimer(kAnimationTimer); // the last frame stays on screen
        return;
    }
    fx::ClientDC dc(Hwnd());
    CopyFrame(dc, tick.frameToShow);
}

LRESULT CORRIN_BARBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE)
        m_toolTip.Relay(Hwnd(), message, wParam, lParam);
    return fx::Button::WindowProc(message, wParam, lParam);
}

void CORRIN_BARBtn::OnMouseMove(UINT, POINT)
{
    if (bBarHidden) {
        // A slid-out bar learns that the mouse reached it and shows itself again.
        if (HWND parent = GetParent(Hwnd()))
            ::SendMessageW(parent, WM_NCHITTEST, 0, 0);
        Default();
        return;
    }
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, Hwnd(), 1};
        m_tracking = TrackMouseEvent(&track) != FALSE;
    }
    Default();
}

LRESULT CORRIN_BARBtn::OnMouseHover(WPARAM, LPARAM)
{
    m_hover = true;
    Invalidate(true);
    return 0;
}

LRESULT CORRIN_BARBtn::OnMouseLeave(WPARAM, LPARAM)
{
    m_hover = false;
    m_tracking = false;
    Invalidate(false);
    return 0;
}
