// PreviewGraph: the live-preview filter graph of the preview dialog (camera, optional MJPEG decompressor, our
// scaler, Smart Tee, a renderer), built from a small input and run; rebuilt at another size. The recording
// graph (CaptureGraph) is its sibling; what both share is CameraGraph's.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "capture/CameraGraph.h"

class PreviewGraph : public CameraGraph
{
public:
    PreviewGraph() = default;
    ~PreviewGraph() override;

    // Tears down the graph held, builds the preview graph from input and runs it; S_OK once it runs.
    HRESULT InitStillGraph(const GraphInput& input);
    // The same input at another frame size.
    HRESULT Rebuild(int width, int height);

private:
    HRESULT Build();
    HRESULT ConnectCamera(IBaseFilter* scaler);
    HRESULT AddRenderer(IBaseFilter* tee);
    HRESULT ShowInOwner();
};
