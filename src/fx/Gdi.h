// GDI wrappers that free what they own: bitmaps, fonts, brushes, pens, regions, device contexts and
// a guard that puts the previous object back into a device context.
#pragma once

#include <windows.h>

namespace fx {

template <class H> class GdiObject
{
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : m_handle(handle) {}
    ~GdiObject() { Delete(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_handle(other.Detach()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    H Get() const { return m_handle; }
    operator H() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Owns `handle` from now on; what was owned before is deleted.
    void Attach(H handle)
    {
        if (m_handle && m_handle != handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }
    // Hands the handle to the caller (for calls that take ownership, such as SetWindowRgn).
    H Detach()
    {
        H handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void Delete() { Attach(nullptr); }

protected:
    H m_handle = nullptr;
};

class Bitmap : public GdiObject<HBITMAP>
{
public:
    using GdiObject::GdiObject;
    // Loads a bitmap resource (LoadImage flags such as LR_LOADMAP3DCOLORS); false keeps nothing.
    bool Load(UINT id, UINT loadFlags = 0);
    bool CreateCompatible(HDC dc, int width, int height);
    // Width and height in pixels; 0 x 0 without a bitmap.
    SIZE Size() const;
};

class Font : public GdiObject<HFONT>
{
public:
    using GdiObject::GdiObject;
    bool Create(const wchar_t* face, int height, int weight = FW_NORMAL, BYTE charset = DEFAULT_CHARSET);
    bool CreateIndirect(const LOGFONTW& font);
};

class Brush : public GdiObject<HBRUSH>
{
public:
    using GdiObject::GdiObject;
    bool CreateSolid(COLORREF colour);
};

class Pen : public GdiObject<HPEN>
{
public:
    using GdiObject::GdiObject;
    bool Create(int style, int width, COLORREF colour);
};

class Region : public GdiObject<HRGN>
{
public:
    using GdiObject::GdiObject;
    bool CreateRect(int left, int top, int right, int bottom);
    // Adds a rectangle (union); an empty region is created first when there is none.
    bool AddRect(int left, int top, int right, int bottom);
    bool Contains(int x, int y) const;
};

// GetDC / ReleaseDC of a window's client area.
class ClientDC
{
public:
    explicit ClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~ClientDC()
    {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// GetWindowDC / ReleaseDC: the whole window including its frame.
class WindowDC
{
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetWindowDC(hwnd)) {}
    ~WindowDC()
    {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint / EndPaint for WM_PAINT.
class PaintDC
{
public:
    explicit PaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_paint)) {}
    ~PaintDC() { EndPaint(m_hwnd, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint = {};
    HDC m_dc;
};

// CreateCompatibleDC / DeleteDC; compatible with the screen when no device context is given.
class MemoryDC
{
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back at the end of the scope,
// so that the selected object can be deleted afterwards.
class SelectObjectGuard
{
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectObjectGuard()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;
    bool Selected() const { return m_previous && m_previous != HGDI_ERROR; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace fx
