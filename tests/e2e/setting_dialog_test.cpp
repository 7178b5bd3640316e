// The Setting dialog as the user meets it: its pages and their controls, the size lists on a VGA module and how
// they follow each other, what OK stores, the bar moved and put back, a folder that cannot be written, the lists
// while recording, Default then Cancel, and a snapshot after choosing PNG and a new folder; the dialogs' titles
// readable on their dark strip.
#include "DialogScene.h"

#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using testsupport::WaitFor;

constexpr wchar_t kOptions[] = L"Settings\\Options";
constexpr wchar_t kPicture[] = L"Settings\\Picture";
constexpr wchar_t kVideo[] = L"Settings\\Video";

DWORD Dword(const wchar_t* subkey, const wchar_t* name)
{
    DWORD value = 0xFFFFFFFF;
    scene::ReadDword(subkey, name, value);
    return value;
}

class SettingDialog : public scene::SceneTest
{
protected:
    // The scene (the scene's user: the bar at the top without auto-hide, the scene's own folders) with the camera
    // and the picture size, Quillo with or without its preview, and the Setting dialog.
    void Open(const wchar_t* profile, bool preview, DWORD size = 1)
    {
        ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + profile));
        ASSERT_TRUE(scene::WriteDword(kPicture, L"Size", size));
        ASSERT_TRUE(scene::WriteDword(kPicture, L"DateStamp", 0));
        ASSERT_TRUE(scene::WriteDword(kPicture, L"ShowImageAfterSnapshot", 0));
        ASSERT_TRUE(scene::WriteDword(kVideo, L"Size", size));
        ASSERT_TRUE(scene::WriteDword(kVideo, L"PlayVideoAfterRecording", 0));
        ASSERT_TRUE(scene::WriteDword(L"Properties\\Image", L"Set", 0));
        ASSERT_TRUE(scene::WriteDword(L"Properties\\Options", L"PowerlineFrequency", 1));
        ASSERT_TRUE(m_quillo.Start(preview));
        m_started = true;
        if (preview) {
            ASSERT_NE(m_preview = m_quillo.Window(L"Quillo", 30000), nullptr);
        }
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
    }
    void OpenDialog()
    {
        m_quillo.Command(IDC_BAR_SETTING);
        m_dialog = m_quillo.Window(L"Setting");
        ASSERT_NE(m_dialog, nullptr);
        m_bar = scene::Page(m_dialog, IDC_BARPOS_LEFT);
        m_picture = scene::Page(m_dialog, IDC_PIC_FORMAT);
        m_video = scene::Page(m_dialog, IDC_VID_PLAY);
        ASSERT_NE(m_bar, nullptr);
        ASSERT_NE(m_picture, nullptr);
        ASSERT_NE(m_video, nullptr);
    }
    // Alt and the tab's letter: its page shows alone.
    void ShowPage(UINT letter, HWND page)
    {
        scene::AltKey(scene::Control(m_dialog, IDC_SET_OK), letter);
        ASSERT_TRUE(WaitFor(
            [&] {
                return IsWindowVisible(page) &&
                       IsWindowVisible(m_bar) + IsWindowVisible(m_picture) + IsWindowVisible(m_video) == 1;
            },
            5000));
    }
    void CloseWith(UINT button)
    {
        scene::Click(scene::Control(m_dialog, button));
        ASSERT_TRUE(m_quillo.WindowGone(L"Setting"));
    }
    RECT BarRect() const
    {
        RECT r = {};
        GetWindowRect(m_quillo.Bar(), &r);
        return r;
    }
    bool BarAt(int left, int top, int width, int height) const
    {
        const RECT r = BarRect();
        return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
    }
    // Dismisses the folder error box of this Quillo; false when none came.
    bool DismissFolderError()
    {
        HWND box = scene::MessageBoxWithText(
            m_quillo.Pid(), L"The folder is forbidden to be accessed, please select another one.", 15000);
        if (!box)
            return false;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return WaitFor([&] { return !IsWindow(box); }, 10000);
    }

    const std::wstring m_pictures = e2e::ScenePictures();
    const std::wstring m_videos = e2e::SceneVideos();
    HWND m_preview = nullptr, m_dialog = nullptr, m_bar = nullptr, m_picture = nullptr, m_video = nullptr;
};

struct Placed
{
    UINT id;
    RECT rect; // left, top, right, bottom in the page
};

// Where the documents put some of each page's controls.
void ExpectPlaced(HWND page, const std::vector<Placed>& controls)
{
    for (const Placed& c : controls) {
        const RECT r = scene::RectIn(scene::Control(page, c.id), page);
        EXPECT_EQ(r.left, c.rect.left) << c.id;
        EXPECT_EQ(r.top, c.rect.top) << c.id;
        EXPECT_EQ(r.right, c.rect.right) << c.id;
        if (c.rect.bottom) {
            EXPECT_EQ(r.bottom, c.rect.bottom) << c.id;
        }
    }
}

TEST_F(SettingDialog, EachPageShowsItsControlsInPlace)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    RECT window = {};
    GetWindowRect(m_dialog, &window);
    EXPECT_EQ(window.right - window.left, 308);
    EXPECT_EQ(window.bottom - window.top, 434);
    const RECT area = scene::RectIn(scene::Control(m_dialog, IDC_SET_PAGES), m_dialog);
    EXPECT_EQ(area.left, 18);
    EXPECT_EQ(area.top, 65);

    ASSERT_NO_FATAL_FAILURE(ShowPage('P', m_picture));
    ExpectPlaced(m_picture, {{IDC_PIC_SIZE, {21, 62, 219, 0}},
                             {IDC_PIC_FORMAT, {21, 120, 219, 0}},
                             {IDC_PIC_PATH, {21, 180, 201, 202}},
                             {IDC_PIC_BROWSE, {210, 176, 256, 206}},
                             {IDC_PIC_DATESTAMP, {24, 218, 41, 235}},
                             {IDC_PIC_SHOWIMAGE, {24, 265, 41, 282}}});
    HWND format = scene::Control(m_picture, IDC_PIC_FORMAT);
    ASSERT_EQ(scene::ComboCount(format), 3) << "the page fills its format list itself";
    EXPECT_EQ(scene::ComboText(format, 2), L"PNG");
    EXPECT_EQ(scene::ComboSelection(format), 1);
    HWND size = scene::Control(m_picture, IDC_PIC_SIZE);
    EXPECT_EQ(scene::ComboCount(size), 4);
    EXPECT_EQ(scene::ComboText(size, 3), L"1280 X 1024");
    EXPECT_EQ(scene::Text(scene::Control(m_picture, IDC_PIC_PATH)), m_pictures);
    EXPECT_FALSE(IsWindowEnabled(scene::Control(m_dialog, IDC_SET_TAB_PICTURE))) << "the chosen tab is disabled";
    EXPECT_TRUE(IsWindowEnabled(scene::Control(m_dialog, IDC_SET_TAB_OPTIONS)));

    ASSERT_NO_FATAL_FAILURE(ShowPage('V', m_video));
    ExpectPlaced(m_video, {{IDC_VID_SIZE, {25, 84, 222, 0}},
                           {IDC_VID_PATH, {25, 134, 205, 156}},
                           {IDC_VID_BROWSE, {210, 130, 256, 160}},
                           {IDC_VID_PLAY, {23, 198, 40, 215}}});
    EXPECT_EQ(scene::ComboCount(scene::Control(m_video, IDC_VID_SIZE)), 2);
    EXPECT_EQ(scene::Text(scene::Control(m_video, IDC_VID_PATH)), m_videos);

    ASSERT_NO_FATAL_FAILURE(ShowPage('O', m_bar));
    ExpectPlaced(m_bar, {{IDC_BARPOS_TOP, {108, 62, 127, 82}},
                         {IDC_BARPOS_LEFT, {108, 118, 127, 138}},
                         {IDC_BARPOS_RIGHT, {108, 176, 127, 196}},
                         {IDC_BARPOS_AUTOHIDE, {32, 237, 49, 254}}});
    // On screen the page shows its own colour around the radios, and the controls stand out from it.
    const RECT top = scene::RectIn(scene::Control(m_bar, IDC_BARPOS_TOP), m_bar);
    int differing = 0;
    uint32_t background = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            const e2e::Image shot = e2e::CaptureWindow(m_bar);
            if (shot.width < 260 || shot.height < 300)
                return false;
            background = shot.At(250, 150);
            differing = 0;
            for (int y = top.top; y < top.bottom; ++y)
                for (int x = top.left; x < top.right; ++x)
                    differing += shot.At(x, y) != background;
            return background == 0x585867u && differing > 50;
        },
        5000))
        << "the page's background " << std::hex << background << ", pixels of the Top radio " << std::dec << differing;
}

TEST_F(SettingDialog, AVgaModuleOffersTwoPictureSizesAndShowsALargeSavedSizeAs640)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra7670", false, 4));
    HWND size = scene::Control(m_picture, IDC_PIC_SIZE);
    ASSERT_EQ(scene::ComboCount(size), 2);
    EXPECT_EQ(scene::ComboText(size, 0), L"320 X 240");
    EXPECT_EQ(scene::ComboText(size, 1), L"640 X 480");
    EXPECT_EQ(scene::ComboSelection(size), 1);
}

TEST_F(SettingDialog, VideoListFollowsThePictureListAndAVideoChoiceAloneIsStored)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    HWND pictureSize = scene::Control(m_picture, IDC_PIC_SIZE);
    HWND videoSize = scene::Control(m_video, IDC_VID_SIZE);
    scene::ChooseComboEntry(pictureSize, 3); // 1280 X 1024
    EXPECT_TRUE(WaitFor([&] { return scene::ComboSelection(videoSize) == 1; }, 5000));
    scene::ChooseComboEntry(pictureSize, 0); // 320 X 240
    EXPECT_TRUE(WaitFor([&] { return scene::ComboSelection(videoSize) == 0; }, 5000));
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_SET_CANCEL));
    EXPECT_EQ(Dword(kPicture, L"Size"), 1u) << "Cancel stores nothing";

    // Only the video list changed, to 320 X 240: OK stores state 0 for pictures and videos.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    videoSize = scene::Control(m_video, IDC_VID_SIZE);
    scene::ChooseComboEntry(videoSize, 0);
    EXPECT_TRUE(WaitFor([&] { return scene::ComboSelection(scene::Control(m_picture, IDC_PIC_SIZE)) == 0; }, 5000));
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_SET_OK));
    EXPECT_EQ(Dword(kPicture, L"Size"), 0u);
    EXPECT_EQ(Dword(kVideo, L"Size"), 0u);
}

TEST_F(SettingDialog, LeftMovesTheBarAtOnceAndCancelMovesItBack)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(BarAt(2 * width / 3, 0, 264, 51));
    scene::Click(scene::Control(m_bar, IDC_BARPOS_LEFT));
    EXPECT_TRUE(WaitFor([&] { return BarAt(0, height / 3, 51, 264); }, 5000)) << "docked at the left edge";
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_SET_CANCEL));
    EXPECT_TRUE(WaitFor([&] { return BarAt(2 * width / 3, 0, 264, 51); }, 5000)) << "back at the top";
    EXPECT_EQ(Dword(kOptions, L"ToolbarPosition"), 1u);
}

TEST_F(SettingDialog, AFolderThatCannotBeWrittenGivesTheFolderErrorAndTheOldFolderStays)
{
    scene::UnwritableFolder locked;
    ASSERT_FALSE(locked.Path().empty());
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    ASSERT_NO_FATAL_FAILURE(ShowPage('P', m_picture));
    HWND path = scene::Control(m_picture, IDC_PIC_PATH);

    // Browse to the locked folder.
    scene::Click(scene::Control(m_picture, IDC_PIC_BROWSE));
    HWND browser = scene::FolderBrowser(m_quillo.Pid(), 15000);
    ASSERT_NE(browser, nullptr);
    std::wstring seen;
    ASSERT_TRUE(scene::ChooseInFolderBrowser(browser, m_quillo.Pid(), locked.TreePath(), &seen))
        << std::string(seen.begin(), seen.end());
    EXPECT_TRUE(DismissFolderError()) << "the folder error on Browse";
    EXPECT_EQ(scene::Text(path), m_pictures) << "the old folder stays on the page";

    // The same folder typed in, then OK: the error again, the rest stored, the dialog closed.
    scene::SetText(path, locked.Path());
    scene::ChooseComboEntry(scene::Control(m_picture, IDC_PIC_FORMAT), 2);
    scene::Click(scene::Control(m_dialog, IDC_SET_OK));
    EXPECT_TRUE(DismissFolderError()) << "the folder error on OK";
    ASSERT_TRUE(m_quillo.WindowGone(L"Setting"));
    std::wstring stored;
    EXPECT_TRUE(scene::ReadText(kPicture, L"My Pictures", stored));
    EXPECT_EQ(stored, m_pictures);
    EXPECT_EQ(Dword(kPicture, L"ExportFile"), 2u) << "the other settings are stored";
}

TEST_F(SettingDialog, SizeListsAreDisabledWhileRecording)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", true));
    HWND pictureSize = scene::Control(m_picture, IDC_PIC_SIZE), videoSize = scene::Control(m_video, IDC_VID_SIZE);
    ASSERT_TRUE(IsWindowEnabled(pictureSize) && IsWindowEnabled(videoSize));
    HWND record = scene::Control(m_preview, IDC_PREVIEW_RECORD);
    // Record is pressed until it takes (a press within 300 ms of the preview's start counts as none).
    EXPECT_TRUE(WaitFor(
        [&] {
            scene::Click(record);
            return WaitFor([&] { return !IsWindowEnabled(pictureSize) && !IsWindowEnabled(videoSize); }, 1000);
        },
        15000));
    // The recording runs (its file is there), then its button stops it (pressed until it takes): the lists can
    // be used again.
    EXPECT_TRUE(WaitFor(
        [&] {
            WIN32_FIND_DATAW found = {};
            HANDLE search = FindFirstFileW((m_videos + L"AVI*.avi").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                return false;
            FindClose(search);
            return true;
        },
        20000));
    EXPECT_FALSE(IsWindowEnabled(pictureSize) || IsWindowEnabled(videoSize)) << "still recording";
    EXPECT_TRUE(WaitFor(
        [&] {
            scene::Click(record);
            return WaitFor([&] { return IsWindowEnabled(pictureSize) && IsWindowEnabled(videoSize); }, 1000);
        },
        20000));
}

TEST_F(SettingDialog, DefaultThenCancelStoresNothingAndPutsTheBarBack)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    const std::vector<std::wstring> before = scene::ProductValues();
    const RECT barBefore = BarRect();
    scene::Click(scene::Control(m_dialog, IDC_SET_DEFAULT));
    HWND path = scene::Control(m_picture, IDC_PIC_PATH);
    ASSERT_TRUE(WaitFor([&] { return scene::Text(path) != m_pictures; }, 5000))
        << "Default shows the user's pictures folder";
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_SET_CANCEL));
    EXPECT_TRUE(WaitFor(
        [&] {
            const RECT r = BarRect();
            return IsWindowVisible(m_quillo.Bar()) && EqualRect(&r, &barBefore);
        },
        5000))
        << "auto-hide is off again and the bar stands where it stood";
    EXPECT_EQ(scene::ProductValues(), before);
}

TEST_F(SettingDialog, ASnapshotAfterChoosingPngAndANewFolderLandsThereAsPng)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", true));
    testsupport::TempFolder chosen(L"quillo-png");
    ASSERT_TRUE(chosen.Ready());
    scene::ChooseComboEntry(scene::Control(m_picture, IDC_PIC_FORMAT), 2);
    scene::SetText(scene::Control(m_picture, IDC_PIC_PATH), chosen.Path());
    ASSERT_NO_FATAL_FAILURE(CloseWith(IDC_SET_OK));
    EXPECT_EQ(Dword(kPicture, L"ExportFile"), 2u);

    // The snapshot button turns back on two seconds after the preview's build.
    HWND snapshot = scene::Control(m_preview, IDC_PREVIEW_SNAPSHOT);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(snapshot) != FALSE; }, 15000));
    scene::Click(snapshot);
    std::wstring written;
    ASSERT_TRUE(WaitFor(
        [&] {
            WIN32_FIND_DATAW found = {};
            HANDLE search = FindFirstFileW((chosen.Path() + L"IMG*.png").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                return false;
            written = chosen.Path() + found.cFileName;
            FindClose(search);
            return true;
        },
        15000));
    HANDLE file = CreateFileW(written.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    unsigned char signature[8] = {};
    DWORD got = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            SetFilePointer(file, 0, nullptr, FILE_BEGIN);
            return ReadFile(file, signature, sizeof signature, &got, nullptr) && got == sizeof signature;
        },
        5000));
    CloseHandle(file);
    const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature, signature + 8, png)) << "a PNG file";
}

// The title's brightest ink against the strip it stands on.
double TitleContrast(HWND dialog, UINT titleId)
{
    const RECT title = scene::RectIn(scene::Control(dialog, titleId), dialog);
    const e2e::Image shot = e2e::CaptureWindow(dialog);
    if (shot.width <= title.right || shot.height <= title.bottom)
        return 0;
    const uint32_t strip = shot.At(title.left + 1, title.top + 1);
    double best = 1.0;
    for (int y = title.top; y < title.bottom; ++y)
        for (int x = title.left; x < title.right; ++x)
            best = std::max(best, scene::ContrastRatio(shot.At(x, y), strip));
    return best;
}

TEST_F(SettingDialog, TitlesAreReadableOnTheDarkStrip)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"veyra9665", false));
    double contrast = 0;
    EXPECT_TRUE(WaitFor([&] { return (contrast = TitleContrast(m_dialog, IDC_SET_TITLE)) >= 4.5; }, 5000)) << contrast;
    m_quillo.Command(IDC_BAR_PROPERTY);
    HWND properties = m_quillo.Window(L"Properties");
    ASSERT_NE(properties, nullptr);
    SetWindowPos(properties, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor([&] { return (contrast = TitleContrast(properties, IDC_PROP_TITLE)) >= 4.5; }, 5000))
        << contrast;
}

} // namespace
