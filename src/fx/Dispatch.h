// Framework internals shared by the window and dialog files: deferred PostNcDestroy and the hook that
// attaches a window object to the window being created.
#pragma once

#include "fx/Wnd.h"

#include <windows.h>

namespace fx {

struct WndInternals
{
    static void RunPostNcDestroy(Wnd& wnd);
    static bool Attach(Wnd& wnd, HWND hwnd);
    static void QueuePostNcDestroy(Wnd& wnd);
};

namespace detail {

void RunPendingPostNcDestroy();
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
