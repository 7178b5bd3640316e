// Control wrappers on a dialog: bitmap button pictures per state (drawn through a reflected
// WM_DRAWITEM into a memory picture), reflected colour, scroll and custom-draw notifications,
// tooltips, lists and menus.
#include "fx/BitmapButton.h"
#include "fx/ComboBox.h"
#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "fx/ListBox.h"
#include "fx/Menu.h"
#include "fx/MessageLoop.h"
#include "fx/SliderCtrl.h"
#include "fx/Static.h"
#include "fx/ToolTipCtrl.h"
#include "fx_test_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

// A static that answers its own colour request.
class ColouredStatic : public fx::Static
{
public:
    ColouredStatic() { brush.CreateSolid(kBlue); }
    fx::Brush brush;
    int requests = 0;

protected:
    HBRUSH CtlColor(HDC dc, UINT)
    {
        ++requests;
        SetBkMode(dc, TRANSPARENT);
        return brush;
    }
    FX_DECLARE_MESSAGE_MAP()
};

FX_BEGIN_MESSAGE_MAP(ColouredStatic, fx::Static)
FX_ON_REFLECT_CTLCOLOR(CtlColor)
FX_END_MESSAGE_MAP()

// A slider that sees its own scroll and custom-draw notifications.
class WatchedSlider : public fx::SliderCtrl
{
public:
    std::vector<UINT> scrolls;
    int customDraws = 0;

protected:
    void HScroll(UINT code, UINT position) { scrolls.push_back(code * 1000 + position); }
    void CustomDraw(NMHDR&, LRESULT& result)
    {
        ++customDraws;
        result = CDRF_DODEFAULT;
    }
    FX_DECLARE_MESSAGE_MAP()
};

FX_BEGIN_MESSAGE_MAP(WatchedSlider, fx::SliderCtrl)
FX_ON_REFLECT_HSCROLL(HScroll)
FX_ON_REFLECT_NOTIFY(NM_CUSTOMDRAW, CustomDraw)
FX_END_MESSAGE_MAP()

class ControlsDialog : public fx::Dialog
{
public:
    ControlsDialog() : Dialog(IDD_FX_CONTROLS) { m_editBrush.CreateSolid(kGreen); }
    fx::BitmapButton picture;
    ColouredStatic label;
    WatchedSlider slider;
    fx::ComboBox combo;
    fx::ListBox list;
    int parentColourRequests = 0;

    HBRUSH EditBrush() const { return m_editBrush; }

protected:
    BOOL OnInitDialog() override
    {
        return picture.SubclassDlgItem(IDC_FX_BITMAPBUTTON, Hwnd()) && label.SubclassDlgItem(IDC_FX_STATIC, Hwnd()) &&
               slider.SubclassDlgItem(IDC_FX_SLIDER, Hwnd()) && combo.SubclassDlgItem(IDC_FX_COMBO, Hwnd()) &&
               list.SubclassDlgItem(IDC_FX_LIST, Hwnd());
    }
    // The parent colours the edit control itself and leaves every other request to the controls.
    HBRUSH OnCtlColor(HDC, HWND control, UINT)
    {
        ++parentColourRequests;
        return control == GetDlgItem(IDC_FX_EDIT) ? m_editBrush.Get() : nullptr;
    }
    FX_DECLARE_MESSAGE_MAP()

private:
    fx::Brush m_editBrush;
};

FX_BEGIN_MESSAGE_MAP(ControlsDialog, fx::Dialog)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_END_MESSAGE_MAP()

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        ASSERT_EQ(fx::Wnd::FromHandle(dialog.GetDlgItem(IDC_FX_BITMAPBUTTON)), &dialog.picture);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    // Lets the dialog draw the bitmap button into an 8 x 8 memory picture and returns its centre pixel.
    COLORREF DrawButton(UINT itemState)
    {
        fx::ClientDC screen(nullptr);
        fx::MemoryDC target(screen);
        fx::Bitmap surface;
        EXPECT_TRUE(surface.CreateCompatible(screen, 8, 8));
        fx::SelectObjectGuard selected(target, surface);
        DRAWITEMSTRUCT item = {ODT_BUTTON, IDC_FX_BITMAPBUTTON, 0, ODA_DRAWENTIRE, itemState, dialog.picture.Hwnd(),
                               target,     {0, 0, 8, 8},        0};
        dialog.SendMessage(WM_DRAWITEM, IDC_FX_BITMAPBUTTON, reinterpret_cast<LPARAM>(&item));
        return GetPixel(target, 4, 4);
    }

    ControlsDialog dialog;
};

struct PictureCase
{
    UINT itemState;
    COLORREF expected;
};

class BitmapButtonPictures : public ControlsTest, public ::testing::WithParamInterface<PictureCase>
{
};

TEST_P(BitmapButtonPictures, DrawsThePictureOfItsState)
{
    ASSERT_TRUE(dialog.picture.LoadBitmaps(IDB_FX_RED, IDB_FX_GREEN, IDB_FX_BLUE, IDB_FX_YELLOW));
    EXPECT_EQ(DrawButton(GetParam().itemState), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(States, BitmapButtonPictures,
                         ::testing::Values(PictureCase{0, kRed}, PictureCase{ODS_SELECTED, kGreen},
                                           PictureCase{ODS_FOCUS, kBlue}, PictureCase{ODS_DISABLED, kYellow},
                                           PictureCase{ODS_SELECTED | ODS_FOCUS, kGreen},
                                           PictureCase{ODS_FOCUS | ODS_DISABLED, kBlue}));

TEST_F(ControlsTest, BitmapButtonWithOnlyANormalPictureShowsItInEveryState)
{
    ASSERT_TRUE(dialog.picture.LoadBitmaps(IDB_FX_RED));
    for (UINT state :
         {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_FOCUS), static_cast<UINT>(ODS_DISABLED)})
        EXPECT_EQ(DrawButton(state), kRed) << state;
}

TEST_F(ControlsTest, ReloadingPicturesFreesTheOldOnesAndKeepsWhatLoaded)
{
    ASSERT_TRUE(dialog.picture.LoadBitmaps(IDB_FX_RED, IDB_FX_GREEN));
    HBITMAP oldNormal = dialog.picture.Picture(fx::ButtonPicture::Normal);
    HBITMAP oldPressed = dialog.picture.Picture(fx::ButtonPicture::Pressed);
    // A missing pressed picture is reported; the normal picture that did load is used.
    EXPECT_FALSE(dialog.picture.LoadBitmaps(IDB_FX_BLUE, 4711));
    EXPECT_EQ(GetObjectType(oldNormal), 0u);
    EXPECT_EQ(GetObjectType(oldPressed), 0u);
    EXPECT_EQ(DrawButton(ODS_SELECTED), kBlue);
}

TEST_F(ControlsTest, LoadingPicturesMakesAPlainButtonOwnerDrawn)
{
    fx::BitmapButton plain;
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_FX_RANGE_FIRST, dialog.Hwnd()));
    ASSERT_NE(plain.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    ASSERT_TRUE(plain.LoadBitmaps(IDB_FX_RED));
    EXPECT_EQ(plain.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ControlsTest, ColourRequestReachesTheStaticAfterTheParentPassedIt)
{
    fx::ClientDC dc(dialog.Hwnd());
    const LRESULT staticBrush = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                                   reinterpret_cast<LPARAM>(dialog.label.Hwnd()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(staticBrush), dialog.label.brush.Get());
    EXPECT_EQ(dialog.label.requests, 1);
    const LRESULT editBrush = dialog.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                                                 reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_FX_EDIT)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(editBrush), dialog.EditBrush());
    EXPECT_EQ(dialog.label.requests, 1);
    EXPECT_EQ(dialog.parentColourRequests, 2);
}

TEST_F(ControlsTest, ScrollAndCustomDrawAreReflectedToTheSlider)
{
    dialog.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 30), reinterpret_cast<LPARAM>(dialog.slider.Hwnd()));
    EXPECT_EQ(dialog.slider.scrolls, std::vector<UINT>{TB_THUMBPOSITION * 1000 + 30});
    // The trackbar itself sends NM_CUSTOMDRAW to the dialog when it paints.
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    dialog.slider.Invalidate();
    dialog.slider.UpdateWindow();
    EXPECT_GT(dialog.slider.customDraws, 0);
}

// A position whose number stays the same in a new range (0 from 0..100 to -30..30) is drawn where the new range
// puts it: in the middle, not at the left end where the old range had it.
TEST_F(ControlsTest, SliderThumbFollowsANewRangeThatKeepsThePosition)
{
    dialog.slider.SetRange(0, 100);
    dialog.slider.SetPos(0);
    const RECT channel = dialog.slider.GetChannelRect();
    dialog.slider.SetRange(-30, 30);
    dialog.slider.SetPos(0);
    EXPECT_EQ(dialog.slider.GetPos(), 0);
    const RECT thumb = dialog.slider.GetThumbRect();
    const int middle = (channel.left + channel.right) / 2;
    EXPECT_LE(std::abs((thumb.left + thumb.right) / 2 - middle), 3);
}

TEST_F(ControlsTest, ListsGiveTheirTextsAndNothingForBadIndexes)
{
    for (const wchar_t* size : {L"320 X 240", L"640 X 480"}) {
        dialog.combo.AddString(size);
        dialog.list.AddString(size);
    }
    EXPECT_EQ(dialog.combo.GetCount(), 2);
    EXPECT_EQ(dialog.combo.GetLBText(1), L"640 X 480");
    EXPECT_EQ(dialog.combo.GetLBText(2), L"");
    EXPECT_EQ(dialog.combo.SetCurSel(5), CB_ERR);
    EXPECT_EQ(dialog.list.GetText(0), L"320 X 240");
    EXPECT_EQ(dialog.list.GetText(-1), L"");
    EXPECT_TRUE(dialog.list.SetItemData(1, 77));
    EXPECT_EQ(dialog.list.GetItemData(1), 77);
    EXPECT_FALSE(dialog.list.SetItemData(9, 1));
}

TEST_F(ControlsTest, TooltipKeepsOneToolPerControlWithItsText)
{
    fx::ToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(dialog.Hwnd(), TTS_ALWAYSTIP));
    EXPECT_EQ(tip.GetToolCount(), 0);
    ASSERT_TRUE(tip.AddTool(dialog.picture.Hwnd(), L"Start Camera"));
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_EQ(tip.GetToolText(dialog.picture.Hwnd()), L"Start Camera");
    tip.UpdateTipText(L"Snapshot", dialog.picture.Hwnd());
    EXPECT_EQ(tip.GetToolText(dialog.picture.Hwnd()), L"Snapshot");
    EXPECT_EQ(tip.GetToolText(dialog.label.Hwnd()), L"");
}

TEST(Menu, LoadsWithItsTextsAndFindsItemsByExactText)
{
    fx::Menu menu;
    ASSERT_TRUE(menu.Load(IDM_FX_MENU));
    fx::Menu popup = menu.GetSubMenu(0);
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup.GetItemCount(), 4);
    EXPECT_EQ(popup.GetItemText(ID_FX_ITEM_OPEN), L"&Open");
    EXPECT_EQ(popup.GetItemText(ID_FX_ITEM_LEFT), L"&Left"); // found by command in a nested pop-up
    EXPECT_EQ(popup.FindItemByText(L"Toolbar &Position"), 3);
    EXPECT_EQ(popup.FindItemByText(L"Toolbar &position"), -1);
    EXPECT_EQ(popup.FindItemByText(L"Toolbar"), -1);
    EXPECT_EQ(popup.GetItemId(3), -1);
    EXPECT_EQ(popup.GetItemId(0), ID_FX_ITEM_OPEN);

    fx::Menu position = popup.GetSubMenu(popup.FindItemByText(L"Toolbar &Position"));
    ASSERT_TRUE(position.SetItemText(0, L"Links", MF_BYPOSITION));
    EXPECT_EQ(position.GetItemText(ID_FX_ITEM_LEFT), L"Links");
    EXPECT_EQ(menu.GetItemText(ID_FX_ITEM_LEFT), L"Links"); // the borrowed pop-up is the loaded menu's own
}

TEST(Menu, CheckAndEnableStatesChangeAndMissingItemsAreReported)
{
    fx::Menu menu;
    ASSERT_TRUE(menu.Load(IDM_FX_MENU));
    EXPECT_TRUE(menu.IsItemChecked(ID_FX_ITEM_MIRROR));
    EXPECT_EQ(menu.CheckItem(ID_FX_ITEM_MIRROR, false), static_cast<int>(MF_CHECKED));
    EXPECT_FALSE(menu.IsItemChecked(ID_FX_ITEM_MIRROR));
    menu.CheckItem(ID_FX_ITEM_TOP, true);
    EXPECT_TRUE(menu.IsItemChecked(ID_FX_ITEM_TOP));
    menu.EnableItem(ID_FX_ITEM_OPEN, false);
    EXPECT_FALSE(menu.IsItemEnabled(ID_FX_ITEM_OPEN));
    EXPECT_EQ(menu.CheckItem(4711, true), -1);
    EXPECT_EQ(menu.GetItemText(4711), L"");
    EXPECT_TRUE(menu.DeleteItem(ID_FX_ITEM_TOP));
    EXPECT_EQ(menu.GetItemText(ID_FX_ITEM_TOP), L"");
}

TEST(Menu, MissingResourceLoadsNothing)
{
    fx::Menu menu;
    EXPECT_FALSE(menu.Load(4711));
    EXPECT_FALSE(menu);
    EXPECT_EQ(menu.FindItemByText(L"&Open"), -1);
    EXPECT_FALSE(menu.GetSubMenu(0));
}

} // namespace
