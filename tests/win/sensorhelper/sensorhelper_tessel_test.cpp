// Tessel.exe as the main program meets it: a hidden top-level window with the helper's title, one copy at a
// time, synchronous commands that never bring it down (also without any vendor library), and the quit message
// to end.
#include "TesselWindow.h"

#include "common/ModulePath.h"
#include "common/SensorHelperProtocol.h"
#include "support/Poll.h"
#include "support/Restore.h"

#include <gtest/gtest.h>

namespace {

using testsupport::ChildProcess;

class TesselTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr) << "a Tessel window is left from elsewhere";
        ASSERT_TRUE(m_folder.CopyIn(PathBesideProgram(kSensorHelperProgram)));
    }

    // Starts the copy of Tessel and returns its window.
    HWND StartTessel(ChildProcess& process)
    {
        process = ChildProcess::Start(m_folder.PathOf(kSensorHelperProgram), L"");
        return process.Valid() ? WaitForTesselWindow(20000) : nullptr;
    }

    testsupport::TempFolder m_folder{L"tessel-test-"};
};

TEST_F(TesselTest, RunsHiddenUntilQuitMessage)
{
    ChildProcess tessel;
    HWND window = StartTessel(tessel);
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, tessel.Pid());
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    // Through the modal loop's idle point, where a dialog would normally show itself, it stays hidden.
    EXPECT_TRUE(testsupport::HoldsFor([&] { return !IsWindowVisible(window); }, 1000, 50));
    EXPECT_TRUE(tessel.Running());
    EXPECT_TRUE(QuitTessel(window, tessel));
    EXPECT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr);
}

TEST_F(TesselTest, SecondStartEndsAndLeavesTheFirstRunning)
{
    ChildProcess first;
    HWND window = StartTessel(first);
    ASSERT_NE(window, nullptr);

    ChildProcess second = ChildProcess::Start(m_folder.PathOf(kSensorHelperProgram), L"");
    ASSERT_TRUE(second.Valid());
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.Wait(20000, &exitCode));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(FindWindowW(nullptr, kSensorHelperTitle), window);
    EXPECT_EQ(CountTesselWindows(), 1);
    EXPECT_TRUE(QuitTessel(window, first));
}

// Beside this copy of Tessel there is no vendor library: every command returns and the helper stays up.
TEST_F(TesselTest, CommandsWithoutVendorLibrariesReturnAndKeepItRunning)
{
    ChildProcess tessel;
    HWND window = StartTessel(tessel);
    ASSERT_NE(window, nullptr);
    for (UINT message : {kMsgSonixFlip, kMsgSonixMirror, kMsgBrindleFlip, kMsgBrindleMirror, kMsgSunplusFlip,
                         kMsgSunplusMirror, kMsgKt4bMirrorFlip}) {
        for (LPARAM state : {1, 0}) {
            DWORD_PTR result = 0;
            EXPECT_NE(SendMessageTimeoutW(window, message, 1, state, SMTO_NORMAL, 10000, &result), 0) << message;
        }
    }
    EXPECT_TRUE(tessel.Running());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(QuitTessel(window, tessel));
}

} // namespace
