// CTransparentHelper: how a child control shows its skinned parent's background behind itself. A
// see-through child carries a window property; it asks its parent for the background with message 0x7FD
// (the parent copies its part of the background picture into the child's device context), and the
// parent asks every see-through child to repaint itself completely with message 0x1095.
#pragma once

#include <windows.h>

class CTransparentHelper
{
public:
    // wParam: the child's device context, lParam: the child. A parent that paints answers non-zero.
    static constexpr UINT kGetBackgroundMessage = 0x7FD;
    // Sent to a see-through child; a child that repainted itself answers 1.
    static constexpr UINT kRefreshMessage = 0x1095;
    static constexpr const wchar_t* kTagProperty = L"###tranparentctrl_tag###";

    // Remembers the child and tags it as see-through.
    void Install(HWND child);
    HWND Hwnd() const { return m_hwnd; }

    // Sets the tag property to the window itself; a tagged window stays as it is.
    static void Tag(HWND window);
    static bool IsTagged(HWND window);
    static void Untag(HWND window);

    // Asks the parent to paint the background into `dc` (message 0x7FD); a parent that answers 0 gets
    // WM_ERASEBKGND with the same device context instead.
    void AskParentForBackground(HDC dc) const;

    // For the parent: copies the part of its background picture that lies under `child` into the child's
    // device context at (0, 0).
    static bool CopyParentBackground(HWND child, HDC childDc, HDC parentBackground);

    // For the parent: every visible, tagged child repaints itself (message 0x1095); one that does not answer
    // 1 is invalidated with erasing.
    static void RefreshTransparentChildren(HWND parent);

private:
    HWND m_hwnd = nullptr;
};
