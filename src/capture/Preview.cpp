#include "capture/Preview.h"

#include "camera/Camera.h"
#include "camera/ChipTable.h"
#include "camera/KnownCamera.h"
#include "capture/FilterModule.h"
#include "capture/FolderChecks.h"
#include "capture/GraphEventRule.h"
#include "capture/GraphLock.h"
#include "capture/RecordingRules.h"
#include "capture/SampleGrabberCB.h"
#include "capture/SnapshotRules.h"
#include "capture/StreamFormatRule.h"
#include "capture/VideoPlacement.h"
#include "common/ModulePath.h"
#include "common/SensorHelperProtocol.h"
#include "dshow/Devices.h"
#include "dshow/vidcap_decl.h"
#include "filters/aviwriter/AviWriterApi.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "resource.h"
#include "settings/DebugLog.h"
#include "settings/FileNumbering.h"
#include "settings/FolderNumbering.h"
#include "settings/LangText.h"
#include "settings/RegistryStore.h"
#include "ui/SkinOutline.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace {

// Timers of the dialog: the recording's countdown, its stream clock, the recording graph's build, the preview's
// rebuild after a recording, and the snapshot button's re-enabling.
constexpr UINT_PTR kCountdownTimer = 1, kStreamTimer = 2, kCaptureBuildTimer = 3, kPreviewRebuildTimer = 4,
                   kSnapshotEnableTimer = 5;
constexpr COLORREF kLabelText = RGB(85, 85, 85);
constexpr COLORREF kLabelBackground = RGB(207, 209, 212);
constexpr COLORREF kVideoBand = RGB(0, 0, 0);

struct ControlPlace
{
    UINT id;
    PlacementRect normal;
    PlacementRect small;
};

// Where the buttons and labels of the compact layout sit, normal and small screen (the video statics and the
// title buttons come from the layout rules).
constexpr ControlPlace kCompactControls[] = {
    {IDC_PREVIEW_SNAPSHOT, {171, 40, 154, 48}, {142, 40, 154, 48}},
    {IDC_PREVIEW_RECORD, {338, 40, 154, 48}, {305, 40, 154, 48}},
    {IDC_PREVIEW_FUNCTION, {635, 74, 20, 9}, {566, 74, 20, 9}},
    {IDC_PREVIEW_RESOLUTION, {646, 582, 8, 8}, {579, 530, 8, 8}},
    {IDC_PREVIEW_ELAPSED, {293, 577, 76, 22}, {256, 525, 76, 22}},
    {IDC_PREVIEW_COUNTDOWN, {324, 576, 14, 28}, {280, 523, 14, 28}},
};

// The controls the enlarged layout hides (the labels of a recording are shown again only while recording).
constexpr UINT kCompactOnly[] = {IDC_PREVIEW_SNAPSHOT, IDC_PREVIEW_RECORD, IDC_PREVIEW_FUNCTION, IDC_PREVIEW_RESOLUTION,
                                 IDC_PREVIEW_RES_LABEL};
constexpr UINT kRecordingLabels[] = {IDC_PREVIEW_ELAPSED, IDC_PREVIEW_COUNTDOWN};

struct ButtonTip
{
    UINT id;
    const wchar_t* key; // also the English default
};
constexpr ButtonTip kTips[] = {
    {IDC_PREVIEW_SNAPSHOT, TextKey(L"Snapshot")}, {IDC_PREVIEW_RECORD, TextKey(L"Record")},
    {IDC_PREVIEW_CLOSE, TextKey(L"Close")},       {IDC_PREVIEW_MINIMIZE, TextKey(L"Minimize")},
    {IDC_PREVIEW_FUNCTION, TextKey(L"Function")}, {IDC_PREVIEW_RESOLUTION, TextKey(L"Resolution")}};

void Place(HWND control, const PlacementRect& r)
{
    ::SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring WithFinalBackslash(std::wstring folder)
{
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/'))
        folder += L'\\';
    return folder;
}

HRESULT MakeScaler(IBaseFilter** filter)
{
    return CreateOwnFilter(L"nvds.ax", CLSID_NorvaneDownScaler, filter);
}

HRESULT MakePauseAudio(IBaseFilter** filter)
{
    return CreateOwnFilter(L"nvpa.ax", CLSID_NorvanePauseAudio, filter);
}

HRESULT MakeAviWriter(IBaseFilter** filter)
{
    return CreateOwnFilter(L"nvav.ax", CLSID_NorvaneAviWriter, filter);
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return L"";
    return path;
}

} // namespace

FX_BEGIN_MESSAGE_MAP(Preview, fx::Dialog)
FX_ON_BN_CLICKED(IDC_PREVIEW_CLOSE, OnBnClickedClose)
FX_ON_BN_CLICKED(IDC_PREVIEW_SNAPSHOT, OnBnClickedSnap)
FX_ON_BN_CLICKED(IDC_PREVIEW_RECORD, OnBnClickedRecord)
FX_ON_BN_CLICKED(IDC_PREVIEW_MINIMIZE, OnMinimize)
FX_ON_BN_CLICKED(IDC_PREVIEW_FUNCTION, OnFunctionMenu)
FX_ON_BN_CLICKED(IDC_PREVIEW_RESOLUTION, OnResolutionMenu)
FX_ON_CONTROL(STN_DBLCLK, IDC_PREVIEW_VIDEO, OnStnDblclickPreview)
FX_ON_COMMAND_RANGE(ID_FUNCTION_ABOUT, ID_FUNCTION_HELP, OnFunctionCommand)
FX_ON_COMMAND_RANGE(ID_RES_320X240, ID_RES_1280X720, OnResolutionCommand)
FX_ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
FX_ON_MESSAGE(CameraGraph::kGraphEventMessage, OnGraphEvent)
FX_ON_WM_LBUTTONDOWN(OnLButtonDown)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_ON_WM_PAINT(OnPaint)
FX_ON_WM_SIZE(OnSize)
FX_ON_WM_TIMER(OnTimer)
FX_ON_WM_CTLCOLOR(OnCtlColor)
FX_ON_WM_DESTROY(OnDestroy)
FX_END_MESSAGE_MAP()

Preview::Preview(ToolbarLink* skinDlg, HWND parent) : fx::Dialog(IDD_PREVIEW, parent), m_pSkinDlg(skinDlg)
{
    DebugLog("Preview::Preview[IN]");
    m_bSmallScreen = GetSystemMetrics(SM_CYSCREEN) < 768;
    if (!LoadSkin(true)) {
        MessageBoxW(nullptr, GetLangText(L"LoadBitmap", L"Error loading bitmap").c_str(), L"", MB_OK);
        return;
    }
    PreviewCreateGraphLock();
    m_criticalSectionReady = true;
}

Preview::~Preview()
{
    DebugLog("Preview::~Preview In!");
    ClearGraphs();
    m_camera.Reset();
    if (m_criticalSectionReady)
        PreviewDeleteGraphLock();
    if (g_SnapshotState.owner == this)
        g_SnapshotState = {};
}

void Preview::ShowErrorBox(const wchar_t* text)
{
    MessageBoxW(nullptr, text, GetLangText(L"Error", L"Error!").c_str(), MB_TASKMODAL | MB_SETFOREGROUND | MB_OK);
}

BOOL Preview::OnInitDialog()
{
    fx::Dialog::OnInitDialog();
    const preview::Layout compact = preview::LayoutFor(false, m_bSmallScreen, m_nResState);
    RECT rect = GetWindowRect();
    SetWindowPos(nullptr, rect.left, rect.top, compact.window.width, compact.window.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    {
        std::unique_ptr<Camera> camera(new Camera(this));
        camera->ChkDeviceisp();
        DebugLog("Preview::OnInitDialog pCamera->isp=0x%x", camera->isp);
        if (camera->isp == 255) {
            ShowErrorBox(GetLangText(L"NoVideoDev0", L"No video capture device was detected on your system.").c_str());
            EndDialog(0);
            return TRUE;
        }
        isp = camera->isp;
        m_bVGAModule = camera->bVGAModule;
        bMJPEGModule = camera->bMJPEGModule;
        // The camera is bound once here; every graph of this dialog uses this filter.
        m_camera = camera->pSrcFilter;
        if (m_pSkinDlg)
            m_pSkinDlg->Settings().m_bVGAModule = camera->bVGAModule != 0;
    }
    DebugLog("Preview::OnInitDialog m_pSkinDlg->bTolSetWnd=%d", m_pSkinDlg && m_pSkinDlg->IsSettingOpen() ? 1 : 0);

    if (SettingView* setting = m_pSkinDlg ? m_pSkinDlg->SettingDialog() : nullptr)
        m_nResState = setting->ChosenPictureSize(); // the size chosen in the open Setting dialog wins
    else
        m_nResState = m_pSkinDlg ? m_pSkinDlg->Settings().m_nPictureSize : 1;
    DebugLog("Preview::OnInitDialog m_nResState=%d (0: QVGA, 1: VGA, 2: SSVGA, 3:SVFA. 4: XVGA)", m_nResState);
    FrameSize wanted = WantedSizeForState(m_nResState);
    m_nWidth = wanted.width;
    m_nHeight = wanted.height;
    ResetMirrorFlip();

    m_videoArea.SubclassDlgItem(IDC_PREVIEW_VIDEO, Hwnd());
    m_lblElapsed.SubclassDlgItem(IDC_PREVIEW_ELAPSED, Hwnd());
    m_btnSnapshot.SubclassDlgItem(IDC_PREVIEW_SNAPSHOT, Hwnd());
    m_btnRecord.SubclassDlgItem(IDC_PREVIEW_RECORD, Hwnd());
    m_btnClose.SubclassDlgItem(IDC_PREVIEW_CLOSE, Hwnd());
    m_btnMinimize.SubclassDlgItem(IDC_PREVIEW_MINIMIZE, Hwnd());
    m_btnFunction.SubclassDlgItem(IDC_PREVIEW_FUNCTION, Hwnd());
    m_btnResolution.SubclassDlgItem(IDC_PREVIEW_RESOLUTION, Hwnd());
    LayOutControls();
    LoadButtonPictures();

    if (StartsAt640x480First(isp, m_nWidth, m_nHeight)) {
        m_nWidth = 640, m_nHeight = 480;
        InitStillGraph();
        m_nWidth = 1280, m_nHeight = 800;
    }
    HRESULT hr = InitStillGraph();
    if (FAILED(hr)) {
        DebugLog("Preview::OnInitDialog InitStillGraph() FAILED!!!");
        if (hr != VFW_E_CANNOT_CONNECT) {
            EndDialog(0);
            return TRUE;
        }
    }

    if (PropertiesView* properties = m_pSkinDlg ? m_pSkinDlg->PropertiesDialog() : nullptr)
        properties->EnableImageSliders(true);
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
    SetWindowLongPtrW(GetDlgItem(IDC_PREVIEW_VIDEO), GWL_STYLE,
                      GetWindowLongPtrW(GetDlgItem(IDC_PREVIEW_VIDEO), GWL_STYLE) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetWindowLongPtrW(GetDlgItem(IDC_PREVIEW_COVER), GWL_STYLE,
                      GetWindowLongPtrW(GetDlgItem(IDC_PREVIEW_COVER), GWL_STYLE) | WS_CLIPCHILDREN);
    MatchPowerLineFrequency();

    m_strPictureDir = WithFinalBackslash(SpecialFolder(CSIDL_MYPICTURES));
    m_strVideoDir = SpecialFolder(CSIDL_MYVIDEO) + L"\\";

    BuildMenus();
    AddTooltips();

    m_nCountdown = 0;
    GetLocalTime(&m_tmLastRecordClick);
    m_bInitialLayout = false;
    if (m_pSkinDlg)
        m_pSkinDlg->RenewHooks();
    return TRUE;
}

void Preview::BuildMenus()
{
    m_functionMenu.Load(IDM_FUNCTION);
    m_functionMenu.SetItemText(ID_FUNCTION_ABOUT, GetLangText(L"About", L"About").c_str());
    m_functionMenu.SetItemText(ID_FUNCTION_PROPERTIES, GetLangText(L"Properties", L"Properties").c_str());
    m_functionMenu.SetItemText(ID_FUNCTION_SETTING, GetLangText(L"Setting", L"Setting").c_str());
    m_functionMenu.SetItemText(ID_FUNCTION_HELP, GetLangText(L"Help", L"Help").c_str());
    m_resolutionMenu.Load(IDM_RESOLUTION);
    if (m_bVGAModule) {
        m_resolutionMenu.DeleteItem(ID_RES_1280X1024);
        m_resolutionMenu.DeleteItem(ID_RES_1280X800);
        m_resolutionMenu.DeleteItem(ID_RES_1280X720);
    } else {
        m_resolutionMenu.DeleteItem(ID_RES_1280X720);
    }
    // State 2 may come from the settings with no item of its own to mark.
    if (const UINT item = preview::ResolutionMenuItem(m_nResState))
        m_resolutionMenu.CheckItem(item, true);
}

void Preview::AddTooltips()
{
    MyBitmapButton* buttons[] = {&m_btnSnapshot, &m_btnRecord,   &m_btnClose,
                                 &m_btnMinimize, &m_btnFunction, &m_btnResolution};
    for (size_t i = 0; i < sizeof kTips / sizeof kTips[0]; ++i)
        buttons[i]->SetTooltipText(GetLangText(kTips[i].key, kTips[i].key).c_str());
}

void Preview::OnMouseMove(UINT, POINT)
{
    // The mouse left a button for the body: its normal picture comes back.
    m_btnClose.RestoreNormal(309);
    m_btnMinimize.RestoreNormal(308);
    m_btnSnapshot.RestoreNormal(291);
    m_btnFunction.RestoreNormal(306);
    m_btnResolution.RestoreNormal(307);
    if (m_nCapState != 1)
        m_btnRecord.RestoreNormal(312);
    Default();
}

LRESULT Preview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYENDSESSION) {
        const LRESULT answer = fx::Dialog::WindowProc(message, wParam, lParam);
        if (!answer)
            return answer;
        DebugLog("Preview::OnQueryEndSession[IN]");
        ClearGraphs(); // a running recording's file is complete once its graph stops
        m_bEndSession = true;
        // Stopped directly: the click's debounce and the enlarged layout must not keep a recording running.
        if (m_nCapState == 1)
            StopRecordingByButton();
        return TRUE;
    }
    return fx::Dialog::WindowProc(message, wParam, lParam);
}

void Preview::LayOutControls()
{
    PlaceLayoutControls(preview::LayoutFor(false, m_bSmallScreen, m_nResState));
    for (const auto& place : kCompactControls)
        Place(GetDlgItem(place.id), m_bSmallScreen ? place.small : place.normal);
    PlaceResolutionLabel();
    if (m_videoBackground.Load(m_bSmallScreen ? 340 : 311)) {
        for (UINT id : {IDC_PREVIEW_VIDEO, IDC_PREVIEW_COVER})
            ::SendMessageW(GetDlgItem(id), STM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(m_videoBackground.Get()));
    }
    m_labelFont.Create(L"Tahoma", 16, FW_BOLD);
    m_labelBrush.CreateSolid(kLabelBackground);
    m_videoBrush.CreateSolid(kVideoBand);
    ::SendMessageW(GetDlgItem(IDC_PREVIEW_RES_LABEL), WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.Get()), TRUE);
    ModifyStyleEx(0, WS_EX_APPWINDOW);
}

void Preview::PlaceLayoutControls(const preview::Layout& layout)
{
    Place(GetDlgItem(IDC_PREVIEW_VIDEO), layout.video);
    Place(GetDlgItem(IDC_PREVIEW_COVER), layout.video);
    Place(GetDlgItem(IDC_PREVIEW_CLOSE), layout.close);
    Place(GetDlgItem(IDC_PREVIEW_MINIMIZE), layout.minimize);
}

void Preview::PlaceResolutionLabel()
{
    PlacementRect label;
    if (ResolutionLabelPlacement(m_nResState, m_bSmallScreen, &label))
        Place(GetDlgItem(IDC_PREVIEW_RES_LABEL), label);
}

void Preview::LoadButtonPictures()
{
    m_btnSnapshot.LoadBitmaps(291);
    UpdateRecordButton();
    m_btnClose.LoadBitmaps(309);
    m_btnMinimize.LoadBitmaps(308);
    m_btnFunction.LoadBitmaps(306);
    m_btnResolution.LoadBitmaps(307);
}

void Preview::UpdateRecordButton()
{
    const bool may = preview::StateMayRecord(m_nResState);
    m_btnRecord.LoadBitmaps(may ? 312 : 337);
    m_btnRecord.ModifyStyle(may ? WS_DISABLED : 0, may ? 0 : WS_DISABLED);
    m_btnRecord.Invalidate(true);
}

void Preview::SetSnapshotButtonEnabled(bool enabled)
{
    if (!m_btnSnapshot.IsWindow())
        return;
    m_btnSnapshot.ModifyStyle(enabled ? WS_DISABLED : 0, enabled ? 0 : WS_DISABLED);
    m_btnSnapshot.LoadBitmaps(enabled ? 291 : 293);
    m_btnSnapshot.Invalidate(true);
}

void Preview::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kSnapshotEnableTimer:
        KillTimer(kSnapshotEnableTimer);
        SetSnapshotButtonEnabled(true);
        break;
    case kCaptureBuildTimer:
        KillTimer(kCaptureBuildTimer);
        ClearGraphs();
        NudgeWindow();
        if (FAILED(InitCaptureGraph(m_strRecordFile))) {
            // The countdown must not run on behind the box.
            KillTimer(kCountdownTimer);
            KillTimer(kStreamTimer);
            ShowCameraMessage();
            EndDialog(0);
            return;
        }
        ReapplyOrientation();
        break;
    case kCountdownTimer:
        OnCountdownTick();
        break;
    case kStreamTimer:
        OnStreamTick();
        break;
    case kPreviewRebuildTimer:
        KillTimer(kPreviewRebuildTimer);
        ClearGraphs();
        if (m_dwCurrentRecordLengthInSec < recording::kShortestRecordingSeconds) {
            DebugLog("Preview::OnTimer m_dwCurrentRecordLengthInSec=%d",
                     static_cast<int>(m_dwCurrentRecordLengthInSec));
            // A recording that short is not kept.
            if (!DeleteFileW(m_strRecordFile.c_str()))
                DebugLogW(L"Preview::OnTimer[ERROR] %s not deleted (error %lu)", m_strRecordFile.c_str(),
                          GetLastError());
            bFileDeleted = true;
        }
        if (FAILED(InitStillGraph())) {
            ShowCameraMessage();
            EndDialog(0);
            return;
        }
        ReapplyOrientation();
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
        if (m_pSkinDlg && m_pSkinDlg->Settings().m_bPlayVideoAfterRecording && !bFileDeleted)
            (void)ShellExecuteW(Hwnd(), L"open", m_strRecordFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    default:
        break;
    }
}

CameraGraph& Preview::CurrentGraph()
{
    if (m_captureGraph.Graph())
        return m_captureGraph;
    return m_graph;
}

void Preview::NudgeWindow()
{
    // One pixel up and left and back: the window repaints round the video area.
    const RECT window = GetWindowRect();
    MoveWindow(window.left - 1, window.top - 1, window.right - window.left, window.bottom - window.top, true);
    MoveWindow(window.left, window.top, window.right - window.left, window.bottom - window.top, true);
}

void Preview::OnBnClickedRecord()
{
    if (m_bFullWindow)
        return;
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const recording::ClickTime last = {m_tmLastRecordClick.wDay, m_tmLastRecordClick.wHour, m_tmLastRecordClick.wMinute,
                                       m_tmLastRecordClick.wSecond, m_tmLastRecordClick.wMilliseconds};
    if (recording::ClickIgnored(last, {now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds}))
        return;
    m_tmLastRecordClick = now;
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COUNTDOWN), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_SHOW);
    ::UpdateWindow(GetDlgItem(IDC_PREVIEW_COVER));
    NudgeWindow();
    if (m_nCapState == 0)
        StartRecording();
    else if (m_nCapState == 1)
        StopRecordingByButton();
}

void Preview::StartRecording()
{
    DebugLog("Preview::OnBnClickedRecord ==================== Record Starts ==================");
    if (!m_pSkinDlg)
        return;
    SettingsRecord& record = m_pSkinDlg->Settings();
    (void)FindNextFileNumber(record, record.m_strVideoPath, 1);
    m_strVideoDir = snapshot::WithFinalSeparator(record.m_strVideoPath);
    m_strRecordFile = m_strVideoDir + numbering::VideoFileName(record.m_nVideoNumber);
    // A folder too long for the file's path is told as one that cannot be written.
    if (!snapshot::FolderFitsFileNames(m_strVideoDir) || CheckUACFolder(m_strVideoDir, "Preview") != 0) {
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
        ShowErrorBox(
            GetLangText(L"FolderError", L"The folder is forbidden to be accessed, please select another one.").c_str());
        return;
    }
    if (IsDiskFull()) {
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
        MessageBoxW(nullptr, GetLangText(L"FullDisk0", L"Disk is full and can't capture any picture or video.").c_str(),
                    L"Quillo", MB_OK);
        return;
    }
    m_nCapState = 1;
    m_btnRecord.SetLock(true);
    m_btnResolution.LoadBitmaps(338);
    m_btnResolution.EnableWindow(false);
    EnableSettingSizeLists(false);
    m_nCountdown = 4;
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COUNTDOWN), SW_HIDE);
    m_dwRecordStartTick = 0;
    m_dwCurrentRecordLengthInSec = 0;
    SetTimer(kCaptureBuildTimer, 200);
    SetTimer(kCountdownTimer, 1000);
    m_bEndSession = false;
}

void Preview::OnCountdownTick()
{
    if (m_nCountdown > 1) {
        --m_nCountdown;
        if (!m_bFullWindow) {
            HWND countdown = GetDlgItem(IDC_PREVIEW_COUNTDOWN);
            ::SetWindowTextW(countdown, std::to_wstring(m_nCountdown).c_str());
            ::ShowWindow(countdown, SW_SHOW);
        }
        return;
    }
    KillTimer(kCountdownTimer);
    SetTimer(kStreamTimer, 200);
    m_bBlinkOn = false;
    m_lblElapsed.SetWindowText(L"00:00:00");
    m_lblElapsed.RunClock(true);
}

void Preview::OnStreamTick()
{
    if (m_dwRecordStartTick == 0) {
        m_dwRecordStartTick = timeGetTime();
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_COUNTDOWN), SW_HIDE);
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_HIDE);
        ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
        DebugLog("Preview::OnTimer start the stream!!!");
        m_captureGraph.ReleaseHolds();
        if (isp == 0) {
            // The Sonix sensor forgets its orientation when the stream starts.
            std::unique_ptr<Camera> camera(new Camera(this));
            camera->isp = isp;
            camera->bVGAModule = m_bVGAModule;
            BYTE mirror = 0, flip = 0;
            ChosenOrientation(mirror, flip);
            camera->SetMirror(mirror);
            camera->SetFlip(flip);
        }
        (void)m_captureGraph.ShowVideoIn(GetDlgItem(IDC_PREVIEW_VIDEO), nullptr);
        if (!m_bFullWindow)
            ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_SHOW);
        m_bStreaming = true;
        m_dwLastDiskCheck = 0;
    }
    m_dwCurrentRecordLengthInSec = (timeGetTime() - m_dwRecordStartTick) / 1000;
    if (const unsigned picture = recording::BlinkPicture(m_dwCurrentRecordLengthInSec, m_bBlinkOn)) {
        m_btnRecord.LoadBitmaps(picture);
        m_btnRecord.Invalidate(true);
    }
    if (recording::DiskCheckDue(m_dwCurrentRecordLengthInSec, m_dwLastDiskCheck)) {
        const bool full = IsDiskFull();
        DebugLog("Preview::OnTimer IsDiskFull=%d", full ? 1 : 0);
        if (full)
            StopRecordingByButton(); // also in the enlarged layout, where the button does nothing
    }
}

void Preview::RestoreRecordButtons()
{
    m_captureGraph.StopNotifications();
    m_btnRecord.LoadBitmaps(312);
    m_btnRecord.Invalidate(true);
    m_btnResolution.EnableWindow(true);
    m_btnResolution.LoadBitmaps(307);
    m_btnResolution.Invalidate(true);
    EnableSettingSizeLists(true);
}

void Preview::EndRecordingClock()
{
    bFileDeleted = false;
    KillTimer(kCountdownTimer);
    KillTimer(kStreamTimer);
    m_lblElapsed.RunClock(false);
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_HIDE);
    m_nCapState = 0;
    m_btnRecord.SetLock(false);
}

void Preview::StopRecordingByButton(bool writeFailed)
{
    DebugLog("Preview::OnBnClickedRecord ==================== Record Ends ==================");
    EndRecordingClock();
    if (!m_bEndSession) {
        RestoreRecordButtons();
        DebugLog("Preview::OnBnClickedRecord bFileDeleted=%d", bFileDeleted ? 1 : 0);
        SetTimer(kPreviewRebuildTimer, 100);
        if (IsDiskFull() || writeFailed)
            MessageBoxW(Hwnd(), GetLangText(L"FullDisk1", L"Disk is almost full and stop capture video.").c_str(),
                        L"Quillo", MB_OK);
        m_bStreaming = false;
    }
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_HIDE);
    m_bEndSession = false;
}

void Preview::StopRecordingByClose()
{
    DebugLog("Preview::OnBnClickedClose ==================== Record Ends ==================");
    EndRecordingClock();
    if (m_dwCurrentRecordLengthInSec < recording::kShortestRecordingSeconds) {
        DebugLog("Preview::OnBnClickedClose m_dwCurrentRecordLengthInSec=%d",
                 static_cast<int>(m_dwCurrentRecordLengthInSec));
        bFileDeleted = true;
    }
    if (!m_bEndSession) {
        RestoreRecordButtons();
        DebugLog("Preview::OnBnClickedClose bFileDeleted=%d", bFileDeleted ? 1 : 0);
        ClearGraphs(); // stops the graph: the file is complete from here on
        if (bFileDeleted)
            (void)DeleteFileW(m_strRecordFile.c_str());
        else if (m_pSkinDlg)
            ++m_pSkinDlg->Settings().m_nVideoNumber;
        m_bStreaming = false;
    }
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_ELAPSED), SW_HIDE);
    m_bEndSession = false;
}

LRESULT Preview::OnGraphEvent(WPARAM, LPARAM)
{
    graphevent::Outcome outcome = graphevent::Outcome::None;
    for (CameraGraph* graph : {static_cast<CameraGraph*>(&m_captureGraph), static_cast<CameraGraph*>(&m_graph)}) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        while (graph->NextEvent(code, param1, param2)) {
            const graphevent::Outcome seen = graphevent::Classify(code, param1, param2, graph == &m_captureGraph);
            if (seen == graphevent::Outcome::None)
                continue;
            DebugLog("Preview::OnGraphEvent event 0x%x (0x%x) ends the %s", static_cast<unsigned>(code),
                     static_cast<unsigned>(param1), seen == graphevent::Outcome::CameraLost ? "preview" : "recording");
            if (outcome != graphevent::Outcome::CameraLost)
                outcome = seen; // a lost camera outweighs a failed write
        }
    }
    if (outcome == graphevent::Outcome::CameraLost)
        OnCameraLost();
    else if (outcome == graphevent::Outcome::WriteFailed && m_nCapState == 1)
        StopRecordingByButton(true); // as at a full disk: the file is finished when its graph stops
    return 0;
}

void Preview::OnCameraLost()
{
    KillTimer(kCaptureBuildTimer);
    KillTimer(kPreviewRebuildTimer);
    // Closed first, so nothing runs behind the box: a recording ends through the close's stop, which finishes
    // its file; the dialog object lives on until this handler returns.
    OnBnClickedClose();
    ShowCameraMessage();
}

bool Preview::IsDiskFull()
{
    const int64_t kilobytes = FreeKilobytes(m_strVideoDir);
    if (kilobytes < 0)
        DebugLog("Preview::IsDiskFull lFreeSpaceInKB=%d (KB)", -1);
    else
        DebugLog("Preview::IsDiskFull nFreeMBs=%d (MB)", static_cast<int>(kilobytes / 1024));
    return snapshot::TooFullForRecording(kilobytes);
}

void Preview::GetDefaultAudioDevice(dshow::ComPtr<IBaseFilter>& audio)
{
    audio.Reset();
    HWND devices = GetDlgItem(IDC_PREVIEW_AUDIO_DEVICES);
    HWND pins = GetDlgItem(IDC_PREVIEW_AUDIO_PINS);
    ::SendMessageW(devices, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(pins, LB_RESETCONTENT, 0, 0);
    m_audioDevices.clear();
    for (const dshow::DeviceMoniker& device : dshow::ListDevices(CLSID_AudioInputDeviceCategory)) {
        const LRESULT item =
            ::SendMessageW(devices, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(device.Text(L"FriendlyName").c_str()));
        if (item >= 0)
            ::SendMessageW(devices, LB_SETITEMDATA, static_cast<WPARAM>(item), m_audioDevices.size());
        m_audioDevices.emplace_back(device.Moniker());
    }
    if (m_audioDevices.empty()) {
        DebugLog("Preview::GetDefaultAudioDevice[WARNNING] No audio device!!!");
        return;
    }
    ::SendMessageW(devices, LB_SETCURSEL, 0, 0);
    if (FAILED(m_audioDevices.front()->BindToObject(nullptr, nullptr, IID_IBaseFilter, audio.PutVoid())) || !audio) {
        audio.Reset(); // a microphone that will not open: the recording goes on without sound
        return;
    }
    dshow::ComPtr<IEnumPins> list;
    if (SUCCEEDED(audio->EnumPins(list.Put())) && list) {
        dshow::ComPtr<IPin> pin;
        while (list->Next(1, pin.Put(), nullptr) == S_OK) {
            PIN_INFO info = {};
            if (FAILED(pin->QueryPinInfo(&info)))
                continue;
            if (info.pFilter)
                info.pFilter->Release();
            if (info.dir == PINDIR_INPUT)
                ::SendMessageW(pins, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.achName));
        }
        ::SendMessageW(pins, LB_SETCURSEL, 0, 0);
    }
}

HRESULT Preview::InitCaptureGraph(const std::wstring& file)
{
    GraphInput input = MakeGraphInput();
    dshow::ComPtr<IBaseFilter> camera;
    FindCaptureDevice(camera.Put());
    input.camera = camera.Get();
    dshow::ComPtr<IBaseFilter> audio;
    GetDefaultAudioDevice(audio);
    RecordingInput recording;
    recording.file = file;
    recording.audio = audio.Get();
    recording.notifyWindow = Hwnd();
    const HRESULT hr = m_captureGraph.InitCaptureGraph(input, recording);
    if (FAILED(hr)) {
        if (m_captureGraph.LastFailure() == GraphFailure::NoAudioPin)
            ShowErrorBox(L"Could not connect Audio pin");
        return hr;
    }
    (void)SetImgaePropParam();
    return S_OK;
}

bool Preview::LoadSkin(bool compact)
{
    const preview::Skin skin = preview::SkinFor(compact, m_bSmallScreen, m_nResState);
    fx::Bitmap top, bottom, left, right;
    if (!top.Load(skin.top) || !bottom.Load(skin.bottom) || !left.Load(skin.left) || !right.Load(skin.right))
        return false;
    m_frameTop = std::move(top);
    m_frameBottom = std::move(bottom);
    m_frameLeft = std::move(left);
    m_frameRight = std::move(right);
    m_nBodyBottom = skin.bodyBottom;
    return true;
}

void Preview::ApplyShape()
{
    BITMAP info = {};
    if (!m_frameTop || !GetObjectW(m_frameTop, sizeof info, &info)) {
        DebugLog("Preview::OnSize[ERROR] m_hBitmap=NULL");
        return;
    }
    const int width = info.bmWidth;
    // The top picture's first seven rows give the rounded top edge.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -7;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> rows(stride * 7);
    std::vector<skin::OutlineRect> rects;
    fx::ClientDC screen(nullptr);
    // GetDIBits numbers scan lines from the bottom of a bottom-up bitmap: the top rows are the last seven.
    if (GetDIBits(screen, m_frameTop, static_cast<UINT>(info.bmHeight - 7), 7, rows.data(), &bi, DIB_RGB_COLORS) == 7)
        skin::ScanOutlineRows({rows.data(), width, 7, stride}, 0, 6, rects);
    rects.push_back({0, 6, width, m_nBodyBottom});
    for (const preview::Row& row : preview::RoundedBottomRows(width, m_nBodyBottom)) {
        DebugLog("Preview::OnSize   iLeftX = %d, iY = %d, iX = %d", row.left, row.y, row.right);
        rects.push_back({row.left, row.y, row.right, row.y + 1});
    }
    fx::Region region;
    for (const auto& r : rects)
        region.AddRect(r.left, r.top, r.right, r.bottom);
    m_bReshape = false;
    SetWindowRgn(Hwnd(), region.Detach(), TRUE);
    DebugLog("Preview::OnSize [Out]");
}

void Preview::OnSize(UINT, int, int)
{
    DebugLog("Preview::OnSize In!");
    if (!m_bReshape)
        return;
    Default();
    ApplyShape();
}

void Preview::OnPaint()
{
    fx::PaintDC dc(Hwnd());
    if (IsIconic(Hwnd()))
        return;
    SIZE top = m_frameTop.Size(), left = m_frameLeft.Size(), right = m_frameRight.Size();
    fx::MemoryDC memory(dc);
    auto copy = [&](const fx::Bitmap& bitmap, int x, int y) {
        if (!bitmap)
            return;
        SIZE size = bitmap.Size();
        fx::SelectObjectGuard select(memory, bitmap);
        BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    };
    copy(m_frameTop, 0, 0);
    copy(m_frameLeft, 0, top.cy);
    copy(m_frameRight, top.cx - right.cx, top.cy);
    copy(m_frameBottom, 0, top.cy + left.cy);
}

HBRUSH Preview::OnCtlColor(HDC dc, HWND control, UINT)
{
    const int id = ::GetDlgCtrlID(control);
    if (id == IDC_PREVIEW_VIDEO || id == IDC_PREVIEW_COVER) {
        // The enlarged video area is larger than its picture: the bands beside the picture stay black.
        SetBkColor(dc, kVideoBand);
        return m_videoBrush.Get();
    }
    if (id != IDC_PREVIEW_RES_LABEL)
        return nullptr;
    SetTextColor(dc, kLabelText);
    SetBkColor(dc, kLabelBackground);
    return m_labelBrush.Get();
}

void Preview::OnLButtonDown(UINT, POINT)
{
    // The captionless window moves by its body.
    SendMessage(WM_SYSCOMMAND, SC_MOVE + 1, 0);
    Default();
}

void Preview::OnMinimize()
{
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void Preview::OnFunctionMenu()
{
    if (m_bFullWindow)
        return;
    m_btnFunction.LoadBitmaps(306);
    m_btnFunction.Invalidate(true);
    POINT cursor = {};
    GetCursorPos(&cursor);
    fx::Menu popup = m_functionMenu.GetSubMenu(0);
    if (popup)
        popup.TrackPopup(TPM_RIGHTBUTTON, cursor.x, cursor.y, Hwnd());
}

void Preview::OnResolutionMenu()
{
    if (m_bFullWindow)
        return;
    m_btnResolution.LoadBitmaps(307);
    m_btnResolution.Invalidate(true);
    POINT cursor = {};
    GetCursorPos(&cursor);
    fx::Menu popup = m_resolutionMenu.GetSubMenu(0);
    if (popup)
        popup.TrackPopup(TPM_RIGHTBUTTON, cursor.x, cursor.y, Hwnd());
}

void Preview::OnFunctionCommand(UINT id)
{
    if (!m_pSkinDlg)
        return;
    switch (id) {
    case ID_FUNCTION_ABOUT:
        m_pSkinDlg->RunCommand(ToolbarCommand::About);
        break;
    case ID_FUNCTION_PROPERTIES:
        m_pSkinDlg->RunCommand(ToolbarCommand::Properties);
        break;
    case ID_FUNCTION_SETTING:
        m_pSkinDlg->RunCommand(ToolbarCommand::Setting);
        break;
    case ID_FUNCTION_HELP:
        m_pSkinDlg->RunCommand(ToolbarCommand::Help);
        break;
    default:
        break;
    }
}

void Preview::OnResolutionCommand(UINT id)
{
    const int state = preview::StateOfMenuItem(id);
    if (state == 2)
        DebugLog("Preview::OnMenuResSSVGA[IN]");
    if (state >= 0)
        ChangeResolution(state, true);
}

void Preview::ResSSVGA()
{
    DebugLog("Preview::ResSSVGA[IN]");
    ChangeResolution(2, false);
}

void Preview::ChangeResolution(int state, bool fromMenu)
{
    if (m_nResState == state || m_nCapState == 1 || m_bFullWindow)
        return;
    const FrameSize wanted = WantedSizeForState(state);
    m_nWidth = wanted.width;
    m_nHeight = wanted.height;
    m_nResState = state;
    if (SettingView* setting = m_pSkinDlg ? m_pSkinDlg->SettingDialog() : nullptr)
        setting->ShowResolutionState(state);
    if (fromMenu && m_pSkinDlg) {
        // Stored before the rebuild: a change that fails is still the user's choice.
        m_pSkinDlg->Settings().m_nPictureSize = state;
        (void)SettingsStore().WritePictureSize(state);
        PlaceResolutionLabel();
    }
    for (int s = 0; s <= 4; ++s)
        m_resolutionMenu.CheckItem(preview::ResolutionMenuItem(s), s == state);
    UpdateRecordButton();
    if (FAILED(InitStillGraph())) {
        ShowCameraMessage();
        EndDialog(0);
        return;
    }
    PropertiesView* properties = m_pSkinDlg ? m_pSkinDlg->PropertiesDialog() : nullptr;
    // A choice still pending in the open Properties dialog has turned the picture as well.
    const bool wasTurned = m_bIsFlipSelected || m_bIsMirrorSelected ||
                           (properties && (properties->MirrorChecked() || properties->FlipChecked()));
    ResetMirrorFlip();
    // A sensor keeps its orientation across graph builds: turn it upright too, so the picture matches the
    // cleared choice (a new scaler starts upright by itself).
    if (wasTurned && OrientationPathFor(isp) == OrientationPath::Sensor)
        ReapplyOrientation();
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
    if (m_pSkinDlg)
        m_pSkinDlg->RenewHooks();
}

namespace {

// The six image properties in the toolbar's order (Brightness, Contrast, Gamma, Hue, Saturation, Sharpness) and
// their IAMVideoProcAmp numbers.
constexpr long kImageProperty[store::kImageValueCount] = {VideoProcAmp_Brightness, VideoProcAmp_Contrast,
                                                          VideoProcAmp_Gamma,      VideoProcAmp_Hue,
                                                          VideoProcAmp_Saturation, VideoProcAmp_Sharpness};

} // namespace

bool Preview::SetImgaePropParam()
{
    IBaseFilter* capture = CurrentGraph().CaptureFilter();
    if (!capture || !m_pSkinDlg)
        return false;
    DebugLog("Preview::SetImgaePropParam[IN]");
    m_pVideoProcAmp.Reset();
    if (FAILED(capture->QueryInterface(IID_IAMVideoProcAmp, m_pVideoProcAmp.PutVoid())) || !m_pVideoProcAmp)
        return true;
    SettingsRecord& record = m_pSkinDlg->Settings();
    long flags = 0;
    for (int i = 0; i < store::kImageValueCount; ++i) {
        long min = 0, max = 0, step = 0, def = 0, caps = 0;
        // A range the camera will not give leaves zeros; the camera still gets its values below.
        (void)m_pVideoProcAmp->GetRange(kImageProperty[i], &min, &max, &step, &def, &caps);
        record.m_imageMax[i] = static_cast<int>(max);
        record.m_imageMin[i] = static_cast<int>(min);
        ImageDefault(record, i) = static_cast<int>(def);
        flags = caps; // the last query's flags (Sharpness) go with every value
    }
    (void)writeDefaultImagePropParam();
    DebugLog("Preview::SetImgaePropParam m_pSkinDlg->m_bImageSet=%d", record.m_bImageSet ? 1 : 0);
    if (record.m_bImageSet) {
        DebugLog("Preview::SetImgaePropParam Set VideoProcAmp()!");
    } else {
        DebugLog("Preview::SetImgaePropParam Get VideoProcAmp()!");
        for (int i = 0; i < store::kImageValueCount; ++i)
            ImageValue(record, i) = ImageDefault(record, i);
        record.m_bImageSet = true;
    }
    // In property-number order; a value the camera refuses leaves its own.
    const int setOrder[store::kImageValueCount] = {0, 1, 3, 4, 5, 2}; // Brightness, Contrast, Hue, Saturation,
                                                                      // Sharpness, Gamma as toolbar indexes
    for (int index : setOrder)
        (void)m_pVideoProcAmp->Set(kImageProperty[index], ImageValue(record, index), flags);
    // The open Properties dialog's sliders follow what was just set.
    if (PropertiesView* properties = m_pSkinDlg->PropertiesDialog()) {
        for (int index : setOrder)
            properties->ShowImageValue(index, record.m_imageMin[index], record.m_imageMax[index],
                                       ImageValue(record, index));
    }
    return false;
}

bool Preview::writeDefaultImagePropParam()
{
    DebugLog("Preview::writeDefaultImagePropParam In!");
    if (!m_pSkinDlg)
        return false;
    const std::wstring path = std::wstring(store::kProductKey) + L"Properties\\DEFAULT\\Image\\";
    RegistrySettingsWriter writer;
    if (!writer.SelectKey(path, true)) {
        DebugLog("Preview::writeDefaultImagePropParam Reg.SetKey() ERROR! ERROR! ERROR!");
        return false;
    }
    SettingsRecord& record = m_pSkinDlg->Settings();
    for (int i = 0; i < store::kImageValueCount; ++i) {
        DebugLogW(L"Preview::writeDefaultImagePropParam i%s_default=%d", store::kImageValueNames[i],
                  ImageDefault(record, i));
        (void)writer.WriteText(store::kImageValueNames[i], std::to_wstring(ImageDefault(record, i)));
    }
    return true;
}

HRESULT Preview::ImageMirrorFlipUsingFilter(BYTE mirror, BYTE flip)
{
    CameraGraph& graph = CurrentGraph();
    if (!graph.MirrorFlip())
        return 0;
    DebugLog("Preview::ImageMirrorFlipUsingFilter nMirror=%d  bFlip=%d", mirror ? 1 : 0, flip);
    return graph.SetMirrorFlip(mirror != 0, flip != 0);
}

void Preview::ReapplyOrientation()
{
    std::unique_ptr<Camera> camera(new Camera(this));
    if (isp != 255) {
        camera->isp = isp;
        camera->bVGAModule = m_bVGAModule;
    } else {
        camera->ChkDeviceisp();
    }
    BYTE mirror = 0, flip = 0;
    ChosenOrientation(mirror, flip);
    if (camera->isp == 3) {
        (void)camera->SetMirrorFlipByFilter(mirror, flip);
    } else if (camera->isp == 4) {
        (void)ImageMirrorFlipUsingFilter(mirror, flip);
    } else {
        camera->SetMirror(mirror);
        camera->SetFlip(flip);
    }
}

void Preview::ChosenOrientation(BYTE& mirror, BYTE& flip) const
{
    if (PropertiesView* properties = m_pSkinDlg ? m_pSkinDlg->PropertiesDialog() : nullptr) {
        mirror = properties->MirrorChecked() ? 1 : 0;
        flip = properties->FlipChecked() ? 1 : 0;
        DebugLog("Preview::OnTimer m_pSkinDlg->cProperties->m_dlgOptions.m_btnMirror.bSelected=%d", mirror);
        DebugLog("Preview::OnTimer m_pSkinDlg->cProperties->m_dlgOptions.m_btnFlip.bSelected=%d", flip);
        return;
    }
    mirror = m_bIsMirrorSelected ? 1 : 0;
    flip = m_bIsFlipSelected ? 1 : 0;
    DebugLog("Preview::OnTimer m_bIsMirrorSelected=%d", mirror);
    DebugLog("Preview::OnTimer m_bIsFlipSelected=%d", flip);
}

void Preview::EnableSettingSizeLists(bool enable) const
{
    if (SettingView* setting = m_pSkinDlg ? m_pSkinDlg->SettingDialog() : nullptr)
        setting->EnableSizeLists(enable);
}

void Preview::ResetMirrorFlip()
{
    m_bIsFlipSelected = false;
    m_bIsMirrorSelected = false;
    if (PropertiesView* properties = m_pSkinDlg ? m_pSkinDlg->PropertiesDialog() : nullptr)
        properties->ClearOrientationChecks(true);
}

void Preview::GetRectToWorkMonitor()
{
    DebugLog("Preview::GetRectToWorkMonitor [IN!!!]");
    const RECT window = GetWindowRect();
    MONITORINFO info = {sizeof info};
    if (GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info)) {
        m_nWindowLeft = info.rcWork.left;
        m_nWindowTop = info.rcWork.top;
        m_nWindowWidth = info.rcWork.right - info.rcWork.left;
        m_nWindowHeight = info.rcWork.bottom - info.rcWork.top;
    }
    DebugLog("Preview::GetRectToWorkMonitor m_nWindowLeft = %d, m_nWindowTop = %d, m_nWindowWidth = %d, "
             "m_nWindowHeight = %d",
             m_nWindowLeft, m_nWindowTop, m_nWindowWidth, m_nWindowHeight);
    DebugLog("Preview::GetRectToWorkMonitor [OUT!!!]");
}

void Preview::OnStnDblclickPreview()
{
    DebugLog("Preview::OnStnDblclickPreview [IN!!!]");
    if (!preview::HasEnlargedLayout(m_nResState)) {
        DebugLog("Preview::OnStnDblclickPreview [Out]");
        return;
    }
    GetRectToWorkMonitor();
    const preview::WorkArea work = {m_nWindowLeft, m_nWindowTop, m_nWindowWidth, m_nWindowHeight};
    const bool entering = !m_bFullWindow;
    const preview::Layout layout = preview::LayoutFor(entering, m_bSmallScreen, m_nResState);
    if (entering && !preview::FitsOn(work, layout.window)) {
        DebugLog("Preview::OnStnDblclickPreview [Out]"); // the work area cannot hold the enlarged window
        return;
    }
    m_bReshape = true;
    (void)LoadSkin(!entering); // the skins all load once the constructor loaded the compact one
    const PlacementRect place = preview::CenteredIn(work, layout.window);
    if (!entering) {
        EnableSettingSizeLists(true);
        for (UINT id : kCompactOnly)
            ::ShowWindow(GetDlgItem(id), SW_SHOW);
        if (m_nCapState == 1)
            for (UINT id : kRecordingLabels)
                ::ShowWindow(GetDlgItem(id), SW_SHOW);
    }
    SetWindowPos(nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER);
    PlaceLayoutControls(layout);
    if (entering) {
        EnableSettingSizeLists(false);
        for (UINT id : kCompactOnly)
            ::ShowWindow(GetDlgItem(id), SW_HIDE);
        for (UINT id : kRecordingLabels)
            ::ShowWindow(GetDlgItem(id), SW_HIDE);
    }
    DebugLog("Preview::OnStnDblclickPreviewSetWindowPos( PosX = %d, PosY = %d, WindowX = %d, WindowY = %d)", place.left,
             place.top, place.width, place.height);
    m_bFullWindow = entering;
    ResetVindow();
    // The video area grew or shrank under the window's other controls: it and every control repaint, or the
    // bands beside the picture keep what the old layout left there.
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    DebugLog("Preview::OnStnDblclickPreview [Out]");
}

void Preview::ResetVindow()
{
    DebugLog("Preview::ResetVindow [IN!!!]");
    PlacementRect place = {0, 0, 0, 0};
    bool placed = true;
    if (m_bFullWindow) {
        const RECT window = GetWindowRect();
        place = preview::EnlargedVideoPlacement(m_nResState, m_bSmallScreen,
                                                {window.right - window.left, window.bottom - window.top});
    } else {
        RECT dialog = GetWindowRect();
        placed = VideoWindowPlacement(m_nResState, m_bSmallScreen, false, dialog.right - dialog.left,
                                      dialog.bottom - dialog.top, &place);
    }
    if (!CurrentGraph().ShowVideoIn(GetDlgItem(IDC_PREVIEW_VIDEO), placed ? &place : nullptr))
        DebugLog("Preview::ResetVindow Could not get video window interface");
    DebugLog("Preview::ResetVindow [Out]");
}

LRESULT Preview::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (m_nCapState == 1 && pos) {
        DebugLog("Preview::OnWindowPosChanging [IN!!!]");
        const preview::Layout layout = preview::LayoutFor(m_bFullWindow && !m_bReshape, m_bSmallScreen, m_nResState);
        preview::Size size = layout.window;
        if (m_bFullWindow && !m_bReshape)
            size = m_bSmallScreen ? preview::Size{888, 569} : preview::Size{1134, 726};
        GetRectToWorkMonitor();
        DebugLog("Preview::OnWindowPosChanging lpwndpos->x = %d, lpwndpos->y = %d", pos->x, pos->y);
        if (!(pos->flags & SWP_NOMOVE))
            preview::ClampToWorkArea({m_nWindowLeft, m_nWindowTop, m_nWindowWidth, m_nWindowHeight}, size, pos->x,
                                     pos->y);
    }
    return Default();
}

void Preview::OnBnClickedSnap()
{
    if (m_bFullWindow)
        return;
    GraphLock lock;
    DebugLog("Preview::OnBnClickedSnap[IN]");
    if (m_nCapState != 1 && m_pSkinDlg) {
        SettingsRecord& record = m_pSkinDlg->Settings();
        bPrintDate = record.m_bDateStamp != 0;
        m_bShowImage = record.m_bShowImageAfterSnapshot != 0;
        m_strPictureDir = snapshot::WithFinalSeparator(record.m_strPicturePath);
        (void)FindNextFileNumber(record, record.m_strPicturePath, 0);
        m_lSnapNumber = record.m_nPictureNumber;
        TakeSnapshot();
    }
    DebugLog("Preview::OnBnClickedSnap[OUT]");
}

void Preview::TakeSnapshot()
{
    // A folder too long for the picture's path is told as one that cannot be written: cut short, the path would
    // name another folder or none.
    if (!snapshot::FolderFitsFileNames(m_strPictureDir) || CheckUACFolder(m_strPictureDir, "Preview") != 0) {
        ShowErrorBox(
            GetLangText(L"FolderError", L"The folder is forbidden to be accessed, please select another one.").c_str());
        return;
    }
    wcsncpy(g_SampleGrabberCB.szPictureDir, m_strPictureDir.c_str(), MAX_PATH - 1);
    g_SampleGrabberCB.szPictureDir[MAX_PATH - 1] = L'\0';
    // The picture's own disk is measured: another disk being full says nothing about this one.
    if (snapshot::TooFullForSnapshot(FreeKilobytes(m_strPictureDir))) {
        MessageBoxW(Hwnd(), GetLangText(L"FullDisk0", L"Disk is full and can't capture any image.").c_str(), L"Quillo",
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    IDownScaler* scaler = m_graph.DownScaler();
    if (!scaler) {
        DebugLog("Preview::OnBnClickedSnap[ERROR] No DownScaler interface!!!");
        return;
    }
    const std::wstring grabPath = m_strPictureDir + L"IMG_ori.bmp";
    wcsncpy(g_SampleGrabberCB.szGrabPath, grabPath.c_str(), MAX_PATH - 1);
    g_SampleGrabberCB.szGrabPath[MAX_PATH - 1] = L'\0';
    const HRESULT grabbed = scaler->GrabFrame(cb.pBuffer, cb.lBufferSize, g_SampleGrabberCB.szGrabPath);
    if (FAILED(grabbed) || GetFileAttributesW(g_SampleGrabberCB.szGrabPath) == INVALID_FILE_ATTRIBUTES) {
        // No frame to write: nothing is saved and no number is used up.
        DebugLog("Preview::OnBnClickedSnap[ERROR] GrabFrame failed: 0x%x", static_cast<unsigned>(grabbed));
        return;
    }
    const bool written = g_SampleGrabberCB.CopyBitmap(0.0, nullptr, 0) == 0;
    if (m_pSkinDlg)
        m_pSkinDlg->Settings().m_nPictureNumber = m_lSnapNumber;
    (void)DeleteFileW(g_SampleGrabberCB.szGrabPath); // the temporary frame goes; a leftover one counts as 0
    if (written && m_bShowImage)
        (void)ShellExecuteW(Hwnd(), L"open", g_SampleGrabberCB.szLastPicture, nullptr, nullptr, SW_SHOWNORMAL);
}

void Preview::OnOK()
{
    DebugLog("Preview::OnOK In!");
}

void Preview::OnCancel()
{
    DebugLog("Preview::OnCancel In!");
    OnBnClickedClose();
}

void Preview::OnBnClickedClose()
{
    DebugLog("Preview::OnBnClickedClose[IN]");
    if (m_nCapState == 1)
        StopRecordingByClose();
    // The open Properties dialog has nothing live to act on any more.
    if (PropertiesView* properties = m_pSkinDlg ? m_pSkinDlg->PropertiesDialog() : nullptr) {
        properties->ClearOrientationChecks(false);
        properties->EnableImageSliders(false);
    }
    if (HWND helper = FindWindowW(nullptr, kSensorHelperTitle))
        ::SendMessageW(helper, kMsgQuit, 0, 0);
    m_pVideoProcAmp.Reset();
    ClearGraphs();
    if (m_pSkinDlg) {
        m_pSkinDlg->OnPreviewClosed(this);
        // The toolbar has stored 640 x 480 for the next preview; the open Setting dialog shows it.
        if (SettingView* setting = m_pSkinDlg->SettingDialog())
            setting->ShowResolutionState(1);
    }
    EndDialog(0);
}

void Preview::OnDestroy()
{
    DebugLog("Preview::OnDestroy In!");
    Default();
    m_pVideoProcAmp.Reset();
    // A preview that ends while recording or enlarged (a failed build ends it without its close) must not leave
    // the Setting dialog's size lists disabled.
    EnableSettingSizeLists(true);
}

void Preview::PostNcDestroy()
{
    // A preview that ends on its own (no camera, failed start) leaves the toolbar's pointer dangling
    // otherwise: the toolbar forgets it before the object goes.
    if (m_pSkinDlg)
        m_pSkinDlg->OnPreviewClosed(this);
    fx::Dialog::PostNcDestroy();
}

void Preview::FindCaptureDevice(IBaseFilter** filter)
{
    if (!filter)
        return;
    if (*filter) {
        (*filter)->Release();
        *filter = nullptr;
    }
    if (!m_camera) {
        KnownCameraSearch search;
        search.requireFriendlyName = true;
        search.logDevicePath = false;
        search.isp = &isp;
        search.bVGAModule = &m_bVGAModule;
        search.bMJPEGModule = &bMJPEGModule;
        (void)BindFirstKnownCamera(search, m_camera); // the caller tests the filter
    }
    (void)m_camera.CopyTo(filter);
}

GraphInput Preview::MakeGraphInput()
{
    GraphInput input;
    input.mjpegModule = bMJPEGModule != 0;
    input.width = m_nWidth;
    input.height = m_nHeight;
    input.makeScaler = &MakeScaler;
    input.makePauseAudio = &MakePauseAudio;
    input.makeAviWriter = &MakeAviWriter;
    input.videoOwner = GetDlgItem(IDC_PREVIEW_VIDEO);
    RECT dialog = GetWindowRect();
    input.hasPlacement = VideoWindowPlacement(m_nResState, m_bSmallScreen, m_bFullWindow, dialog.right - dialog.left,
                                              dialog.bottom - dialog.top, &input.placement);
    input.snapshotOwner = this;
    input.notifyWindow = Hwnd();
    return input;
}

HRESULT Preview::InitStillGraph()
{
    GraphLock lock;
    DebugLog("Preview::InitStillGraph[IN]");
    SetSnapshotButtonEnabled(false);
    SetTimer(kSnapshotEnableTimer, 2000);

    GraphInput input = MakeGraphInput();
    dshow::ComPtr<IBaseFilter> camera;
    FindCaptureDevice(camera.Put());
    input.camera = camera.Get();
    const HRESULT hr = m_graph.InitStillGraph(input);
    if (FAILED(hr)) {
        if (m_graph.LastFailure() == GraphFailure::CameraMessage)
            ShowCameraMessage();
        else if (m_graph.LastFailure() == GraphFailure::NoScaler)
            ShowErrorBox(PreviewGraph::NoScalerText());
        return hr;
    }

    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);
    StartSensorHelper();
    (void)SetImgaePropParam(); // its answer tells callers nothing
    if (const wchar_t* label = ResolutionLabelText(m_nResState))
        ::SetWindowTextW(GetDlgItem(IDC_PREVIEW_RES_LABEL), label);
    DebugLog("Preview::InitStillGraph[OUT]");
    return S_OK;
}

void Preview::ClearGraphs()
{
    m_graph.ClearGraphs();
    m_captureGraph.ClearGraphs();
    m_pVideoProcAmp.Reset();
}

void Preview::ShowCameraMessage()
{
    ShowErrorBox(
        GetLangText(L"InitStillGraph", L"Camera is not installed or camera is occupied by another user.").c_str());
}

void Preview::StartSensorHelper()
{
    if (FindWindowW(nullptr, kSensorHelperTitle))
        return;
    const std::wstring folder = ProgramFolder();
    // The helper is started by its full path, so that no other program of that name is run.
    const std::wstring helper = folder + kSensorHelperProgram;
    (void)ShellExecuteW(nullptr, L"open", helper.c_str(), nullptr, folder.c_str(), SW_HIDE); // nothing to tell
}

void Preview::MatchPowerLineFrequency()
{
    IBaseFilter* capture = m_graph.CaptureFilter();
    if (!capture)
        return;
    dshow::ComPtr<IKsTopologyInfo> topology;
    if (FAILED(capture->QueryInterface(__uuidof(IKsTopologyInfo), topology.PutVoid())) || !topology)
        return;
    DWORD count = 0;
    if (FAILED(topology->get_NumNodes(&count)))
        return;
    DWORD unit = 0;
    bool found = false;
    for (DWORD i = 0; i < count && !found; ++i) {
        GUID type = GUID_NULL;
        if (SUCCEEDED(topology->get_NodeType(i, &type)) && IsEqualGUID(type, KSNODETYPE_VIDEO_PROCESSING)) {
            unit = i;
            found = true;
        }
    }
    if (!found || unit == 0) // a unit at position 0 does not count
        return;
    dshow::ComPtr<IVideoProcAmp> amp;
    if (FAILED(topology->CreateNodeInstance(unit, __uuidof(IVideoProcAmp), amp.PutVoid())) || !amp)
        return;
    long value = 0, flags = 0;
    if (FAILED(amp->get_PowerlineFrequency(&value, &flags)))
        return;
    const bool want60 = m_pSkinDlg && m_pSkinDlg->Settings().m_bPowerline60Hz;
    if (value == 2 && !want60)
        (void)amp->put_PowerlineFrequency(1, 2); // a camera that refuses keeps its own
    else if (value == 1 && want60)
        (void)amp->put_PowerlineFrequency(2, 2);
}
