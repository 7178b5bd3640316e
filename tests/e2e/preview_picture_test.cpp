// The live picture in the preview: the simulated camera's bars on screen, the marker moving, and the
// first of two matching cameras in use.
#include "E2eSupport.h"
#include "SimPicture.h"

#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PreviewPicture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override { EXPECT_TRUE(e2e::ResetScene()); }

    // Starts Quillo and waits for its preview's video window; null when it does not come.
    HWND StartAndFindVideo(e2e::Process* quillo)
    {
        *quillo = e2e::Start(L"Quillo.exe", L"");
        HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo->Pid());
        if (!preview)
            return nullptr;
        HWND video = nullptr;
        testsupport::WaitFor([&] { return (video = e2e::PreviewVideoWindow(preview)) != nullptr; }, 10000, 100);
        return video;
    }

    // Captures the video window until it shows the bars (or the time runs out); the last capture.
    static e2e::Image WaitForBars(HWND video, DWORD timeoutMs, std::string* why)
    {
        e2e::Image picture;
        testsupport::WaitFor([&] { return e2e::ShowsBars(picture = e2e::CaptureWindow(video), false, why); }, timeoutMs,
                             100);
        return picture;
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
    testsupport::WaitFor(
        [&] {
            later = e2e::CaptureWindow(video);
            moved = e2e::DifferentShareInRows(first, later, top + 2, bottom - 2, 40);
            return moved >= 0.05;
        },
        5000, 100);
    if (moved < 0.05)
        Keep(later, L"picture_later.bmp");
    EXPECT_GE(moved, 0.05) << "the marker band did not change between captures";
    EXPECT_TRUE(e2e::ShowsBars(later, false, &why)) << why;
    // Above the marker nothing moves: the picture is steady, not noise.
    EXPECT_LT(e2e::DifferentShareInRows(first, later, 0, top - 2, 40), 0.01);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

// The first camera in enumeration order is the one streamed: a busy second camera does not matter,
// a busy first one gives the camera message although the second is free.
TEST_F(PreviewPicture, OfTwoMatchingCamerasTheFirstEnumeratedIsUsed)
{
    ASSERT_TRUE(testsupport::SimctlOk(L"reset veyra9665 sonix"));
    ASSERT_TRUE(testsupport::SimctlOk(L"busy 1 1"));
    {
        e2e::Process quillo;
        HWND video = StartAndFindVideo(&quillo);
        ASSERT_NE(video, nullptr);
        std::string why;
        EXPECT_TRUE(e2e::ShowsBars(WaitForBars(video, 15000, &why), false)) << why;
        ASSERT_TRUE(e2e::ExitQuillo(quillo));
    }
    ASSERT_TRUE(e2e::ResetScene());
    ASSERT_TRUE(testsupport::SimctlOk(L"reset veyra9665 sonix"));
    ASSERT_TRUE(testsupport::SimctlOk(L"busy 0 1"));
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr) << "the free second camera was used instead of the first";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

// Every chip family the program knows streams its picture into the preview.
class PreviewPictureOfEachFamily : public PreviewPicture, public ::testing::WithParamInterface<const wchar_t*>
{
};

TEST_P(PreviewPictureOfEachFamily, ThePictureShows)
{
    ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + GetParam()));
    e2e::Process quillo;
    HWND video = StartAndFindVideo(&quillo);
    ASSERT_NE(video, nullptr);
    std::string why;
    EXPECT_TRUE(e2e::ShowsBars(WaitForBars(video, 15000, &why), false)) << why;
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
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
