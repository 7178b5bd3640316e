// Preview: the modeless, skinned dialog that shows the camera's live picture. The window side lives here
// (layouts, buttons, menus, labels, boxes, the resolution state); the filter graph is PreviewGraph's.
#pragma once

#include "camera/Camera.h"
#include "capture/CaptureGraph.h"
#include "capture/PreviewGraph.h"
#include "capture/PreviewLayout.h"
#include "dshow/ComPtr.h"
#include "fx/BitmapButton.h"
#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "fx/Menu.h"
#include "settings/ToolbarLink.h"
#include "ui/Label.h"
#include "ui/MyBitmapButton.h"
#include "ui/VideoArea.h"

#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

class Preview : public fx::Dialog, public FilterOrientation
{
public:
    explicit Preview(ToolbarLink* skinDlg, HWND parent = nullptr);
    ~Preview() override;

    // Builds and runs the live-preview graph; S_OK once it runs. Tells the user what failed.
    HRESULT InitStillGraph();
    // Tears down whatever graph the dialog holds.
    void ClearGraphs();
    // Every box of the preview: no owner, the looked-up "Error" caption.
    static void ShowErrorBox(const wchar_t* text);
    void OnBnClickedClose();
    // The snapshot button: the newest frame as the next numbered picture.
    void OnBnClickedSnap();
    // The record button: starts a recording (after a 3-second countdown) or stops the running one.
    void OnBnClickedRecord();
    // The graph that runs now: the recording graph while recording, else the preview graph.
    CameraGraph& CurrentGraph();

    // The running preview graph (frame grab, orientation, events).
    PreviewGraph& Graph() { return m_graph; }
    // The camera's video-processing interface is held (the image values apply to a live camera).
    bool HasVideoProcAmp() const { return static_cast<bool>(m_pVideoProcAmp); }
    // That interface, held by the preview until its graph goes (null without one); callers do not keep it.
    IAMVideoProcAmp* VideoProcAmp() const { return m_pVideoProcAmp.Get(); }

    // Resolution states chosen from the Setting dialog: as the menu, without storing "Size" or moving the label.
    void ResQVGA() { ChangeResolution(0, false); }
    void ResVGA() { ChangeResolution(1, false); }
    void ResSSVGA();
    void ResSVGA() { ChangeResolution(3, false); }
    void ResXVGA() { ChangeResolution(4, false); }
    // Forgets the picture's mirror and flip choice (size changes, suspend, session changes).
    void ResetMirrorFlip();

    // Reads the camera's image ranges and defaults into the toolbar, stores the defaults, and sets the user's
    // values (or, the first time, the defaults) on the camera. Run after every graph build.
    bool SetImgaePropParam();
    // The defaults as text values under "Properties\DEFAULT\Image\"; true when written.
    bool writeDefaultImagePropParam();
    // Mirror and flip to the scaler filters (chip families 3 and 4).
    HRESULT ImageMirrorFlipUsingFilter(BYTE mirror, BYTE flip) override;
    // Turns the picture again as chosen, after a graph was rebuilt.
    void ReapplyOrientation();

    int m_nCapState = 0;
    long m_lSnapNumber = 0;  // number of the next picture
    int m_nExportFormat = 0; // picture format of the last picture
    bool bPrintDate = false;
    bool m_bShowImage = false;
    bool m_bFullWindow = false;
    bool m_bInitialLayout = true;
    bool m_bReshape = true;
    int m_nResState = 1;
    int m_nWidth = 640;
    int m_nHeight = 480;
    bool m_bSmallScreen = false;
    bool m_bEndSession = false;
    BYTE isp = 255;
    BYTE m_bVGAModule = 0;
    BYTE bMJPEGModule = 0;
    bool m_bIsFlipSelected = false;
    bool m_bIsMirrorSelected = false;
    std::wstring m_strPictureDir = L"D:\\";
    std::wstring m_strVideoDir = L"D:\\";
    int m_nWindowLeft = 0, m_nWindowTop = 0, m_nWindowWidth = 0, m_nWindowHeight = 0;
    // Recording.
    SYSTEMTIME m_tmLastRecordClick = {};
    std::wstring m_strRecordFile;
    signed char m_nCountdown = 0;
    DWORD m_dwRecordStartTick = 0;
    unsigned m_dwLastDiskCheck = 0;
    DWORD m_dwCurrentRecordLengthInSec = 0;
    bool m_bBlinkOn = false;
    bool m_bStreaming = false;
    bool bFileDeleted = false;
    ToolbarLink* m_pSkinDlg;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    // Hands out the camera's capture filter: the one bound when the dialog started, else the first known
    // camera with a friendly name.
    void FindCaptureDevice(IBaseFilter** filter);
    GraphInput MakeGraphInput();
    static void ShowCameraMessage();
    void MatchPowerLineFrequency();
    void StartSensorHelper();

    void LayOutControls();
    void PlaceLayoutControls(const preview::Layout& layout);
    void PlaceResolutionLabel();
    void LoadButtonPictures();
    void UpdateRecordButton();
    void AddTooltips();
    void BuildMenus();
    void SetSnapshotButtonEnabled(bool enabled);
    bool LoadSkin(bool compact);
    void ApplyShape();
    void GetRectToWorkMonitor();
    void ResetVindow();
    void ChangeResolution(int state, bool fromMenu);
    void TakeSnapshot();
    void StartRecording();
    // writeFailed: the file could not be written, so the full-disk box shows whatever the disk check says.
    void StopRecordingByButton(bool writeFailed = false);
    void StopRecordingByClose();
    void EndRecordingClock();
    HRESULT InitCaptureGraph(const std::wstring& file);
    bool IsDiskFull();
    void GetDefaultAudioDevice(dshow::ComPtr<IBaseFilter>& audio);
    void NudgeWindow();
    void OnCountdownTick();
    void OnStreamTick();
    void RestoreRecordButtons();
    // The orientation to apply: the Properties dialog's pending choice while it is open, else the saved one.
    void ChosenOrientation(BYTE& mirror, BYTE& flip) const;
    // The Setting dialog's size lists, when it is open.
    void EnableSettingSizeLists(bool enable) const;

    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnMinimize();
    void OnFunctionMenu();
    void OnResolutionMenu();
    void OnFunctionCommand(UINT id);
    void OnResolutionCommand(UINT id);
    void OnStnDblclickPreview();
    void OnLButtonDown(UINT keys, POINT point);
    void OnMouseMove(UINT keys, POINT point);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM lParam);
    // Message 2026: the running graph's events (a camera pulled out or failing, a file that cannot be written).
    LRESULT OnGraphEvent(WPARAM, LPARAM);
    void OnCameraLost();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    VideoArea m_videoArea;
    MyBitmapButton m_btnSnapshot, m_btnRecord, m_btnClose, m_btnMinimize, m_btnFunction, m_btnResolution;
    CLabel m_lblElapsed;
    fx::Bitmap m_frameTop, m_frameBottom, m_frameLeft, m_frameRight;
    int m_nBodyBottom = 0;
    fx::Bitmap m_videoBackground;
    fx::Menu m_functionMenu, m_resolutionMenu;
    fx::Font m_labelFont;
    fx::Brush m_labelBrush;
    fx::Brush m_videoBrush; // the video area beside the picture
    bool m_criticalSectionReady = false;

    PreviewGraph m_graph;
    CaptureGraph m_captureGraph;
    std::vector<dshow::ComPtr<IMoniker>> m_audioDevices; // item data of the hidden device list
    // The camera's capture filter, bound once when the dialog starts and used by every graph it builds.
    dshow::ComPtr<IBaseFilter> m_camera;
    dshow::ComPtr<IAMVideoProcAmp> m_pVideoProcAmp;
};
