// The preview's resolution menu as the user meets it: a size chosen rebuilds the picture at that size (a snapshot
// then has it, the label names it, the picture still shows), is stored as the picture "Size", and the record
// button is disabled at the two largest sizes.
#include "DialogScene.h"
#include "SimPicture.h"

#include "res/resource.h"
#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::WaitFor;

class PreviewResolution : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ResetScene());
        ASSERT_TRUE(scene::WriteDword(L"Settings\\Picture", L"ExportFile", 0)); // BMP
        ASSERT_NO_FATAL_FAILURE(StartQuillo());
    }
    void StartQuillo()
    {
        ASSERT_TRUE(m_quillo.Start(true));
        m_started = true;
        m_preview = m_quillo.Window(L"Quillo", 30000);
        ASSERT_NE(m_preview, nullptr);
        ASSERT_TRUE(SnapshotReady());
    }
    void TearDown() override
    {
        if (m_started) {
            EXPECT_TRUE(m_quillo.Exit());
        }
        EXPECT_TRUE(e2e::ResetScene());
    }
    bool SnapshotReady()
    {
        return WaitFor([&] { return IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_SNAPSHOT)) != FALSE; }, 15000);
    }
    // A size from the menu; the rebuilt preview takes snapshots again once its first two seconds are over.
    void Choose(UINT item)
    {
        SendMessageW(m_preview, WM_COMMAND, MAKEWPARAM(item, 0), 0);
        ASSERT_TRUE(SnapshotReady());
    }
    e2e::BmpSize Snap(const std::wstring& name)
    {
        const std::wstring file = e2e::ScenePictures() + name;
        PostMessageW(m_preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_SNAPSHOT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_preview, IDC_PREVIEW_SNAPSHOT)));
        e2e::BmpSize size;
        (void)WaitFor([&] { return (size = e2e::SizeOfBmp(file)).width != 0; }, 10000);
        return size;
    }
    DWORD StoredSize() const
    {
        DWORD size = 99;
        (void)scene::ReadDword(L"Settings\\Picture", L"Size", size);
        return size;
    }

    scene::Quillo m_quillo;
    bool m_started = false;
    HWND m_preview = nullptr;
};

TEST_F(PreviewResolution, AChosenSizeRebuildsThePictureAtThatSizeAndIsStored)
{
    ASSERT_EQ(Snap(L"IMG0000.bmp").width, 640);

    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_320X240));
    EXPECT_EQ(StoredSize(), 0u);
    const e2e::BmpSize small = Snap(L"IMG0001.bmp");
    EXPECT_EQ(small.width, 320);
    EXPECT_EQ(small.height, 240);
    EXPECT_NE(scene::Text(GetDlgItem(m_preview, IDC_PREVIEW_RES_LABEL)).find(L"320"), std::wstring::npos);
    HWND video = e2e::PreviewVideoWindow(m_preview);
    ASSERT_NE(video, nullptr);
    std::string why;
    EXPECT_TRUE(WaitFor([&] { return e2e::ShowsBars(e2e::CaptureWindow(video), false, &why); }, 10000)) << why;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_RECORD)));

    // The two largest sizes cannot be recorded.
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X800));
    EXPECT_EQ(StoredSize(), 3u);
    EXPECT_EQ(Snap(L"IMG0002.bmp").width, 1280);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_RECORD)));

    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_640X480));
    EXPECT_EQ(StoredSize(), 1u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_preview, IDC_PREVIEW_RECORD)));
}

TEST_F(PreviewResolution, AChangeOfSizeTurnsAMirroredPictureUprightAndClearsTheChoice)
{
    // A camera whose picture the scaler turns.
    ASSERT_TRUE(m_quillo.Exit());
    m_started = false;
    ASSERT_TRUE(testsupport::SimctlOk(L"reset alcor"));
    ASSERT_NO_FATAL_FAILURE(StartQuillo());
    m_quillo.Command(IDC_BAR_PROPERTY);
    HWND dialog = m_quillo.Window(L"Properties");
    ASSERT_NE(dialog, nullptr);
    SetWindowPos(dialog, nullptr, 900, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND mirror = scene::Control(scene::Page(dialog, IDC_OPT_MIRROR), IDC_OPT_MIRROR);
    scene::Click(mirror);
    std::string why;
    ASSERT_TRUE(WaitFor(
        [&] { return e2e::ShowsBars(e2e::CaptureWindow(e2e::PreviewVideoWindow(m_preview)), true, &why); }, 10000))
        << why;

    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_320X240));
    EXPECT_EQ(SendMessageW(mirror, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(WaitFor(
        [&] { return e2e::ShowsBars(e2e::CaptureWindow(e2e::PreviewVideoWindow(m_preview)), false, &why); }, 10000))
        << why;
}

// Typed into the preview, Enter leaves it open; Escape closes it like its close button, and a closed preview
// leaves 640x480 stored for the next one whatever size it showed.
TEST_F(PreviewResolution, EnterKeepsThePreviewEscapeClosesItAndLeaves640x480Stored)
{
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X800));
    ASSERT_EQ(StoredSize(), 3u);
    SetForegroundWindow(m_preview);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == m_preview; }, 5000));
    // Without a window manager X gives the keys to the window under the pointer.
    RECT label = {};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(m_preview, IDC_PREVIEW_RES_LABEL), &label));
    ASSERT_TRUE(scene::Xdotool(L"mousemove " + std::to_wstring(label.left + 5) + L" " + std::to_wstring(label.top + 5) +
                               L" sleep 0.2 key Return"));
    EXPECT_FALSE(m_quillo.WindowGone(L"Quillo", 2000)) << "Enter closed the preview";
    EXPECT_EQ(StoredSize(), 3u);

    ASSERT_TRUE(scene::Xdotool(L"key Escape"));
    EXPECT_TRUE(m_quillo.WindowGone(L"Quillo", 10000)) << "Escape left the preview open";
    EXPECT_TRUE(WaitFor([&] { return StoredSize() == 1u; }, 5000)) << "Size " << StoredSize();
}

} // namespace
