// Tessel's hidden window as the tests meet it: found by its title, counted, and told to quit.
#pragma once

#include "support/ChildProcess.h"

#include <windows.h>

#include <gtest/gtest.h>

// The top-level window titled as the helper's (hidden ones included); waits up to timeoutMs for it.
HWND WaitForTesselWindow(DWORD timeoutMs);
// Number of top-level windows titled as the helper's.
int CountTesselWindows();
// Sends the quit message to the window and checks that the process then ends with exit code 0 within 10 s.
::testing::AssertionResult QuitTessel(HWND window, const testsupport::ChildProcess& tessel);
