// Framework internals shared by the window, dialog and message-loop files: the handler depth that
// defers PostNcDestroy, and the hook that attaches a window object to the window being created.
#pragma once

#include <windows.h>

namespace fx {

class Wnd;

struct WndInternals
{
    static void RunPostNcDestroy(Wnd& wnd);
    static bool Attach(Wnd& wnd, HWND hwnd);
    static void QueuePostNcDestroy(Wnd& wnd);
};

namespace detail {

// Counts a message handler (or a framework call that may destroy windows) as running on this thread.
// When the outermost one ends, pending PostNcDestroy calls run.
class HandlerScope
{
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

void RunPendingPostNcDestroy();
bool InsideHandler();
void AttachCreatedWindow(Wnd* wnd, HWND hwnd);

// Attaches `wnd` to the next window this thread creates, for as long as the guard lives.
class CreationHook
{
public:
    explicit CreationHook(Wnd* wnd);
    ~CreationHook();
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;

private:
    HHOOK m_hook = nullptr;
    Wnd* m_previous = nullptr;
};

} // namespace detail
} // namespace fx
