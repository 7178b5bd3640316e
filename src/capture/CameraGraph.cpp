// What the preview and recording graphs share (see CameraGraph.h). Trace lines keep the dialog's "Preview::"
// names: the log reads as one story of the preview, whichever object writes the line.
#include "capture/CameraGraph.h"

#include "capture/StreamFormatRule.h"
#include "dshow/Graph.h"
#include "settings/DebugLog.h"

void CameraGraph::TakeInput(const GraphInput& input)
{
    // Take the new references before the old ones go: the input may name what this graph already holds.
    dshow::ComPtr<IBaseFilter> camera(input.camera);
    dshow::ComPtr<IBaseFilter> renderer(input.renderer);
    m_input = input;
    m_camera = camera;
    m_renderer = renderer;
}

HRESULT CameraGraph::StartGraph(const char* logName, const char* separator)
{
    HRESULT hr =
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, m_pGraph.PutVoid());
    if (!m_pGraph) {
        DebugLog("%s%sCould not create filter graph!", logName, separator);
        return Fail(GraphFailure::Silent, FAILED(hr) ? hr : E_FAIL);
    }
    m_pCaptureFilter = m_camera.Get();
    if (!m_pCaptureFilter) {
        DebugLog("%s%sNo video capture device was detected on your system!", logName, separator);
        return Fail(GraphFailure::CameraMessage, E_FAIL);
    }
    if (FAILED(m_pGraph->AddFilter(m_pCaptureFilter, L"Cap"))) {
        DebugLog("%s%sCould not put capture device in graph!", logName, separator);
        m_pCaptureFilter = nullptr;
        return Fail(GraphFailure::CameraMessage, E_FAIL);
    }
    return S_OK;
}

HRESULT CameraGraph::SetMirrorFlip(bool mirror, bool flip)
{
    return m_pMirrorFlip ? m_pMirrorFlip->SetMirrorFlip(mirror, flip) : 0;
}

const wchar_t* CameraGraph::NoScalerText()
{
    return L"Could not create Down Scaler (is nvds.ax registered?)";
}

HRESULT CameraGraph::Fail(GraphFailure failure, HRESULT hr)
{
    m_failure = failure;
    StopNotifications(); // a graph that failed to start tells the dialog nothing more (its box is shown)
    return hr;
}

HRESULT CameraGraph::GetDownScaler(IBaseFilter** filter)
{
    HRESULT hr = m_input.makeScaler ? m_input.makeScaler(filter) : E_POINTER;
    if (FAILED(hr) || !*filter) {
        DebugLogW(L"Preview::GetDownScaler[ERROR] %s", NoScalerText());
        return E_FAIL;
    }
    DebugLog("Preview::GetDownScaler Resolution: %d x %d (m_bDeviceHasSSVGA=%d)", m_input.width, m_input.height,
             m_bDeviceHasSSVGA ? 1 : 0);
    m_pDownScaler.Reset();
    m_pMirrorFlip.Reset();
    if (FAILED((*filter)->QueryInterface(IID_IDownScaler, m_pDownScaler.PutVoid())))
        DebugLog("Preview::GetDownScaler[ERROR] Failed to find IDownScaler interface!!!");
    if (FAILED((*filter)->QueryInterface(IID_IMirrorFlip, m_pMirrorFlip.PutVoid())))
        DebugLog("Preview::GetDownScaler[ERROR] Failed to find IMirrorFlip interface!!!");
    if (m_pDownScaler)
        m_pDownScaler->SetScaleMode(ScalerScalesTo720({m_input.width, m_input.height}, m_bDeviceHasSSVGA) ? TRUE
                                                                                                          : FALSE);
    return S_OK;
}

void CameraGraph::PlaceVideoWindow(const PlacementRect& place)
{
    m_input.placement = place;
    m_input.hasPlacement = true;
    if (m_pVideoWindow)
        m_pVideoWindow->SetWindowPosition(place.left, place.top, place.width, place.height);
}

bool CameraGraph::ShowVideoIn(HWND owner, const PlacementRect* place)
{
    dshow::ComPtr<IVideoWindow> window;
    if (!m_pGraph || FAILED(m_pGraph->QueryInterface(IID_IVideoWindow, window.PutVoid())) || !window)
        return false;
    const OAHWND ownerHandle = reinterpret_cast<OAHWND>(owner);
    window->put_Owner(ownerHandle);
    window->put_Visible(OAFALSE);
    window->put_MessageDrain(ownerHandle);
    m_input.videoOwner = owner;
    if (place) {
        m_input.placement = *place;
        m_input.hasPlacement = true;
        window->SetWindowPosition(place->left, place->top, place->width, place->height);
    }
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    window->put_Visible(OATRUE);
    return true;
}

HRESULT CameraGraph::Run()
{
    if (!m_pGraph)
        return E_POINTER;
    dshow::ComPtr<IMediaControl> control;
    HRESULT hr = m_pGraph->QueryInterface(IID_IMediaControl, control.PutVoid());
    if (FAILED(hr) || !control)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    hr = control->Run();
    if (hr == S_FALSE) {
        // Still on its way to running: a camera that refuses (busy) reports it only through the state.
        OAFilterState state = State_Stopped;
        const HRESULT stateHr = control->GetState(2000, &state);
        if (FAILED(stateHr))
            hr = stateHr;
    }
    return hr;
}

HRESULT CameraGraph::Stop()
{
    if (!m_pGraph)
        return S_FALSE;
    dshow::ComPtr<IMediaControl> control;
    HRESULT hr = m_pGraph->QueryInterface(IID_IMediaControl, control.PutVoid());
    if (FAILED(hr) || !control)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    return control->Stop();
}

HRESULT CameraGraph::GetEvents(IMediaEventEx** events) const
{
    if (!events)
        return E_POINTER;
    *events = nullptr;
    if (!m_pGraph)
        return E_FAIL;
    return m_pGraph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events));
}

void CameraGraph::AskForEvents(HWND window)
{
    StopNotifications();
    if (!window || !m_pGraph)
        return;
    if (SUCCEEDED(m_pGraph->QueryInterface(IID_IMediaEventEx, m_pMediaEvent.PutVoid())) && m_pMediaEvent)
        (void)m_pMediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(window), kGraphEventMessage,
                                             0); // without it the dialog only misses the graph's events
}

void CameraGraph::StopNotifications()
{
    if (m_pMediaEvent)
        (void)m_pMediaEvent->SetNotifyWindow(0, 0, 0); // the graph goes anyway
    m_pMediaEvent.Reset();
}

bool CameraGraph::NextEvent(long& code, LONG_PTR& param1, LONG_PTR& param2)
{
    if (!m_pMediaEvent || m_pMediaEvent->GetEvent(&code, &param1, &param2, 0) != S_OK)
        return false;
    (void)m_pMediaEvent->FreeEventParams(code, param1, param2); // frees only what the event allocated
    return true;
}

void CameraGraph::ClearGraphs()
{
    DebugLog("Preview::ClearGraphs[IN] m_pGraph=0x%x",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_pGraph.Get())));
    // Events of a graph being torn down mean nothing to the dialog any more.
    StopNotifications();
    if (m_pGraph) {
        (void)Stop(); // a graph that will not stop is torn down all the same
        dshow::ComPtr<IVideoWindow> window;
        if (SUCCEEDED(m_pGraph->QueryInterface(IID_IVideoWindow, window.PutVoid())) && window) {
            window->put_Visible(OAFALSE);
            window->put_Owner(0);
        }
        dshow::RemoveDownstream(m_pGraph.Get(), m_pCaptureFilter);
        if (IBaseFilter* second = SecondSource())
            dshow::RemoveDownstream(m_pGraph.Get(), second);
        // The camera goes too, so that the next graph may take it.
        if (m_pCaptureFilter)
            (void)m_pGraph->RemoveFilter(m_pCaptureFilter);
    }
    ReleaseExtra();
    m_pDownScaler.Reset();
    m_pMirrorFlip.Reset();
    m_pVideoWindow.Reset();
    m_pGraph.Reset();
    m_pCaptureFilter = nullptr; // it lived in the graph
    m_pCaptureBuilder.Reset();
    DebugLog("Preview::ClearGraphs[OUT]");
}
