// Message loops for modeless windows and tests: pre-translation through the application object and
// the window chain, then translation and dispatch.
#pragma once

#include <windows.h>

namespace fx {

// Pre-translates one message (App::PreTranslateMessage, or the window chain without an application).
bool PreTranslate(MSG& msg);
// Pre-translates, translates and dispatches one message.
void DispatchOne(MSG& msg);
// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();
// Handles every message already waiting. Returns false when WM_QUIT was seen (it is posted again).
bool PumpWaitingMessages();

} // namespace fx
