// The preview window on screens of three sizes, as the user sees it: the compact window with its picture and
// buttons, the double-click on the picture that enlarges the 1280-wide sizes and brings the compact window back
// (refused where the work area cannot hold the enlarged window), the rounded bottom corners, the picture of
// cameras with and without a 1280x720 mode, and the VGA module's shorter resolution menu.
#include "DialogScene.h"
#include "SimPicture.h"

#include "res/resource.h"
#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using testsupport::WaitFor;

RECT ScreenRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

int Width(const RECT& r)
{
    return r.right - r.left;
}
int Height(const RECT& r)
{
    return r.bottom - r.top;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(Width(r)) + "x" +
           std::to_string(Height(r));
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

DWORD StoredSize()
{
    DWORD size = 99;
    (void)scene::ReadDword(L"Settings\\Picture", L"Size", size);
    return size;
}

// The work area of the screen's only monitor.
RECT WorkArea()
{
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The lowest row of the picture in which the third colour bar (cyan) shows, plus one, over the picture's
// height: the share of the picture the bars take. The test picture draws its bars over its top three
// quarters, so a whole frame gives 0.75; a 1280x800 frame cut to 1280x720, 40 rows off the top and bottom, gives
// 560 / 720.
double BarsShare(const e2e::Image& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return 0;
    const int x = picture.width * 5 / 16; // the centre of the third of eight bars
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint32_t p = picture.At(x, y);
        const int r = (p >> 16) & 0xFF, b = p & 0xFF;
        if (b - r > 80)
            return static_cast<double>(y + 1) / picture.height;
    }
    return 0;
}

// A plain green top-level window of the test, under the preview's bottom corners, so that what the preview's
// shape leaves out shows as green on screen.
class Backdrop
{
public:
    static constexpr uint32_t kColour = 0x00FF00;

    explicit Backdrop(const RECT& area)
    {
        static const ATOM registered = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = CreateSolidBrush(RGB(0, 255, 0));
            wc.lpszClassName = L"QuilloSceneBackdrop";
            return RegisterClassW(&wc);
        }();
        if (!registered)
            return;
        m_window = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuilloSceneBackdrop", L"", WS_POPUP, area.left, area.top,
                                   Width(area), Height(area), nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (m_window)
            ShowWindow(m_window, SW_SHOWNOACTIVATE);
    }
    ~Backdrop()
    {
        if (m_window)
            DestroyWindow(m_window);
    }
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;
    HWND Window() const { return m_window; }
    // Lets the window paint itself.
    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

private:
    HWND m_window = nullptr;
};

// What every screen size's scene shares: Quillo started with its preview at a stored size, the preview's
// controls, the double-click on the picture and the resolution menus.
class PreviewWindowScene : public scene::SceneTest
{
protected:
    // Starts Quillo with the preview at the resolution state, stored as the picture "Size" before the start.
    void StartAt(DWORD state)
    {
        ASSERT_TRUE(scene::WriteDword(L"Settings\\Picture", L"Size", state));
        ASSERT_TRUE(m_quillo.Start(true));
        m_started = true;
        m_preview = m_quillo.Window(L"Quillo", 30000);
        ASSERT_NE(m_preview, nullptr);
        ASSERT_TRUE(PictureShows());
    }
    HWND Item(UINT id) const { return GetDlgItem(m_preview, id); }
    // A control's rectangle relative to the preview window's top left corner.
    RECT InWindow(UINT id) const
    {
        RECT r = ScreenRect(Item(id));
        const RECT w = ScreenRect(m_preview);
        OffsetRect(&r, -w.left, -w.top);
        return r;
    }
    bool PictureShows()
    {
        std::string why;
        const bool shows = WaitFor(
            [&] {
                HWND video = e2e::PreviewVideoWindow(m_preview);
                return video && e2e::ShowsBars(e2e::CaptureWindow(video), false, &why);
            },
            15000, 100);
        if (!shows)
            ADD_FAILURE() << why;
        return shows;
    }
    bool Moved(const RECT& before) const
    {
        const RECT now = ScreenRect(m_preview);
        return !EqualRect(&before, &now);
    }
    bool WindowIs(int width, int height) const
    {
        const RECT r = ScreenRect(m_preview);
        return Width(r) == width && Height(r) == height;
    }
    // Two presses of the real left button on the middle of the picture.
    void DoubleClickPicture() const
    {
        const RECT video = ScreenRect(Item(IDC_PREVIEW_VIDEO));
        const int x = (video.left + video.right) / 2, y = (video.top + video.bottom) / 2;
        ASSERT_TRUE(scene::Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) +
                                   L" sleep 0.2 click --repeat 2 --delay 120 1"));
    }
    // Chooses a size from the resolution menu as its command; the rebuilt preview shows its picture again.
    void Choose(UINT item)
    {
        SendMessageW(m_preview, WM_COMMAND, MAKEWPARAM(item, 0), 0);
        ASSERT_TRUE(PictureShows());
    }

    // Opens the resolution menu as its button does, moves down it with the arrow key `downs` times from no
    // selection and takes the item with Enter.
    void PickFromResolutionMenu(int downs)
    {
        scene::Click(Item(IDC_PREVIEW_RESOLUTION));
        HWND menu = e2e::WaitForWindow(L"#32768", nullptr, 5000, m_quillo.Pid());
        ASSERT_NE(menu, nullptr) << "no menu";
        for (int i = 0; i < downs; ++i) {
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menu, WM_KEYUP, VK_DOWN, 0xC0000001);
        }
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(menu, WM_KEYUP, VK_RETURN, 0xC0000001);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 5000)) << "the menu stays open";
    }

    // The enlarged window: centred in the work area, only the two title buttons left, the picture over its
    // width.
    void ExpectEnlarged(int width, int height) const
    {
        const RECT window = ScreenRect(m_preview);
        const RECT work = WorkArea();
        EXPECT_EQ(window.left, work.left + (Width(work) - width) / 2) << Describe(window);
        EXPECT_EQ(window.top, work.top + (Height(work) - height) / 2) << Describe(window);
        for (UINT id : {IDC_PREVIEW_SNAPSHOT, IDC_PREVIEW_RECORD, IDC_PREVIEW_FUNCTION, IDC_PREVIEW_RESOLUTION,
                        IDC_PREVIEW_RES_LABEL})
            EXPECT_FALSE(IsWindowVisible(Item(id))) << "control " << id << " still shows";
        ExpectTitleButtonsAtTheTopRight();
        const RECT video = InWindow(IDC_PREVIEW_VIDEO);
        EXPECT_TRUE(Inside(video, {0, 0, width, height})) << Describe(video);
        EXPECT_GT(Width(video), 640) << "the picture is not larger: " << Describe(video);
        HWND renderer = e2e::PreviewVideoWindow(m_preview);
        ASSERT_NE(renderer, nullptr);
        EXPECT_EQ(Width(ScreenRect(renderer)), width) << "the picture takes the window's width";
    }
    // The video area's rows above and below a picture lower than the area: black throughout, as beside any
    // picture that does not fill its screen.
    bool BandsBesideThePictureAreBlack(std::string* why) const
    {
        const RECT area = ScreenRect(Item(IDC_PREVIEW_VIDEO));
        const RECT picture = ScreenRect(e2e::PreviewVideoWindow(m_preview));
        for (const RECT& band : {RECT{area.left, area.top, area.right, picture.top},
                                 RECT{area.left, picture.bottom, area.right, area.bottom}}) {
            const e2e::Image shot = e2e::CaptureScreen(band);
            if (shot.pixels.empty()) {
                *why = "no band beside the picture " + Describe(picture) + " in the area " + Describe(area);
                return false;
            }
            for (size_t i = 0; i < shot.pixels.size(); ++i) {
                const uint32_t p = shot.pixels[i];
                if (((p >> 16) & 0xFF) > 40 || ((p >> 8) & 0xFF) > 40 || (p & 0xFF) > 40) {
                    *why = "the band " + Describe(band) + " has colour " + std::to_string(p) + " at " +
                           std::to_string(i % shot.width) + "," + std::to_string(i / shot.width);
                    return false;
                }
            }
        }
        return true;
    }
    // The compact window: every button shows inside it, above and below the picture.
    void ExpectCompact(int width, int height) const
    {
        EXPECT_TRUE(WindowIs(width, height)) << Describe(ScreenRect(m_preview));
        const RECT window = {0, 0, width, height};
        const RECT video = InWindow(IDC_PREVIEW_VIDEO);
        for (UINT id : {IDC_PREVIEW_SNAPSHOT, IDC_PREVIEW_RECORD, IDC_PREVIEW_FUNCTION, IDC_PREVIEW_CLOSE,
                        IDC_PREVIEW_MINIMIZE}) {
            EXPECT_TRUE(IsWindowVisible(Item(id))) << "control " << id;
            EXPECT_TRUE(Inside(InWindow(id), window)) << "control " << id << ": " << Describe(InWindow(id));
            EXPECT_LE(InWindow(id).bottom, video.top) << "control " << id << " is not above the picture";
        }
        for (UINT id : {IDC_PREVIEW_RESOLUTION, IDC_PREVIEW_RES_LABEL}) {
            EXPECT_TRUE(IsWindowVisible(Item(id))) << "control " << id;
            EXPECT_TRUE(Inside(InWindow(id), window)) << "control " << id << ": " << Describe(InWindow(id));
            EXPECT_GE(InWindow(id).top, video.bottom) << "control " << id << " is not below the picture";
        }
        ExpectTitleButtonsAtTheTopRight();
    }
    void ExpectTitleButtonsAtTheTopRight() const
    {
        const RECT window = ScreenRect(m_preview);
        const RECT close = InWindow(IDC_PREVIEW_CLOSE), minimize = InWindow(IDC_PREVIEW_MINIMIZE);
        EXPECT_TRUE(IsWindowVisible(Item(IDC_PREVIEW_CLOSE)));
        EXPECT_TRUE(IsWindowVisible(Item(IDC_PREVIEW_MINIMIZE)));
        EXPECT_EQ(close.top, 8);
        EXPECT_EQ(minimize.top, 8);
        EXPECT_LE(minimize.right, close.left) << "minimise left of close";
        EXPECT_GE(close.left, Width(window) - 45) << Describe(close) << " in a window " << Width(window) << " wide";
        EXPECT_LE(close.right, Width(window) - 4) << Describe(close) << " in a window " << Width(window) << " wide";
    }
    // The compact picture fills the video area's width at the frame's proportions, centred in its height.
    void ExpectPictureFillsTheAreaAt(int frameWidth, int frameHeight) const
    {
        HWND renderer = e2e::PreviewVideoWindow(m_preview);
        ASSERT_NE(renderer, nullptr);
        const RECT picture = ScreenRect(renderer), area = ScreenRect(Item(IDC_PREVIEW_VIDEO));
        EXPECT_EQ(picture.left, area.left);
        EXPECT_EQ(Width(picture), Width(area));
        EXPECT_NEAR(Height(picture), Width(area) * frameHeight / frameWidth, 1) << Describe(picture);
        EXPECT_NEAR(picture.top - area.top, (Height(area) - Height(picture)) / 2, 1)
            << "picture " << Describe(picture) << " in the area " << Describe(area);
    }
    // The seven rounded rows under the body of a window `width` wide whose body ends at row `bodyBottom`: the
    // corner pixels outside the shape show what is behind the window, those inside the frame.
    void ExpectRoundedBottomCorners(int bodyBottom)
    {
        const RECT window = ScreenRect(m_preview);
        const int width = Width(window);
        ASSERT_EQ(Height(window), bodyBottom + 7);
        // Behind the window: a backdrop, and the preview moved onto it and above it.
        const RECT area = {100, 100, 100 + width + 40, 100 + Height(window) + 40};
        Backdrop backdrop(area);
        ASSERT_NE(backdrop.Window(), nullptr);
        SetWindowPos(m_preview, HWND_TOP, 120, 120, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        const int left = 120, top = 120;
        struct Spot
        {
            int x, y;
            bool inside;
        };
        const int h = bodyBottom;
        // The body's last row is square; the rounded rows below it start one pixel in at the right, then one
        // and two in at the left and right, down to six in at each side in the last row.
        const Spot spots[] = {{0, h - 1, true},          {width - 1, h - 1, true},  {0, h, true},
                              {width - 1, h, false},     {0, h + 1, false},         {1, h + 1, true},
                              {width - 2, h + 2, false}, {width - 3, h + 2, true},  {5, h + 6, false},
                              {6, h + 6, true},          {width - 6, h + 6, false}, {width - 7, h + 6, true}};
        std::string seen;
        const bool right = WaitFor(
            [&] {
                Backdrop::Pump();
                const e2e::Image shot = e2e::CaptureScreen({left, top, left + width, top + h + 7});
                if (shot.width != width)
                    return false;
                seen.clear();
                bool all = true;
                for (const Spot& s : spots) {
                    const bool green = shot.At(s.x, s.y) == Backdrop::kColour;
                    if (green == s.inside) {
                        all = false;
                        seen += " (" + std::to_string(s.x) + "," + std::to_string(s.y) + ")" +
                                (s.inside ? " shows the backdrop" : " hides the backdrop");
                    }
                }
                return all;
            },
            5000, 100);
        EXPECT_TRUE(right) << seen;
    }

    HWND m_preview = nullptr;
};

// --- A screen of normal height, large enough for every enlarged layout.

class PreviewWindow1920x1080 : public PreviewWindowScene
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ScreenIs(1920, 1080));
        PreviewWindowScene::SetUp();
    }
};

TEST_F(PreviewWindow1920x1080, TheCompactWindowHoldsThePictureWithTheButtonsAboveAndBelow)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(1));
    ExpectCompact(663, 610);
    const RECT video = InWindow(IDC_PREVIEW_VIDEO);
    EXPECT_EQ(video.left, 11);
    EXPECT_EQ(video.top, 92);
    EXPECT_EQ(Width(video), 640);
    EXPECT_EQ(Height(video), 480);
    ExpectPictureFillsTheAreaAt(640, 480);
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X800));
    ExpectPictureFillsTheAreaAt(1280, 800);
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X1024));
    ExpectPictureFillsTheAreaAt(1280, 1024);
}

TEST_F(PreviewWindow1920x1080, TheBottomCornersAreRounded)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(1));
    ExpectRoundedBottomCorners(603);
}

TEST_F(PreviewWindow1920x1080, ADoubleClickEnlargesTheWideSizesAndASecondOneBringsTheCompactWindowBack)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(2));
    ExpectPictureFillsTheAreaAt(1280, 720);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(1134, 726); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectEnlarged(1134, 726);
    EXPECT_TRUE(PictureShows());
    std::string why;
    EXPECT_TRUE(WaitFor([&] { return BandsBesideThePictureAreBlack(&why); }, 3000)) << why;

    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(663, 610); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectCompact(663, 610);
    const RECT window = ScreenRect(m_preview), work = WorkArea();
    EXPECT_EQ(window.left, work.left + (Width(work) - 663) / 2) << "the compact window comes back centred";
    ExpectPictureFillsTheAreaAt(1280, 720);

    // 1280x1024 has its own, narrower enlarged window.
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X1024));
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(888, 727); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectEnlarged(888, 727);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    EXPECT_TRUE(WaitFor([&] { return WindowIs(663, 610); }, 5000)) << Describe(ScreenRect(m_preview));
}

TEST_F(PreviewWindow1920x1080, ADoubleClickAt640x480ChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(1));
    const RECT before = ScreenRect(m_preview);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    EXPECT_FALSE(WaitFor([&] { return Moved(before); }, 1500)) << Describe(ScreenRect(m_preview));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_PREVIEW_SNAPSHOT)));
}

// The frame that reaches the renderer is the one a snapshot saves; the share of the picture the colour bars
// take tells a whole frame from a cut one.
struct CameraCase
{
    const char* name;
    bool has720;
    double barsShare;
};

class PreviewWindow1920x1080Cameras : public PreviewWindow1920x1080, public ::testing::WithParamInterface<CameraCase>
{
};

TEST_P(PreviewWindow1920x1080Cameras, TheWideSizeReachesTheRendererAsA720RowFrame)
{
    ASSERT_TRUE(testsupport::SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(testsupport::SimctlOk(GetParam().has720 ? L"set 0 has720 1" : L"set 0 has720 0"));
    ASSERT_TRUE(scene::WriteDword(L"Settings\\Picture", L"ExportFile", 0)); // BMP
    ASSERT_NO_FATAL_FAILURE(StartAt(2));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Item(IDC_PREVIEW_SNAPSHOT)) != FALSE; }, 15000));
    PostMessageW(m_preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_SNAPSHOT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_PREVIEW_SNAPSHOT)));
    e2e::BmpSize frame;
    EXPECT_TRUE(WaitFor([&] { return (frame = e2e::SizeOfBmp(e2e::ScenePictures() + L"IMG0000.bmp")).width; }, 10000));
    EXPECT_EQ(frame.width, 1280);
    EXPECT_EQ(frame.height, 720);

    ExpectPictureFillsTheAreaAt(1280, 720);
    HWND renderer = e2e::PreviewVideoWindow(m_preview);
    ASSERT_NE(renderer, nullptr);
    double share = 0;
    EXPECT_TRUE(WaitFor(
        [&] { return std::abs((share = BarsShare(e2e::CaptureWindow(renderer))) - GetParam().barsShare) < 0.01; },
        5000))
        << "the bars take " << share << " of the picture's height";
}

INSTANTIATE_TEST_SUITE_P(, PreviewWindow1920x1080Cameras,
                         ::testing::Values(CameraCase{"WithA720RowMode", true, 0.75},
                                           // 1280x800 asked from the camera, 40 rows cut above and below by the scaler
                                           CameraCase{"WithoutA720RowMode", false, 560.0 / 720}),
                         [](const ::testing::TestParamInfo<CameraCase>& info) { return std::string(info.param.name); });

// --- A screen below 768 lines: the small frame set.

class PreviewWindow1280x720 : public PreviewWindowScene
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ScreenIs(1280, 720));
        PreviewWindowScene::SetUp();
    }
};

TEST_F(PreviewWindow1280x720, TheSmallCompactWindowHoldsThePictureWithTheButtonsAboveAndBelow)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(1));
    ExpectCompact(594, 559);
    const RECT video = InWindow(IDC_PREVIEW_VIDEO);
    EXPECT_EQ(Width(video), 572);
    EXPECT_EQ(Height(video), 429);
    ExpectPictureFillsTheAreaAt(640, 480);
}

TEST_F(PreviewWindow1280x720, TheBottomCornersAreRounded)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(1));
    ExpectRoundedBottomCorners(552);
}

TEST_F(PreviewWindow1280x720, ADoubleClickEnlargesToTheSmallScreensWindowsAndBack)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(3));
    ExpectPictureFillsTheAreaAt(1280, 800);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(888, 569); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectEnlarged(888, 569);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(594, 559); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectCompact(594, 559);

    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X1024));
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(695, 569); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectEnlarged(695, 569);
}

// --- A screen of normal height too narrow for the enlarged 1280x720 window.

class PreviewWindow1024x768 : public PreviewWindowScene
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ScreenIs(1024, 768));
        PreviewWindowScene::SetUp();
    }
};

TEST_F(PreviewWindow1024x768, TheEnlargedWideWindowIsRefusedAndTheTallOneFits)
{
    ASSERT_NO_FATAL_FAILURE(StartAt(2));
    ExpectCompact(663, 610);
    const RECT before = ScreenRect(m_preview);
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    EXPECT_FALSE(WaitFor([&] { return Moved(before); }, 1500))
        << "the window became " << Describe(ScreenRect(m_preview));
    ExpectCompact(663, 610);
    ExpectPictureFillsTheAreaAt(1280, 720);

    // The enlarged 1280x1024 window (888x727) fits: the refusal above is the screen's width.
    ASSERT_NO_FATAL_FAILURE(Choose(ID_RES_1280X1024));
    ASSERT_NO_FATAL_FAILURE(DoubleClickPicture());
    ASSERT_TRUE(WaitFor([&] { return WindowIs(888, 727); }, 5000)) << Describe(ScreenRect(m_preview));
    ExpectEnlarged(888, 727);
}

// The VGA module's menu: the second item is 640X480 and a third step down wraps to the first, 320X240; a
// menu of four would give 1280X800 there.
TEST_F(PreviewWindow1024x768, TheVgaModulesResolutionMenuOffersOnlyTwoSizes)
{
    ASSERT_TRUE(testsupport::SimctlOk(L"reset veyra7670"));
    ASSERT_NO_FATAL_FAILURE(StartAt(0));
    ASSERT_NO_FATAL_FAILURE(PickFromResolutionMenu(2));
    EXPECT_TRUE(WaitFor([] { return StoredSize() == 1u; }, 10000)) << "Size " << StoredSize();
    ASSERT_TRUE(PictureShows());
    ASSERT_NO_FATAL_FAILURE(PickFromResolutionMenu(3));
    EXPECT_TRUE(WaitFor([] { return StoredSize() == 0u; }, 10000)) << "Size " << StoredSize();
}

} // namespace
