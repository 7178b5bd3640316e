// Recording from the preview's record button: a countdown, then the picture and the microphone's sound in the
// next numbered AVI file, a complete and playable one; a recording under two seconds leaves no file; a second
// press within 300 ms counts once; the countdown and the elapsed time show; without a microphone the picture
// alone is recorded; while recording the window stays inside the work area; a folder that cannot be written is
// told.
#include "DialogScene.h"

#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kRecordButton = 1008, kElapsedLabel = 1030, kSnapshotButton = 1003, kCountdownLabel = 1033;

// Whether a label on screen shows something: at least two colours among its pixels.
bool Painted(HWND label)
{
    RECT r = {};
    if (!GetWindowRect(label, &r))
        return false;
    const e2e::Image image = e2e::CaptureScreen(r);
    for (uint32_t p : image.pixels)
        if (p != image.pixels.front())
            return true;
    return false;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A field of ffprobe's "key=value" answer, or empty; with `within`, of the section that holds that position.
std::string Field(const std::string& probe, const std::string& key, size_t within = 0)
{
    const size_t section = within == 0 ? 0 : probe.rfind('[', within);
    const size_t at = probe.find(key + "=", section == std::string::npos ? 0 : section);
    if (at == std::string::npos)
        return std::string();
    const size_t end = probe.find_first_of("\r\n", at);
    return probe.substr(at + key.size() + 1, end - at - key.size() - 1);
}

// The simulated microphone taken out of the audio capture devices for a scope, and put back at its end.
class NoMicrophone
{
public:
    NoMicrophone()
    {
        HKEY parent = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kDevices, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
            return;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kBackup, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_backup, nullptr) ==
                ERROR_SUCCESS &&
            RegCopyTreeW(parent, kMicrophone, m_backup) == ERROR_SUCCESS)
            m_removed = RegDeleteTreeW(parent, kMicrophone) == ERROR_SUCCESS;
        RegCloseKey(parent);
    }
    ~NoMicrophone()
    {
        if (m_removed) {
            HKEY restored = nullptr;
            const std::wstring path = std::wstring(kDevices) + L"\\" + kMicrophone;
            if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored,
                                nullptr) == ERROR_SUCCESS) {
                (void)RegCopyTreeW(m_backup, nullptr, restored);
                RegCloseKey(restored);
            }
        }
        if (m_backup) {
            RegCloseKey(m_backup);
            (void)RegDeleteTreeW(HKEY_CURRENT_USER, kBackup);
        }
    }
    NoMicrophone(const NoMicrophone&) = delete;
    NoMicrophone& operator=(const NoMicrophone&) = delete;
    bool Removed() const { return m_removed; }

private:
    static constexpr wchar_t kDevices[] = L"CLSID\\{33D9A762-90C8-11D0-BD43-00A0C911CE86}\\Instance";
    static constexpr wchar_t kMicrophone[] = L"QuilloSimMic";
    static constexpr wchar_t kBackup[] = L"Software\\QuilloTest\\MicrophoneAside";
    HKEY m_backup = nullptr;
    bool m_removed = false;
};

class Recording : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ResetScene());
        m_preview = e2e::StartWithReadyPreview(m_quillo);
        ASSERT_NE(m_preview, nullptr);
    }
    void TearDown() override
    {
        if (m_quillo.Valid()) {
            EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
        }
        (void)e2e::ResetScene();
    }

    void PressRecord()
    {
        PostMessageW(m_preview, WM_COMMAND, MAKEWPARAM(kRecordButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_preview, kRecordButton)));
    }
    // The countdown is over when the elapsed time shows.
    bool StreamStarted(DWORD timeoutMs = 15000)
    {
        return testsupport::WaitFor([&] { return IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel)) != FALSE; },
                                    timeoutMs);
    }
    // After a stop the preview is rebuilt (and a short file deleted before that): the rebuilt preview's snapshot
    // button is disabled for its first two seconds and then back.
    bool PreviewBack()
    {
        return testsupport::WaitFor([&] { return !IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel)); }, 10000) &&
               testsupport::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(m_preview, kSnapshotButton)); }, 10000) &&
               testsupport::WaitFor([&] { return IsWindowEnabled(GetDlgItem(m_preview, kSnapshotButton)) != FALSE; },
                                    15000);
    }
    std::string Probe(const std::wstring& file)
    {
        return e2e::RunOnHost("ffprobe -v error -show_entries stream=codec_type,codec_name,width,height,"
                              "r_frame_rate,nb_frames,sample_rate,channels -show_entries format=duration -of default "
                              "\"" +
                              e2e::HostPath(file) + "\"");
    }

    e2e::Process m_quillo;
    HWND m_preview = nullptr;
};

TEST_F(Recording, FiveSecondsBecomeACompleteFileWithPictureAndSound)
{
    const std::wstring first = e2e::SceneVideos() + L"AVI0000.avi";
    PressRecord();
    // The countdown counts on screen before the recording starts.
    HWND countdown = GetDlgItem(m_preview, kCountdownLabel);
    EXPECT_TRUE(testsupport::WaitFor(
        [&] { return IsWindowVisible(countdown) && scene::Text(countdown) == L"2" && Painted(countdown); }, 5000))
        << "countdown: " << testsupport::Narrow(scene::Text(countdown));
    ASSERT_TRUE(StreamStarted());
    const ULONGLONG start = GetTickCount64();
    // The elapsed time runs on screen.
    HWND elapsed = GetDlgItem(m_preview, kElapsedLabel);
    EXPECT_TRUE(testsupport::WaitFor([&] { return scene::Text(elapsed) == L"00:00:02" && Painted(elapsed); }, 5000))
        << "elapsed: " << testsupport::Narrow(scene::Text(elapsed));
    ASSERT_TRUE(e2e::RecordedFor(m_preview, 5, 10000));
    PressRecord();
    const double seconds = (GetTickCount64() - start) / 1000.0;
    ASSERT_TRUE(PreviewBack());
    ASSERT_TRUE(Exists(first));

    const std::string probe = Probe(first);
    const size_t audio = probe.find("codec_type=audio");
    ASSERT_NE(probe.find("codec_type=video"), std::string::npos) << probe;
    ASSERT_NE(audio, std::string::npos) << probe;
    EXPECT_EQ(Field(probe, "width"), "640");
    EXPECT_EQ(Field(probe, "height"), "480");
    const std::string rate = Field(probe, "r_frame_rate");
    const size_t slash = rate.find('/');
    ASSERT_NE(slash, std::string::npos) << probe;
    const double fps = std::atof(rate.c_str()) / std::atof(rate.c_str() + slash + 1);
    EXPECT_NEAR(fps, 15.0, 1.0) << rate;
    EXPECT_EQ(Field(probe, "codec_name", audio), "pcm_s16le");
    EXPECT_EQ(Field(probe, "sample_rate", audio), "48000");
    EXPECT_NEAR(std::atof(Field(probe, "duration").c_str()), seconds, 1.0) << probe;
    // A decoded frame shows the camera's picture: the white bar at the left, the blue one in the seventh eighth
    // (red and blue of two points, 0 to 255).
    const std::string png = e2e::HostPath(e2e::SceneVideos() + L"frame.png");
    const std::string colours = e2e::RunOnHost(
        "ffmpeg -v error -ss 2 -i \"" + e2e::HostPath(first) + "\" -frames:v 1 -y \"" + png + "\" && convert \"" + png +
        "\" -format '%[fx:int(255*p{40,200}.r)] %[fx:int(255*p{520,200}.r)] %[fx:int(255*p{520,200}.b)]' info:");
    int whiteRed = 0, blueRed = 255, blueBlue = 0;
    ASSERT_EQ(std::sscanf(colours.c_str(), "%d %d %d", &whiteRed, &blueRed, &blueBlue), 3) << colours;
    EXPECT_GT(whiteRed, 200);
    EXPECT_LT(blueRed, 60);
    EXPECT_GT(blueBlue, 180);

    // The next recording takes the next number.
    PressRecord();
    ASSERT_TRUE(StreamStarted());
    ASSERT_TRUE(e2e::RecordedFor(m_preview, 3, 10000)); // long enough to be kept
    PressRecord();
    ASSERT_TRUE(PreviewBack());
    EXPECT_TRUE(Exists(e2e::SceneVideos() + L"AVI0001.avi"));
}

TEST_F(Recording, UnderTwoSecondsLeavesNoFileAndASecondPressWithin300msCountsOnce)
{
    PressRecord();
    PressRecord(); // the same moment: ignored
    ASSERT_TRUE(StreamStarted()) << "the double press started and stopped nothing but one recording";
    PressRecord(); // at once (the countdown took the 300 ms): too short to be kept
    ASSERT_TRUE(PreviewBack());
    EXPECT_FALSE(Exists(e2e::SceneVideos() + L"AVI0000.avi"));
}

TEST_F(Recording, WithoutAMicrophoneThePictureAloneIsRecorded)
{
    // The devices are looked for when the preview starts: a start of its own without the microphone.
    ASSERT_TRUE(e2e::ExitQuillo(m_quillo));
    NoMicrophone noMicrophone;
    ASSERT_TRUE(noMicrophone.Removed());
    m_preview = e2e::StartWithReadyPreview(m_quillo);
    ASSERT_NE(m_preview, nullptr);
    PressRecord();
    ASSERT_TRUE(StreamStarted());
    ASSERT_TRUE(e2e::RecordedFor(m_preview, 3, 10000));
    PressRecord();
    ASSERT_TRUE(PreviewBack());
    const std::string probe = Probe(e2e::SceneVideos() + L"AVI0000.avi");
    EXPECT_NE(probe.find("codec_type=video"), std::string::npos) << probe;
    EXPECT_EQ(probe.find("codec_type=audio"), std::string::npos) << probe;
    EXPECT_GT(std::atof(Field(probe, "duration").c_str()), 2.0) << probe;
}

TEST_F(Recording, WhileRecordingTheWindowStaysInsideTheWorkArea)
{
    PressRecord();
    ASSERT_TRUE(StreamStarted());
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    // Moved past the top left and past the bottom right corner: it stops at the edges.
    SetWindowPos(m_preview, nullptr, work.left - 300, work.top - 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT r = {};
    ASSERT_TRUE(GetWindowRect(m_preview, &r));
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);
    SetWindowPos(m_preview, nullptr, work.right - 50, work.bottom - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(GetWindowRect(m_preview, &r));
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
    PressRecord();
    ASSERT_TRUE(PreviewBack());
    // Not recording, the window goes where it is put.
    SetWindowPos(m_preview, nullptr, work.left - 30, work.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(GetWindowRect(m_preview, &r));
    EXPECT_EQ(r.left, work.left - 30);
}

TEST_F(Recording, AFolderThatCannotBeWrittenIsTold)
{
    testsupport::RegistryValue folder(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo\\Settings\\Video", L"My Video");
    ASSERT_EQ(folder.SetText(L"C:\\QuilloScene\\no such folder"), ERROR_SUCCESS);
    // The settings are read at the start: a start of its own for this folder.
    ASSERT_TRUE(e2e::ExitQuillo(m_quillo));
    m_preview = e2e::StartWithReadyPreview(m_quillo);
    ASSERT_NE(m_preview, nullptr);
    PressRecord();
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 10000, m_quillo.Pid());
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"The folder is forbidden to be accessed, please select another one.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_preview, kElapsedLabel)));
}

} // namespace
