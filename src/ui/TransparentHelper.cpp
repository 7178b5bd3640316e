// See-through children: the tag, the background request to the parent and the parent's refresh.
#include "ui/TransparentHelper.h"

void CTransparentHelper::Install(HWND child)
{
    m_hwnd = child;
    Tag(child);
}

void CTransparentHelper::Tag(HWND window)
{
    if (window && !IsTagged(window))
        (void)SetPropW(window, kTagProperty, window); // an untagged child is still drawn, only not refreshed
}

bool CTransparentHelper::IsTagged(HWND window)
{
    return window && GetPropW(window, kTagProperty) != nullptr;
}

void CTransparentHelper::Untag(HWND window)
{
    if (window)
        RemovePropW(window, kTagProperty);
}

void CTransparentHelper::AskParentForBackground(HDC dc) const
{
    HWND parent = m_hwnd ? GetParent(m_hwnd) : nullptr;
    if (!parent || !dc)
        return;
    if (SendMessageW(parent, kGetBackgroundMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)) ==
        0)
        SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

bool CTransparentHelper::CopyParentBackground(HWND child, HDC childDc, HDC parentBackground)
{
    HWND parent = child ? GetParent(child) : nullptr;
    if (!parent || !childDc || !parentBackground)
        return false;
    RECT r = {};
    if (!GetWindowRect(child, &r))
        return false;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return BitBlt(childDc, 0, 0, r.right - r.left, r.bottom - r.top, parentBackground, r.left, r.top, SRCCOPY) != FALSE;
}

void CTransparentHelper::RefreshTransparentChildren(HWND parent)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !IsTagged(child))
            continue;
        if (SendMessageW(child, kRefreshMessage, 0, 0) != 1)
            InvalidateRect(child, nullptr, TRUE);
    }
}
