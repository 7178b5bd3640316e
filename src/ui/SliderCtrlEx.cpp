// Skinned slider: custom-drawn channel and thumb over the parent's background, full repaint on request.
#include "ui/SliderCtrlEx.h"

#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

FX_BEGIN_MESSAGE_MAP(CSliderCtrlEx, fx::SliderCtrl)
FX_ON_REFLECT_NOTIFY(NM_CUSTOMDRAW, OnCustomDraw)
FX_ON_WM_ERASEBKGND(OnEraseBkgnd)
FX_ON_MESSAGE(CTransparentHelper::kRefreshMessage, OnRefresh)
FX_ON_WM_DESTROY(OnDestroy)
FX_END_MESSAGE_MAP()

namespace {
const COLORREF kSeeThrough = RGB(255, 0, 255);
} // namespace

void CSliderCtrlEx::OnAttach()
{
    // A picture that does not load leaves that part to the trackbar's own drawing.
    (void)m_channel.Load(IDB_SLIDER_CHANNEL);
    (void)m_thumb.Load(IDB_SLIDER_THUMB);
    m_transparent.Install(Hwnd());
}

void CSliderCtrlEx::OnDestroy()
{
    CTransparentHelper::Untag(Hwnd());
    Default();
}

void CSliderCtrlEx::OnCustomDraw(NMHDR& header, LRESULT& result)
{
    auto& draw = reinterpret_cast<NMCUSTOMDRAW&>(header);
    result = CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    switch (draw.dwItemSpec) {
    case TBCD_CHANNEL:
        if (!m_channel)
            return;
        m_transparent.AskParentForBackground(draw.hdc);
        DrawChannel(draw.hdc);
        result = CDRF_SKIPDEFAULT;
        return;
    case TBCD_THUMB:
        if (!m_thumb)
            return;
        DrawThumb(draw.hdc, draw.rc);
        result = CDRF_SKIPDEFAULT;
        return;
    case TBCD_TICS:
        result = CDRF_SKIPDEFAULT;
        return;
    default:
        return;
    }
}

void CSliderCtrlEx::DrawChannel(HDC dc) const
{
    const RECT client = GetClientRect();
    const SIZE size = m_channel.Size();
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_channel);
    if (!select.Selected())
        return;
    TransparentBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, size.cx, size.cy, kSeeThrough);
}

void CSliderCtrlEx::DrawThumb(HDC dc, const RECT& thumb) const
{
    const SIZE size = m_thumb.Size();
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_thumb);
    if (!select.Selected())
        return;
    // The thumb rectangle may be larger than the picture: copy no more than the picture holds.
    const int width = std::min<int>(thumb.right - thumb.left, size.cx);
    const int height = std::min<int>(thumb.bottom - thumb.top, size.cy);
    BitBlt(dc, thumb.left, thumb.top, width, height, memory, 0, 0, SRCCOPY);
}

LRESULT CSliderCtrlEx::OnRefresh(WPARAM, LPARAM)
{
    // Switching the enabled state there and back makes the trackbar repaint itself; some trackbars
    // (Wine's) then repaint only the thumb, so the whole control is invalidated as well.
    const bool enabled = IsWindowEnabled();
    EnableWindow(!enabled);
    EnableWindow(enabled);
    Invalidate(false);
    return 1;
}
