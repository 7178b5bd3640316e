// Window objects: subclassing at creation through a CBT hook, dispatch through WindowProc and the
// message map chain, reflection of control notifications, and deferred PostNcDestroy.
#include "fx/Wnd.h"

#include "fx/Dispatch.h"

#include <vector>

namespace fx {

namespace {

const wchar_t kWndProperty[] = L"fx.Wnd";

thread_local Wnd* t_creating = nullptr;
thread_local int t_handlerDepth = 0;
// Window objects whose window is gone and whose PostNcDestroy waits for the handlers to return.
thread_local std::vector<Wnd*> t_pendingPostNcDestroy;

std::vector<Wnd*>& PendingList()
{
    return t_pendingPostNcDestroy;
}

LRESULT CALLBACK CreationCbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_creating) {
        Wnd* wnd = t_creating;
        t_creating = nullptr;
        detail::AttachCreatedWindow(wnd, reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The child control a reflectable notification is about, or null.
HWND ReflectionTarget(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

bool InRange(UINT value, UINT first, UINT last)
{
    return value >= first && value <= last;
}

// WM_COMMAND from a menu or an accelerator counts as code 0, like a button click.
UINT CommandCode(WPARAM wParam, LPARAM lParam)
{
    return lParam == 0 ? 0u : static_cast<UINT>(HIWORD(wParam));
}

bool EntryMatches(const MapEntry& e, UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT id = static_cast<UINT>(LOWORD(wParam));
    switch (e.kind) {
    case MapKind::Message:
        return e.code ? InRange(message, e.message, e.code) : message == e.message;
    case MapKind::Registered:
        return *e.registeredId != 0 && message == *e.registeredId;
    case MapKind::Command:
    case MapKind::CommandRange:
        return message == WM_COMMAND && CommandCode(wParam, lParam) == 0 && InRange(id, e.firstId, e.lastId);
    case MapKind::Control:
        return message == WM_COMMAND && lParam != 0 && HIWORD(wParam) == e.code && id == e.firstId;
    case MapKind::Notify: {
        if (message != WM_NOTIFY || !lParam)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header->code == e.code && header->idFrom == e.firstId;
    }
    case MapKind::Reflected:
        if (e.message == WM_NOTIFY)
            return message == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->code == e.code;
        return e.code ? InRange(message, e.message, e.code) : message == e.message;
    }
    return false;
}

} // namespace

namespace detail {

void AttachCreatedWindow(Wnd* wnd, HWND hwnd)
{
    WndInternals::Attach(*wnd, hwnd);
}

void RunPendingPostNcDestroy()
{
    std::vector<Wnd*>& pending = PendingList();
    while (!pending.empty() && t_handlerDepth == 0) {
        Wnd* wnd = pending.front();
        pending.erase(pending.begin());
        WndInternals::RunPostNcDestroy(*wnd);
    }
}

CreationHook::CreationHook(Wnd* wnd) : m_previous(t_creating)
{
    t_creating = wnd;
    m_hook = SetWindowsHookExW(WH_CBT, CreationCbtProc, nullptr, GetCurrentThreadId());
}

CreationHook::~CreationHook()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    t_creating = m_previous;
}

} // namespace detail

HandlerScope::HandlerScope()
{
    ++t_handlerDepth;
}

HandlerScope::~HandlerScope()
{
    if (--t_handlerDepth == 0)
        detail::RunPendingPostNcDestroy();
}

bool WndInternals::Attach(Wnd& wnd, HWND hwnd)
{
    return wnd.Attach(hwnd);
}

void WndInternals::QueuePostNcDestroy(Wnd& wnd)
{
    if (wnd.m_pendingPostNcDestroy)
        return;
    wnd.m_pendingPostNcDestroy = true;
    PendingList().push_back(&wnd);
}

void WndInternals::RunPostNcDestroy(Wnd& wnd)
{
    wnd.m_pendingPostNcDestroy = false;
    wnd.PostNcDestroy();
}

Wnd::Wnd() = default;

Wnd::~Wnd()
{
    if (m_pendingPostNcDestroy) {
        std::vector<Wnd*>& pending = PendingList();
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            if (*it == this) {
                pending.erase(it);
                break;
            }
        }
    }
    if (m_hwnd) {
        // Detach first so that the window's last messages never reach a half-destroyed object.
        HWND hwnd = m_hwnd;
        bool owned = m_ownsWindow;
        Detach();
        if (owned)
            ::DestroyWindow(hwnd);
    }
}

Wnd* Wnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<Wnd*>(GetPropW(hwnd, kWndProperty)) : nullptr;
}

bool Wnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hwnd || FromHandle(hwnd))
        return false;
    if (!SetPropW(hwnd, kWndProperty, this))
        return false;
    m_hwnd = hwnd;
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Wnd::StaticWndProc)));
    OnAttach();
    return true;
}

void Wnd::Detach()
{
    if (!m_hwnd)
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC)) == &Wnd::StaticWndProc && m_superProc)
        SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    RemovePropW(m_hwnd, kWndProperty);
    m_hwnd = nullptr;
    m_superProc = nullptr;
    m_ownsWindow = false;
}

LRESULT CALLBACK Wnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Wnd* self = FromHandle(hwnd);
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    HandlerScope scope;
    const Current saved = self->m_current;
    self->m_current = {message, wParam, lParam};
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->m_current = saved;
    if (message == WM_NCDESTROY) {
        self->Detach();
        WndInternals::QueuePostNcDestroy(*self);
    }
    return result;
}

bool Wnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                   HWND parent, UINT_PTR idOrMenu)
{
    if (m_hwnd)
        return false;
    HandlerScope scope;
    HWND hwnd;
    {
        detail::CreationHook hook(this);
        hwnd = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                               GetModuleHandleW(nullptr), nullptr);
    }
    if (hwnd && m_hwnd != hwnd) {
        // The window came up without its object (no creation hook): it would never see the map.
        ::DestroyWindow(hwnd);
        return false;
    }
    if (hwnd)
        m_ownsWindow = true;
    return hwnd != nullptr;
}

bool Wnd::SubclassWindow(HWND hwnd)
{
    return Attach(hwnd);
}

bool Wnd::SubclassDlgItem(UINT id, HWND parent)
{
    HWND control = parent ? ::GetDlgItem(parent, static_cast<int>(id)) : nullptr;
    return control && Attach(control);
}

HWND Wnd::UnsubclassWindow()
{
    HWND hwnd = m_hwnd;
    Detach();
    return hwnd;
}

bool Wnd::DestroyWindow()
{
    if (!m_hwnd)
        return false;
    HWND hwnd = m_hwnd;
    HandlerScope scope;
    // The scope runs PostNcDestroy (which may delete this object) only after the result is taken.
    return ::DestroyWindow(hwnd) != FALSE;
}

bool Wnd::PreTranslateMessage(MSG&)
{
    return false;
}

LRESULT Wnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool Wnd::SearchMap(const MessageMap* map, bool reflected, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (size_t i = 0; i < map->count; ++i) {
        const MapEntry& e = map->entries[i];
        if ((e.kind == MapKind::Reflected) != reflected)
            continue;
        if (EntryMatches(e, message, wParam, lParam) && e.thunk(*this, message, wParam, lParam, result))
            return true;
    }
    return false;
}

bool Wnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // A control's own wrapper sees its WM_NOTIFY codes (custom draw...) before the parent's map.
    if (message == WM_NOTIFY && lParam) {
        HWND child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        Wnd* control = child != m_hwnd ? FromHandle(child) : nullptr;
        if (control && control->OnChildNotify(message, wParam, lParam, result))
            return true;
    }
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        if (SearchMap(map, false, message, wParam, lParam, result))
            return true;
    }
    return false;
}

bool Wnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        if (SearchMap(map, true, message, wParam, lParam, result))
            return true;
    }
    return false;
}

LRESULT Wnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT Wnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND child = ReflectionTarget(m_hwnd, message, wParam, lParam);
    if (child && child != m_hwnd) {
        Wnd* control = FromHandle(child);
        LRESULT result = 0;
        if (control && control->OnChildNotify(message, wParam, lParam, result))
            return result;
    }
    if (m_superProc)
        return CallWindowProcW(m_superProc, m_hwnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void Wnd::OnAttach() {}

void Wnd::PostNcDestroy()
{
    if (m_deleteOnDestroy)
        delete this;
}

const MessageMap* Wnd::GetThisMessageMap()
{
    static const MapEntry none[] = {{MapKind::Message, 0, 0, 0, 0, nullptr, nullptr}};
    static const MessageMap map = {nullptr, none, 0};
    return &map;
}

const MessageMap* Wnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

LRESULT Wnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hwnd, message, wParam, lParam);
}

bool Wnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hwnd, message, wParam, lParam) != FALSE;
}

bool Wnd::ShowWindow(int showCommand) const
{
    return ::ShowWindow(m_hwnd, showCommand) != FALSE;
}

bool Wnd::MoveWindow(int x, int y, int width, int height, bool repaint) const
{
    return ::MoveWindow(m_hwnd, x, y, width, height, repaint) != FALSE;
}

bool Wnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const
{
    return ::SetWindowPos(m_hwnd, insertAfter, x, y, cx, cy, flags) != FALSE;
}

HWND Wnd::GetDlgItem(UINT id) const
{
    return ::GetDlgItem(m_hwnd, static_cast<int>(id));
}

UINT Wnd::GetDlgCtrlID() const
{
    return static_cast<UINT>(::GetDlgCtrlID(m_hwnd));
}

std::wstring Wnd::GetWindowText() const
{
    const int length = GetWindowTextLengthW(m_hwnd);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hwnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool Wnd::SetWindowText(const wchar_t* text) const
{
    return ::SetWindowTextW(m_hwnd, text ? text : L"") != FALSE;
}

bool Wnd::EnableWindow(bool enable) const
{
    ::EnableWindow(m_hwnd, enable);
    return ::IsWindowEnabled(m_hwnd) == (enable ? TRUE : FALSE);
}

bool Wnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hwnd) != FALSE;
}

bool Wnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hwnd) != FALSE;
}

RECT Wnd::GetClientRect() const
{
    RECT rect = {};
    ::GetClientRect(m_hwnd, &rect);
    return rect;
}

RECT Wnd::GetWindowRect() const
{
    RECT rect = {};
    ::GetWindowRect(m_hwnd, &rect);
    return rect;
}

RECT Wnd::GetRectInParent() const
{
    RECT rect = GetWindowRect();
    MapWindowPoints(nullptr, ::GetParent(m_hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Wnd::Invalidate(bool erase) const
{
    return InvalidateRect(m_hwnd, nullptr, erase) != FALSE;
}

bool Wnd::UpdateWindow() const
{
    return ::UpdateWindow(m_hwnd) != FALSE;
}

UINT_PTR Wnd::SetTimer(UINT_PTR id, UINT periodMs) const
{
    return ::SetTimer(m_hwnd, id, periodMs, nullptr);
}

bool Wnd::KillTimer(UINT_PTR id) const
{
    return ::KillTimer(m_hwnd, id) != FALSE;
}

void Wnd::SetFont(HFONT font, bool redraw) const
{
    ::SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

static bool ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    return true;
}

bool Wnd::ModifyStyle(DWORD remove, DWORD add) const
{
    return ModifyLong(m_hwnd, GWL_STYLE, remove, add);
}

bool Wnd::ModifyStyleEx(DWORD remove, DWORD add) const
{
    return ModifyLong(m_hwnd, GWL_EXSTYLE, remove, add);
}

DWORD Wnd::GetStyle() const
{
    return static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE));
}

DWORD Wnd::GetExStyle() const
{
    return static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE));
}

bool WalkPreTranslateTree(MSG& msg)
{
    for (HWND hwnd = msg.hwnd; hwnd;) {
        Wnd* wnd = Wnd::FromHandle(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return true;
        if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
            break;
        hwnd = ::GetParent(hwnd);
    }
    return false;
}

} // namespace fx
