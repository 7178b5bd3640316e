// The preview graph of the Preview dialog: camera, optional MJPEG decompressor, our scaler, Smart Tee
// and a video renderer, shown inside the video area.
#include "capture/Preview.h"

#include "app/SkinDlg.h"
#include "capture/FilterModule.h"
#include "capture/StreamFormatRule.h"
#include "capture/VideoPlacement.h"
#include "camera/Camera.h"
#include "camera/VideoDevices.h"
#include "dshow/Graph.h"
#include "dshow/vidcap_decl.h"
#include "resource.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"
#include "settings/ProgramFolder.h"

#include <shellapi.h>

#include <vector>

namespace {

// Held for a whole graph build and by the snapshot command; re-entrant on the UI thread.
// Counted, because a closed preview's object may go only after the next one has been made.
CRITICAL_SECTION g_csGraph;
bool g_csGraphReady = false;
int g_csGraphUsers = 0;

class GraphLock
{
public:
    GraphLock()
    {
        if (g_csGraphReady)
            EnterCriticalSection(&g_csGraph);
    }
    ~GraphLock()
    {
        if (g_csGraphReady)
            LeaveCriticalSection(&g_csGraph);
    }
    GraphLock(const GraphLock&) = delete;
    GraphLock& operator=(const GraphLock&) = delete;
};

} // namespace

void PreviewCreateGraphLock()
{
    if (g_csGraphUsers++ == 0) {
        InitializeCriticalSection(&g_csGraph);
        g_csGraphReady = true;
    }
}

void PreviewDeleteGraphLock()
{
    if (g_csGraphUsers > 0 && --g_csGraphUsers == 0) {
        DeleteCriticalSection(&g_csGraph);
        g_csGraphReady = false;
    }
}

void Preview::FindCaptureDevice(IBaseFilter** filter)
{
    if (!filter)
        return;
    if (*filter) {
        (*filter)->Release();
        *filter = nullptr;
    }
    KnownCameraSearch search;
    search.requireFriendlyName = true;
    search.logDevicePath = false;
    search.isp = &isp;
    search.bVGAModule = &m_bVGAModule;
    search.bMJPEGModule = &bMJPEGModule;
    dshow::ComPtr<IBaseFilter> found;
    if (BindFirstKnownCamera(search, found))
        *filter = found.Detach();
}

int Preview::CheckResolution(IAMStreamConfig* config)
{
    DebugLog("Preview::CheckResolution[IN]");
    if (config) {
        int count = 0, size = 0;
        if (SUCCEEDED(config->GetNumberOfCapabilities(&count, &size)) && count > 0 && size > 0) {
            std::vector<BYTE> caps(static_cast<size_t>(size));
            for (int i = 0; i < count; ++i) {
                AM_MEDIA_TYPE* type = nullptr;
                if (FAILED(config->GetStreamCaps(i, &type, caps.data())) || !type)
                    continue;
                if (type->formattype == FORMAT_VideoInfo && type->pbFormat &&
                    type->cbFormat >= sizeof(VIDEOINFOHEADER)) {
                    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
                    if (FormatOffersSSVGA(info->bmiHeader.biWidth, info->bmiHeader.biHeight))
                        m_bDeviceHasSSVGA = true;
                }
                if (type->cbFormat && type->pbFormat)
                    CoTaskMemFree(type->pbFormat);
                if (type->pUnk)
                    type->pUnk->Release();
                CoTaskMemFree(type);
            }
        }
    }
    DebugLog("Preview::CheckResolution m_bDeviceHasSSVGA (1280x720)=%d", m_bDeviceHasSSVGA ? 1 : 0);
    return 0;
}

HRESULT Preview::GetDownScaler(IBaseFilter** filter)
{
    HRESULT hr = CreateOwnFilter(L"nvds.ax", CLSID_NorvaneDownScaler, filter);
    if (FAILED(hr) || !*filter) {
        const wchar_t* text = L"Could not create Down Scaler (is nvds.ax registered?)";
        DebugLogW(L"Preview::GetDownScaler[ERROR] %s", text);
        ShowErrorBox(text);
        return E_FAIL;
    }
    DebugLog("Preview::GetDownScaler Resolution: %d x %d (m_bDeviceHasSSVGA=%d)", m_nWidth, m_nHeight,
             m_bDeviceHasSSVGA ? 1 : 0);
    m_pDownScaler.Reset();
    m_pMirrorFlip.Reset();
    if (FAILED((*filter)->QueryInterface(IID_IDownScaler, m_pDownScaler.PutVoid())))
        DebugLog("Preview::GetDownScaler[ERROR] Failed to find IDownScaler interface!!!");
    if (FAILED((*filter)->QueryInterface(IID_IMirrorFlip, m_pMirrorFlip.PutVoid())))
        DebugLog("Preview::GetDownScaler[ERROR] Failed to find IMirrorFlip interface!!!");
    if (m_pDownScaler)
        m_pDownScaler->SetScaleMode(ScalerScalesTo720({m_nWidth, m_nHeight}, m_bDeviceHasSSVGA) ? TRUE : FALSE);
    return S_OK;
}

HRESULT Preview::GetPauseAudio(IBaseFilter** filter, IPauseAudio** pauseAudio)
{
    if (!pauseAudio)
        return E_POINTER;
    HRESULT hr = CreateOwnFilter(L"nvpa.ax", CLSID_NorvanePauseAudio, filter);
    if (FAILED(hr) || !*filter) {
        const wchar_t* text = L"Could not create Pause Audio (is nvpa.ax registered?)";
        DebugLogW(L"Preview::GetPauseAudio[ERROR] %s", text);
        ShowErrorBox(text);
        return E_FAIL;
    }
    if (FAILED((*filter)->QueryInterface(IID_IPauseAudio, reinterpret_cast<void**>(pauseAudio))))
        DebugLog("Preview::GetPauseAudio[ERROR] Failed to find Pause Audio interface!!!");
    return S_OK;
}

void Preview::ShowCameraMessage()
{
    ShowErrorBox(
        GetLangText(L"InitStillGraph", L"Camera is not installed or camera is occupied by another user.").c_str());
}

void Preview::RemoveDownstream(IBaseFilter* filter)
{
    dshow::RemoveDownstream(m_pGraph.Get(), filter);
}

void Preview::PlaceVideoWindow(IVideoWindow* window)
{
    RECT dialog = GetWindowRect();
    PlacementRect place;
    if (VideoWindowPlacement(m_nResState, m_bSmallScreen, m_bFullWindow, dialog.right - dialog.left,
                             dialog.bottom - dialog.top, &place))
        window->SetWindowPosition(place.left, place.top, place.width, place.height);
}

void Preview::StartSensorHelper()
{
    if (FindWindowW(nullptr, L"Tessel"))
        return;
    std::wstring folder = ProgramFolder();
    // The helper is started by its full path, so that no other program of that name is run.
    std::wstring helper = folder + L"Tessel.exe";
    (void)ShellExecuteW(nullptr, L"open", helper.c_str(), nullptr, folder.c_str(), SW_HIDE);
}

HRESULT Preview::InitStillGraph()
{
    GraphLock lock;
    DebugLog("Preview::InitStillGraph[IN]");
    SetSnapshotButtonEnabled(false);
    SetTimer(5, 2000);
    ClearGraphs();

    HRESULT hr =
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, m_pGraph.PutVoid());
    if (!m_pGraph) {
        DebugLog("Preview::InitStillGraph Could not create filter graph!");
        return FAILED(hr) ? hr : E_FAIL;
    }

    dshow::ComPtr<IBaseFilter> capture;
    FindCaptureDevice(capture.Put());
    m_pCaptureFilter = capture.Get();
    if (!m_pCaptureFilter) {
        DebugLog("Preview::InitStillGraph No video capture device was detected on your system!");
        ShowCameraMessage();
        return E_FAIL;
    }
    if (FAILED(m_pGraph->AddFilter(m_pCaptureFilter, L"Cap"))) {
        DebugLog("Preview::InitStillGraph Could not put capture device in graph!");
        m_pCaptureFilter = nullptr;
        ShowCameraMessage();
        return E_FAIL;
    }

    hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                          m_pCaptureBuilder.PutVoid());
    if (FAILED(hr) || !m_pCaptureBuilder) {
        DebugLog("Preview::InitStillGraph Can't get a ICaptureGraphBuilder2 reference!");
        return FAILED(hr) ? hr : E_FAIL;
    }

    dshow::ComPtr<IAMStreamConfig> config;
    if (FAILED(m_pCaptureBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, m_pCaptureFilter,
                                                IID_IAMStreamConfig, config.PutVoid())) ||
        !config) {
        DebugLog("Preview::InitStillGraph Failed to create IID_IAMStreamConfig!");
        return E_FAIL;
    }
    CheckResolution(config.Get());

    dshow::ComPtr<IBaseFilter> scaler;
    if (FAILED(GetDownScaler(scaler.Put())))
        return E_FAIL;

    const FrameSize wanted = {m_nWidth, m_nHeight};
    const StreamFormat format = PreviewStreamFormat(wanted, m_bDeviceHasSSVGA, bMJPEGModule != 0);
    AM_MEDIA_TYPE* type = nullptr;
    if (config->GetFormat(&type) == S_OK && type) {
        if (type->formattype == FORMAT_VideoInfo && type->pbFormat && type->cbFormat >= sizeof(VIDEOINFOHEADER)) {
            auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
            info->AvgTimePerFrame = format.avgTimePerFrame;
            info->bmiHeader.biWidth = format.width;
            info->bmiHeader.biHeight = format.height;
            info->bmiHeader.biSizeImage = format.sizeImage;
            type->subtype = format.subtype == CameraSubtype::Mjpg ? MEDIASUBTYPE_MJPG : MEDIASUBTYPE_YUY2;
            g_SnapshotState.owner = this;
            g_SnapshotState.frameWidth = format.frameWidth;
            g_SnapshotState.frameHeight = format.frameHeight;
            hr = config->SetFormat(type);
            if (FAILED(hr)) {
                DebugLog("Preview::InitStillGraph[ERROR] %x: Cannot set format on camera device!!!",
                         static_cast<unsigned>(hr));
                if (type->cbFormat && type->pbFormat)
                    CoTaskMemFree(type->pbFormat);
                if (type->pUnk)
                    type->pUnk->Release();
                CoTaskMemFree(type);
                return hr;
            }
        }
        if (type->cbFormat && type->pbFormat)
            CoTaskMemFree(type->pbFormat);
        if (type->pUnk)
            type->pUnk->Release();
        CoTaskMemFree(type);
    }
    config.Reset();

    hr = m_pCaptureBuilder->SetFiltergraph(m_pGraph.Get());
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[ERROR] SetGraph failed!");
        return hr;
    }

    if (UsesMjpegPath(wanted, bMJPEGModule != 0)) {
        dshow::ComPtr<IBaseFilter> decoder;
        hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_MjpegDec, L"MJPEG Decompressor Filter", decoder.Put());
        dshow::ComPtr<IPin> capturePin;
        if (SUCCEEDED(hr))
            hr = m_pCaptureBuilder->FindPin(m_pCaptureFilter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                            TRUE, 0, capturePin.Put());
        if (FAILED(hr)) {
            DebugLog("[ERROR]: Find video capture capture pin fail, 0x%X", static_cast<unsigned>(hr));
            return hr;
        }
        dshow::ComPtr<IPin> decoderIn;
        hr = dshow::GetPin(decoder.Get(), PINDIR_INPUT, 0, decoderIn.Put());
        if (SUCCEEDED(hr))
            hr = m_pGraph->ConnectDirect(capturePin.Get(), decoderIn.Get(), nullptr);
        if (FAILED(hr)) {
            DebugLog("Preview::InitStillGraph Video Capture <---> MJPeg  FAIL!!!");
            return hr;
        }
        DebugLog("Preview::InitStillGraph Video Capture <---> MJPeg OK!!!");
        m_pGraph->AddFilter(scaler.Get(), L"Norvane Down Scaler");
        hr = dshow::ConnectFilters(m_pGraph.Get(), decoder.Get(), 0, scaler.Get(), 0, nullptr, false);
        if (FAILED(hr)) {
            DebugLog("Preview::InitStillGraph MJPeg Decompressor <---> Down Scaler: Failure!!!");
            return hr;
        }
        DebugLog("Preview::InitStillGraph MJPeg Decompressor  <---> Down Scaler: OK!!!");
    } else {
        m_pGraph->AddFilter(scaler.Get(), L"Norvane Down Scaler");
        dshow::ComPtr<IPin> capturePin;
        hr = m_pCaptureBuilder->FindPin(m_pCaptureFilter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, TRUE,
                                        0, capturePin.Put());
        if (FAILED(hr)) {
            DebugLog("[ERROR]: Find video capture capture pin fail, 0x%X", static_cast<unsigned>(hr));
        } else {
            dshow::ComPtr<IPin> scalerIn;
            hr = dshow::GetPin(scaler.Get(), PINDIR_INPUT, 0, scalerIn.Put());
            if (SUCCEEDED(hr))
                hr = m_pGraph->ConnectDirect(capturePin.Get(), scalerIn.Get(), nullptr);
            if (FAILED(hr)) {
                DebugLog("Preview::InitStillGraph Video Capture <---> Down Scaler  FAIL!!! hr = %X",
                         static_cast<unsigned>(hr));
                ShowCameraMessage();
                return E_FAIL;
            }
            DebugLog("Preview::InitStillGraph Video Capture <---> Down Scaler  OK!!!");
        }
    }

    dshow::ComPtr<IBaseFilter> tee;
    hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put());
    if (SUCCEEDED(hr))
        hr = dshow::ConnectFilters(m_pGraph.Get(), scaler.Get(), 0, tee.Get(), 0, nullptr, false);
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph Down Scaler  <---> SmartTee : Failure!!!");
        return hr;
    }
    DebugLog("Preview::InitStillGraph Down Scaler  <---> SmartTee : OK!!!");

    dshow::ComPtr<IBaseFilter> renderer;
    hr = CoCreateInstance(CLSID_VideoMixingRenderer9, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          renderer.PutVoid());
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[WARNNING] Failed to create VMR9, try CLSID_VideoRendererDefault!");
        hr = CoCreateInstance(CLSID_VideoRendererDefault, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              renderer.PutVoid());
    }
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[WARNNING] Failed to create CLSID_VideoRendererDefault, try "
                 "CLSID_VideoMixingRenderer!");
        hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              renderer.PutVoid());
    }
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[ERROR] Failed to create video renderer!!!!");
        return hr;
    }
    hr = m_pGraph->AddFilter(renderer.Get(), L"VMR");
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraphAddFilter VMR failed!");
        return hr;
    }
    hr = dshow::ConnectFilters(m_pGraph.Get(), tee.Get(), 1, renderer.Get(), 0, nullptr, true);
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph SmartTee(Preview) <----> VMR: Failure!!! hr = %X", static_cast<unsigned>(hr));
        return hr;
    }
    DebugLog("Preview::InitStillGraph SmartTee(Preview) <----> VMR: OK!!!");

    dshow::ComPtr<IVideoWindow> window;
    if (FAILED(m_pGraph->QueryInterface(IID_IVideoWindow, window.PutVoid())) || !window) {
        DebugLog("Preview::InitStillGraphCould not get video window interface!");
        return E_FAIL;
    }
    HWND videoArea = GetDlgItem(IDC_PREVIEW_VIDEO);
    window->put_Owner(reinterpret_cast<OAHWND>(videoArea));
    window->put_Visible(OAFALSE);
    window->put_MessageDrain(reinterpret_cast<OAHWND>(videoArea));
    PlaceVideoWindow(window.Get());
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);

    dshow::ComPtr<IMediaControl> control;
    hr = m_pGraph->QueryInterface(IID_IMediaControl, control.PutVoid());
    if (SUCCEEDED(hr) && control)
        hr = control->Run();
    if (hr == S_FALSE) {
        // Still on its way to running: a camera that refuses (busy) reports it only through the state.
        OAFilterState state = State_Stopped;
        HRESULT stateHr = control->GetState(2000, &state);
        if (FAILED(stateHr))
            hr = stateHr;
    }
    if (FAILED(hr)) {
        DebugLog("Could not run graph");
        ShowCameraMessage();
        return hr;
    }

    window->put_Visible(OAFALSE);
    Sleep(500);
    window->put_Visible(OATRUE);
    ::ShowWindow(GetDlgItem(IDC_PREVIEW_COVER), SW_HIDE);

    StartSensorHelper();

    if (const wchar_t* label = ResolutionLabelText(m_nResState))
        ::SetWindowTextW(GetDlgItem(IDC_PREVIEW_RES_LABEL), label);
    DebugLog("Preview::InitStillGraph[OUT]");
    return S_OK;
}

void Preview::ClearGraphs()
{
    DebugLog("Preview::ClearGraphs[IN] m_pGraph=0x%x",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_pGraph.Get())));
    if (m_pGraph) {
        dshow::ComPtr<IMediaControl> control;
        if (SUCCEEDED(m_pGraph->QueryInterface(IID_IMediaControl, control.PutVoid())) && control)
            control->Stop();
        dshow::ComPtr<IVideoWindow> window;
        if (SUCCEEDED(m_pGraph->QueryInterface(IID_IVideoWindow, window.PutVoid())) && window) {
            window->put_Visible(OAFALSE);
            window->put_Owner(0);
        }
        RemoveDownstream(m_pCaptureFilter);
        if (m_pAudioCapture)
            RemoveDownstream(m_pAudioCapture.Get());
    }
    m_pDownScaler.Reset();
    m_pMirrorFlip.Reset();
    m_pMirrorFlip2.Reset();
    m_pVideoWindow.Reset();
    m_pGraph.Reset();
    m_pCaptureFilter = nullptr; // it lived in the graph
    m_pCaptureBuilder.Reset();
    m_pVideoProcAmp.Reset();
    DebugLog("Preview::ClearGraphs[OUT]");
}

void Preview::MatchPowerLineFrequency()
{
    if (!m_pCaptureFilter)
        return;
    dshow::ComPtr<IKsTopologyInfo> topology;
    if (FAILED(m_pCaptureFilter->QueryInterface(__uuidof(IKsTopologyInfo), topology.PutVoid())) || !topology)
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
    const bool want60 = m_pSkinDlg && m_pSkinDlg->m_bPowerline60Hz;
    if (value == 2 && !want60)
        amp->put_PowerlineFrequency(1, 2);
    else if (value == 1 && want60)
        amp->put_PowerlineFrequency(2, 2);
}
