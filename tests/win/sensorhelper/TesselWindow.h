// Tessel's hidden window as the tests meet it: found by its title, counted, sent commands and told to quit.
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

// A fixture for a Tessel the test starts into m_tessel and finds as m_window: commands go to its window, and
// at the end it is told to quit and must end with exit code 0.
class TesselFixture : public ::testing::Test
{
protected:
    void TearDown() override;
    // Sends a command and waits for it to be handled (20 s at most).
    void Send(UINT message, WPARAM wParam, LPARAM lParam);

    testsupport::ChildProcess m_tessel;
    HWND m_window = nullptr;
};
