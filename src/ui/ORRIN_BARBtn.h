// CORRIN_BARBtn: a toolbar button drawn from up to five frames. Hovering plays frames 1 to count-1
// once, one every 100 ms, and holds the last; pressing, disabling or a slid-out bar shows frame 0.
#pragma once

#include "fx/Button.h"
#include "fx/Gdi.h"
#include "ui/ButtonToolTip.h"

#include <array>

class CORRIN_BARBtn : public fx::Button
{
public:
    static constexpr int kMaxFrames = 5;
    static constexpr UINT_PTR kAnimationTimer = 1;
    static constexpr UINT kFramePeriodMs = 100;

    // Frame k from the k-th id; zero ids are skipped. Each is loaded with the system's 3-D colours
    // mapped in. Returns the number of frames loaded.
    int LoadFrames(UINT id0, UINT id1, UINT id2, UINT id3, UINT id4);
    void SetBarHidden(bool hidden) { bBarHidden = hidden; }
    void SetTooltipText(const wchar_t* text) { m_toolTip.SetText(Hwnd(), text); }
    std::wstring TooltipText() const { return m_toolTip.Text(Hwnd()); }

    int FrameCount() const { return m_frameCount; }
    bool IsHovered() const { return m_hover; }
    // The frame index shared by every toolbar button (one animation runs at a time).
    static int SharedFrameIndex() { return s_frameIndex; }

    // Set by the toolbar while it is slid out of sight: no animation, no mouse tracking.
    bool bBarHidden = false;

protected:
    void OnAttach() override;
    void DrawItem(DRAWITEMSTRUCT& item) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT keys, POINT point);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    void CopyFrame(HDC dc, int index) const;

    std::array<fx::Bitmap, kMaxFrames> m_frames;
    int m_frameCount = 0;
    SIZE m_frameSize = {0, 0};
    bool m_hover = false;
    bool m_tracking = false;
    ButtonToolTip m_toolTip;

    static int s_frameIndex;
};
