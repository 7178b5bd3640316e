// The skinned controls on a dialog on screen, driven by the real mouse: which picture the user sees when
// the mouse is over a control, when it is pressed, and how the toolbar buttons animate; the clock label;
// the slider drawn over its parent's background.
#include "UiTestSupport.h"
#include "ui_test_resource.h"

#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "res/resource.h"
#include "ui/ImageTextButton.h"
#include "ui/Label.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyCheckButton.h"
#include "ui/ORRIN_BARBtn.h"
#include "ui/SliderCtrlEx.h"
#include "ui/TransparentHelper.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>

using namespace uitest;

namespace {

constexpr int kCell = 24; // every picture is 24 x 24

class ControlsDialog : public fx::Dialog
{
public:
    ControlsDialog() : Dialog(IDD_UI_CONTROLS) {}

    MyBitmapButton record, close;
    MyCheckButton mirror, flip;
    CImageTextButton twoPictures, threePictures;
    CORRIN_BARBtn menu, camera;
    CLabel elapsed;
    CSliderCtrlEx slider;
    int emptyHitTests = 0; // WM_NCHITTEST with both parameters 0

    // The picture the dialog hands its see-through children as background.
    void SetBackground(COLORREF colour)
    {
        const RECT client = GetClientRect();
        fx::Brush brush;
        brush.CreateSolid(colour);
        FillRect(m_backgroundDc, &client, brush);
    }

protected:
    BOOL OnInitDialog() override
    {
        const struct
        {
            fx::Wnd* control;
            UINT id;
            RECT r;
        } layout[] = {
            {&record, IDC_PREVIEW_RECORD, {10, 10, 34, 34}},
            {&close, IDC_PREVIEW_CLOSE, {44, 10, 68, 34}},
            {&mirror, IDC_OPT_MIRROR, {78, 10, 102, 34}},
            {&flip, IDC_OPT_FLIP, {112, 10, 136, 34}},
            {&twoPictures, IDC_PROP_DEFAULT, {146, 10, 170, 34}},
            {&threePictures, IDC_PROP_OK, {180, 10, 204, 34}},
            {&menu, IDC_BAR_MENU, {214, 10, 238, 34}},
            {&camera, IDC_BAR_CAMERA, {248, 10, 272, 34}},
            {&elapsed, IDC_PREVIEW_ELAPSED, {10, 50, 130, 74}},
            {&slider, IDC_IMG_BRIGHTNESS, {10, 90, 210, 114}},
        };
        for (const auto& item : layout) {
            if (!item.control->SubclassDlgItem(item.id, Hwnd()))
                return FALSE;
            item.control->MoveWindow(item.r.left, item.r.top, item.r.right - item.r.left, item.r.bottom - item.r.top);
        }
        fx::ClientDC screen(nullptr);
        const RECT client = GetClientRect();
        if (!m_background.CreateCompatible(screen, client.right, client.bottom))
            return FALSE;
        m_backgroundSelection = SelectObject(m_backgroundDc, m_background);
        SetBackground(RGB(40, 80, 160));
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCHITTEST && wParam == 0 && lParam == 0)
            ++emptyHitTests;
        if (message == WM_DESTROY && m_backgroundSelection)
            SelectObject(m_backgroundDc, m_backgroundSelection);
        return fx::Dialog::WindowProc(message, wParam, lParam);
    }
    LRESULT OnGetBackground(WPARAM dc, LPARAM child)
    {
        return CTransparentHelper::CopyParentBackground(reinterpret_cast<HWND>(child), reinterpret_cast<HDC>(dc),
                                                        m_backgroundDc);
    }
    FX_DECLARE_MESSAGE_MAP()

private:
    fx::MemoryDC m_backgroundDc;
    fx::Bitmap m_background;
    HGDIOBJ m_backgroundSelection = nullptr;
};

FX_BEGIN_MESSAGE_MAP(ControlsDialog, fx::Dialog)
FX_ON_MESSAGE(CTransparentHelper::kGetBackgroundMessage, OnGetBackground)
FX_END_MESSAGE_MAP()

class SkinnedControls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MoveMouseAway();
        ASSERT_TRUE(dialog.Create());
        dialog.SetWindowPos(HWND_TOPMOST, 100, 100, 300, 140, SWP_SHOWWINDOW);
        dialog.UpdateWindow();
    }
    void TearDown() override
    {
        ReleaseLeftButton();
        MoveMouseAway();
        dialog.DestroyWindow();
    }

    // Moves the mouse over `control`, then over `witness`, and waits until `witness` shows `witnessColour`:
    // by then every move over `control` has been handled.
    void PassOver(HWND control, HWND witness, COLORREF witnessColour)
    {
        MoveMouseOver(control);
        MoveMouseOver(witness);
        ASSERT_TRUE(PumpUntil([&] { return Shown(witness) == witnessColour; })) << std::hex << Shown(witness);
    }

    ControlsDialog dialog;
};

TEST_F(SkinnedControls, RecordButtonShowsNoHoverPictureWhileLocked)
{
    dialog.record.LoadBitmaps(IDB_PREVIEW_RECORD);
    dialog.close.LoadBitmaps(IDB_CLOSE);
    dialog.record.SetLock(true);
    dialog.record.Invalidate();
    dialog.close.Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.record) == kRed && Shown(dialog.close) == kRed; }));

    PassOver(dialog.record, dialog.close, kGreen);
    EXPECT_EQ(Shown(dialog.record), kRed);
    EXPECT_FALSE(dialog.record.IsHovered());

    // Unlocked, the same move shows the hover picture; the owner puts the normal one back.
    dialog.record.SetLock(false);
    MoveMouseOver(dialog.record);
    EXPECT_TRUE(PumpUntil([&] { return Shown(dialog.record) == kGreen; }));
    PressLeftButton();
    EXPECT_TRUE(PumpUntil([&] { return Shown(dialog.record) == kBlue; }));
    ReleaseLeftButton();
    EXPECT_TRUE(dialog.record.RestoreNormal(IDB_PREVIEW_RECORD));
    EXPECT_TRUE(PumpUntil([&] { return Shown(dialog.record) == kRed; }));
    EXPECT_FALSE(dialog.record.RestoreNormal(IDB_PREVIEW_RECORD));
}

TEST_F(SkinnedControls, CheckedBoxKeepsItsPictureUnderTheMouse)
{
    dialog.mirror.LoadBitmaps(IDB_CHECK_ON);
    dialog.mirror.bSelected = 1;
    dialog.flip.LoadBitmaps(IDB_CHECK_OFF);
    dialog.mirror.Invalidate();
    dialog.flip.Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.mirror) == kYellow && Shown(dialog.flip) == kRed; }));

    // The unchecked box beside it shows its hover picture, which proves the moves arrived.
    PassOver(dialog.mirror, dialog.flip, kGreen);
    EXPECT_EQ(Shown(dialog.mirror), kYellow);
    EXPECT_EQ(dialog.mirror.bHover, 0);
    EXPECT_EQ(dialog.flip.bHover, 1);
}

struct PictureButtonCase
{
    int pictures;
    COLORREF hover; // what the button shows under the mouse
};

class ImageTextButtonPictures : public SkinnedControls, public ::testing::WithParamInterface<PictureButtonCase>
{
};

TEST_P(ImageTextButtonPictures, ShowTheirHoverAndPressedPictures)
{
    CImageTextButton& button = GetParam().pictures == 3 ? dialog.threePictures : dialog.twoPictures;
    ASSERT_TRUE(button.SetBitmaps(IDB_BUTTON, IDB_BUTTON_PRESSED, GetParam().pictures == 3 ? IDB_BUTTON_HOVER : 0));
    ASSERT_EQ(button.PictureCount(), GetParam().pictures);
    button.Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return Shown(button) == kRed; }));

    MoveMouseOver(button);
    ASSERT_TRUE(PumpUntil([&] { return button.IsHovered(); }));
    button.UpdateWindow();
    EXPECT_TRUE(PumpUntil([&] { return Shown(button) == GetParam().hover; })) << std::hex << Shown(button);
    PressLeftButton();
    EXPECT_TRUE(PumpUntil([&] { return Shown(button) == kBlue; })) << std::hex << Shown(button);
}

INSTANTIATE_TEST_SUITE_P(Counts, ImageTextButtonPictures,
                         ::testing::Values(PictureButtonCase{2, kRed}, PictureButtonCase{3, kGreen}));

TEST_F(SkinnedControls, TwoFrameToolbarButtonShowsFrameZeroThenFrameOneAfter100MsAndStops)
{
    ASSERT_EQ(dialog.menu.LoadFrames(IDB_BAR_MENU_H0, IDB_BAR_MENU_H1, 0, 0, 0), 2);
    dialog.menu.Invalidate(false);
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.menu) == kRed; }));

    // Frame 1 comes 100 ms after the hover draw, which follows this moment (10 ms left for the timer's
    // granularity).
    const DWORD beforeHover = GetTickCount();
    MoveMouseOver(dialog.menu);
    ASSERT_TRUE(PumpUntil([&] { return dialog.menu.IsHovered(); }));
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.menu) == kGreen; }, 2000));
    EXPECT_GE(GetTickCount() - beforeHover, 90u);
    // Frame 1 stays: the animation has stopped and its timer is gone.
    EXPECT_TRUE(HoldsFor([&] { return Shown(dialog.menu) == kGreen; }, 400));
    EXPECT_EQ(CORRIN_BARBtn::SharedFrameIndex(), 0);
    EXPECT_FALSE(KillTimer(dialog.menu, CORRIN_BARBtn::kAnimationTimer));
}

TEST_F(SkinnedControls, PressingAToolbarButtonStopsItsAnimationOnFrameZero)
{
    ASSERT_EQ(dialog.camera.LoadFrames(IDB_BAR_CAMERA_H0, IDB_BAR_CAMERA_H1, IDB_BAR_CAMERA_H2, IDB_BAR_CAMERA_H3,
                                       IDB_BAR_CAMERA_H4),
              5);
    dialog.camera.Invalidate(false);
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.camera) == kRed; }));

    MoveMouseOver(dialog.camera);
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.camera) == kGreen; })); // frame 1: it plays
    PressLeftButton();
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.camera) == kRed; }));
    // The three frames left would take 300 ms; none comes.
    EXPECT_TRUE(HoldsFor([&] { return Shown(dialog.camera) == kRed; }, 500));
}

TEST_F(SkinnedControls, ToolbarButtonOfASlidOutBarTellsTheBarAndStaysOnFrameZero)
{
    ASSERT_EQ(dialog.menu.LoadFrames(IDB_BAR_MENU_H0, IDB_BAR_MENU_H1, 0, 0, 0), 2);
    dialog.menu.SetBarHidden(true);
    dialog.menu.Invalidate(false);
    ASSERT_TRUE(PumpUntil([&] { return Shown(dialog.menu) == kRed; }));

    MoveMouseOver(dialog.menu);
    ASSERT_TRUE(PumpUntil([&] { return dialog.emptyHitTests > 0; }));
    EXPECT_TRUE(HoldsFor([&] { return Shown(dialog.menu) == kRed && !dialog.menu.IsHovered(); }, 300));
}

std::uint32_t g_fakeTicks = 0;
std::uint32_t FakeTicks()
{
    return g_fakeTicks;
}

TEST_F(SkinnedControls, ClockShowsOneHourAfterAnHourAndGivesBackItsTextWhenStopped)
{
    g_fakeTicks = 500000;
    dialog.elapsed.SetTickSource(&FakeTicks);
    ASSERT_EQ(dialog.elapsed.GetWindowText(), L"Ready");
    dialog.elapsed.RunClock(true);
    // Until the first tick the label keeps its text.
    EXPECT_EQ(dialog.elapsed.GetWindowText(), L"Ready");
    g_fakeTicks += 60 * 60 * 1000;
    EXPECT_TRUE(PumpUntil([&] { return dialog.elapsed.GetWindowText() == L"01:00:00"; }))
        << dialog.elapsed.GetWindowText().c_str();
    dialog.elapsed.RunClock(false);
    EXPECT_EQ(dialog.elapsed.GetWindowText(), L"Ready");
    // No tick changes it any more.
    g_fakeTicks += 5000;
    EXPECT_TRUE(HoldsFor([&] { return dialog.elapsed.GetWindowText() == L"Ready"; }, 1200));
}

TEST_F(SkinnedControls, SliderShowsItsPicturesOverTheParentsBackgroundAndFollowsARefresh)
{
    ASSERT_TRUE(dialog.slider.HasPictures());
    dialog.slider.SetRange(0, 100);
    dialog.slider.SetPos(0);
    dialog.slider.Invalidate();
    const RECT thumb = dialog.slider.GetThumbRect();
    const RECT client = dialog.slider.GetClientRect();
    const int x = client.right - 20; // right of the thumb
    const COLORREF background = RGB(40, 80, 160);
    // Magenta rows of the channel picture show the background; its middle rows the groove.
    EXPECT_TRUE(PumpUntil([&] {
        return ShownAt(dialog.slider, x, 2) == background && ShownAt(dialog.slider, x, client.bottom / 2) == kCyan &&
               ShownAt(dialog.slider, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2) == kYellow;
    })) << std::hex
        << ShownAt(dialog.slider, x, 2) << " " << ShownAt(dialog.slider, x, client.bottom / 2) << " "
        << ShownAt(dialog.slider, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);

    const COLORREF changed = RGB(200, 120, 40);
    dialog.SetBackground(changed);
    CTransparentHelper::RefreshTransparentChildren(dialog);
    EXPECT_TRUE(PumpUntil([&] { return ShownAt(dialog.slider, x, 2) == changed; }))
        << std::hex << ShownAt(dialog.slider, x, 2);
}

TEST_F(SkinnedControls, TooltipShowsTheLatestText)
{
    EXPECT_EQ(dialog.camera.TooltipText(), L"");
    dialog.camera.SetTooltipText(L"Start Camera");
    dialog.camera.SetTooltipText(L"Camera");
    EXPECT_EQ(dialog.camera.TooltipText(), L"Camera");
}

} // namespace
