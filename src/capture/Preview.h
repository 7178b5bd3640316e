// Preview: the modeless dialog that shows the camera's live picture. It owns the filter graph and every
// COM reference into it, the resolution state and the skin of its window.
#pragma once

#include "filters/pauseaudio/PauseAudioApi.h"
#include "filters/scaler/DownScalerApi.h"
#include "fx/BitmapButton.h"
#include "dshow/ComPtr.h"
#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "fx/Menu.h"

#include <windows.h>
#include <dshow.h>

#include <string>

class CSkinDlg;

// What the snapshot command needs to know about the running preview graph.
struct SnapshotState
{
    class Preview* owner = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
};
extern SnapshotState g_SnapshotState;

// The lock that keeps a preview-graph build and a snapshot apart; made and removed with the dialog.
void PreviewCreateGraphLock();
void PreviewDeleteGraphLock();

class Preview : public fx::Dialog
{
public:
    explicit Preview(CSkinDlg* skinDlg, HWND parent = nullptr);
    ~Preview() override;

    // Builds and runs the live-preview graph; S_OK once it runs.
    HRESULT InitStillGraph();
    // Tears down whatever graph the dialog holds.
    void ClearGraphs();
    // Every box of the preview: no owner, the looked-up "Error" caption.
    static void ShowErrorBox(const wchar_t* text);
    void OnBnClickedClose();

    // Graph and filters of the current graph.
    dshow::ComPtr<IGraphBuilder> m_pGraph;
    dshow::ComPtr<ICaptureGraphBuilder2> m_pCaptureBuilder;
    IBaseFilter* m_pCaptureFilter = nullptr; // held by the graph
    dshow::ComPtr<IDownScaler> m_pDownScaler;
    dshow::ComPtr<IMirrorFlip> m_pMirrorFlip;
    dshow::ComPtr<IMirrorFlip> m_pMirrorFlip2;
    dshow::ComPtr<IPauseAudio> m_pPauseAudio;
    dshow::ComPtr<IVideoWindow> m_pVideoWindow;
    dshow::ComPtr<IBaseFilter> m_pAudioCapture;
    dshow::ComPtr<IMediaEventEx> m_pMediaEvent;
    dshow::ComPtr<IAMVideoProcAmp> m_pVideoProcAmp;

    int m_nCapState = 0;
    bool m_bFullWindow = false;
    bool m_bInitialLayout = true;
    bool m_bReshape = true;
    int m_nResState = 1;
    bool m_bDeviceHasSSVGA = false;
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
    CSkinDlg* m_pSkinDlg;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    FX_DECLARE_MESSAGE_MAP()

private:
    // Graph building blocks (PreviewGraph.cpp).
    void FindCaptureDevice(IBaseFilter** filter);
    int CheckResolution(IAMStreamConfig* config);
    HRESULT GetDownScaler(IBaseFilter** filter);
    HRESULT GetPauseAudio(IBaseFilter** filter, IPauseAudio** pauseAudio);
    void PlaceVideoWindow(IVideoWindow* window);
    void ShowCameraMessage();
    void RemoveDownstream(IBaseFilter* filter);
    void MatchPowerLineFrequency();
    void StartSensorHelper();

    void LayOutControls();
    void LoadButtonPictures();
    void SetSnapshotButtonEnabled(bool enabled);
    void ApplyShape();

    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnMinimize();
    void OnFunctionMenu();
    void OnResolutionMenu();
    void OnLButtonDown(UINT keys, POINT point);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    fx::BitmapButton m_btnSnapshot, m_btnRecord, m_btnClose, m_btnMinimize, m_btnFunction, m_btnResolution;
    fx::Bitmap m_frameTop, m_frameBottom, m_frameLeft, m_frameRight;
    fx::Bitmap m_videoBackground;
    fx::Menu m_functionMenu, m_resolutionMenu;
    fx::Font m_labelFont;
    fx::Brush m_labelBrush;
    bool m_criticalSectionReady = false;
};
