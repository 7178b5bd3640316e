// The preview graph (see PreviewGraph.h). Its trace lines keep the dialog's "Preview::" names: the log reads
// as one story of the preview, whichever object writes the line.
#include "capture/PreviewGraph.h"

#include "capture/CameraFormat.h"
#include "capture/GraphLock.h"
#include "capture/StreamFormatRule.h"
#include "dshow/Graph.h"
#include "settings/DebugLog.h"

PreviewGraph::~PreviewGraph()
{
    if (m_pGraph)
        ClearGraphs();
}

HRESULT PreviewGraph::InitStillGraph(const GraphInput& input)
{
    TakeInput(input);
    return Build();
}

HRESULT PreviewGraph::Rebuild(int width, int height)
{
    m_input.width = width;
    m_input.height = height;
    return Build();
}

HRESULT PreviewGraph::Build()
{
    GraphLock lock;
    m_failure = GraphFailure::None;
    ClearGraphs();

    HRESULT hr = StartGraph("Preview::InitStillGraph", " ");
    if (FAILED(hr))
        return hr;

    hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                          m_pCaptureBuilder.PutVoid());
    if (FAILED(hr) || !m_pCaptureBuilder) {
        DebugLog("Preview::InitStillGraph Can't get a ICaptureGraphBuilder2 reference!");
        return Fail(GraphFailure::Silent, FAILED(hr) ? hr : E_FAIL);
    }

    dshow::ComPtr<IAMStreamConfig> config;
    if (FAILED(m_pCaptureBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, m_pCaptureFilter,
                                                IID_IAMStreamConfig, config.PutVoid())) ||
        !config) {
        DebugLog("Preview::InitStillGraph Failed to create IID_IAMStreamConfig!");
        return Fail(GraphFailure::Silent, E_FAIL);
    }
    DebugLog("Preview::CheckResolution[IN]");
    m_bDeviceHasSSVGA = m_bDeviceHasSSVGA || CameraOffersSSVGA(config.Get());
    DebugLog("Preview::CheckResolution m_bDeviceHasSSVGA (1280x720)=%d", m_bDeviceHasSSVGA ? 1 : 0);

    dshow::ComPtr<IBaseFilter> scaler;
    if (FAILED(GetDownScaler(scaler.Put())))
        return Fail(GraphFailure::NoScaler, E_FAIL);

    const FrameSize wanted = {m_input.width, m_input.height};
    const StreamFormat format = PreviewStreamFormat(wanted, m_bDeviceHasSSVGA, m_input.mjpegModule);
    hr = SetCameraFormat(config.Get(), format, [&] {
        g_SnapshotState.owner = m_input.snapshotOwner;
        g_SnapshotState.frameWidth = format.frameWidth;
        g_SnapshotState.frameHeight = format.frameHeight;
    });
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[ERROR] %x: Cannot set format on camera device!!!", static_cast<unsigned>(hr));
        return Fail(GraphFailure::Silent, hr);
    }
    config.Reset();

    hr = m_pCaptureBuilder->SetFiltergraph(m_pGraph.Get());
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph[ERROR] SetGraph failed!");
        return Fail(GraphFailure::Silent, hr);
    }

    hr = ConnectCamera(scaler.Get());
    if (FAILED(hr))
        return hr;

    dshow::ComPtr<IBaseFilter> tee;
    hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put());
    if (SUCCEEDED(hr))
        hr = dshow::ConnectFilters(m_pGraph.Get(), scaler.Get(), 0, tee.Get(), 0, nullptr, false);
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph Down Scaler  <---> SmartTee : Failure!!!");
        return Fail(GraphFailure::Silent, hr);
    }
    DebugLog("Preview::InitStillGraph Down Scaler  <---> SmartTee : OK!!!");

    hr = AddRenderer(tee.Get());
    if (FAILED(hr))
        return hr;
    hr = ShowInOwner();
    if (FAILED(hr))
        return hr;
    AskForEvents(m_input.notifyWindow); // a camera pulled out or failing tells the dialog

    hr = Run();
    if (FAILED(hr)) {
        DebugLog("Could not run graph");
        return Fail(GraphFailure::CameraMessage, hr);
    }

    if (m_pVideoWindow) {
        m_pVideoWindow->put_Visible(OAFALSE);
        Sleep(500);
        m_pVideoWindow->put_Visible(OATRUE);
    }
    return S_OK;
}

HRESULT PreviewGraph::ConnectCamera(IBaseFilter* scaler)
{
    HRESULT hr;
    if (UsesMjpegPath({m_input.width, m_input.height}, m_input.mjpegModule)) {
        dshow::ComPtr<IBaseFilter> decoder;
        hr = dshow::AddFilterByClsid(m_pGraph.Get(), CLSID_MjpegDec, L"MJPEG Decompressor Filter", decoder.Put());
        dshow::ComPtr<IPin> capturePin;
        if (SUCCEEDED(hr))
            hr = m_pCaptureBuilder->FindPin(m_pCaptureFilter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                            TRUE, 0, capturePin.Put());
        if (FAILED(hr)) {
            DebugLog("[ERROR]: Find video capture capture pin fail, 0x%X", static_cast<unsigned>(hr));
            return Fail(GraphFailure::Silent, hr);
        }
        dshow::ComPtr<IPin> decoderIn;
        hr = dshow::GetPin(decoder.Get(), PINDIR_INPUT, 0, decoderIn.Put());
        if (SUCCEEDED(hr))
            hr = m_pGraph->ConnectDirect(capturePin.Get(), decoderIn.Get(), nullptr);
        if (FAILED(hr)) {
            DebugLog("Preview::InitStillGraph Video Capture <---> MJPeg  FAIL!!!");
            return Fail(GraphFailure::Silent, hr);
        }
        DebugLog("Preview::InitStillGraph Video Capture <---> MJPeg OK!!!");
        (void)m_pGraph->AddFilter(scaler, L"Norvane Down Scaler"); // a failure shows in the connection below
        hr = dshow::ConnectFilters(m_pGraph.Get(), decoder.Get(), 0, scaler, 0, nullptr, false);
        if (FAILED(hr)) {
            DebugLog("Preview::InitStillGraph MJPeg Decompressor <---> Down Scaler: Failure!!!");
            return Fail(GraphFailure::Silent, hr);
        }
        DebugLog("Preview::InitStillGraph MJPeg Decompressor  <---> Down Scaler: OK!!!");
        return S_OK;
    }

    (void)m_pGraph->AddFilter(scaler, L"Norvane Down Scaler"); // a failure shows in the connections below
    dshow::ComPtr<IPin> capturePin;
    hr = m_pCaptureBuilder->FindPin(m_pCaptureFilter, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, TRUE, 0,
                                    capturePin.Put());
    if (FAILED(hr)) {
        // The build goes on without the camera's hop; the scaler then has nothing to pass on.
        DebugLog("[ERROR]: Find video capture capture pin fail, 0x%X", static_cast<unsigned>(hr));
        return S_OK;
    }
    dshow::ComPtr<IPin> scalerIn;
    hr = dshow::GetPin(scaler, PINDIR_INPUT, 0, scalerIn.Put());
    if (SUCCEEDED(hr))
        hr = m_pGraph->ConnectDirect(capturePin.Get(), scalerIn.Get(), nullptr);
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph Video Capture <---> Down Scaler  FAIL!!! hr = %X", static_cast<unsigned>(hr));
        return Fail(GraphFailure::CameraMessage, E_FAIL);
    }
    DebugLog("Preview::InitStillGraph Video Capture <---> Down Scaler  OK!!!");
    return S_OK;
}

HRESULT PreviewGraph::AddRenderer(IBaseFilter* tee)
{
    dshow::ComPtr<IBaseFilter> renderer(m_renderer.Get());
    HRESULT hr = S_OK;
    if (!renderer) {
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
            return Fail(GraphFailure::Silent, hr);
        }
    }
    hr = m_pGraph->AddFilter(renderer.Get(), L"VMR");
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraphAddFilter VMR failed!");
        return Fail(GraphFailure::Silent, hr);
    }
    hr = dshow::ConnectFilters(m_pGraph.Get(), tee, 1, renderer.Get(), 0, nullptr, true);
    if (FAILED(hr)) {
        DebugLog("Preview::InitStillGraph SmartTee(Preview) <----> VMR: Failure!!! hr = %X", static_cast<unsigned>(hr));
        return Fail(GraphFailure::Silent, hr);
    }
    DebugLog("Preview::InitStillGraph SmartTee(Preview) <----> VMR: OK!!!");
    return S_OK;
}

HRESULT PreviewGraph::ShowInOwner()
{
    if (!m_input.videoOwner || m_renderer)
        return S_OK; // no window to show in, or a renderer of the caller's: nothing to place
    if (FAILED(m_pGraph->QueryInterface(IID_IVideoWindow, m_pVideoWindow.PutVoid())) || !m_pVideoWindow) {
        DebugLog("Preview::InitStillGraphCould not get video window interface!");
        return Fail(GraphFailure::Silent, E_FAIL);
    }
    const OAHWND owner = reinterpret_cast<OAHWND>(m_input.videoOwner);
    m_pVideoWindow->put_Owner(owner);
    m_pVideoWindow->put_Visible(OAFALSE);
    m_pVideoWindow->put_MessageDrain(owner);
    if (m_input.hasPlacement)
        PlaceVideoWindow(m_input.placement);
    m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    return S_OK;
}
