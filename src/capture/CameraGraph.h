// CameraGraph: what the preview graph and the recording graph share. Both are built from a small input (the
// bound camera, the wanted size, the makers of our filters, where the picture shows) and own every filter and
// COM reference they make; both run, stop, tear down, show their picture in the preview's video area and turn
// it through their scalers. The dialog keeps the window side and reads LastFailure() to tell the user.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "capture/VideoPlacement.h"
#include "dshow/ComPtr.h"
#include "filters/scaler/DownScalerApi.h"

class Preview;

// Makes one of our own filters (the scaler nvds.ax, the audio pause nvpa.ax, the AVI writer); S_OK with *filter.
using FilterMaker = HRESULT (*)(IBaseFilter** filter);

// Everything a graph is built from.
struct GraphInput
{
    IBaseFilter* camera = nullptr; // the bound capture filter; the graph keeps its own reference
    bool mjpegModule = false;      // the camera's bMJPEGModule code
    int width = 640;               // wanted frame size of the resolution state
    int height = 480;
    FilterMaker makeScaler = nullptr;
    FilterMaker makePauseAudio = nullptr;
    FilterMaker makeAviWriter = nullptr; // where the platform's multiplexer and file writer cannot record
    // Where the picture shows: the video window's owner and its place in it. With a renderer given instead
    // (tests: a null renderer) no video renderer is created and no video window is set up.
    HWND videoOwner = nullptr;
    // Gets the graph's events as CameraGraph::kGraphEventMessage (none when null).
    HWND notifyWindow = nullptr;
    PlacementRect placement = {0, 0, 0, 0};
    bool hasPlacement = false;
    IBaseFilter* renderer = nullptr;
    // The dialog whose snapshots take this graph's frames (recorded in the snapshot state).
    Preview* snapshotOwner = nullptr;
};
using PreviewGraphInput = GraphInput;

// What the dialog must tell the user after a failed build.
enum class GraphFailure {
    None,
    CameraMessage, // "Camera is not installed or camera is occupied by another user."
    NoScaler,      // the scaler could not be made
    NoAudioPin,    // "Could not connect Audio pin"
    NoWriter,      // the AVI multiplexer and file writer cannot be made or connected
    Silent,        // logged only
};

class CameraGraph
{
public:
    // The message the graph's events arrive with (2026), for the preview graph and the recording graph alike.
    static constexpr UINT kGraphEventMessage = WM_USER + 1002;

    CameraGraph() = default;
    virtual ~CameraGraph() = default;
    CameraGraph(const CameraGraph&) = delete;
    CameraGraph& operator=(const CameraGraph&) = delete;

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
    // The graph's events stop reaching the dialog.
    void StopNotifications();
    // The next queued event of a graph that sends the dialog its events; false when none is queued or the graph
    // sends none. The parameters are values only: any string among them is freed already.
    bool NextEvent(long& code, LONG_PTR& param1, LONG_PTR& param2);
    // Mirror and flip to every scaler of the graph; the last scaler's answer, 0 without a scaler.
    virtual HRESULT SetMirrorFlip(bool mirror, bool flip);

    IGraphBuilder* Graph() const { return m_pGraph.Get(); }
    // The camera's filter in the current graph (not counted: the graph holds it).
    IBaseFilter* CaptureFilter() const { return m_pCaptureFilter; }
    // The scaler's frame grab and hold, and its orientation (null when the scaler lacks them).
    IDownScaler* DownScaler() const { return m_pDownScaler.Get(); }
    IMirrorFlip* MirrorFlip() const { return m_pMirrorFlip.Get(); }
    bool DeviceHasSSVGA() const { return m_bDeviceHasSSVGA; }
    const GraphInput& Input() const { return m_input; }

protected:
    // Keeps the input and its references for this and later builds.
    void TakeInput(const GraphInput& input);
    HRESULT Fail(GraphFailure failure, HRESULT hr);
    // A new graph with the camera in it as "Cap" and a capture graph builder; logs name the build (e.g.
    // "Preview::InitStillGraph"). `separator` goes between the name and the text, as each build logs it.
    HRESULT StartGraph(const char* logName, const char* separator);
    // Makes the scaler, takes its interfaces and sets its scale mode for the wanted size.
    HRESULT GetDownScaler(IBaseFilter** filter);
    // The graph's events go to window as kGraphEventMessage (nothing when window is null).
    void AskForEvents(HWND window);
    // References the graph kind adds; released by ClearGraphs (the filters go with the graph).
    virtual void ReleaseExtra() {}
    // Filters besides the camera whose downstream ClearGraphs removes first (the microphone).
    virtual IBaseFilter* SecondSource() const { return nullptr; }

    GraphInput m_input;
    dshow::ComPtr<IBaseFilter> m_camera;   // keeps input.camera alive between builds
    dshow::ComPtr<IBaseFilter> m_renderer; // keeps input.renderer alive between builds

    dshow::ComPtr<IGraphBuilder> m_pGraph;
    dshow::ComPtr<ICaptureGraphBuilder2> m_pCaptureBuilder;
    IBaseFilter* m_pCaptureFilter = nullptr; // held by the graph
    dshow::ComPtr<IDownScaler> m_pDownScaler;
    dshow::ComPtr<IMirrorFlip> m_pMirrorFlip;
    dshow::ComPtr<IVideoWindow> m_pVideoWindow;
    dshow::ComPtr<IMediaEventEx> m_pMediaEvent;
    bool m_bDeviceHasSSVGA = false;
    GraphFailure m_failure = GraphFailure::None;
};
