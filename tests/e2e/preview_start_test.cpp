// Starting Quillo with and without "/s", and with no usable camera: which windows and boxes appear.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PreviewStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::KillAll(L"Quillo.exe");
        ASSERT_EQ(e2e::Simctl(L"reset"), 0);
    }
    void TearDown() override
    {
        e2e::KillAll(L"Quillo.exe");
        e2e::KillAll(L"Tessel.exe");
        e2e::Simctl(L"reset");
    }

    // The preview dialog's window (template caption "Quillo") of a process, or null.
    static HWND WaitForPreview(DWORD pid, DWORD timeoutMs) { return e2e::WaitForWindow(nullptr, L"Quillo", timeoutMs, pid); }

    // Text of the static control of a message box.
    static std::wstring BoxText(HWND box)
    {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        return text;
    }
};

TEST_F(PreviewStart, WithSlashSOnlyTheToolbarShows)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 3000), nullptr);
}

TEST_F(PreviewStart, WithoutArgumentThePreviewOpensInItsCompactSize)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    HWND preview = WaitForPreview(quillo.Pid(), 20000);
    ASSERT_NE(preview, nullptr);
    RECT rect = {};
    ASSERT_TRUE(GetWindowRect(preview, &rect));
    const bool small = GetSystemMetrics(SM_CYSCREEN) < 768;
    EXPECT_EQ(rect.right - rect.left, small ? 594 : 663);
    EXPECT_EQ(rect.bottom - rect.top, small ? 559 : 610);
    wchar_t label[32] = {};
    GetDlgItemTextW(preview, 1031, label, 32);
    EXPECT_STREQ(label, L"640 X 480");
}

TEST_F(PreviewStart, AnUnknownCameraGivesTheNoDeviceBoxAndNoPreview)
{
    ASSERT_EQ(e2e::Simctl(L"reset unknown"), 0);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 20000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"No video capture device was detected on your system.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 2000), nullptr);
}

} // namespace
