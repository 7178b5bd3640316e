#include "ui/ORRIN_BARBtn.h"

#include <commctrl.h>

int CORRIN_BARBtn::s_frameIndex = 0;

FX_BEGIN_MESSAGE_MAP(CORRIN_BARBtn, fx::Button)
FX_ON_WM_TIMER(OnTimer)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
FX_ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_END_MESSAGE_MAP()

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
    if (IsWindow())
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    return m_frameCount;
}

void CORRIN_BARBtn::SetTooltipText(const wchar_t* text)
{
    if (!m_toolTip.IsWindow() && !m_toolTip.Create(Hwnd(), TTS_ALWAYSTIP))
        return; // no tooltip: the button works without one
    if (m_toolTip.GetToolCount() == 0)
        m_toolTip.AddTool(Hwnd(), text);
    m_toolTip.UpdateTipText(text, Hwnd());
    m_toolTip.Activate(true);
}

void CORRIN_BARBtn::CopyFrame(HDC dc, int index) const
{
    if (index < 0 || index >= m_frameCount)
        return;
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_frames[index]);
    BitBlt(dc, 0, 0, m_frameSize.cx, m_frameSize.cy, memory, 0, 0, SRCCOPY);
}

void CORRIN_BARBtn::DrawItem(DRAWITEMSTRUCT& item)
{
    s_frameIndex = 0;
    KillTimer(kAnimationTimer);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    CopyFrame(item.hDC, 0);
    if (enabled && !bBarHidden && !pressed && m_hover)
        SetTimer(kAnimationTimer, kFramePeriodMs);
}

void CORRIN_BARBtn::OnTimer(UINT_PTR id)
{
    if (id != kAnimationTimer)
        return;
    if (++s_frameIndex >= m_frameCount) {
        s_frameIndex = 0;
        KillTimer(kAnimationTimer); // the last frame stays on screen
        return;
    }
    fx::ClientDC dc(Hwnd());
    CopyFrame(dc, s_frameIndex);
}

LRESULT CORRIN_BARBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE && m_toolTip.IsWindow()) {
        MSG msg = {Hwnd(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        DWORD pos = GetMessagePos();
        msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        m_toolTip.RelayEvent(msg);
    }
    return fx::Button::WindowProc(message, wParam, lParam);
}

void CORRIN_BARBtn::OnMouseMove(UINT, POINT)
{
    if (bBarHidden) {
        // A slid-out bar shows itself again when the mouse reaches it.
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
