// What the system's power, session and display notices do to a running Quillo, sent as the system sends them:
// a suspend closes the dialogs and the preview (a running recording ends as a complete file) and the resume
// brings nothing back but the bar; a session change turns the sensor upright and clears the orientation
// choice; a display change rebuilds the preview and records on in a new file; the end of the session stops a
// recording as a complete file.
#include "DialogScene.h"

#include "res/resource.h"
#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <cstdlib>
#include <string>

namespace {

using scene::SimDump;
using testsupport::WaitFor;

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SessionEvents : public scene::SceneTest
{
protected:
    void StartWithPreview(const wchar_t* profile = nullptr)
    {
        if (profile) {
            ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + profile));
        }
        ASSERT_TRUE(m_quillo.Start(true));
        m_started = true;
        m_preview = m_quillo.Window(L"Quillo", 30000);
        ASSERT_NE(m_preview, nullptr);
        ASSERT_TRUE(SnapshotEnabled(10000));
    }
    bool SnapshotEnabled(DWORD timeoutMs)
    {
        return WaitFor([&] { return IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_SNAPSHOT)) != FALSE; },
                       timeoutMs);
    }
    // The record button pressed, and the countdown over (the elapsed time shows).
    void StartRecording()
    {
        scene::Click(GetDlgItem(m_preview, IDC_PREVIEW_RECORD));
        ASSERT_TRUE(
            WaitFor([&] { return IsWindowVisible(GetDlgItem(m_preview, IDC_PREVIEW_ELAPSED)) != FALSE; }, 15000));
    }
    void SendToBar(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutW(m_quillo.Bar(), message, wParam, lParam, SMTO_NORMAL, 20000, &answer), 0);
    }
    // ffprobe's word on a recording: its streams and length, or what went wrong.
    static std::string Probe(const std::wstring& file)
    {
        return e2e::RunOnHost("ffprobe -v error -show_entries stream=codec_type -show_entries format=duration "
                              "-of default \"" +
                              e2e::HostPath(file) + "\"");
    }
    static void ExpectPlayable(const std::wstring& file)
    {
        ASSERT_TRUE(Exists(file));
        const std::string probe = Probe(file);
        EXPECT_NE(probe.find("codec_type=video"), std::string::npos) << probe;
        EXPECT_NE(probe.find("codec_type=audio"), std::string::npos) << probe;
        const size_t duration = probe.find("duration=");
        ASSERT_NE(duration, std::string::npos) << probe;
        EXPECT_GT(std::atof(probe.c_str() + duration + 9), 1.5) << probe;
    }

    HWND m_preview = nullptr;
};

TEST_F(SessionEvents, SuspendEndsTheRecordingWholeAndClosesEverythingButTheBar)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPreview());
    m_quillo.Command(IDC_BAR_PROPERTY);
    ASSERT_NE(m_quillo.Window(L"Properties"), nullptr);
    m_quillo.Command(IDC_BAR_SETTING);
    ASSERT_NE(m_quillo.Window(L"Setting"), nullptr);
    ASSERT_NO_FATAL_FAILURE(StartRecording());
    Sleep(3000); // the length of the recording itself

    ASSERT_NO_FATAL_FAILURE(SendToBar(WM_POWERBROADCAST, PBT_APMSUSPEND, 0));
    EXPECT_TRUE(m_quillo.WindowGone(L"Properties"));
    EXPECT_TRUE(m_quillo.WindowGone(L"Setting"));
    EXPECT_TRUE(m_quillo.WindowGone(L"Quillo"));
    ExpectPlayable(e2e::SceneVideos() + L"AVI0000.avi");

    ASSERT_NO_FATAL_FAILURE(SendToBar(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0));
    EXPECT_TRUE(IsWindowVisible(m_quillo.Bar()));
    // Nothing comes back with the resume.
    EXPECT_FALSE(WaitFor([&] { return e2e::VisibleWindows(m_quillo.Pid()).size() > 1; }, 2000));
}

TEST_F(SessionEvents, ASessionChangeTurnsTheSensorUprightAndClearsTheChoice)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPreview(L"veyra7670"));
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    m_quillo.Command(IDC_BAR_PROPERTY);
    HWND dialog = m_quillo.Window(L"Properties");
    ASSERT_NE(dialog, nullptr);
    HWND options = scene::Page(dialog, IDC_OPT_MIRROR);
    HWND mirror = scene::Control(options, IDC_OPT_MIRROR), flip = scene::Control(options, IDC_OPT_FLIP);
    scene::Click(mirror);
    scene::Click(flip);
    ASSERT_TRUE(WaitFor(
        [] { return SimDump().find("mirror=1") != std::string::npos && SimDump().find("flip=1") != std::string::npos; },
        10000))
        << SimDump();

    ASSERT_NO_FATAL_FAILURE(SendToBar(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1));
    EXPECT_TRUE(WaitFor(
        [] { return SimDump().find("mirror=0") != std::string::npos && SimDump().find("flip=0") != std::string::npos; },
        10000))
        << SimDump();
    EXPECT_EQ(SendMessageW(mirror, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(flip, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(SessionEvents, ADisplayChangeRebuildsThePreviewAndRecordsOnInANewFile)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPreview());
    ASSERT_NO_FATAL_FAILURE(StartRecording());
    Sleep(3000);

    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ASSERT_NO_FATAL_FAILURE(SendToBar(WM_DISPLAYCHANGE, 32, size));
    HWND rebuilt = m_quillo.Window(L"Quillo", 30000);
    ASSERT_NE(rebuilt, nullptr);
    m_preview = rebuilt;
    // The first file is closed whole; the new preview counts down and records into the next one.
    ExpectPlayable(e2e::SceneVideos() + L"AVI0000.avi");
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(m_preview, IDC_PREVIEW_ELAPSED)) != FALSE; }, 15000));
    Sleep(2500);
    scene::Click(GetDlgItem(m_preview, IDC_PREVIEW_RECORD));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_SNAPSHOT)); }, 10000));
    ASSERT_TRUE(SnapshotEnabled(15000));
    ExpectPlayable(e2e::SceneVideos() + L"AVI0001.avi");

    // The bar docks again at its edge.
    RECT bar = {};
    ASSERT_TRUE(GetWindowRect(m_quillo.Bar(), &bar));
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.left, 2 * GetSystemMetrics(SM_CXSCREEN) / 3);
}

TEST_F(SessionEvents, TheSessionsEndStopsARecordingAsACompleteFile)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPreview());
    ASSERT_NO_FATAL_FAILURE(StartRecording());
    Sleep(3000);
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(m_preview, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &answer), 0);
    EXPECT_NE(answer, 0u) << "the preview lets the session end";
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(GetDlgItem(m_preview, IDC_PREVIEW_ELAPSED)); }, 10000));
    ExpectPlayable(e2e::SceneVideos() + L"AVI0000.avi");
}

} // namespace
