// The recording graph (see CaptureGraph.h).
#include "capture/CaptureGraph.h"

#include "capture/CameraFormat.h"
#include "capture/GraphLock.h"
#include "capture/StreamFormatRule.h"
#include "dshow/Graph.h"
#include "settings/DebugLog.h"

CaptureGraph::~CaptureGraph()
{
    if (m_pGraph)
        ClearGraphs();
}

void CaptureGraph::ReleaseExtra()
{
    m_pPauseAudio.Reset();
    m_pMirrorFlip2.Reset();
    m_pAudioCapture.Reset();
}

HRESULT CaptureGraph::InitCaptureGraph(const GraphInput& input, const RecordingInput& recording)
{
    TakeInput(input);
    m_recording = recording;
    // The platform's multiplexer first; where it cannot record, our writer in its place.
    HRESULT hr = Build(false);
    if (FAILED(hr) && input.makeAviWriter && m_failure == GraphFailure::NoWriter) {
        DebugLog("Preview::InitCaptureGraph the system's AVI writer cannot record (0x%x): using our own",
                 static_cast<unsigned>(hr));
        hr = Build(true);
    }
    return hr;
}

HRESULT CaptureGraph::MakeWriter(bool ownWriter, IBaseFilter** mux)
{
    if (!ownWriter) {
        HRESULT hr = m_pCaptureBuilder->SetOutputFileName(&MEDIASUBTYPE_Avi, m_recording.file.c_str(), mux, nullptr);
        if (FAILED(hr) || !*mux)
            return FAILED(hr) ? hr : E_FAIL;
        return S_OK;
    }
    HRESULT hr = m_input.makeAviWriter(mux);
    if (FAILED(hr) || !*mux)
        return FAILED(hr) ? hr : E_FAIL;
    hr = m_pGraph->AddFilter(*mux, L"AVI Mux");
    if (FAILED(hr))
        return hr;
    dshow::ComPtr<IFileSinkFilter> sink;
    hr = (*mux)->QueryInterface(IID_IFileSinkFilter, sink.PutVoid());
    if (SUCCEEDED(hr) && sink)
        hr = sink->SetFileName(m_recording.file.c_str(), nullptr);
    return FAILED(hr) ? hr : (sink ? S_OK : E_NOINTERFACE);
}

HRESULT CaptureGraph::Build(bool ownWriter)
{
    GraphLock lock;
    m_failure = GraphFailure::None;
    m_ownWriter = ownWriter;
    ClearGraphs();

    HRESULT hr = StartGraph("Preview::InitCaptureGraph", "");
    if (FAILED(hr))
        return hr;
    if (m_recording.audio) {
        m_pAudioCapture = m_recording.audio;
        if (FAILED(m_pGraph->AddFilter(m_pAudioCapture.Get(), L"Audio Capture")))
            m_pAudioCapture.Reset(); // the recording goes on without sound
    }
    dshow::ComPtr<IBaseFilter> scaler;
    if (FAILED(GetDownScaler(scaler.Put())))
        return Fail(GraphFailure::NoScaler, E_FAIL);

    hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                          m_pCaptureBuilder.PutVoid());
    if (FAILED(hr) || !m_pCaptureBuilder) {
        DebugLog("Preview::InitCaptureGraphCould not create capture graph builder2!");
        return Fail(GraphFailure::CameraMessage, FAILED(hr) ? hr : E_FAIL);
    }
    dshow::ComPtr<IAMStreamConfig> config;
    if (SUCCEEDED(m_pCaptureBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, m_pCaptureFilter,
                                                   IID_IAMStreamConfig, config.PutVoid())) &&
        config) {
        const StreamFormat format = CaptureStreamFormat({m_input.width, m_input.height}, m_bDeviceHasSSVGA);
        hr = SetCameraFormat(config.Get(), format, [&] {
            g_SnapshotState.owner = m_input.snapshotOwner;
            g_SnapshotState.frameWidth = format.frameWidth;
            g_SnapshotState.frameHeight = format.frameHeight;
        });
        if (FAILED(hr))
            DebugLog("Preview::InitCaptureGraph %x: Cannot set format on camera device!!!", static_cast<unsigned>(hr));
    }
    config.Reset();

    hr = m_pCaptureBuilder->SetFiltergraph(m_pGraph.Get());
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraphCould not set filtergraph on capture graph builder2!");
        return Fail(GraphFailure::CameraMessage, hr);
    }
    dshow::ComPtr<IBaseFilter> mux;
    hr = MakeWriter(ownWriter, mux.Put());
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraphCould not create/hookup mux and writer!");
        return Fail(GraphFailure::NoWriter, hr);
    }
    dshow::ComPtr<IConfigAviMux> config2;
    if (SUCCEEDED(mux->QueryInterface(IID_IConfigAviMux, config2.PutVoid())) && config2) {
        (void)config2->SetOutputCompatibilityIndex(TRUE); // an old-style index as well is a nicety
        if (m_pAudioCapture && FAILED(config2->SetMasterStream(1)))
            DebugLog("Preview::InitCaptureGraphSetMasterStream failed!");
    }

    // Camera -> Smart Tee -> scaler -> file.
    dshow::ComPtr<IBaseFilter> tee;
    dshow::ComPtr<IPin> capturePin, teeIn;
    hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put());
    if (SUCCEEDED(hr))
        hr = m_pCaptureBuilder->FindPin(m_pCaptureFilter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, TRUE,
                                        0, capturePin.Put());
    if (SUCCEEDED(hr))
        hr = dshow::GetPin(tee.Get(), PINDIR_INPUT, 0, teeIn.Put());
    if (SUCCEEDED(hr))
        hr = m_pGraph->ConnectDirect(capturePin.Get(), teeIn.Get(), nullptr);
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraph Video Capture <---> SmartTee  FAIL!!!");
        return Fail(GraphFailure::CameraMessage, hr);
    }
    (void)m_pGraph->AddFilter(scaler.Get(), L"Norvane Down Scaler"); // a failure shows in the connection
    hr = dshow::ConnectFilters(m_pGraph.Get(), tee.Get(), 0, scaler.Get(), 0, nullptr, false);
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraph SmartTee <---> Down Scaler: Failure!!!");
        return Fail(GraphFailure::CameraMessage, hr);
    }
    hr = m_pCaptureBuilder->RenderStream(nullptr, nullptr, scaler.Get(), nullptr, mux.Get());
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraph Could not render capture pin!!!");
        return Fail(GraphFailure::NoWriter, hr);
    }

    if (m_pAudioCapture) {
        hr = ConnectSound(mux.Get());
        if (FAILED(hr))
            return hr;
    }
    hr = ConnectScreen(tee.Get());
    if (FAILED(hr))
        return hr;

    AskForEvents(m_recording.notifyWindow ? m_recording.notifyWindow : m_input.notifyWindow);

    if (m_input.videoOwner && !m_renderer) {
        if (FAILED(m_pGraph->QueryInterface(IID_IVideoWindow, m_pVideoWindow.PutVoid())) || !m_pVideoWindow) {
            DebugLog("Preview::InitCaptureGraph Could not get video window interface");
            return Fail(GraphFailure::CameraMessage, E_FAIL);
        }
        const OAHWND owner = reinterpret_cast<OAHWND>(m_input.videoOwner);
        m_pVideoWindow->put_Owner(owner);
        m_pVideoWindow->put_MessageDrain(owner);
        if (m_input.hasPlacement)
            PlaceVideoWindow(m_input.placement);
        m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    }

    // Nothing reaches the file until the countdown is over.
    if (m_pDownScaler)
        (void)m_pDownScaler->SetHold(TRUE);
    if (m_pPauseAudio)
        (void)m_pPauseAudio->SetHold(TRUE);
    hr = Run();
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraphCould not run graph");
        // A camera that will not run fails either way; a multiplexer that will not run is replaced.
        return Fail(m_ownWriter ? GraphFailure::CameraMessage : GraphFailure::NoWriter, hr);
    }
    if (m_pVideoWindow)
        m_pVideoWindow->put_Visible(OAFALSE); // shown when the stream starts
    DebugLog("Preview::InitCaptureGraph[EXIT]");
    return S_OK;
}

HRESULT CaptureGraph::ConnectSound(IBaseFilter* mux)
{
    dshow::ComPtr<IBaseFilter> pause;
    HRESULT hr = m_input.makePauseAudio ? m_input.makePauseAudio(pause.Put()) : E_POINTER;
    if (FAILED(hr) || !pause) {
        DebugLog("Preview::GetPauseAudio[ERROR] Could not create Pause Audio (is nvpa.ax registered?)");
        return Fail(GraphFailure::CameraMessage, E_FAIL);
    }
    if (FAILED(pause->QueryInterface(IID_IPauseAudio, m_pPauseAudio.PutVoid())))
        DebugLog("Preview::GetPauseAudio[ERROR] Failed to find Pause Audio interface!!!");
    (void)m_pGraph->AddFilter(pause.Get(), L"Norvane Pause Audio"); // a failure shows in the connection
    dshow::ComPtr<IPin> audioPin, pauseIn;
    hr = m_pCaptureBuilder->FindPin(m_pAudioCapture.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, TRUE,
                                    0, audioPin.Put());
    if (SUCCEEDED(hr))
        hr = dshow::GetPin(pause.Get(), PINDIR_INPUT, 0, pauseIn.Put());
    if (SUCCEEDED(hr))
        hr = m_pGraph->ConnectDirect(audioPin.Get(), pauseIn.Get(), nullptr);
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraph Auido Capture <---> Pause Audio  FAIL!!!");
        return Fail(GraphFailure::CameraMessage, hr);
    }
    dshow::ComPtr<IBaseFilter> tee;
    hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put());
    if (SUCCEEDED(hr))
        hr = dshow::ConnectFilters(m_pGraph.Get(), pause.Get(), 0, tee.Get(), 0, nullptr, false);
    if (FAILED(hr)) {
        DebugLog("Preview::InitCaptureGraph Pause Audio<--->SmartTee: Failure!!!");
        return Fail(GraphFailure::CameraMessage, hr);
    }
    hr = m_pCaptureBuilder->RenderStream(nullptr, nullptr, tee.Get(), nullptr, mux);
    if (FAILED(hr))
        return Fail(GraphFailure::NoAudioPin, hr);
    return S_OK;
}

HRESULT CaptureGraph::ConnectScreen(IBaseFilter* tee)
{
    dshow::ComPtr<IBaseFilter> renderer(m_renderer.Get());
    HRESULT hr = S_OK;
    if (!renderer) {
        hr = CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer.PutVoid());
        if (FAILED(hr) || !renderer)
            return Fail(GraphFailure::CameraMessage, FAILED(hr) ? hr : E_FAIL);
    }
    if (FAILED(m_pGraph->AddFilter(renderer.Get(), L"VMR")))
        DebugLog("Preview::InitCaptureGraph AddFilter VMR FAILED");
    // The screen's picture needs its own scaler: without one the recording would run blind, so the build fails.
    dshow::ComPtr<IBaseFilter> scaler2;
    hr = m_input.makeScaler ? m_input.makeScaler(scaler2.Put()) : E_POINTER;
    if (FAILED(hr) || !scaler2) {
        DebugLogW(L"Preview::GetDownScaler[ERROR] %s", NoScalerText());
        return Fail(GraphFailure::NoScaler, E_FAIL);
    }
    dshow::ComPtr<IDownScaler> control;
    if (SUCCEEDED(scaler2->QueryInterface(IID_IDownScaler, control.PutVoid())) && control)
        (void)control->SetScaleMode(ScalerScalesTo720({m_input.width, m_input.height}, m_bDeviceHasSSVGA));
    control.Reset();
    (void)scaler2->QueryInterface(IID_IMirrorFlip, m_pMirrorFlip2.PutVoid()); // no turning on screen without it
    (void)m_pGraph->AddFilter(scaler2.Get(), L"Norvane Down Scaler #2");
    if (FAILED(dshow::ConnectFilters(m_pGraph.Get(), tee, 1, scaler2.Get(), 0, nullptr, true)))
        DebugLog("Preview::InitCaptureGraph SmartTee(Preview) <---> Down Scaler #2: Failure!!!");
    if (FAILED(dshow::ConnectFilters(m_pGraph.Get(), scaler2.Get(), 0, renderer.Get(), 0, nullptr, true)))
        DebugLog("Preview::InitCaptureGraph Down Scaler #2 <---> VMR: Failure!!!");
    return S_OK;
}

void CaptureGraph::ReleaseHolds()
{
    if (m_pDownScaler)
        (void)m_pDownScaler->SetHold(FALSE);
    if (m_pPauseAudio)
        (void)m_pPauseAudio->SetHold(FALSE);
}

HRESULT CaptureGraph::SetMirrorFlip(bool mirror, bool flip)
{
    HRESULT hr = CameraGraph::SetMirrorFlip(mirror, flip);
    if (m_pMirrorFlip2)
        hr = m_pMirrorFlip2->SetMirrorFlip(mirror, flip);
    return hr;
}
