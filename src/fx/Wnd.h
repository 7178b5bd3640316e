// fx::Wnd: the C++ object behind one window. It subclasses the window, sends every message through the
// virtual WindowProc and the message map, reflects control notifications to the control's own wrapper
// and lets a self-destroying window free its object once no message handler of the thread is running.
#pragma once

#include "fx/MessageMap.h"

#include <string>
#include <windows.h>
// windowsx.h (which dshow.h pulls in) defines SubclassWindow as a macro; take it in once here and drop the
// macro, so that headers may come in any order.
#include <windowsx.h>
#undef SubclassWindow

namespace fx {

class Wnd
{
public:
    Wnd();
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }
    bool IsWindow() const { return m_hwnd && ::IsWindow(m_hwnd); }

    // The object attached to a window by this framework, or null.
    static Wnd* FromHandle(HWND hwnd);

    // Creates a window of a registered class and attaches this object to it before its first message.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                  HWND parent, UINT_PTR idOrMenu);

    // Attaches this object to an existing window (a control of a dialog template) and routes its messages
    // through this object; the window keeps its class procedure for default handling.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, HWND parent);
    // Gives the window back its own procedure and detaches this object.
    HWND UnsubclassWindow();

    // Destroys the window now. The object itself lives on until PostNcDestroy, which runs after every
    // message handler of this thread has returned.
    bool DestroyWindow();
    // After WM_NCDESTROY, PostNcDestroy deletes the object. Only for objects made with `new`
    // (see fx::NewSelfDestroying).
    void SetDeleteOnDestroy(bool deleteOnDestroy) { m_deleteOnDestroy = deleteOnDestroy; }

    // Key and mouse messages pass here before they are dispatched, from the control up to its
    // top-level window. Return true to swallow the message.
    virtual bool PreTranslateMessage(MSG& msg);

    // Thin wrappers of the common window calls.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool ShowWindow(int showCommand) const;
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true) const;
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const;
    HWND GetDlgItem(UINT id) const;
    UINT GetDlgCtrlID() const;
    std::wstring GetWindowText() const;
    bool SetWindowText(const wchar_t* text) const;
    bool EnableWindow(bool enable) const;
    bool IsWindowEnabled() const;
    bool IsWindowVisible() const;
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window rectangle in the client coordinates of the parent.
    RECT GetRectInParent() const;
    bool Invalidate(bool erase = true) const;
    bool UpdateWindow() const;
    UINT_PTR SetTimer(UINT_PTR id, UINT periodMs) const;
    bool KillTimer(UINT_PTR id) const;
    void SetFont(HFONT font, bool redraw = true) const;
    // Removes then adds style bits (GWL_STYLE / GWL_EXSTYLE); returns false when nothing changed.
    bool ModifyStyle(DWORD remove, DWORD add) const;
    bool ModifyStyleEx(DWORD remove, DWORD add) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;

protected:
    // Every message of the window comes here first. Override to see messages before the map; call the
    // base version to dispatch through the map and default handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches through the message map chain; true when a handler answered.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A notification about this control that its parent reflects back; true when the control's map answered.
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Default handling of the message being dispatched (for handlers that add to the default).
    LRESULT Default();
    // Default handling of any message: reflection to the control's wrapper for owner-draw, colour and
    // scroll requests, then the window's own class procedure.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once after the window has received WM_NCDESTROY and every handler of this thread has returned.
    virtual void PostNcDestroy();
    // Runs right after this object has been attached to its window (created or subclassed): a control
    // sets the style bits it depends on here.
    virtual void OnAttach();

public:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

private:
    friend class Dialog;
    friend struct WndInternals;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Attach(HWND hwnd);
    void Detach();
    bool SearchMap(const MessageMap* map, bool reflected, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hwnd = nullptr;
    WNDPROC m_superProc = nullptr;
    bool m_ownsWindow = false;
    bool m_deleteOnDestroy = false;
    bool m_pendingPostNcDestroy = false;
    struct Current
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current = {};
};

// Creates a window object that deletes itself when its window is destroyed (or when its creation fails).
template <class T, class... Args> T* NewSelfDestroying(Args&&... args)
{
    T* object = new T(static_cast<Args&&>(args)...);
    object->SetDeleteOnDestroy(true);
    return object;
}

// Counts the code in its scope as a message handler of this thread: windows it destroys keep their
// objects until the outermost handler has returned. Window procedures and the framework's own calls
// hold one already; code that runs outside them (hook procedures) and may end windows can hold one too.
class HandlerScope
{
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// Key and mouse pre-translation from the window of the message up to its top-level window.
bool WalkPreTranslateTree(MSG& msg);

} // namespace fx
