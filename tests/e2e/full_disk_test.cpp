// Full disks. A disk that fills up between two of the recording's free-space checks: the recordings' folder is
// a small file system of its own (a tmpfs mounted from the host), so the AVI writer's writes fail while the
// check, which measures the drive's root, still sees room. The recording stops as at a full disk, with its box,
// and the file is complete and playable. A drive that is nearly full from the start: nothing is written. A drive
// that another program fills while recording: the watch stops the recording at its next look.
#include "DialogScene.h"

#include "support/Poll.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kRecordButton = 1008, kElapsedLabel = 1030, kSnapshotButton = 1003;

class FullDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ResetScene());
        m_folder = e2e::HostPath(e2e::SceneVideos());
        // Room for about four seconds of 640 x 480 picture (14 MB a second) after the countdown.
        const std::string answer =
            e2e::RunOnHost("mount -t tmpfs -o size=56m quillofull \"" + m_folder + "\" && echo mounted");
        // A machine that allows no mount (no root, a container without the right) cannot make the small disk.
        if (answer != "mounted\n")
            GTEST_SKIP() << "a small file system cannot be mounted here: " << answer;
        m_mounted = true;
    }
    void TearDown() override
    {
        if (m_quillo.Valid()) {
            EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
        }
        if (m_mounted)
            (void)e2e::RunOnHost("umount -l \"" + m_folder + "\"");
        (void)e2e::ResetScene();
    }

    std::string m_folder;
    bool m_mounted = false;
    e2e::Process m_quillo;
};

TEST_F(FullDisk, AWriteThatFailsStopsTheRecordingAsAtAFullDiskAndKeepsAPlayableFile)
{
    HWND preview = e2e::StartWithReadyPreview(m_quillo);
    ASSERT_NE(preview, nullptr);
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(kRecordButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(preview, kRecordButton)));
    ASSERT_TRUE(
        testsupport::WaitFor([&] { return IsWindowVisible(GetDlgItem(preview, kElapsedLabel)) != FALSE; }, 15000));

    HWND box = scene::MessageBoxWithText(m_quillo.Pid(), L"Disk is almost full and stop capture video.", 20000);
    ASSERT_NE(box, nullptr) << "no full-disk box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    // The recording is over and the preview runs again.
    EXPECT_TRUE(testsupport::WaitFor([&] { return !IsWindowVisible(GetDlgItem(preview, kElapsedLabel)); }, 10000));
    EXPECT_TRUE(
        testsupport::WaitFor([&] { return IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)) != FALSE; }, 15000));

    const std::string file = m_folder + "AVI0000.avi";
    EXPECT_EQ(e2e::RunOnHost("ffmpeg -v error -i \"" + file + "\" -f null - && echo decoded"), "decoded\n");
    const std::string duration =
        e2e::RunOnHost("ffprobe -v error -show_entries format=duration -of csv=p=0 \"" + file + "\"");
    EXPECT_GT(std::atof(duration.c_str()), 2.0) << duration;
}

// A drive of its own that is almost full (an 8 MB tmpfs as drive Q: of the prefix): the free-space checks before
// a snapshot (50 MB) and before a recording (1200 MB) see it and refuse with the full-disk box, writing nothing.
class NearlyFullDrive : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    // A tmpfs of that size as drive Q: (skips the test where no mount is allowed).
    void MountDrive(const std::string& size)
    {
        m_mountPoint = "/tmp/quillo-small-" + std::to_string(GetCurrentProcessId());
        const std::string answer = e2e::RunOnHost("mkdir -p " + m_mountPoint + " && mount -t tmpfs -o size=" + size +
                                                  " quillosmall " + m_mountPoint + " && ln -sfn " + m_mountPoint +
                                                  " \"$WINEPREFIX/dosdevices/q:\" && echo mounted");
        if (answer != "mounted\n")
            GTEST_SKIP() << "a small file system cannot be mounted here: " << answer;
        m_mounted = true;
    }
    void StartPreview()
    {
        m_preview = e2e::StartWithReadyPreview(m_quillo);
        ASSERT_NE(m_preview, nullptr);
    }
    void Press(int button)
    {
        PostMessageW(m_preview, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_preview, button)));
    }
    // The box with the text, confirmed; false when it did not come.
    bool ConfirmBox(const wchar_t* text, DWORD timeoutMs)
    {
        HWND box = scene::MessageBoxWithText(m_quillo.Pid(), text, timeoutMs);
        if (!box)
            return false;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return testsupport::WaitFor([&] { return !IsWindow(box); }, 5000);
    }
    void TearDown() override
    {
        if (m_quillo.Valid()) {
            EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
        }
        if (m_mounted)
            (void)e2e::RunOnHost("rm -f \"$WINEPREFIX/dosdevices/q:\"; umount -l " + m_mountPoint + "; rmdir " +
                                 m_mountPoint);
        (void)e2e::ResetScene();
    }
    static bool SetFolder(const wchar_t* subkey, const wchar_t* name)
    {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(L"Software\\Norvane\\Quillo\\Settings\\") + subkey;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const wchar_t folder[] = L"Q:\\";
        const bool ok =
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), sizeof folder) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }
    bool Empty() const { return e2e::RunOnHost("ls -A " + m_mountPoint) == ""; }

    std::string m_mountPoint;
    bool m_mounted = false;
    e2e::Process m_quillo;
    HWND m_preview = nullptr;
};

TEST_F(NearlyFullDrive, ASnapshotAndARecordingAreRefusedWithTheFullDiskBox)
{
    ASSERT_NO_FATAL_FAILURE(MountDrive("8m"));
    ASSERT_TRUE(SetFolder(L"Picture", L"My Pictures"));
    ASSERT_TRUE(SetFolder(L"Video", L"My Video"));
    ASSERT_NO_FATAL_FAILURE(StartPreview());
    for (int button : {kSnapshotButton, kRecordButton}) {
        SCOPED_TRACE(button == kSnapshotButton ? "snapshot" : "recording");
        Press(button);
        ASSERT_TRUE(ConfirmBox(L"Disk is full and can't capture any picture or video.", 10000));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel))) << "no countdown, no recording";
        EXPECT_TRUE(Empty());
    }
}

TEST_F(NearlyFullDrive, ADriveThatFillsWhileRecordingStopsTheRecordingAtTheNextCheck)
{
    // A little over the 1200 MB a recording needs; another program then takes 100 MB of it.
    ASSERT_NO_FATAL_FAILURE(MountDrive("1250m"));
    ASSERT_TRUE(SetFolder(L"Video", L"My Video"));
    ASSERT_NO_FATAL_FAILURE(StartPreview());
    Press(kRecordButton);
    ASSERT_TRUE(
        testsupport::WaitFor([&] { return IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel)) != FALSE; }, 15000));
    ASSERT_TRUE(e2e::RecordedFor(m_preview, 3, 10000)); // long enough to be kept (under two seconds it is not)
    ASSERT_EQ(e2e::RunOnHost("head -c 100M /dev/zero > " + m_mountPoint + "/filler && echo filled"), "filled\n");
    // The drive is looked at every ten seconds.
    ASSERT_TRUE(ConfirmBox(L"Disk is almost full and stop capture video.", 25000));
    EXPECT_TRUE(testsupport::WaitFor([&] { return !IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel)); }, 10000));
    const std::string file = m_mountPoint + "/AVI0000.avi";
    EXPECT_EQ(e2e::RunOnHost("ffmpeg -v error -i " + file + " -f null - && echo decoded"), "decoded\n");
}

} // namespace
