// Message maps: static tables that bind window messages, command ids, control notifications,
// registered messages and reflected control notifications to small member functions.
// A map is declared in the class with FX_DECLARE_MESSAGE_MAP() and defined in its .cpp file between
// FX_BEGIN_MESSAGE_MAP(Class, Base) and FX_END_MESSAGE_MAP(); a derived map chains to its base map.
#pragma once

#include <windows.h>

namespace fx {

class Wnd;

enum class MapKind : unsigned char {
    Message,      // any message by number
    Command,      // WM_COMMAND from a menu, an accelerator or a button click (code 0), by id
    CommandRange, // the same for a range of ids; the handler receives the id
    Control,      // WM_COMMAND notification code from one control id
    Notify,       // WM_NOTIFY code from one control id
    Registered,   // a RegisterWindowMessage id, read from a variable when the message arrives
    Reflected,    // a notification the parent reflects back to this control
};

// Called when an entry matches; returns true when the message was handled and `result` holds the answer.
using MapThunk = bool (*)(Wnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MapEntry
{
    MapKind kind;
    UINT message;             // the message (WM_COMMAND for commands and controls, WM_NOTIFY for notifications)
    UINT code;                // Control, Notify, Reflected WM_NOTIFY: notification code; Message, Reflected: when
                              // non-zero, the last message of a range that starts at `message` (WM_CTLCOLOR*)
    UINT firstId;             // Command, CommandRange, Control, Notify: control or command id
    UINT lastId;              // CommandRange: last id (inclusive)
    const UINT* registeredId; // Registered: variable that holds the registered message id
    MapThunk thunk;
};

struct MessageMap
{
    const MessageMap* (*base)(); // null for the root map
    const MapEntry* entries;
    size_t count;
};

} // namespace fx

// In the class body; what follows the macro is protected.
#define FX_DECLARE_MESSAGE_MAP()                                                                                       \
public:                                                                                                                \
    static const fx::MessageMap* GetThisMessageMap();                                                                  \
    const fx::MessageMap* GetMessageMap() const override;                                                              \
                                                                                                                       \
protected:

#define FX_BEGIN_MESSAGE_MAP(ClassName, BaseName)                                                                      \
    const fx::MessageMap* ClassName::GetMessageMap() const                                                             \
    {                                                                                                                  \
        return ClassName::GetThisMessageMap();                                                                         \
    }                                                                                                                  \
    const fx::MessageMap* ClassName::GetThisMessageMap()                                                               \
    {                                                                                                                  \
        using ThisClass = ClassName;                                                                                   \
        using TheBaseClass = BaseName;                                                                                 \
        static const fx::MapEntry entries[] = {

#define FX_END_MESSAGE_MAP()                                                                                           \
    {                                                                                                                  \
        fx::MapKind::Message, 0, 0, 0, 0, nullptr, nullptr                                                             \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const fx::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries,                                      \
                                       sizeof(entries) / sizeof(entries[0]) - 1};                                      \
    return &map;                                                                                                       \
    }

#define FX_MAP_THUNK(...)                                                                                              \
    [](fx::Wnd& wnd_, UINT message_, WPARAM wParam_, LPARAM lParam_, LRESULT& result_) -> bool {                       \
        (void)message_;                                                                                                \
        (void)wParam_;                                                                                                 \
        (void)lParam_;                                                                                                 \
        auto& self_ = static_cast<ThisClass&>(wnd_);                                                                   \
        __VA_ARGS__                                                                                                    \
    }

// LRESULT fn(WPARAM, LPARAM): any message; the answer is the handler's result.
#define FX_ON_MESSAGE(msg, fn)                                                                                         \
    {fx::MapKind::Message, (msg), 0, 0, 0, nullptr, FX_MAP_THUNK({                                                     \
         result_ = self_.fn(wParam_, lParam_);                                                                         \
         return true;                                                                                                  \
     })},

// LRESULT fn(WPARAM, LPARAM) for a registered message whose id is kept in the UINT variable `idVariable`.
#define FX_ON_REGISTERED_MESSAGE(idVariable, fn)                                                                       \
    {fx::MapKind::Registered, 0, 0, 0, 0, &(idVariable), FX_MAP_THUNK({                                                \
         result_ = self_.fn(wParam_, lParam_);                                                                         \
         return true;                                                                                                  \
     })},

// void fn(): a command id from a menu, an accelerator or a button click.
#define FX_ON_COMMAND(id, fn)                                                                                          \
    {fx::MapKind::Command, WM_COMMAND, 0, (id), (id), nullptr, FX_MAP_THUNK({                                          \
         self_.fn();                                                                                                   \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},

// void fn(UINT id): a range of command ids, first and last included.
#define FX_ON_COMMAND_RANGE(firstId, lastId, fn)                                                                       \
    {fx::MapKind::CommandRange, WM_COMMAND, 0, (firstId), (lastId), nullptr, FX_MAP_THUNK({                            \
         self_.fn(static_cast<UINT>(LOWORD(wParam_)));                                                                 \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},

// void fn(): a WM_COMMAND notification code (BN_CLICKED, STN_DBLCLK, CBN_SELCHANGE, EN_CHANGE...) from control `id`.
#define FX_ON_CONTROL(code, id, fn)                                                                                    \
    {fx::MapKind::Control, WM_COMMAND, (code), (id), (id), nullptr, FX_MAP_THUNK({                                     \
         self_.fn();                                                                                                   \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},

#define FX_ON_BN_CLICKED(id, fn) FX_ON_CONTROL(BN_CLICKED, id, fn)

// void fn(NMHDR& header, LRESULT& result): a WM_NOTIFY code from control `id`.
#define FX_ON_NOTIFY(code, id, fn)                                                                                     \
    {fx::MapKind::Notify, WM_NOTIFY, static_cast<UINT>(code), (id), (id), nullptr, FX_MAP_THUNK({                      \
         result_ = 0;                                                                                                  \
         self_.fn(*reinterpret_cast<NMHDR*>(lParam_), result_);                                                        \
         return true;                                                                                                  \
     })},

// Typed handlers of common messages.
// void fn()
#define FX_ON_WM_PAINT(fn)                                                                                             \
    {fx::MapKind::Message, WM_PAINT, 0, 0, 0, nullptr, FX_MAP_THUNK({                                                  \
         self_.fn();                                                                                                   \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
// void fn()
#define FX_ON_WM_DESTROY(fn)                                                                                           \
    {fx::MapKind::Message, WM_DESTROY, 0, 0, 0, nullptr, FX_MAP_THUNK({                                                \
         self_.fn();                                                                                                   \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
// void fn(UINT_PTR timerId)
#define FX_ON_WM_TIMER(fn)                                                                                             \
    {fx::MapKind::Message, WM_TIMER, 0, 0, 0, nullptr, FX_MAP_THUNK({                                                  \
         self_.fn(static_cast<UINT_PTR>(wParam_));                                                                     \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
// void fn(UINT type, int cx, int cy)
#define FX_ON_WM_SIZE(fn)                                                                                              \
    {fx::MapKind::Message, WM_SIZE, 0, 0, 0, nullptr, FX_MAP_THUNK({                                                   \
         self_.fn(static_cast<UINT>(wParam_), static_cast<short>(LOWORD(lParam_)),                                     \
                  static_cast<short>(HIWORD(lParam_)));                                                                \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
// BOOL fn(HDC)
#define FX_ON_WM_ERASEBKGND(fn)                                                                                        \
    {fx::MapKind::Message, WM_ERASEBKGND, 0, 0, 0, nullptr, FX_MAP_THUNK({                                             \
         result_ = self_.fn(reinterpret_cast<HDC>(wParam_));                                                           \
         return true;                                                                                                  \
     })},
// void fn(UINT keyFlags, POINT clientPoint) for the mouse messages of a window's client area.
#define FX_ON_MOUSE_MESSAGE(msg, fn)                                                                                   \
    {fx::MapKind::Message, (msg), 0, 0, 0, nullptr, FX_MAP_THUNK({                                                     \
         POINT pt_ = {static_cast<short>(LOWORD(lParam_)), static_cast<short>(HIWORD(lParam_))};                       \
         self_.fn(static_cast<UINT>(wParam_), pt_);                                                                    \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
#define FX_ON_WM_MOUSEMOVE(fn) FX_ON_MOUSE_MESSAGE(WM_MOUSEMOVE, fn)
#define FX_ON_WM_LBUTTONDOWN(fn) FX_ON_MOUSE_MESSAGE(WM_LBUTTONDOWN, fn)
#define FX_ON_WM_LBUTTONUP(fn) FX_ON_MOUSE_MESSAGE(WM_LBUTTONUP, fn)
#define FX_ON_WM_LBUTTONDBLCLK(fn) FX_ON_MOUSE_MESSAGE(WM_LBUTTONDBLCLK, fn)
// HBRUSH fn(HDC dc, HWND control, UINT ctlColorMessage): every WM_CTLCOLOR* request; a null brush means
// "not handled" and the request goes on to the control's reflected handler and then default handling.
#define FX_ON_WM_CTLCOLOR(fn)                                                                                          \
    {fx::MapKind::Message, WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, nullptr, FX_MAP_THUNK({                         \
         HBRUSH brush_ = self_.fn(reinterpret_cast<HDC>(wParam_), reinterpret_cast<HWND>(lParam_), message_);          \
         if (!brush_)                                                                                                  \
             return false;                                                                                             \
         result_ = reinterpret_cast<LRESULT>(brush_);                                                                  \
         return true;                                                                                                  \
     })},
// void fn(UINT scrollCode, UINT position, HWND scrollControl)
#define FX_ON_WM_HSCROLL(fn)                                                                                           \
    {fx::MapKind::Message, WM_HSCROLL, 0, 0, 0, nullptr, FX_MAP_THUNK({                                                \
         self_.fn(static_cast<UINT>(LOWORD(wParam_)), static_cast<UINT>(HIWORD(wParam_)),                              \
                  reinterpret_cast<HWND>(lParam_));                                                                    \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},

// Reflected notifications: entries in a control wrapper's own map for what its parent receives about it.
// void fn(DRAWITEMSTRUCT&)
#define FX_ON_REFLECT_DRAWITEM(fn)                                                                                     \
    {fx::MapKind::Reflected, WM_DRAWITEM, 0, 0, 0, nullptr, FX_MAP_THUNK({                                             \
         self_.fn(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam_));                                                        \
         result_ = TRUE;                                                                                               \
         return true;                                                                                                  \
     })},
// void fn(MEASUREITEMSTRUCT&)
#define FX_ON_REFLECT_MEASUREITEM(fn)                                                                                  \
    {fx::MapKind::Reflected, WM_MEASUREITEM, 0, 0, 0, nullptr, FX_MAP_THUNK({                                          \
         self_.fn(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam_));                                                     \
         result_ = TRUE;                                                                                               \
         return true;                                                                                                  \
     })},
// HBRUSH fn(HDC dc, UINT ctlColorMessage); a null brush leaves the request to the parent's default handling.
#define FX_ON_REFLECT_CTLCOLOR(fn)                                                                                     \
    {fx::MapKind::Reflected, WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, nullptr, FX_MAP_THUNK({                       \
         HBRUSH brush_ = self_.fn(reinterpret_cast<HDC>(wParam_), message_);                                           \
         if (!brush_)                                                                                                  \
             return false;                                                                                             \
         result_ = reinterpret_cast<LRESULT>(brush_);                                                                  \
         return true;                                                                                                  \
     })},
// void fn(UINT scrollCode, UINT position)
#define FX_ON_REFLECT_HSCROLL(fn)                                                                                      \
    {fx::MapKind::Reflected, WM_HSCROLL, 0, 0, 0, nullptr, FX_MAP_THUNK({                                              \
         self_.fn(static_cast<UINT>(LOWORD(wParam_)), static_cast<UINT>(HIWORD(wParam_)));                             \
         result_ = 0;                                                                                                  \
         return true;                                                                                                  \
     })},
// void fn(NMHDR& header, LRESULT& result): a WM_NOTIFY code (NM_CUSTOMDRAW...) about this control.
#define FX_ON_REFLECT_NOTIFY(code, fn)                                                                                 \
    {fx::MapKind::Reflected, WM_NOTIFY, static_cast<UINT>(code), 0, 0, nullptr, FX_MAP_THUNK({                         \
         result_ = 0;                                                                                                  \
         self_.fn(*reinterpret_cast<NMHDR*>(lParam_), result_);                                                        \
         return true;                                                                                                  \
     })},
