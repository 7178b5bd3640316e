// CaptureGraph: the recording graph of the preview dialog. The camera feeds a Smart Tee; its capture branch goes
// through our scaler into the AVI file, its preview branch through a second scaler to the screen; the first
// microphone, when there is one, goes through the audio pause and a second Smart Tee into the same file. The
// file is written by the platform's AVI multiplexer and file writer, or by our own AVI writer where those
// cannot be made, connected or run. Both holds are set until the countdown ends (ReleaseHolds).
#pragma once

#include "capture/CameraGraph.h"
#include "filters/pauseaudio/PauseAudioApi.h"

#include <string>

// What a recording adds to the graph input.
struct RecordingInput
{
    std::wstring file;            // the AVI file
    IBaseFilter* audio = nullptr; // the bound microphone, or null for a recording without sound
    HWND notifyWindow = nullptr;  // gets the graph's events as message 2026
};

class CaptureGraph : public CameraGraph
{
public:
    CaptureGraph() = default;
    ~CaptureGraph() override;

    // Tears down the graph held, builds the recording graph and runs it with both holds set; S_OK once it runs.
    HRESULT InitCaptureGraph(const GraphInput& input, const RecordingInput& recording);
    // The countdown is over: samples reach the file from now on.
    void ReleaseHolds();
    // Mirror and flip to the file's scaler and the screen's scaler.
    HRESULT SetMirrorFlip(bool mirror, bool flip) override;
    // Our own AVI writer writes the file (the platform's multiplexer could not).
    bool UsesOwnWriter() const { return m_ownWriter; }

protected:
    void ReleaseExtra() override;
    IBaseFilter* SecondSource() const override { return m_pAudioCapture.Get(); }

private:
    HRESULT Build(bool ownWriter);
    HRESULT MakeWriter(bool ownWriter, IBaseFilter** mux);
    HRESULT ConnectSound(IBaseFilter* mux);
    HRESULT ConnectScreen(IBaseFilter* tee);

    RecordingInput m_recording;
    dshow::ComPtr<IBaseFilter> m_pAudioCapture;
    dshow::ComPtr<IPauseAudio> m_pPauseAudio;
    dshow::ComPtr<IMirrorFlip> m_pMirrorFlip2;
    bool m_ownWriter = false;
};
