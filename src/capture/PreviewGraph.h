// PreviewGraph: the live-preview filter graph of the preview dialog (camera, optional MJPEG decompressor,
// our scaler, Smart Tee, a renderer), built from a small input and run; rebuilt at another size, stopped and
// torn down on request. It owns every filter and COM reference of the graph. The dialog keeps the window
// side (buttons, timers, labels, message boxes) and reads LastFailure() to tell the user what went wrong.
// The recording graph is its sibling.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "capture/VideoPlacement.h"
#include "dshow/ComPtr.h"
#include "filters/scaler/DownScalerApi.h"

class Preview;

// Makes one of our own filters (the scaler nvds.ax, the audio pause nvpa.ax); S_OK with *filter set.
using FilterMaker = HRESULT (*)(IBaseFilter** filter);

// Everything a preview graph is built from.
struct PreviewGraphInput
{
    IBaseFilter* camera = nullptr; // the bound capture filter; the graph keeps its own reference
    bool mjpegModule = false;      // the camera's bMJPEGModule code
    int width = 640;               // wanted frame size of the resolution state
    int height = 480;
    FilterMaker makeScaler = nullptr;
    FilterMaker makePauseAudio = nullptr; // for the recording graph; the preview has no sound
    // Where the picture shows: the video window's owner and its place in it. With a renderer given instead
    // (tests: a null renderer) no video renderer is created and no video window is set up.
    HWND videoOwner = nullptr;
    PlacementRect placement = {0, 0, 0, 0};
    bool hasPlacement = false;
    IBaseFilter* renderer = nullptr;
    // The dialog whose snapshots take this graph's frames (recorded in the snapshot state).
    Preview* snapshotOwner = nullptr;
};

// What the dialog must tell the user after a failed build.
enum class GraphFailure {
    None,
    CameraMessage, // "Camera is not installed or camera is occupied by another user."
    NoScaler,      // the scaler could not be made
    Silent,        // logged only
};

class PreviewGraph
{
public:
    PreviewGraph() = default;
    ~PreviewGraph();
    PreviewGraph(const PreviewGraph&) = delete;
    PreviewGraph& operator=(const PreviewGraph&) = delete;

    // Tears down the graph held, builds the preview graph from input and runs it; S_OK once it runs.
    HRESULT InitStillGraph(const PreviewGraphInput& input);
    // The same input at another frame size.
    HRESULT Rebuild(int width, int height);
    // Stops the graph and removes and releases everything in it.
    void ClearGraphs();
    HRESULT Run();
    HRESULT Stop();

    GraphFailure LastFailure() const { return m_failure; }
    // The scaler's text for the NoScaler box.
    static const wchar_t* NoScalerText();

    // Moves the video window inside its owner (layout changes).
    void PlaceVideoWindow(const PlacementRect& place);
    // Shows the picture in owner again, at place when given (after a layout change); false when the graph
    // has no video window.
    bool ShowVideoIn(HWND owner, const PlacementRect* place);
    // The graph's event interface (null without a graph).
    HRESULT GetEvents(IMediaEventEx** events) const;

    IGraphBuilder* Graph() const { return m_pGraph.Get(); }
    // The camera's filter in the current graph (not counted: the graph holds it).
    IBaseFilter* CaptureFilter() const { return m_pCaptureFilter; }
    // The scaler's frame grab and hold, and its orientation (null when the scaler lacks them).
    IDownScaler* DownScaler() const { return m_pDownScaler.Get(); }
    IMirrorFlip* MirrorFlip() const { return m_pMirrorFlip.Get(); }
    bool DeviceHasSSVGA() const { return m_bDeviceHasSSVGA; }
    const PreviewGraphInput& Input() const { return m_input; }

private:
    HRESULT Build();
    HRESULT GetDownScaler(IBaseFilter** filter);
    HRESULT ConnectCamera(IBaseFilter* scaler);
    HRESULT AddRenderer(IBaseFilter* tee);
    HRESULT ShowInOwner();
    HRESULT Fail(GraphFailure failure, HRESULT hr);

    PreviewGraphInput m_input;
    dshow::ComPtr<IBaseFilter> m_camera;   // keeps input.camera alive between builds
    dshow::ComPtr<IBaseFilter> m_renderer; // keeps input.renderer alive between builds

    dshow::ComPtr<IGraphBuilder> m_pGraph;
    dshow::ComPtr<ICaptureGraphBuilder2> m_pCaptureBuilder;
    IBaseFilter* m_pCaptureFilter = nullptr; // held by the graph
    dshow::ComPtr<IDownScaler> m_pDownScaler;
    dshow::ComPtr<IMirrorFlip> m_pMirrorFlip;
    dshow::ComPtr<IVideoWindow> m_pVideoWindow;
    bool m_bDeviceHasSSVGA = false;
    GraphFailure m_failure = GraphFailure::None;
};
