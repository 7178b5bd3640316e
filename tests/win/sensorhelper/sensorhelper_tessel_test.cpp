// Tessel.exe as the main program meets it: a hidden top-level window titled "Tessel", one copy at a time,
// synchronous commands that never bring it down (also without any vendor library), and message 2258 to end.
#include "TesselProcess.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kQuit = 2258;

class TesselTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr) << "a Tessel window is left from elsewhere";
        ASSERT_TRUE(folder.CopyFromTestFolder(L"Tessel.exe"));
        exe = folder.Path() + L"\\Tessel.exe";
    }

    // Starts Tessel and returns its window.
    HWND StartTessel(TesselProcess& process)
    {
        if (!process.Start(exe))
            return nullptr;
        return WaitForTesselWindow(20000);
    }

    void Quit(HWND window, TesselProcess& process)
    {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutW(window, kQuit, 0, 0, SMTO_NORMAL, 10000, &result), 0);
        DWORD exitCode = 1234;
        ASSERT_TRUE(process.WaitForExit(10000, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    ScratchFolder folder;
    std::wstring exe;
};

TEST_F(TesselTest, RunsHiddenUntilQuitMessage)
{
    TesselProcess tessel;
    HWND window = StartTessel(tessel);
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, tessel.ProcessId());
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    // Give the modal loop time to reach its idle point, where a dialog would normally show itself.
    Sleep(1000);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(tessel.Running());
    Quit(window, tessel);
    EXPECT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
}

TEST_F(TesselTest, SecondStartEndsAndLeavesTheFirstRunning)
{
    TesselProcess first;
    HWND window = StartTessel(first);
    ASSERT_NE(window, nullptr);

    TesselProcess second;
    ASSERT_TRUE(second.Start(exe));
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.WaitForExit(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(FindWindowW(nullptr, L"Tessel"), window);
    EXPECT_EQ(CountTesselWindows(), 1);
    Quit(window, first);
}

// Beside this copy of Tessel there is no vendor library: every command returns and the helper stays up.
TEST_F(TesselTest, CommandsWithoutVendorLibrariesReturnAndKeepItRunning)
{
    TesselProcess tessel;
    HWND window = StartTessel(tessel);
    ASSERT_NE(window, nullptr);
    for (UINT message : {2024u, 2025u, 3024u, 3025u, 4024u, 4025u, 4026u}) {
        for (LPARAM state : {1, 0}) {
            DWORD_PTR result = 0;
            EXPECT_NE(SendMessageTimeoutW(window, message, 1, state, SMTO_NORMAL, 10000, &result), 0) << message;
        }
    }
    EXPECT_TRUE(tessel.Running());
    EXPECT_FALSE(IsWindowVisible(window));
    Quit(window, tessel);
}

} // namespace
