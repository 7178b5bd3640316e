// The Properties dialog as the user meets it, on simulated cameras of the chip families: what its sliders show
// with and without the preview, a slider that acts on the live camera and what Cancel, Apply and OK make of it,
// mirror through the sensor and through the scaler (a KT4B camera's again after a recording, only with the helper's
// window), the power line through the camera's processing node, and Default with the preview closed.
#include "DialogScene.h"
#include "SimPicture.h"

#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

using scene::ReadCamera;
using scene::SimDump;
using scene::Slider;
using scene::SliderState;
using testsupport::WaitFor;

constexpr wchar_t kImage[] = L"Properties\\Image";

// The sliders and the camera properties they drive (the dialog's documented table).
struct SliderOfProperty
{
    UINT slider, valueLabel, nameLabel;
    int property;
    const wchar_t* name;
};
constexpr SliderOfProperty kSliders[6] = {
    {IDC_IMG_BRIGHTNESS, IDC_IMG_BRIGHTNESS_VALUE, IDC_IMG_BRIGHTNESS_NAME, 0, L"Brightness"},
    {IDC_IMG_CONTRAST, IDC_IMG_CONTRAST_VALUE, IDC_IMG_CONTRAST_NAME, 1, L"Contrast"},
    {IDC_IMG_GAMMA, IDC_IMG_GAMMA_VALUE, IDC_IMG_GAMMA_NAME, 5, L"Gamma"},
    {IDC_IMG_HUE, IDC_IMG_HUE_VALUE, IDC_IMG_HUE_NAME, 2, L"Hue"},
    {IDC_IMG_SATURATION, IDC_IMG_SATURATION_VALUE, IDC_IMG_SATURATION_NAME, 3, L"Saturation"},
    {IDC_IMG_SHARPNESS, IDC_IMG_SHARPNESS_VALUE, IDC_IMG_SHARPNESS_NAME, 4, L"Sharpness"},
};

// Pixels of a label on screen: grey text (0x41 each channel) or white text.
struct LabelInk
{
    int grey = 0, white = 0;
};
LabelInk InkOf(HWND label)
{
    RECT r = {};
    GetWindowRect(label, &r);
    const e2e::Image image = e2e::CaptureScreen(r);
    LabelInk ink;
    for (uint32_t p : image.pixels) {
        const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
        if (std::abs(red - 0x41) <= 20 && std::abs(green - 0x41) <= 20 && std::abs(blue - 0x41) <= 20)
            ++ink.grey;
        if (red > 200 && green > 200 && blue > 200)
            ++ink.white;
    }
    return ink;
}

class PropertiesDialog : public scene::SceneTest
{
protected:
    // The scene (the scene's user with the bar on screen) with the camera and the user's image settings (the saved
    // values, "Set", the power line), then Quillo with or without its preview, and the Properties dialog.
    void Open(const wchar_t* profile, bool preview, const wchar_t* const saved[6], DWORD imageSet, DWORD powerLine)
    {
        ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + profile));
        for (int i = 0; i < 6; ++i) {
            ASSERT_TRUE(scene::WriteText(kImage, kSliders[i].name, saved[i]));
        }
        ASSERT_TRUE(scene::WriteDword(kImage, L"Set", imageSet));
        ASSERT_TRUE(scene::WriteDword(L"Properties\\Options", L"PowerlineFrequency", powerLine));
        ASSERT_TRUE(scene::WriteDword(L"Properties\\Options", L"DefaultFrequency", powerLine == 2 ? 1 : 0));
        ASSERT_TRUE(m_quillo.Start(preview));
        m_started = true;
        if (preview) {
            ASSERT_NE(m_quillo.Window(L"Quillo", 30000), nullptr);
        }
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
    }
    void OpenDialog()
    {
        m_quillo.Command(IDC_BAR_PROPERTY);
        m_dialog = m_quillo.Window(L"Properties");
        ASSERT_NE(m_dialog, nullptr);
        m_options = scene::Page(m_dialog, IDC_OPT_MIRROR);
        m_image = scene::Page(m_dialog, IDC_IMG_BRIGHTNESS);
        ASSERT_NE(m_options, nullptr);
        ASSERT_NE(m_image, nullptr);
    }
    // Alt+I from a control of the dialog: the image page shows.
    void ShowImagePage()
    {
        scene::AltKey(scene::Control(m_dialog, IDC_PROP_OK), 'I');
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_image) && !IsWindowVisible(m_options); }, 5000));
        EXPECT_FALSE(IsWindowEnabled(scene::Control(m_dialog, IDC_PROP_TAB_IMAGE))) << "the chosen tab is disabled";
    }
    // The button pressed, and the dialog gone.
    void CloseWith(UINT button)
    {
        scene::Click(scene::Control(m_dialog, button));
        ASSERT_TRUE(m_quillo.WindowGone(L"Properties"));
    }
    HWND SliderOf(int index) const { return scene::Control(m_image, kSliders[index].slider); }
    std::wstring Saved(int index) const
    {
        std::wstring text;
        scene::ReadText(kImage, kSliders[index].name, text);
        return text;
    }

    HWND m_dialog = nullptr, m_options = nullptr, m_image = nullptr;
};

const wchar_t* const kSaved[6] = {L"-20", L"30", L"300", L"5", L"70", L"4"};

// What a family shows with the preview closed, by the documents: brightness and gamma as range and position.
struct ClosedCase
{
    const wchar_t* profile;
    bool familyKnown;
    SliderState brightness, gamma;
};

class ClosedPreview : public PropertiesDialog, public ::testing::WithParamInterface<ClosedCase>
{
};

TEST_P(ClosedPreview, SlidersShowTheFamilysValuesDisabledWithGreyLabels)
{
    const ClosedCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open(c.profile, false, kSaved, 0, 1));
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(Slider(SliderOf(i)).enabled) << i;
    }
    const SliderState brightness = Slider(SliderOf(0)), gamma = Slider(SliderOf(2));
    if (c.familyKnown) {
        EXPECT_EQ(brightness.minimum, c.brightness.minimum);
        EXPECT_EQ(brightness.maximum, c.brightness.maximum);
        EXPECT_EQ(brightness.position, c.brightness.position);
        EXPECT_EQ(gamma.minimum, c.gamma.minimum);
        EXPECT_EQ(gamma.maximum, c.gamma.maximum);
        EXPECT_EQ(gamma.position, c.gamma.position);
        EXPECT_EQ(scene::Text(scene::Control(m_image, IDC_IMG_BRIGHTNESS_VALUE)),
                  std::to_wstring(c.brightness.position) + L" ");
    } else {
        // Nothing is known of the family: the sliders keep the trackbar's own range, not a saved value.
        EXPECT_EQ(brightness.minimum, 0);
        EXPECT_EQ(brightness.maximum, 100);
        EXPECT_EQ(brightness.position, 0);
    }
    LabelInk name;
    EXPECT_TRUE(WaitFor(
        [&] {
            name = InkOf(scene::Control(m_image, IDC_IMG_BRIGHTNESS_NAME));
            return name.grey > 0 && name.white == 0;
        },
        5000))
        << "the name is written in grey: " << name.grey << " grey and " << name.white << " white pixels";
}

INSTANTIATE_TEST_SUITE_P(Families, ClosedPreview,
                         ::testing::Values(
                             // Sonix shows the saved values even before an apply.
                             ClosedCase{L"sonix", true, {-64, 64, -20, false}, {72, 500, 300, false}},
                             ClosedCase{L"veyra7670", true, {0, 100, 50, false}, {1, 20, 18, false}},
                             ClosedCase{L"veyra9665", true, {0, 255, 118, false}, {1, 10, 8, false}},
                             ClosedCase{L"sunplus", true, {0, 255, 128, false}, {90, 150, 120, false}},
                             ClosedCase{L"alcor", false, {}, {}}),
                         [](const ::testing::TestParamInfo<ClosedCase>& info) {
                             return std::string(info.param.profile, info.param.profile + wcslen(info.param.profile));
                         });

class OpenPreview : public PropertiesDialog, public ::testing::WithParamInterface<const wchar_t*>
{
};

TEST_P(OpenPreview, SlidersShowTheCamerasOwnRangesAndValuesWithWhiteLabels)
{
    ASSERT_NO_FATAL_FAILURE(Open(GetParam(), true, kSaved, 1, 1));
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());
    for (int i = 0; i < 6; ++i) {
        const SliderState slider = Slider(SliderOf(i));
        const scene::CameraValue camera = ReadCamera(kSliders[i].property);
        EXPECT_TRUE(slider.enabled) << i;
        EXPECT_EQ(slider.minimum, camera.minimum) << i;
        EXPECT_EQ(slider.maximum, camera.maximum) << i;
        EXPECT_EQ(slider.position, camera.value) << i;
    }
    LabelInk name;
    EXPECT_TRUE(WaitFor(
        [&] {
            name = InkOf(scene::Control(m_image, IDC_IMG_BRIGHTNESS_NAME));
            return name.white > 0 && name.grey == 0;
        },
        5000))
        << "the name is written in white: " << name.grey << " grey and " << name.white << " white pixels";
}

INSTANTIATE_TEST_SUITE_P(Families, OpenPreview, ::testing::Values(L"sonix", L"veyra9665", L"sunplus", L"alcor"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.param, info.param + wcslen(info.param));
                         });

TEST_F(PropertiesDialog, AMovedSliderActsAtOnceCancelPutsItBackApplyAndOkKeepIt)
{
    const wchar_t* const saved[6] = {L"118", L"36", L"8", L"0", L"78", L"2"};
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", true, saved, 1, 1));
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());

    // A real drag of the brightness thumb to the right.
    HWND brightness = SliderOf(0);
    const RECT thumb = scene::SliderThumbOnScreen(brightness, m_quillo.Pid());
    ASSERT_GT(thumb.right, thumb.left);
    const POINT from = {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ASSERT_TRUE(scene::Xdotool(L"mousemove " + std::to_wstring(from.x) + L" " + std::to_wstring(from.y) +
                               L" mousedown 1 mousemove " + std::to_wstring(from.x + 20) + L" " +
                               std::to_wstring(from.y) + L" sleep 0.2 mousemove " + std::to_wstring(from.x + 50) +
                               L" " + std::to_wstring(from.y) + L" sleep 0.2 mouseup 1"));
    EXPECT_TRUE(WaitFor([&] { return ReadCamera(0).value > 118; }, 5000)) << "the camera follows the drag";
    EXPECT_EQ(Slider(brightness).position, ReadCamera(0).value);
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_CANCEL));
    EXPECT_EQ(ReadCamera(0).value, 118) << "Cancel puts the camera back";
    EXPECT_EQ(Saved(0), L"118");

    // Moved by the program (position and scroll notice), applied, then cancelled: Apply's value stays.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());
    scene::MoveSlider(SliderOf(1), 90);
    ASSERT_TRUE(WaitFor([&] { return ReadCamera(1).value == 90; }, 5000));
    scene::Click(scene::Control(m_dialog, IDC_PROP_APPLY));
    ASSERT_TRUE(WaitFor([&] { return Saved(1) == L"90"; }, 5000)) << "Apply stores the value";
    DWORD set = 0;
    EXPECT_TRUE(scene::ReadDword(kImage, L"Set", set) && set == 1);
    // The toolbar's Property button again closes the dialog as Cancel does.
    m_quillo.Command(IDC_BAR_PROPERTY);
    ASSERT_TRUE(m_quillo.WindowGone(L"Properties"));
    EXPECT_EQ(ReadCamera(1).value, 90) << "Cancel after Apply keeps what Apply stored";
    EXPECT_EQ(Saved(1), L"90");

    // OK stores the moved value.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());
    scene::MoveSlider(SliderOf(4), 200);
    ASSERT_TRUE(WaitFor([&] { return ReadCamera(3).value == 200; }, 5000));
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_OK));
    EXPECT_EQ(Saved(4), L"200");
    EXPECT_EQ(ReadCamera(3).value, 200);
}

// The sensor families: mirror and flip reach the sensor through the helper, Cancel turns it back.
class SensorFamily : public PropertiesDialog, public ::testing::WithParamInterface<const wchar_t*>
{
};

TEST_P(SensorFamily, MirrorAndFlipReachTheSensorThroughTheHelperAndCancelTurnsItBack)
{
    // The camera's own image values (nothing applied yet), so that the bars show their plain colours.
    ASSERT_NO_FATAL_FAILURE(Open(GetParam(), true, kSaved, 0, 2));
    ASSERT_NE(SimDump().find("mirror=0"), std::string::npos);
    HWND video = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (video = e2e::PreviewVideoWindow(m_quillo.Window(L"Quillo"))) != nullptr; }, 15000));
    // The dialog may cover part of the picture: it moves aside first.
    SetWindowPos(m_dialog, nullptr, 900, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    std::string why;
    scene::Click(scene::Control(m_options, IDC_OPT_MIRROR));
    EXPECT_TRUE(WaitFor([] { return SimDump().find("mirror=1 flip=0") != std::string::npos; }, 10000)) << SimDump();
    // The camera's next frames on screen are mirrored.
    EXPECT_TRUE(WaitFor([&] { return e2e::ShowsBars(e2e::CaptureWindow(video), true, &why); }, 10000)) << why;
    scene::Click(scene::Control(m_options, IDC_OPT_FLIP));
    EXPECT_TRUE(WaitFor([] { return SimDump().find("mirror=1 flip=1") != std::string::npos; }, 10000)) << SimDump();
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_CANCEL));
    EXPECT_TRUE(WaitFor([] { return SimDump().find("mirror=0 flip=0") != std::string::npos; }, 10000))
        << "Cancel turns the sensor back: " << SimDump();
    EXPECT_TRUE(WaitFor([&] { return e2e::ShowsBars(e2e::CaptureWindow(video), false, &why); }, 10000)) << why;
}

// Sonix; a VGA and a larger Brindle module; Sunplus.
INSTANTIATE_TEST_SUITE_P(Families, SensorFamily, ::testing::Values(L"sonix", L"veyra7670", L"veyra9665", L"sunplus"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.param, info.param + wcslen(info.param));
                         });

TEST_F(PropertiesDialog, AHelperHungInTheVendorLibraryLeavesTheToolbarAnswering)
{
    testsupport::AddedFile ini(e2e::InstallDir() + L"\\vistrel.ini");
    testsupport::AddedFile log(e2e::InstallDir() + L"\\vistrel.log");
    DeleteFileW(log.Path().c_str());
    ASSERT_TRUE(ini.Write("[DEBUG]\r\nLOG_LEVEL=3\r\n"));
    ASSERT_NO_FATAL_FAILURE(Open(L"sonix", true, kSaved, 1, 2));
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    // The Sonix sensor library hangs for eight seconds on its next write, longer than the program waits for the helper.
    ASSERT_TRUE(testsupport::SimctlOk(L"stall 0 8000"));
    scene::Click(scene::Control(m_options, IDC_OPT_MIRROR));
    // A second command after the wait is handled: the Setting dialog opens.
    m_quillo.Command(IDC_BAR_SETTING);
    EXPECT_NE(m_quillo.Window(L"Setting", 20000), nullptr);
    ASSERT_TRUE(testsupport::SimctlOk(L"stall 0 0"));
    // The hung write ends and reaches the sensor after all.
    EXPECT_TRUE(WaitFor([] { return SimDump().find("mirror=1") != std::string::npos; }, 15000));
    // Ended here, so that its log can be read whole and removed.
    m_started = false;
    EXPECT_TRUE(m_quillo.Exit());
    EXPECT_NE(testsupport::ReadWholeFile(log.Path()).find("not answered"), std::string::npos);
}

TEST_F(PropertiesDialog, MirrorReachesTheScalerOfAnAlcorCamera)
{
    // The camera's own image values (nothing applied yet), so that the bars show their plain colours.
    ASSERT_NO_FATAL_FAILURE(Open(L"alcor", true, kSaved, 0, 1));
    HWND preview = m_quillo.Window(L"Quillo");
    ASSERT_NE(preview, nullptr);
    HWND video = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (video = e2e::PreviewVideoWindow(preview)) != nullptr; }, 15000));
    // The dialog may cover part of the picture: it moves aside first.
    SetWindowPos(m_dialog, nullptr, 900, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    std::string why;
    ASSERT_TRUE(WaitFor([&] { return e2e::ShowsBars(e2e::CaptureWindow(video), false, &why); }, 10000)) << why;
    scene::Click(scene::Control(m_options, IDC_OPT_MIRROR));
    EXPECT_TRUE(WaitFor([&] { return e2e::ShowsBars(e2e::CaptureWindow(video), true, &why); }, 10000)) << why;
    EXPECT_NE(SimDump().find("mirror=0"), std::string::npos) << "the camera itself is not turned";
    // A snapshot is mirrored too: the black bar at the left, the white one at the right (red of two points, as
    // ImageMagick on the host reads the picture).
    HWND snap = GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(snap) != FALSE; }, 10000));
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_SNAPSHOT, BN_CLICKED), reinterpret_cast<LPARAM>(snap));
    const std::string folder = e2e::HostPath(e2e::ScenePictures());
    std::string reds;
    EXPECT_TRUE(WaitFor(
        [&] {
            reds = e2e::RunOnHost("f=$(ls \"" + folder +
                                  "\"/IMG0000.* 2>/dev/null) && [ -n \"$f\" ] && convert \"$f\" "
                                  "-format '%[fx:int(255*p{40,200}.r)] %[fx:int(255*p{600,200}.r)]' info:");
            int left = -1, right = -1;
            return std::sscanf(reds.c_str(), "%d %d", &left, &right) == 2 && left < 60 && right > 200;
        },
        15000, 500))
        << reds;
}

// A Sunplus KT4B camera turns its picture in the scaler, but only while the helper's window is there: after the
// preview is rebuilt at a recording's end, the chosen mirror comes back with the helper and stays off without it.
class Kt4bAfterRecording : public PropertiesDialog, public ::testing::WithParamInterface<bool>
{
};

TEST_P(Kt4bAfterRecording, TheRebuiltPreviewIsMirroredOnlyWithTheHelpersWindow)
{
    const bool helperThere = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open(L"kt4b", true, kSaved, 0, 1));
    HWND preview = m_quillo.Window(L"Quillo");
    ASSERT_NE(preview, nullptr);
    SetWindowPos(m_dialog, nullptr, 900, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tessel") != nullptr; }, 15000));
    HWND video = nullptr;
    std::string why;
    const auto shows = [&](bool mirrored) {
        return WaitFor(
            [&] {
                video = e2e::PreviewVideoWindow(preview);
                return video && e2e::ShowsBars(e2e::CaptureWindow(video), mirrored, &why);
            },
            10000);
    };
    ASSERT_TRUE(shows(false)) << why;
    scene::Click(scene::Control(m_options, IDC_OPT_MIRROR));
    ASSERT_TRUE(shows(true)) << why;
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_OK));
    EXPECT_NE(SimDump().find("mirror=0"), std::string::npos) << "the camera itself is not turned";
    if (!helperThere) {
        e2e::KillAll(L"Tessel.exe");
        ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
    }

    // A short recording, then the preview graph is rebuilt: the snapshot button goes off with the old graph and
    // comes back two seconds into the new one.
    HWND record = GetDlgItem(preview, IDC_PREVIEW_RECORD), snapshot = GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT);
    const auto press = [&] {
        PostMessageW(preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_RECORD, BN_CLICKED), reinterpret_cast<LPARAM>(record));
    };
    press();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(preview, IDC_PREVIEW_ELAPSED)) != FALSE; }, 15000));
    press();
    ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(snapshot); }, 10000));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(snapshot) != FALSE; }, 15000));
    EXPECT_TRUE(shows(helperThere)) << why;
    EXPECT_FALSE(e2e::ShowsBars(e2e::CaptureWindow(video), !helperThere));
}

INSTANTIATE_TEST_SUITE_P(Helper, Kt4bAfterRecording, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "Running" : "Absent");
});

TEST_F(PropertiesDialog, SixtyHertzReachesTheProcessingNodeAndCancelPutsFiftyBack)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", true, kSaved, 1, 1));
    ASSERT_TRUE(WaitFor([] { return ReadCamera(13).value == 1; }, 10000)) << "the preview matched 50 Hz";
    scene::Click(scene::Control(m_options, IDC_OPT_60HZ));
    EXPECT_TRUE(WaitFor([] { return ReadCamera(13).value == 2; }, 5000));
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_CANCEL));
    EXPECT_EQ(ReadCamera(13).value, 1);
    DWORD stored = 0;
    EXPECT_TRUE(scene::ReadDword(L"Properties\\Options", L"PowerlineFrequency", stored) && stored == 1);
}

TEST_F(PropertiesDialog, DefaultWithThePreviewClosedChangesNoSliderButResetsThePowerLine)
{
    // A camera that is not a VGA module: its default is 50 Hz; the user had chosen 60 Hz.
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false, kSaved, 1, 2));
    ASSERT_NO_FATAL_FAILURE(ShowImagePage());
    SliderState before[6];
    for (int i = 0; i < 6; ++i)
        before[i] = Slider(SliderOf(i));
    scene::Click(scene::Control(m_dialog, IDC_PROP_DEFAULT));
    scene::AltKey(scene::Control(m_dialog, IDC_PROP_OK), 'O');
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_options) && !IsWindowVisible(m_image); }, 5000));
    for (int i = 0; i < 6; ++i) {
        const SliderState after = Slider(SliderOf(i));
        EXPECT_EQ(after.position, before[i].position) << i;
        EXPECT_EQ(after.minimum, before[i].minimum) << i;
        EXPECT_EQ(after.maximum, before[i].maximum) << i;
    }
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_PROP_OK));
    DWORD stored = 0;
    EXPECT_TRUE(scene::ReadDword(L"Properties\\Options", L"PowerlineFrequency", stored));
    EXPECT_EQ(stored, 1u) << "Default chose 50 Hz, and OK stored it";
    EXPECT_EQ(Saved(0), L"-20") << "without a live camera the image values are not stored";
}

} // namespace
