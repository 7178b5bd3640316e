// Dialogs from templates: modal runs and their results, message-map routing (commands, ranges,
// control and WM_NOTIFY codes, registered messages, chained maps), the WindowProc override, thread
// messages during a modal run, self-destroying modeless dialogs and pages.
#include "fx/App.h"
#include "fx/Button.h"
#include "fx/Dialog.h"
#include "fx/MessageLoop.h"
#include "fx_test_resource.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

UINT g_registeredMessage = 0; // registered at run time by the tests that use it

// Runs the message loop until `done` holds or a second has passed.
template <class Done> bool PumpUntil(Done done)
{
    return testsupport::WaitFor(
        [&] {
            if (done())
                return true;
            fx::PumpWaitingMessages();
            return done();
        },
        1000, 1);
}

class ScriptedDialog : public fx::Dialog
{
public:
    explicit ScriptedDialog(UINT templateId = IDD_FX_MODAL, HWND parent = nullptr) : Dialog(templateId, parent) {}

    std::vector<std::wstring> log;
    std::vector<UINT> rangeIds;
    bool endInInit = false;
    bool quitInInit = false;
    bool ownerEnabledDuringRun = true;
    bool wasShown = false;
    HWND owner = nullptr;

protected:
    BOOL OnInitDialog() override
    {
        log.push_back(L"init");
        if (owner)
            ownerEnabledDuringRun = ::IsWindowEnabled(owner) != FALSE;
        if (endInInit) {
            EndDialog(42);
            return FALSE;
        }
        if (quitInInit) {
            PostQuitMessage(5);
            return TRUE;
        }
        if (!IsModal())
            return TRUE;
        // A real EN_CHANGE from the edit control, then a real click of the Apply button, then OK.
        SetDlgItemTextW(Hwnd(), IDC_FX_EDIT, L"x");
        ::PostMessageW(GetDlgItem(IDC_FX_BUTTON), BM_CLICK, 0, 0);
        PostMessage(WM_COMMAND, IDOK);
        return TRUE;
    }
    void OnOK() override
    {
        log.push_back(L"ok");
        EndDialog(7);
    }
    void OnApply() { log.push_back(L"apply"); }
    void OnEditChange() { log.push_back(L"edit-change"); }
    void OnRange(UINT id) { rangeIds.push_back(id); }
    void OnTabSelChange(NMHDR& header, LRESULT& result)
    {
        log.push_back(L"notify " + std::to_wstring(header.idFrom));
        result = 99;
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
    LRESULT OnShowWindow(WPARAM wParam, LPARAM)
    {
        wasShown = wasShown || wParam != 0;
        return Default();
    }

    FX_DECLARE_MESSAGE_MAP()
};

FX_BEGIN_MESSAGE_MAP(ScriptedDialog, fx::Dialog)
FX_ON_COMMAND(IDC_FX_BUTTON, OnApply)
FX_ON_CONTROL(EN_CHANGE, IDC_FX_EDIT, OnEditChange)
FX_ON_COMMAND_RANGE(IDC_FX_RANGE_FIRST, IDC_FX_RANGE_LAST, OnRange)
FX_ON_NOTIFY(TCN_SELCHANGE, IDC_FX_TAB, OnTabSelChange)
FX_ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
FX_ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
FX_END_MESSAGE_MAP()

TEST(Dialog, ModalRunRoutesRealNotificationsAndClicksAndReturnsTheEndResult)
{
    ScriptedDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"init", L"edit-change", L"apply", L"ok"}));
    EXPECT_TRUE(dialog.wasShown);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(Dialog, EndingInOnInitDialogReturnsAtOnceWithoutShowing)
{
    ScriptedDialog dialog;
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_FALSE(dialog.wasShown);
    EXPECT_EQ(dialog.log, std::vector<std::wstring>{L"init"});
}

TEST(Dialog, CloseBoxEndsWithCancel)
{
    class Closing : public ScriptedDialog
    {
        BOOL OnInitDialog() override
        {
            PostMessage(WM_CLOSE);
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, ModalRunDisablesItsOwnerAndEnablesItAgain)
{
    ScriptedDialog owner(IDD_FX_MODELESS);
    ASSERT_TRUE(owner.Create());
    ScriptedDialog dialog(IDD_FX_MODAL, owner.Hwnd());
    dialog.owner = owner.Hwnd();
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_FALSE(dialog.ownerEnabledDuringRun);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(Dialog, QuitDuringModalRunEndsItAndLeavesQuitForTheOuterLoop)
{
    ScriptedDialog dialog;
    dialog.quitInInit = true;
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST(Dialog, MissingTemplateFailsTheModalRun)
{
    ScriptedDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(dialog.log.empty());
}

class RoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_registeredMessage = RegisterWindowMessageW(L"fx_test registered message");
        ASSERT_TRUE(dialog.Create(IDD_FX_CONTROLS, nullptr));
    }
    void TearDown() override { dialog.DestroyWindow(); }
    LRESULT Command(UINT id, UINT code = 0, HWND control = nullptr)
    {
        return dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    }
    ScriptedDialog dialog;
};

TEST_F(RoutingTest, CommandRangeReachesItsHandlerWithTheIdAndNothingOutsideIt)
{
    for (UINT id : {IDC_FX_RANGE_FIRST - 1u, IDC_FX_RANGE_FIRST + 0u, IDC_FX_RANGE_FIRST + 2u, IDC_FX_RANGE_LAST + 0u,
                    IDC_FX_RANGE_LAST + 1u})
        Command(id);
    // A click of a range button arrives as a control notification with code BN_CLICKED.
    Command(IDC_FX_RANGE_LAST, BN_CLICKED, dialog.GetDlgItem(IDC_FX_RANGE_LAST));
    // Another notification code from the same button is not a command.
    Command(IDC_FX_RANGE_LAST, BN_SETFOCUS, dialog.GetDlgItem(IDC_FX_RANGE_LAST));
    EXPECT_EQ(dialog.rangeIds,
              (std::vector<UINT>{IDC_FX_RANGE_FIRST, IDC_FX_RANGE_FIRST + 2, IDC_FX_RANGE_LAST, IDC_FX_RANGE_LAST}));
}

TEST_F(RoutingTest, ControlNotificationNeedsItsCodeAndItsControlId)
{
    HWND edit = dialog.GetDlgItem(IDC_FX_EDIT);
    Command(IDC_FX_EDIT, EN_SETFOCUS, edit);
    Command(IDC_FX_COMBO, EN_CHANGE, edit);
    EXPECT_EQ(dialog.log, std::vector<std::wstring>{L"init"});
    Command(IDC_FX_EDIT, EN_CHANGE, edit);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"init", L"edit-change"}));
}

TEST_F(RoutingTest, NotifyCodeFromItsControlReachesTheHandlerAndItsResultComesBack)
{
    NMHDR header = {dialog.GetDlgItem(IDC_FX_COMBO), IDC_FX_COMBO, static_cast<UINT>(TCN_SELCHANGE)};
    EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)), 0);
    header.idFrom = IDC_FX_TAB;
    header.code = static_cast<UINT>(TCN_SELCHANGING);
    EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(dialog.log, std::vector<std::wstring>{L"init"});
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)), 99);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"init", L"notify " + std::to_wstring(IDC_FX_TAB)}));
}

TEST_F(RoutingTest, RegisteredMessageReachesItsHandler)
{
    ASSERT_NE(g_registeredMessage, 0u);
    EXPECT_EQ(dialog.SendMessage(g_registeredMessage, 21), 42);
}

TEST(Routing, UnregisteredMessageVariableMatchesNothing)
{
    g_registeredMessage = 0;
    ScriptedDialog dialog(IDD_FX_CONTROLS);
    ASSERT_TRUE(dialog.Create());
    // WM_NULL has the number 0: it must not reach the handler of a message that is not registered yet.
    EXPECT_EQ(dialog.SendMessage(WM_NULL, 21), 0);
    dialog.DestroyWindow();
}

// A derived map chains to its base: its own entries come first, the base's still work.
class DerivedDialog : public ScriptedDialog
{
public:
    DerivedDialog() : ScriptedDialog(IDD_FX_CONTROLS) {}
    std::vector<std::wstring> order;

protected:
    void OnFirstInRange() { order.push_back(L"derived first"); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            order.push_back(L"windowproc " + std::to_wstring(LOWORD(wParam)));
        return ScriptedDialog::WindowProc(message, wParam, lParam);
    }

    FX_DECLARE_MESSAGE_MAP()
};

FX_BEGIN_MESSAGE_MAP(DerivedDialog, ScriptedDialog)
FX_ON_COMMAND(IDC_FX_RANGE_FIRST, OnFirstInRange)
FX_END_MESSAGE_MAP()

TEST(Routing, DerivedMapComesFirstAndChainsToTheBaseAfterWindowProcSawTheMessage)
{
    DerivedDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SendMessage(WM_COMMAND, IDC_FX_RANGE_FIRST);
    dialog.SendMessage(WM_COMMAND, IDC_FX_RANGE_FIRST + 1);
    EXPECT_EQ(dialog.order,
              (std::vector<std::wstring>{L"windowproc " + std::to_wstring(IDC_FX_RANGE_FIRST), L"derived first",
                                         L"windowproc " + std::to_wstring(IDC_FX_RANGE_FIRST + 1)}));
    EXPECT_EQ(dialog.rangeIds, std::vector<UINT>{IDC_FX_RANGE_FIRST + 1});
    dialog.DestroyWindow();
}

// The application object sees thread messages (no window) while a dialog runs modally.
class RecordingApp : public fx::App
{
public:
    std::vector<WPARAM> threadMessages;
    bool PreTranslateMessage(MSG& msg) override
    {
        if (!msg.hwnd && g_registeredMessage && msg.message == g_registeredMessage) {
            threadMessages.push_back(msg.wParam);
            return true;
        }
        return App::PreTranslateMessage(msg);
    }
};

TEST(App, ThreadMessagePostedDuringAModalRunReachesTheApplication)
{
    RecordingApp app;
    g_registeredMessage = RegisterWindowMessageW(L"fx_test registered message");
    class Posting : public ScriptedDialog
    {
        BOOL OnInitDialog() override
        {
            PostThreadMessageW(GetCurrentThreadId(), g_registeredMessage, 17, 0);
            PostMessage(WM_COMMAND, IDOK);
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(app.threadMessages, std::vector<WPARAM>{17});
}

// A modeless dialog that closes itself from its own button handler.
struct Owner;
int g_closingDestroyed = 0;
int g_destroyedSeenInHandler = -1;
bool g_windowGoneInHandler = false;

class SelfClosing : public fx::Dialog
{
public:
    explicit SelfClosing(Owner* owner) : Dialog(IDD_FX_MODELESS), m_owner(owner) {}
    ~SelfClosing() override { ++g_closingDestroyed; }
    bool destroyImmediately = false;
    bool endInInit = false;

protected:
    BOOL OnInitDialog() override
    {
        if (endInInit)
            EndDialog(0);
        // The clicked button has a wrapper of its own, freed with the dialog after the click is handled.
        return m_closeButton.SubclassDlgItem(IDC_FX_BUTTON, Hwnd());
    }
    void OnClose();

    FX_DECLARE_MESSAGE_MAP()

private:
    Owner* m_owner;
    fx::Button m_closeButton;
};

struct Owner
{
    SelfClosing* window = nullptr;
    bool open = false;
};

void SelfClosing::OnClose()
{
    m_owner->window = nullptr;
    m_owner->open = false;
    HWND hwnd = Hwnd();
    if (destroyImmediately)
        DestroyWindow();
    else
        EndDialog(0);
    g_windowGoneInHandler = !::IsWindow(hwnd);
    // Still inside the handler: the object must be alive whichever way the window ends.
    g_destroyedSeenInHandler = g_closingDestroyed;
}

FX_BEGIN_MESSAGE_MAP(SelfClosing, fx::Dialog)
FX_ON_COMMAND(IDC_FX_BUTTON, OnClose)
FX_END_MESSAGE_MAP()

class SelfDestroyTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(SelfDestroyTest, DialogClosedFromItsOwnHandlerIsFreedAfterTheHandlerAndClearsItsOwner)
{
    g_closingDestroyed = 0;
    g_windowGoneInHandler = false;
    Owner owner;
    owner.window = fx::NewSelfDestroying<SelfClosing>(&owner);
    owner.window->destroyImmediately = GetParam();
    ASSERT_TRUE(owner.window->Create());
    owner.open = true;
    owner.window->ShowWindow(SW_SHOWNORMAL);
    HWND hwnd = owner.window->Hwnd();
    // The window dispatches the click to its handler like any user click.
    ::PostMessageW(GetDlgItem(hwnd, IDC_FX_BUTTON), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return g_closingDestroyed == 1; }));
    EXPECT_EQ(owner.window, nullptr);
    EXPECT_FALSE(owner.open);
    EXPECT_TRUE(g_windowGoneInHandler);
    EXPECT_FALSE(IsWindow(hwnd));
    fx::PumpWaitingMessages();
    EXPECT_EQ(g_closingDestroyed, 1);
}

INSTANTIATE_TEST_SUITE_P(EndDialogOrDestroyWindow, SelfDestroyTest, ::testing::Bool());

TEST(SelfDestroy, HandlerSeesItsObjectAliveAfterEndingTheWindow)
{
    g_closingDestroyed = 0;
    g_destroyedSeenInHandler = -1;
    Owner owner;
    SelfClosing* dialog = fx::NewSelfDestroying<SelfClosing>(&owner);
    owner.window = dialog;
    dialog->destroyImmediately = true;
    ASSERT_TRUE(dialog->Create());
    HWND button = dialog->GetDlgItem(IDC_FX_BUTTON);
    // Sent, so the handler runs inside this call: it destroys the window and goes on using its object.
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(g_destroyedSeenInHandler, 0);
    // Freed once the outermost handler returned.
    EXPECT_EQ(g_closingDestroyed, 1);
    EXPECT_EQ(owner.window, nullptr);
}

TEST(SelfDestroy, ModelessDialogEndedInOnInitDialogFailsToCreateAndIsFreed)
{
    g_closingDestroyed = 0;
    Owner owner;
    SelfClosing* dialog = fx::NewSelfDestroying<SelfClosing>(&owner);
    dialog->endInInit = true;
    EXPECT_FALSE(dialog->Create());
    EXPECT_EQ(g_closingDestroyed, 1);
}

TEST(SelfDestroy, ModelessDialogWithMissingTemplateIsFreed)
{
    g_closingDestroyed = 0;
    Owner owner;
    SelfClosing* dialog = fx::NewSelfDestroying<SelfClosing>(&owner);
    EXPECT_FALSE(dialog->Create(4711, nullptr));
    EXPECT_EQ(g_closingDestroyed, 1);
}

// A child page on a tab control gets its own commands; Enter on the page is the page's OK.
class Page : public fx::Dialog
{
public:
    Page() : Dialog(IDD_FX_PAGE) {}
    std::vector<std::wstring> log;

protected:
    void OnOK() override { log.push_back(L"page ok"); }
    void OnPageButton() { log.push_back(L"page button"); }
    FX_DECLARE_MESSAGE_MAP()
};

FX_BEGIN_MESSAGE_MAP(Page, fx::Dialog)
FX_ON_COMMAND(IDC_FX_BUTTON, OnPageButton)
FX_END_MESSAGE_MAP()

TEST(Page, ChildPageOnATabGetsItsOwnCommandsAndEnter)
{
    ScriptedDialog host(IDD_FX_MODELESS);
    ASSERT_TRUE(host.Create());
    host.ShowWindow(SW_SHOWNORMAL);
    Page page;
    ASSERT_TRUE(page.Create(IDD_FX_PAGE, host.GetDlgItem(IDC_FX_TAB)));
    EXPECT_EQ(GetParent(page.Hwnd()), host.GetDlgItem(IDC_FX_TAB));
    page.ShowWindow(SW_SHOW);
    HWND button = page.GetDlgItem(IDC_FX_BUTTON);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    // Enter on a control of the page goes through the page's dialog keys (IsDialogMessage).
    MSG enter = {button, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(fx::PreTranslate(enter));
    fx::PumpWaitingMessages();
    EXPECT_EQ(page.log, (std::vector<std::wstring>{L"page button", L"page ok"}));
    EXPECT_EQ(host.log, std::vector<std::wstring>{L"init"});
    host.DestroyWindow();
    EXPECT_FALSE(page.IsWindow());
}

} // namespace

namespace {

TEST(Dialog, TopLevelDialogWithoutParentIsOwnedByTheMainWindow)
{
    fx::App app;
    ScriptedDialog main(IDD_FX_MODELESS);
    app.SetMainWnd(&main);
    ASSERT_TRUE(main.Create());
    EXPECT_EQ(GetWindow(main.Hwnd(), GW_OWNER), nullptr);
    ScriptedDialog other(IDD_FX_MODELESS);
    ASSERT_TRUE(other.Create());
    EXPECT_EQ(GetWindow(other.Hwnd(), GW_OWNER), main.Hwnd());
    EXPECT_EQ(fx::DefaultOwner(), main.Hwnd());
    other.DestroyWindow();
    main.DestroyWindow();
    EXPECT_EQ(fx::DefaultOwner(), nullptr);
}

} // namespace
