// Tessel's window in the tests (see TesselWindow.h).
#include "TesselWindow.h"

#include "common/SensorHelperProtocol.h"
#include "support/Poll.h"

HWND WaitForTesselWindow(DWORD timeoutMs)
{
    HWND window = nullptr;
    testsupport::WaitFor([&window] { return (window = FindWindowW(nullptr, kSensorHelperTitle)) != nullptr; },
                         timeoutMs, 50);
    return window;
}

int CountTesselWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t title[32] = {};
            GetWindowTextW(window, title, 32);
            if (lstrcmpW(title, kSensorHelperTitle) == 0)
                ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

::testing::AssertionResult QuitTessel(HWND window, const testsupport::ChildProcess& tessel)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, kMsgQuit, 0, 0, SMTO_NORMAL, 10000, &result))
        return ::testing::AssertionFailure() << "the quit message was not answered (error " << GetLastError() << ")";
    DWORD exitCode = 1234;
    if (!tessel.Wait(10000, &exitCode))
        return ::testing::AssertionFailure() << "Tessel still runs 10 s after the quit message";
    if (exitCode != 0)
        return ::testing::AssertionFailure() << "Tessel ended with exit code " << exitCode;
    return ::testing::AssertionSuccess();
}

void TesselFixture::TearDown()
{
    if (m_window != nullptr) {
        EXPECT_TRUE(QuitTessel(m_window, m_tessel));
    }
}

void TesselFixture::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(m_window, message, wParam, lParam, SMTO_NORMAL, 20000, &result), 0) << message;
}
