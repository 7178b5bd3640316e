#include "app/SkinDlg.h"

#include "app/HandOver.h"
#include "app/HotKeys.h"
#include "app/KeyboardHook.h"
#include "app/MouseHook.h"
#include "app/ToolbarGeometry.h"
#include "camera/Camera.h"
#include "capture/Preview.h"
#include "common/ModulePath.h"
#include "fx/WaitCursor.h"
#include "fx/App.h"
#include "resource.h"
#include "settings/DebugLog.h"
#include "settings/FolderNumbering.h"
#include "settings/LangText.h"
#include "settings/RegistryStore.h"
#include "ui/ORRIN_CAM_ABOUTDlg.h"
#include "ui/Properties.h"
#include "ui/Setting.h"
#include "ui/SkinShape.h"

#include <shellapi.h>

#include <objbase.h>
#include <wtsapi32.h>

#include <memory>

HWND g_hToolbarWnd = nullptr;
CSkinDlg* g_pToolbar = nullptr;

namespace {

UINT g_uBarCallbackMessage = 0;
constexpr UINT kTrayCallbackMessage = 0x0401;
constexpr UINT kAppBarCallbackMessage = 2025;
constexpr UINT kMinimizeCommand = 1000;
// Timers of the bar: 1 hides it after the pointer left, 2 brings it back after the edge was touched, 3 repeats
// the hiding after the edge was changed from the menu.
constexpr UINT_PTR kHideTimer = 1, kShowTimer = 2, kEdgeChangeTimer = 3;
constexpr UINT kHideDelayMs = 500, kShownFromTrayMs = 2000, kShowDelayMs = 50, kEdgeChangeDelayMs = 500;

struct ButtonFrames
{
    UINT horizontal[5];
    UINT vertical[5];
};

// Camera, Property, Setting, Help, Menu (the Menu button's vertical frames depend on the edge).
constexpr ButtonFrames kFrames[toolbar::kButtonCount] = {
    {{251, 252, 253, 254, 250}, {240, 264, 265, 266, 267}},
    {{233, 255, 256, 257, 246}, {241, 268, 269, 270, 271}},
    {{234, 258, 259, 260, 247}, {242, 272, 273, 274, 275}},
    {{235, 261, 262, 263, 248}, {243, 276, 277, 278, 279}},
    {{236, 249, 0, 0, 0}, {244, 280, 0, 0, 0}},
};
constexpr UINT kMenuFramesRightEdge[2] = {245, 281};

struct ButtonTip
{
    const wchar_t* key;
    const wchar_t* text;
};
constexpr ButtonTip kTips[toolbar::kButtonCount] = {
    {TextKey(L"StartCam"), L"Start Camera"},
    {TextKey(L"Properties"), L"Properties"},
    {TextKey(L"Setting"), L"Setting"},
    {TextKey(L"Help"), L"Help"},
    {TextKey(L"Menu"), L"Menu"},
};

} // namespace

FX_BEGIN_MESSAGE_MAP(CSkinDlg, fx::Dialog)
FX_ON_COMMAND(kMinimizeCommand, OnMinimize)
FX_ON_COMMAND(ID_TRAY_SHOW_TOOLBAR, OnShowToolbar)
FX_ON_COMMAND(ID_TRAY_ABOUT, OnAbout)
FX_ON_COMMAND(ID_TRAY_EXIT, OnExit)
FX_ON_MESSAGE(kTrayCallbackMessage, OnTrayNotify)
FX_ON_WM_PAINT(OnPaint)
FX_ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
FX_ON_REGISTERED_MESSAGE(g_uBarCallbackMessage, OnBarCallback)
FX_ON_WM_DESTROY(OnDestroy)
FX_ON_COMMAND(IDC_BAR_CAMERA, OnBnClickedButpreview)
FX_ON_COMMAND(IDC_BAR_PROPERTY, OnBnClickedButproperties)
FX_ON_COMMAND(IDC_BAR_SETTING, OnBnClickedButsetting)
FX_ON_COMMAND(IDC_BAR_HELP, OnBnClickedButhelp)
FX_ON_COMMAND(IDC_BAR_MENU, OnBnClickedButmenu)
FX_ON_COMMAND(ID_BAR_AUTOHIDE, OnAutoHide)
FX_ON_COMMAND(ID_BAR_LEFT, OnDockLeft)
FX_ON_COMMAND(ID_BAR_TOP, OnDockTop)
FX_ON_COMMAND(ID_BAR_RIGHT, OnDockRight)
FX_ON_COMMAND(ID_BAR_CLOSE, OnClose)
FX_ON_MESSAGE(kHotKeyMessage, OnHotKey)
FX_ON_WM_TIMER(OnTimer)
FX_ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
FX_ON_MESSAGE(WM_ACTIVATE, OnActivate)
FX_ON_WM_LBUTTONDOWN(OnLButtonDown)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_WM_LBUTTONUP(OnLButtonUp)
FX_ON_MESSAGE(kAppBarCallbackMessage, OnBarCallback)
FX_ON_WM_SIZE(OnSize)
FX_END_MESSAGE_MAP()

CSkinDlg::CSkinDlg() : fx::Dialog(IDD_TOOLBAR)
{
    ReadLogLevel();
    DebugLog("CSkinDlg::CSkinDlg ================== Application Starts ======================");
    (void)GetOSLanguage(); // settles the interface language for every later lookup
    if (g_uBarCallbackMessage == 0)
        g_uBarCallbackMessage = RegisterWindowMessageW(L"ORRIN_BAR Callback Message");
}

CSkinDlg::~CSkinDlg()
{
    // m_hIcon is a shared icon: the system frees it, never the program.
}

BOOL CSkinDlg::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    m_hIcon = static_cast<HICON>(
        LoadImageW(fx::ResourceInstance(), MAKEINTRESOURCEW(IDI_QUILLO), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    m_strOwnName = m_nInstanceState == 1 ? L"Quillo_1" : L"Quillo_2";
    m_strOtherName = m_nInstanceState == 1 ? L"Quillo_2" : L"Quillo_1";
    SetWindowText(m_strOwnName.c_str());

    if (m_nInstanceState == 2) {
        HandOverToFirstInstance();
        EndDialog(0);
        return FALSE;
    }

    if (!SettingsStore().KeysPresent())
        DeployRegistryOnCurUser();
    SettingsStore().ReadEarlyOptions(m_settings);

    const UINT buttonIds[toolbar::kButtonCount] = {IDC_BAR_CAMERA, IDC_BAR_PROPERTY, IDC_BAR_SETTING, IDC_BAR_HELP,
                                                   IDC_BAR_MENU};
    CORRIN_BARBtn* buttons[toolbar::kButtonCount] = {&m_btnCamera, &m_btnProperty, &m_btnSetting, &m_btnHelp,
                                                     &m_btnMenu};
    for (int i = 0; i < toolbar::kButtonCount; ++i)
        buttons[i]->SubclassDlgItem(buttonIds[i], Hwnd());

    LoadMenus();
    DockAt(m_settings.m_nToolbarPosition);
    if (const UINT item = toolbar::PositionMenuItem(m_settings.m_nToolbarPosition))
        m_menu.CheckItem(item, true);
    SetAutoHide(m_settings.m_bAutoHide);
    m_menu.CheckItem(ID_BAR_AUTOHIDE, m_settings.m_bAutoHide);
    if (!InstallKeyboardHook())
        DebugLog("CSkinDlg::OnInitDialog SetWindowsHookEx(WH_KEYBOARD_LL) failed");
    AddTrayIcon();

    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, WS_EX_STATICEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    SetWindowText(L"Quillo_1");
    g_hToolbarWnd = Hwnd();
    g_pToolbar = this;
    ReadSettingsFromRegistry();
    ReadPropertiesFromRegistry();

    // Session changes (user switch, lock) reach the bar as WM_WTSSESSION_CHANGE.
    m_sessionRegistered = WTSRegisterSessionNotification(Hwnd(), NOTIFY_FOR_THIS_SESSION) != FALSE;

    {
        std::unique_ptr<Camera> camera(new Camera(nullptr));
        camera->ChkDeviceisp();
        m_settings.m_bVGAModule = camera->bVGAModule != 0;
        SettlePowerLineFrequency();
    }

    if (fx::App* app = fx::App::Current(); !(app && app->CommandLine() == L"/s"))
        OnBnClickedButpreview();
    return TRUE;
}

void CSkinDlg::HandOverToFirstInstance()
{
    HWND first = FindWindowW(nullptr, m_strOtherName.c_str());
    if (!first) {
        MessageBoxW(Hwnd(), L"Unable to find other app.", L"Quillo", MB_OK);
        return;
    }
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((m_strHandOverText.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(m_strHandOverText.c_str());
    ::SendMessageW(first, WM_COPYDATA, reinterpret_cast<WPARAM>(Hwnd()), reinterpret_cast<LPARAM>(&data));
}

LRESULT CSkinDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENTERMENULOOP:
        DebugLog("CSkinDlg::WindowProc ==> message == WM_ENTERMENULOOP !!!");
        if (m_settings.m_bAutoHide)
            KillTimer(kHideTimer);
        break;
    case WM_EXITMENULOOP:
        DebugLog("CSkinDlg::WindowProc ==> message == WM_EXITMENULOOP !!!");
        if (m_settings.m_bAutoHide)
            SetTimer(kHideTimer, kHideDelayMs);
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND)
            OnSuspend();
        else if (wParam == PBT_APMRESUMESUSPEND)
            DebugLog("CSkinDlg::WindowProc ==> message == WM_POWERBROADCAST && wParam == PBT_APMRESUMESUSPEND!!!");
        break;
    case WM_WTSSESSION_CHANGE:
        OnSessionChange();
        break;
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        break;
    default:
        break;
    }
    if (message == WM_DESTROY) {
        // The bar ends the program: no more session notices, and the thread's loop ends.
        if (m_sessionRegistered)
            WTSUnRegisterSessionNotification(Hwnd());
        m_sessionRegistered = false;
        PostQuitMessage(0);
    }
    if (message == WM_COPYDATA) {
        // A later start of the program hands over: open the preview when asked, show the bar.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data &&
            IsHandOverRequest(static_cast<const wchar_t*>(data->lpData), data->cbData, m_strHandOverText.c_str()) &&
            !bTolPrevWnd)
            OnBnClickedButpreview();
        OnShowToolbar();
    }
    return fx::Dialog::WindowProc(message, wParam, lParam);
}

void CSkinDlg::OnSuspend()
{
    DebugLog("CSkinDlg::WindowProc ==> message == WM_POWERBROADCAST && wParam == PBT_APMSUSPEND!!!");
    // The preview's own close ends a running recording as a complete file and lets go of the camera.
    CloseWorkingWindows();
}

void CSkinDlg::OnSessionChange()
{
    DebugLog("CSkinDlg::WindowProc ==> message == WM_WTSSESSION_CHANGE!!!");
    if (!bTolPrevWnd || !cPreview)
        return;
    cPreview->ResetMirrorFlip();
    // A camera without a preview: the sensor families get both commands with 0, the filter families nothing.
    std::unique_ptr<Camera> camera(new Camera(nullptr));
    camera->isp = cPreview->isp;
    camera->bVGAModule = cPreview->m_bVGAModule;
    camera->SetMirror(0);
    camera->SetFlip(0);
}

void CSkinDlg::OnDisplayChange()
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    (void)EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode); // read, not used
    static bool rebuilding = false;                                    // a rebuild may bring another display change in
    if (bTolPrevWnd && cPreview && !rebuilding) {
        rebuilding = true;
        const bool recording = cPreview->m_nCapState == 1;
        if (recording)
            DebugLog("CSkinDlg::WindowProc ==> bTolPrevWnd=1 & m_nCapState=1 (reocrding)");
        else
            DebugLog("CSkinDlg::WindowProc ==> bTolPrevWnd=1 & m_nCapState=%d (Not reocrding)", cPreview->m_nCapState);
        OnBnClickedButpreview(); // closes it
        OnBnClickedButpreview(); // and a new one for the new screen
        if (recording && bTolPrevWnd && cPreview) {
            // The new preview records on at once, in a new file.
            cPreview->m_tmLastRecordClick = {};
            cPreview->m_tmLastRecordClick.wDay = 1;
            cPreview->OnBnClickedRecord();
        }
        rebuilding = false;
    }
    DockAt(m_settings.m_nToolbarPosition);
}

bool CSkinDlg::PreTranslateMessage(MSG& msg)
{
    // Enter and Escape never close the bar.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
        msg.wParam = 0;
    return fx::Dialog::PreTranslateMessage(msg);
}

void CSkinDlg::OnCancel()
{
    DebugLog("CSkinDlg::OnCancel In!!!");
    fx::Dialog::OnCancel();
}

void CSkinDlg::LoadMenus()
{
    m_menu.Load(IDM_TOOLBAR);
    m_menu.SetItemText(ID_BAR_AUTOHIDE, GetLangText(L"AutoHide", L"Auto Hide").c_str());
    fx::Menu popup = m_menu.GetSubMenu(0);
    int position = FindMenuItemByText(popup.Get(), L"Toolbar &Position");
    if (position >= 0) {
        MENUITEMINFOW info = {sizeof info};
        info.fMask = MIIM_STRING;
        std::wstring text = GetLangText(L"BarPosition", L"Toolbar Position");
        info.dwTypeData = text.data();
        SetMenuItemInfoW(popup.Get(), static_cast<UINT>(position), TRUE, &info);
    }
    m_menu.SetItemText(ID_BAR_LEFT, GetLangText(L"Left", L"Left").c_str());
    m_menu.SetItemText(ID_BAR_TOP, GetLangText(L"Top", L"Top").c_str());
    m_menu.SetItemText(ID_BAR_RIGHT, GetLangText(L"Right", L"Right").c_str());
    m_menu.SetItemText(ID_BAR_CLOSE, GetLangText(L"Close", L"Close").c_str());
}

void CSkinDlg::AddTrayIcon()
{
    m_trayIcon.cbSize = sizeof m_trayIcon;
    m_trayIcon.hWnd = Hwnd();
    m_trayIcon.uID = IDI_QUILLO;
    m_trayIcon.uCallbackMessage = kTrayCallbackMessage;
    m_trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_trayIcon.hIcon = m_hIcon;
    lstrcpynW(m_trayIcon.szTip, L"Quillo", ARRAYSIZE(m_trayIcon.szTip));
    m_trayIconAdded = Shell_NotifyIconW(NIM_ADD, &m_trayIcon) != FALSE;

    m_trayMenu.Load(IDM_TRAY);
    m_trayMenu.SetItemText(ID_TRAY_SHOW_TOOLBAR, GetLangText(L"ShowBar", L"Show Toolbar").c_str());
    m_trayMenu.SetItemText(ID_TRAY_ABOUT, GetLangText(L"About", L"About").c_str());
    m_trayMenu.SetItemText(ID_TRAY_EXIT, GetLangText(L"Exit", L"Exit").c_str());
}

void CSkinDlg::ApplyLook()
{
    const bool vertical = toolbar::IsVertical(m_settings.m_nToolbarPosition);
    m_logo.Load(vertical ? IDB_BAR_LOGO_V : IDB_BAR_LOGO_H, LR_LOADMAP3DCOLORS);
    if (HWND logo = GetDlgItem(IDC_BAR_LOGO)) {
        SetWindowLongPtrW(logo, GWL_STYLE, (GetWindowLongPtrW(logo, GWL_STYLE) & ~SS_TYPEMASK) | SS_BITMAP);
        ::SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logo.Get()));
        ::SetWindowPos(logo, nullptr, 0, 0, vertical ? 51 : 91, vertical ? 91 : 51, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CORRIN_BARBtn* buttons[toolbar::kButtonCount] = {&m_btnCamera, &m_btnProperty, &m_btnSetting, &m_btnHelp,
                                                     &m_btnMenu};
    for (int i = 0; i < toolbar::kButtonCount; ++i) {
        const UINT* ids = vertical ? kFrames[i].vertical : kFrames[i].horizontal;
        if (i == toolbar::kButtonCount - 1 && m_settings.m_nToolbarPosition == toolbar::kRight)
            ids = kMenuFramesRightEdge;
        buttons[i]->LoadFrames(ids[0], ids[1], i == 4 ? 0 : ids[2], i == 4 ? 0 : ids[3], i == 4 ? 0 : ids[4]);
        buttons[i]->SetTooltipText(GetLangText(kTips[i].key, kTips[i].text).c_str());
        toolbar::Rect r = toolbar::ButtonRect(i, vertical);
        buttons[i]->SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
        buttons[i]->SetBarHidden(m_bSlidOut);
        buttons[i]->Invalidate(false);
    }
}

void CSkinDlg::DockAt(int position)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    toolbar::Rect docked;
    if (!toolbar::DockedRect(position, screenWidth, screenHeight, docked))
        return;
    const RECT window = GetWindowRect();
    toolbar::Rect snap;
    (void)toolbar::SnapRect(position, {window.left, window.top, window.right, window.bottom}, screenWidth, snap);
    m_settings.m_nToolbarPosition = position;
    ApplyLook();
    // The shell learns where the bar sits; its answers change nothing here.
    APPBARDATA bar = {sizeof bar};
    bar.hWnd = Hwnd();
    bar.uEdge = toolbar::AppBarEdge(position);
    bar.rc = {snap.left, snap.top, snap.right, snap.bottom};
    (void)SHAppBarMessage(ABM_QUERYPOS, &bar);
    if (position == toolbar::kLeft)
        bar.rc.right = bar.rc.left + (snap.right - snap.left);
    else if (position == toolbar::kTop)
        bar.rc.bottom = bar.rc.top + (snap.bottom - snap.top);
    else
        bar.rc.left = bar.rc.right - (snap.right - snap.left);
    (void)SHAppBarMessage(ABM_SETPOS, &bar);
    SetWindowPos(HWND_NOTOPMOST, docked.left, docked.top, docked.right - docked.left, docked.bottom - docked.top,
                 SWP_NOACTIVATE);
}

void CSkinDlg::RegisterAppBar()
{
    if (m_bAppBarRegistered)
        return;
    APPBARDATA bar = {sizeof bar};
    bar.hWnd = Hwnd();
    bar.uEdge = toolbar::AppBarEdge(m_settings.m_nToolbarPosition);
    bar.lParam = 1;
    m_bAppBarRegistered = SHAppBarMessage(ABM_SETAUTOHIDEBAR, &bar) != 0;
}

void CSkinDlg::RemoveAppBar()
{
    if (!m_bAppBarRegistered)
        return;
    APPBARDATA bar = {sizeof bar};
    bar.hWnd = Hwnd();
    (void)SHAppBarMessage(ABM_REMOVE, &bar);
    m_bAppBarRegistered = false;
}

void CSkinDlg::SetAutoHide(bool on)
{
    if (!Docked())
        DockAt(toolbar::kTop);
    if (on) {
        m_settings.m_bAutoHide = true;
        RegisterAppBar();
        SetTimer(kHideTimer, kHideDelayMs);
    } else {
        m_settings.m_bAutoHide = false;
        DockAt(m_settings.m_nToolbarPosition);
        SlideIn();
    }
}

void CSkinDlg::SetButtonsBarHidden(bool hidden)
{
    for (CORRIN_BARBtn* button : {&m_btnCamera, &m_btnProperty, &m_btnSetting, &m_btnHelp, &m_btnMenu})
        button->SetBarHidden(hidden);
}

void CSkinDlg::HideSteps()
{
    ShowWindow(SW_HIDE);
    if (!ReinstallMouseHook())
        DebugLog("CSkinDlg::SlideOut SetWindowsHookEx(WH_MOUSE_LL) failed");
    ReinstallKeyboardHook();
    SetButtonsBarHidden(true);
}

void CSkinDlg::SlideOut()
{
    if (m_bSlidOut)
        return;
    m_bSlidOut = true;
    HideSteps();
}

void CSkinDlg::SlideIn()
{
    if (!m_bSlidOut)
        return;
    const RECT window = GetWindowRect();
    const toolbar::Rect bar = {window.left, window.top, window.right, window.bottom};
    const toolbar::Slide slide = toolbar::SlideFor(m_settings.m_nToolbarPosition, bar, GetSystemMetrics(SM_CXSCREEN));
    auto moveTo = [&](int coordinate, UINT extraFlags) {
        const int x = slide.vertical ? window.left : coordinate;
        const int y = slide.vertical ? coordinate : window.top;
        SetWindowPos(HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | extraFlags);
    };
    HANDLE thread = GetCurrentThread();
    const int oldPriority = GetThreadPriority(thread);
    (void)SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST); // a smooth 50 ms; the old priority comes back
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < toolbar::kSlideMs; elapsed = GetTickCount() - start) {
        moveTo(toolbar::SlideAt(slide, elapsed), 0);
        UpdateWindow();
    }
    (void)SetThreadPriority(thread, oldPriority);
    ShowWindow(SW_SHOWNOACTIVATE);
    moveTo(slide.start + slide.distance, SWP_FRAMECHANGED);
    ReinstallKeyboardHook();
    m_bSlidOut = false;
    SetButtonsBarHidden(false);
}

void CSkinDlg::MarkPositionInMenu(int position)
{
    m_menu.CheckItem(ID_BAR_LEFT, position == toolbar::kLeft);
    m_menu.CheckItem(ID_BAR_TOP, position == toolbar::kTop);
    m_menu.CheckItem(ID_BAR_RIGHT, position == toolbar::kRight);
    const RECT client = GetClientRect();
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom)); // the shape follows the edge
}

void CSkinDlg::ReportPositionChange(int position)
{
    if (position == toolbar::kFloating || position == m_nLastWrittenPosition)
        return;
    m_nLastWrittenPosition = position;
    (void)SettingsStore().WriteToolbarPosition(position); // the edge holds for this run either way
    MarkPositionInMenu(position);
    if (SettingView* setting = SettingDialog())
        setting->ShowToolbarPosition(position);
}

void CSkinDlg::OnTimer(UINT_PTR id)
{
    if (id == kHideTimer) {
        if (!m_settings.m_bAutoHide || !Docked()) {
            KillTimer(kHideTimer);
            return;
        }
        POINT cursor = {};
        GetCursorPos(&cursor);
        const RECT window = GetWindowRect();
        if (!PtInRect(&window, cursor)) {
            KillTimer(kHideTimer);
            SlideOut();
        }
    } else if (id == kShowTimer) {
        KillTimer(kShowTimer);
        if (!m_settings.m_bAutoHide || !m_bSlidOut || !Docked())
            return;
        POINT cursor = {};
        GetCursorPos(&cursor);
        const RECT window = GetWindowRect();
        if (PtInRect(&window, cursor) || g_bEdgeTouched) {
            SlideIn();
            SetTimer(kHideTimer, kHideDelayMs);
            g_bEdgeTouched = false;
        }
    } else if (id == kEdgeChangeTimer) {
        KillTimer(kEdgeChangeTimer);
        if (m_settings.m_bAutoHide && m_bSlidOut)
            HideSteps();
    }
}

LRESULT CSkinDlg::OnNcHitTest(WPARAM, LPARAM)
{
    if (m_settings.m_bAutoHide && m_bSlidOut)
        SetTimer(kShowTimer, kShowDelayMs);
    return HTCLIENT; // the whole bar is client area: presses on it start drags
}

LRESULT CSkinDlg::OnActivate(WPARAM wParam, LPARAM)
{
    Default();
    APPBARDATA bar = {sizeof bar};
    bar.hWnd = Hwnd();
    (void)SHAppBarMessage(ABM_ACTIVATE, &bar);
    if (!Docked() || !m_settings.m_bAutoHide)
        return 0;
    if (LOWORD(wParam) == WA_INACTIVE) {
        SlideOut();
    } else {
        SlideIn();
        SetTimer(kHideTimer, kHideDelayMs);
    }
    return 0;
}

void CSkinDlg::OnLButtonDown(UINT, POINT)
{
    SetCapture(Hwnd());
    GetCursorPos(&m_dragStartCursor);
    m_dragStartRect = GetWindowRect();
    m_dragRect = m_dragStartRect;
    KillTimer(kHideTimer);
}

void CSkinDlg::OnMouseMove(UINT, POINT)
{
    if (GetCapture() != Hwnd())
        return;
    POINT cursor = {};
    GetCursorPos(&cursor);
    const int dx = cursor.x - m_dragStartCursor.x, dy = cursor.y - m_dragStartCursor.y;
    if (!m_bDragging && !toolbar::DragStarts(dx, dy))
        return;
    m_bDragging = true;
    RECT moved = m_dragStartRect;
    OffsetRect(&moved, dx, dy);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int edge = toolbar::EdgeUnderPointer(cursor.x, cursor.y, screenWidth);
    m_settings.m_nToolbarPosition = edge;
    EnableMenuItem(m_menu.Get(), ID_BAR_AUTOHIDE, MF_BYCOMMAND | (edge ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    if (edge != toolbar::kFloating) {
        toolbar::Rect snap;
        const RECT current = GetWindowRect();
        (void)toolbar::SnapRect(edge, {moved.left, moved.top, moved.right, moved.bottom}, screenWidth, snap);
        moved = {snap.left, snap.top, snap.right, snap.bottom};
        m_dragStartCursor = {snap.left, snap.top};
        m_dragStartRect = current;
    }
    m_dragRect = moved;
    MoveWindow(moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, true);
    if (toolbar::IsVertical(edge)) {
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(moved.right - moved.left, moved.bottom - moved.top));
        UpdateWindow();
    }
}

void CSkinDlg::OnLButtonUp(UINT, POINT)
{
    ReleaseCapture();
    if (!m_bDragging) {
        OnAbout(); // a press without a drag is a click on the bar
        return;
    }
    m_bDragging = false;
}

void CSkinDlg::OnAbout()
{
    if (m_pAbout)
        return;
    ORRIN_CAM_ABOUTDlg about;
    m_pAbout = &about;
    (void)about.DoModal();
    m_pAbout = nullptr;
}

void CSkinDlg::OnSize(UINT type, int, int)
{
    if (type == SIZE_MAXIMIZED)
        ShowWindow(SW_SHOWNORMAL);
    Default();
    const UINT shapeId = toolbar::IsVertical(m_settings.m_nToolbarPosition) ? IDB_BAR_SHAPE_V : IDB_BAR_SHAPE_H;
    HRGN region = skin::CreateOutlineRegion(shapeId, skin::OutlineKind::Full);
    if (!region) {
        MessageBoxW(Hwnd(), GetLangText(L"LoadBitmap", L"Error loading bitmap").c_str(), L"Quillo", MB_OK);
        return;
    }
    SetWindowRgn(Hwnd(), region, TRUE); // the window owns the region from here on
    if (m_nShapedPosition != -1 && m_nShapedPosition != m_settings.m_nToolbarPosition) {
        ApplyLook();
        if (SettingView* setting = SettingDialog())
            setting->ShowToolbarPosition(m_settings.m_nToolbarPosition);
    }
    m_nShapedPosition = m_settings.m_nToolbarPosition;
}

void CSkinDlg::OnPaint()
{
    if (IsIconic(Hwnd())) {
        fx::PaintDC dc(Hwnd());
        RECT client = GetClientRect();
        int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_hIcon);
        return;
    }
    Default();
}

void CSkinDlg::OnMinimize()
{
    ShowWindow(SW_MINIMIZE);
}

void CSkinDlg::OnShowToolbar()
{
    ShowWindow(SW_SHOW);
    SlideIn();
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(kHideTimer, kShownFromTrayMs);
}

void CSkinDlg::OnClose()
{
    ShowWindow(SW_HIDE);
}

void CSkinDlg::CloseWorkingWindows()
{
    if (bTolPrevWnd && cPreview)
        cPreview->OnBnClickedClose();
    cPreview = nullptr;
    bTolPrevWnd = 0;
    if (bTolPropWnd && cProperties)
        cProperties->OnBnClickedClose();
    if (bTolSetWnd && cSetting)
        cSetting->OnBnClickedClose();
    if (m_pAbout && m_pAbout->Hwnd())
        m_pAbout->EndDialog(0);
}

void CSkinDlg::OnExit()
{
    CloseWorkingWindows();
    EndDialog(0);
}

void CSkinDlg::OnBnClickedButpreview()
{
    DebugLog("CSkinDlg::OnBnClickedButpreview[IN]  bTolPrevWnd=%d", bTolPrevWnd);
    if (bTolPrevWnd && cPreview) {
        cPreview->OnBnClickedClose();
        cPreview = nullptr;
        bTolPrevWnd = 0;
    } else {
        fx::WaitCursor wait;
        cPreview = fx::NewSelfDestroying<Preview>(this);
        if (cPreview->Create(nullptr)) {
            cPreview->ShowWindow(SW_SHOWNORMAL);
            bTolPrevWnd = 1;
        } else {
            cPreview = nullptr; // the failed window frees its own object
        }
    }
    DebugLog("CSkinDlg::OnBnClickedButpreview[OUT]");
    ReinstallKeyboardHook();
}

void CSkinDlg::OnBnClickedButproperties()
{
    DebugLog("CSkinDlg::OnBnClickedButproperties In! (bTolPropWnd=%d)", bTolPropWnd);
    if (bTolPropWnd && cProperties) {
        cProperties->OnBnClickedClose();
    } else {
        cProperties = fx::NewSelfDestroying<Properties>(this);
        if (cProperties->Create(nullptr)) {
            cProperties->ShowWindow(SW_SHOW);
            bTolPropWnd = 1;
        } else {
            cProperties = nullptr; // the failed window frees its own object
        }
    }
    DebugLog("CSkinDlg::OnBnClickedButproperties Out!");
    ReinstallKeyboardHook();
}

void CSkinDlg::OnBnClickedButsetting()
{
    if (bTolSetWnd && cSetting) {
        cSetting->OnBnClickedClose();
    } else {
        cSetting = fx::NewSelfDestroying<Setting>(this);
        if (cSetting->Create(nullptr)) {
            cSetting->ShowWindow(SW_SHOW);
            bTolSetWnd = 1;
        } else {
            cSetting = nullptr;
        }
    }
    ReinstallKeyboardHook();
}

void CSkinDlg::OnPropertiesClosed(Properties* properties)
{
    if (properties != cProperties)
        return; // forgotten already
    cProperties = nullptr;
    bTolPropWnd = 0;
}

void CSkinDlg::OnSettingClosed(Setting* setting)
{
    if (setting != cSetting)
        return;
    cSetting = nullptr;
    bTolSetWnd = 0;
}

void CSkinDlg::RunCommand(ToolbarCommand command)
{
    switch (command) {
    case ToolbarCommand::About:
        OnAbout();
        break;
    case ToolbarCommand::Properties:
        OnBnClickedButproperties();
        break;
    case ToolbarCommand::Setting:
        OnBnClickedButsetting();
        break;
    case ToolbarCommand::Help:
        OnBnClickedButhelp();
        break;
    }
}

void CSkinDlg::RenewHooks()
{
    if (!ReinstallMouseHook())
        DebugLog("CSkinDlg::RenewHooks SetWindowsHookEx(WH_MOUSE_LL) failed");
    RemoveKeyboardHook();
    if (!InstallKeyboardHook())
        DebugLog("CSkinDlg::RenewHooks SetWindowsHookEx(WH_KEYBOARD_LL) failed");
}

void CSkinDlg::OnBnClickedButhelp()
{
    const std::wstring help = ProgramFolder() + L"Help\\";
    std::wstring path = help + toolbar::HelpLanguageFolder(GetOSLanguage().c_str()) + L"\\index.html";
    // A language without a page of its own reads the English one rather than nothing.
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        path = help + L"English\\index.html";
    if (path.size() >= MAX_PATH)
        path.resize(MAX_PATH - 1); // the browser is handed at most a classic path
    DebugLogW(L"CSkinDlg::OnBnClickedButhelp execFullPath=%s", path.c_str());
    (void)ShellExecuteW(nullptr, L"open", L"iexplore.exe", path.c_str(), nullptr, SW_SHOWNORMAL); // not checked
}

LRESULT CSkinDlg::OnHotKey(WPARAM action, LPARAM)
{
    SetHotKeyActionRunning(true);
    switch (static_cast<toolbar::HotKeyAction>(action)) {
    case toolbar::HotKeyAction::Camera:
        OnBnClickedButpreview();
        break;
    case toolbar::HotKeyAction::Properties:
        OnBnClickedButproperties();
        break;
    case toolbar::HotKeyAction::Setting:
        OnBnClickedButsetting();
        break;
    case toolbar::HotKeyAction::Help:
        if (bTolPrevWnd) // the preview may have closed since the key was seen
            OnBnClickedButhelp();
        break;
    case toolbar::HotKeyAction::None:
        break;
    }
    SetHotKeyActionRunning(false);
    return 0;
}

bool CSkinDlg::FindNextFileNumber(const std::wstring& folder, int videoFlag)
{
    return ::FindNextFileNumber(m_settings, folder, videoFlag);
}

void CSkinDlg::OnAutoHide()
{
    const bool on = !m_settings.m_bAutoHide;
    (void)SettingsStore().WriteAutoHide(on); // the choice holds for this run either way
    SetAutoHide(on);
    m_menu.CheckItem(ID_BAR_AUTOHIDE, on);
    if (on && m_bSlidOut)
        HideSteps();
    if (SettingView* setting = SettingDialog())
        setting->ShowAutoHide(on);
}

PropertiesView* CSkinDlg::PropertiesDialog() const
{
    return cProperties;
}

SettingView* CSkinDlg::SettingDialog() const
{
    return bTolSetWnd ? cSetting : nullptr;
}

void CSkinDlg::DockAtEdge(int position)
{
    if (position == m_settings.m_nToolbarPosition)
        return;
    DockAt(position);
    MarkPositionInMenu(position);
}

void CSkinDlg::ApplyAutoHide(bool on)
{
    SetAutoHide(on);
    m_menu.CheckItem(ID_BAR_AUTOHIDE, on);
}

void CSkinDlg::MoveToEdge(int position)
{
    if (position == m_settings.m_nToolbarPosition)
        return; // the current edge again: nothing changes, nothing is written
    DockAt(position);
    SetTimer(kEdgeChangeTimer, kEdgeChangeDelayMs);
    ReportPositionChange(position);
    MarkPositionInMenu(position);
}

void CSkinDlg::OnPreviewClosed(Preview* preview)
{
    if (preview != cPreview)
        return; // forgotten already
    cPreview = nullptr;
    bTolPrevWnd = 0;
    m_settings.m_nPictureSize = 1;
    (void)SettingsStore().WritePictureSize(1); // a failed write leaves the stored size; nothing to tell
}

void CSkinDlg::DeployRegistryOnCurUser()
{
    std::unique_ptr<Camera> camera(new Camera(nullptr));
    if (bTolPrevWnd && cPreview) {
        // The open preview holds the camera: its codes are copied, so no filter is bound and the fallback
        // image values are stored.
        camera->isp = cPreview->isp;
        camera->bVGAModule = cPreview->m_bVGAModule;
    } else {
        camera->ChkDeviceisp();
    }
    ImageValues defaults = {};
    int* v = defaults.values;
    const bool fromCamera = camera->GetDefautImageValue(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    camera.reset();
    SettingsStore().Deploy(fromCamera ? &defaults : nullptr);
}

void CSkinDlg::ReadSettingsFromRegistry()
{
    if (!SettingsStore().ReadSettings(m_settings))
        MessageBoxW(Hwnd(), GetLangText(L"hKey", L"Error: Can't open registry key.").c_str(), L"Quillo", MB_OK);
}

void CSkinDlg::WriteSettingsToRegistry()
{
    SettingsStore().WriteSettings(m_settings);
}

void CSkinDlg::ReadPropertiesFromRegistry()
{
    SettingsStore().ReadProperties(m_settings);
}

void CSkinDlg::ModifyPropertiesToRegistry()
{
    SettingsStore().WriteProperties(m_settings, bTolPrevWnd && cPreview && cPreview->HasVideoProcAmp());
}

void CSkinDlg::SettlePowerLineFrequency()
{
    const int stored = m_settings.m_nPowerlineFrequency;
    if (stored == 1 || stored == 2)
        return;
    const int frequency = PowerLineFrequency();
    if (frequency != 1 && frequency != 2) {
        DebugLog("CSkinDlg::OnInitDialog Failed to get PowerLineFrequency()!");
        return;
    }
    m_settings.m_nPowerlineFrequency = frequency;
    m_settings.m_bPowerline60Hz = frequency == 2;
    m_settings.m_nDefaultFrequency = frequency == 2 ? 1 : 0;
    (void)SettingsStore().WriteFrequencies(m_settings); // the values hold for this run either way
}

void CSkinDlg::OnBnClickedButmenu()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    fx::Menu popup = m_menu.GetSubMenu(0);
    if (popup)
        popup.TrackPopup(0, cursor.x, cursor.y, Hwnd());
}

LRESULT CSkinDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (lParam == WM_LBUTTONDBLCLK) {
        ShowWindow(SW_SHOW);
        SlideIn();
        SetTimer(kHideTimer, kShownFromTrayMs);
    } else if (lParam == WM_RBUTTONUP) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        fx::Menu popup = m_trayMenu.GetSubMenu(0);
        if (popup)
            popup.TrackPopup(TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, Hwnd());
    }
    return 1;
}

void CSkinDlg::OnDestroy()
{
    DebugLog("CSkinDlg::OnDestroy ================== Application Ends ======================");
    CloseWorkingWindows();
    RemoveKeyboardHook();
    RemoveMouseHook();
    Default();
    if (m_trayIconAdded)
        Shell_NotifyIconW(NIM_DELETE, &m_trayIcon);
    m_trayIconAdded = false;
    RemoveAppBar();
    g_hToolbarWnd = nullptr;
    g_pToolbar = nullptr;
    if (m_comInitialised)
        CoUninitialize();
    m_comInitialised = false;
}
