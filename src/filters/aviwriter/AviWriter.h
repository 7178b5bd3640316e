// The AVI writer filter: multiplexer and file writer in one sink. A video pin (24-bit bottom-up RGB) and an
// audio pin (PCM); the file is created when the filter pauses from stopped, every sample is written as it
// arrives, and stopping closes the last RIFF with its indexes and rewrites the headers, so every stopped
// recording is a complete file. IConfigAviMux chooses the master stream and the old index, IFileSinkFilter
// the file.
#pragma once

#include <memory>
#include <string>

#include "dshow/Filter.h"
#include "filters/aviwriter/AviLayout.h"
#include "filters/aviwriter/AviWriterApi.h"
#include "filters/aviwriter/FileSink.h"

class AviWriter;

// One input pin of the writer; the filter decides what it takes and writes what it receives.
class AviInputPin : public dshow::InputPin
{
public:
    AviInputPin(AviWriter& writer, bool video);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override;
    HRESULT GetMediaType(int index, dshow::MediaType& mt) override;
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    bool IsVideo() const { return m_video; }

private:
    AviWriter& m_writer;
    bool m_video;
};

class AviWriter : public dshow::BaseFilter, public IConfigAviMux, public IFileSinkFilter
{
public:
    AviWriter();
    ~AviWriter() override;
    DSHOW_FILTER_IUNKNOWN

    // IConfigAviMux. Streams count from 0 over the connected pins (video first): with both connected the
    // sound is stream 1.
    STDMETHODIMP SetMasterStream(LONG stream) override;
    STDMETHODIMP GetMasterStream(LONG* stream) override;
    STDMETHODIMP SetOutputCompatibilityIndex(BOOL oldIndex) override;
    STDMETHODIMP GetOutputCompatibilityIndex(BOOL* oldIndex) override;

    // IFileSinkFilter. The media type, if any, must be a stream of AVI.
    STDMETHODIMP SetFileName(LPCOLESTR fileName, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* mt) override;

    // Stops and reports whether the file was finished (its last indexes and headers written).
    STDMETHODIMP Stop() override;

    int PinCount() override { return 2; }
    dshow::Pin* PinAt(int index) override;

    // Called by the pins (streaming lock held).
    HRESULT CheckVideoType(const AM_MEDIA_TYPE& mt, const AviInputPin& pin) const;
    HRESULT CheckAudioType(const AM_MEDIA_TYPE& mt, const AviInputPin& pin) const;
    HRESULT Write(const AviInputPin& pin, IMediaSample* sample);
    HRESULT EndOfStream(const AviInputPin& pin);

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;
    HRESULT OnPause(FILTER_STATE from) override;
    void OnStop() override;

private:
    HRESULT StartFile();
    void FinishFile();
    HRESULT WriteFailed();

    AviInputPin m_videoPin;
    AviInputPin m_audioPin;

    // Settings (filter lock).
    std::wstring m_fileName;
    LONG m_master = -1;
    bool m_oldIndex = true;

    // The recording, from the pause that starts it to the stop (streaming lock while streaming).
    FileSink m_file;
    std::unique_ptr<avi::AviLayout> m_layout;
    uint32_t m_frameBytes = 0;
    HRESULT m_failure = S_OK;      // of the first failed write: later samples are refused with it
    HRESULT m_finishResult = S_OK; // of finishing the file, for Stop
    bool m_videoEnded = false;
    bool m_audioEnded = false;
};
