// The live picture in the preview: the simulated camera's bars on screen, the marker moving, and the
// first of two matching cameras in use.
#include "E2eSupport.h"
#include "SimPicture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PreviewPicture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(e2e::ResetScene(), 0); }
    void TearDown() override { e2e::ResetScene(); }

    // Starts Quillo and waits for its preview's video window; null when it does not come.
    HWND StartAndFindVideo(e2e::Process* quillo)
    {
        *quillo = e2e::Start(L"Quillo.exe", L"");
        HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo->Pid());
        if (!preview)
            return nullptr;
        HWND video = nullptr;
        for (int i = 0; i < 100 && !video; ++i, Sleep(100))
            video = e2e::PreviewVideoWindow(preview);
        return video;
    }

    // Captures the video window until it shows the bars (or the time runs out); the last capture.
    static e2e::Image WaitForBars(HWND video, DWORD timeoutMs, std::string* why)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            e2e::Image picture = e2e::CaptureWindow(video);
            if (e2e::ShowsBars(picture, false, why) || GetTickCount() - start > timeoutMs)
                return picture;
            Sleep(100);
        }
    }

    static void Keep(const e2e::Image& picture, const wchar_t* name)
    {
        picture.SaveBmp(e2e::InstallDir() + L"\\" + name);
    }
};

TEST_F(PreviewPicture, TheVideoAreaShowsTheCameraPictureWithTheMarkerMoving)
{
    e2e::Process quillo;
    HWND video = StartAndFindVideo(&quillo);
    ASSERT_NE(video, nullptr);
    RECT rect = {};
    ASSERT_TRUE(GetWindowRect(video, &rect));
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);

    std::string why;
    const e2e::Image first = WaitForBars(video, 15000, &why);
    if (!e2e::ShowsBars(first, false))
        Keep(first, L"picture_first.bmp");
    ASSERT_TRUE(e2e::ShowsBars(first, false)) << why;

    // 30 frames a second, 8 pixels a frame: a third of a second moves the marker by about 80 pixels. A
    // loaded machine may draw fewer frames, so later captures get a few seconds to show the move.
    int top = 0, bottom = 0;
    e2e::MarkerRows(first, &top, &bottom);
    e2e::Image later;
    double moved = 0.0;
    for (int attempt = 0; attempt < 10 && moved < 0.05; ++attempt) {
        Sleep(350);
        later = e2e::CaptureWindow(video);
        moved = e2e::DifferentShareInRows(first, later, top + 2, bottom - 2, 40);
    }
    if (moved < 0.05)
        Keep(later, L"picture_later.bmp");
    EXPECT_GE(moved, 0.05) << "the marker band did not change between captures";
    EXPECT_TRUE(e2e::ShowsBars(later, false, &why)) << why;
    // Above the marker nothing moves: the picture is steady, not noise.
    EXPECT_LT(e2e::DifferentShareInRows(first, later, 0, top - 2, 40), 0.01);
}

// The first camera in enumeration order is the one streamed: a busy second camera does not matter,
// a busy first one gives the camera message although the second is free.
TEST_F(PreviewPicture, OfTwoMatchingCamerasTheFirstEnumeratedIsUsed)
{
    ASSERT_EQ(e2e::Simctl(L"reset veyra9665 sonix"), 0);
    ASSERT_EQ(e2e::Simctl(L"busy 1 1"), 0);
    {
        e2e::Process quillo;
        HWND video = StartAndFindVideo(&quillo);
        ASSERT_NE(video, nullptr);
        std::string why;
        EXPECT_TRUE(e2e::ShowsBars(WaitForBars(video, 15000, &why), false)) << why;
    }
    ASSERT_EQ(e2e::ResetScene(), 0);
    ASSERT_EQ(e2e::Simctl(L"reset veyra9665 sonix"), 0);
    ASSERT_EQ(e2e::Simctl(L"busy 0 1"), 0);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr) << "the free second camera was used instead of the first";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Every chip family the program knows streams its picture into the preview.
class PreviewPictureOfEachFamily : public PreviewPicture, public ::testing::WithParamInterface<const wchar_t*>
{
};

TEST_P(PreviewPictureOfEachFamily, ThePictureShows)
{
    ASSERT_EQ(e2e::Simctl(std::wstring(L"reset ") + GetParam()), 0);
    e2e::Process quillo;
    HWND video = StartAndFindVideo(&quillo);
    ASSERT_NE(video, nullptr);
    std::string why;
    EXPECT_TRUE(e2e::ShowsBars(WaitForBars(video, 15000, &why), false)) << why;
}

INSTANTIATE_TEST_SUITE_P(Families, PreviewPictureOfEachFamily,
                         ::testing::Values(L"sonix", L"veyra7670", L"sunplus", L"kt4b", L"alcor"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             std::string name;
                             for (const wchar_t* c = info.param; *c; ++c)
                                 name += static_cast<char>(*c);
                             return name;
                         });

} // namespace
