// When the camera or the helper goes away under a running preview: a camera pulled out closes the preview with
// the camera message (a recording running then is kept, complete and playable) and, plugged in again, the
// Camera button opens the preview at once; a busy camera gives the message and leaves nothing running; a helper
// ended from outside is started again at the next preview build.
#include "E2eSupport.h"

#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kRecordButton = 1008, kElapsedLabel = 1030, kSnapshotButton = 1003;
constexpr int kToolbarCamera = 1099, kMenu320x240 = 40008;
constexpr wchar_t kCameraMessage[] = L"Camera is not installed or camera is occupied by another user.";

class CameraLoss : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override
    {
        if (m_quillo.Valid()) {
            EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
        }
        (void)e2e::ResetScene();
    }

    // The bar shows once the start's preview is built (or its box answered): waitForBar false does not wait.
    void StartQuillo(bool waitForBar = true)
    {
        m_quillo = e2e::Start(L"Quillo.exe", L"");
        ASSERT_TRUE(m_quillo.Valid());
        if (waitForBar) {
            ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, m_quillo.Pid()), nullptr);
        }
    }
    // The preview is up once its snapshot button takes presses.
    HWND WaitForPreview()
    {
        HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, m_quillo.Pid());
        if (preview && !testsupport::WaitFor(
                           [&] { return IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)) != FALSE; }, 10000))
            return nullptr;
        return preview;
    }
    bool PreviewOpen() { return e2e::WaitForWindow(nullptr, L"Quillo", 0, m_quillo.Pid()) != nullptr; }
    // Waits for the camera message, checks its text and answers it.
    ::testing::AssertionResult AnswerCameraMessage()
    {
        HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 15000, m_quillo.Pid());
        if (!box)
            return ::testing::AssertionFailure() << "no message box";
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (lstrcmpW(text, kCameraMessage) != 0)
            return ::testing::AssertionFailure() << "the box says: " << testing::PrintToString(std::wstring(text));
        return ::testing::AssertionSuccess();
    }
    void PressCamera()
    {
        HWND toolbar = e2e::WaitForWindow(nullptr, L"Quillo_1", 5000, m_quillo.Pid());
        PostMessageW(toolbar, WM_COMMAND, MAKEWPARAM(kToolbarCamera, BN_CLICKED), 0);
    }
    // The toolbar answers its messages (nothing hangs).
    bool ToolbarAnswers()
    {
        HWND toolbar = e2e::WaitForWindow(nullptr, L"Quillo_1", 5000, m_quillo.Pid());
        DWORD_PTR result = 0;
        return toolbar && SendMessageTimeoutW(toolbar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

    e2e::Process m_quillo;
};

TEST_F(CameraLoss, UnpluggedWhilePreviewingClosesThePreviewAndReplugOpensItAgain)
{
    StartQuillo();
    ASSERT_NE(WaitForPreview(), nullptr);
    ASSERT_TRUE(testsupport::SimctlOk(L"unplug 0"));
    EXPECT_TRUE(AnswerCameraMessage());
    EXPECT_TRUE(testsupport::WaitFor([&] { return !PreviewOpen(); }, 5000)) << "the preview stayed";
    EXPECT_TRUE(ToolbarAnswers());

    ASSERT_TRUE(testsupport::SimctlOk(L"replug 0"));
    PressCamera();
    EXPECT_NE(WaitForPreview(), nullptr) << "the Camera button opened no preview after the replug";
}

TEST_F(CameraLoss, UnpluggedWhileRecordingKeepsACompletePlayableFile)
{
    StartQuillo();
    HWND preview = WaitForPreview();
    ASSERT_NE(preview, nullptr);
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(kRecordButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(preview, kRecordButton)));
    ASSERT_TRUE(
        testsupport::WaitFor([&] { return IsWindowVisible(GetDlgItem(preview, kElapsedLabel)) != FALSE; }, 15000));
    const ULONGLONG start = GetTickCount64();
    Sleep(3000); // the length of the recording itself
    ASSERT_TRUE(testsupport::SimctlOk(L"unplug 0"));
    const double seconds = (GetTickCount64() - start) / 1000.0;
    EXPECT_TRUE(AnswerCameraMessage());
    EXPECT_TRUE(testsupport::WaitFor([&] { return !PreviewOpen(); }, 5000));

    const std::string file = e2e::HostPath(e2e::SceneVideos() + L"AVI0000.avi");
    // Playable: every packet decodes without a complaint.
    EXPECT_EQ(e2e::RunOnHost("ffmpeg -v error -i \"" + file + "\" -f null - && echo decoded"), "decoded\n");
    const std::string duration =
        e2e::RunOnHost("ffprobe -v error -show_entries format=duration -of csv=p=0 \"" + file + "\"");
    EXPECT_NEAR(std::atof(duration.c_str()), seconds, 1.0) << duration;
    EXPECT_TRUE(ToolbarAnswers());
}

TEST_F(CameraLoss, ABusyCameraGivesTheMessageAndLeavesNothingRunning)
{
    ASSERT_TRUE(testsupport::SimctlOk(L"busy 0 1"));
    StartQuillo(false);
    EXPECT_TRUE(AnswerCameraMessage());
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, m_quillo.Pid()), nullptr);
    EXPECT_TRUE(testsupport::HoldsFor([&] { return !PreviewOpen(); }, 1000)) << "a preview of a busy camera";
    EXPECT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr) << "the helper was started for no preview";
    EXPECT_TRUE(ToolbarAnswers());

    ASSERT_TRUE(testsupport::SimctlOk(L"busy 0 0"));
    PressCamera();
    EXPECT_NE(WaitForPreview(), nullptr);
}

TEST_F(CameraLoss, AHelperEndedFromOutsideIsStartedAgainAtTheNextBuild)
{
    StartQuillo();
    HWND preview = WaitForPreview();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(testsupport::WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 10000));
    e2e::KillAll(L"Tessel.exe");
    ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
    EXPECT_TRUE(ToolbarAnswers()) << "Quillo hangs without its helper";
    // Another size builds the preview graph anew.
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(kMenu320x240, 0), 0);
    EXPECT_TRUE(testsupport::WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    EXPECT_TRUE(PreviewOpen());
}

} // namespace
