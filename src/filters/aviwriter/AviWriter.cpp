// The AVI writer filter.
#include "filters/aviwriter/AviWriter.h"

#include <new>

#include "dshow/Module.h"

HRESULT CreateAviWriterFilter(REFIID riid, void** ppv)
{
    return dshow::CreateFilterInstance<AviWriter>(riid, ppv);
}

// ---- pins ----

AviInputPin::AviInputPin(AviWriter& writer, bool video)
    : InputPin(writer, video ? L"Video" : L"Audio"), m_writer(writer), m_video(video)
{
}

HRESULT AviInputPin::CheckMediaType(const AM_MEDIA_TYPE& mt)
{
    return m_video ? m_writer.CheckVideoType(mt, *this) : m_writer.CheckAudioType(mt, *this);
}

HRESULT AviInputPin::GetMediaType(int index, dshow::MediaType& mt)
{
    // Major type and subtype only: upstream fills in the size (or intelligent connect finds a converter).
    if (index != 0)
        return VFW_S_NO_MORE_ITEMS;
    mt.Clear();
    mt.Get().majortype = m_video ? MEDIATYPE_Video : MEDIATYPE_Audio;
    mt.Get().subtype = m_video ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_PCM;
    mt.Get().bFixedSizeSamples = TRUE;
    return S_OK;
}

HRESULT AviInputPin::OnReceive(IMediaSample* sample)
{
    return m_writer.Write(*this, sample);
}

HRESULT AviInputPin::OnEndOfStream()
{
    return m_writer.EndOfStream(*this);
}

// ---- filter ----

AviWriter::AviWriter() : BaseFilter(CLSID_NorvaneAviWriter), m_videoPin(*this, true), m_audioPin(*this, false) {}

AviWriter::~AviWriter()
{
    // Released without a stop (never by a graph, which stops first): the file is still finished.
    FinishFile();
}

HRESULT AviWriter::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IConfigAviMux)) {
        *ppv = static_cast<IConfigAviMux*>(this);
        AddRef();
        return S_OK;
    }
    if (IsEqualIID(riid, IID_IFileSinkFilter)) {
        *ppv = static_cast<IFileSinkFilter*>(this);
        AddRef();
        return S_OK;
    }
    return BaseFilter::QueryExtraInterface(riid, ppv);
}

dshow::Pin* AviWriter::PinAt(int index)
{
    if (index == 0)
        return &m_videoPin;
    if (index == 1)
        return &m_audioPin;
    return nullptr;
}

STDMETHODIMP AviWriter::Stop()
{
    dshow::AutoLock lock(FilterLock());
    const HRESULT hr = BaseFilter::Stop();
    const HRESULT finished = m_finishResult;
    m_finishResult = S_OK;
    return FAILED(hr) ? hr : finished;
}

STDMETHODIMP AviWriter::SetMasterStream(LONG stream)
{
    if (stream < -1 || stream >= PinCount())
        return E_INVALIDARG;
    dshow::AutoLock lock(FilterLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    m_master = stream;
    return S_OK;
}

STDMETHODIMP AviWriter::GetMasterStream(LONG* stream)
{
    if (!stream)
        return E_POINTER;
    dshow::AutoLock lock(FilterLock());
    *stream = m_master;
    return S_OK;
}

STDMETHODIMP AviWriter::SetOutputCompatibilityIndex(BOOL oldIndex)
{
    dshow::AutoLock lock(FilterLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    m_oldIndex = oldIndex != FALSE;
    return S_OK;
}

STDMETHODIMP AviWriter::GetOutputCompatibilityIndex(BOOL* oldIndex)
{
    if (!oldIndex)
        return E_POINTER;
    dshow::AutoLock lock(FilterLock());
    *oldIndex = m_oldIndex ? TRUE : FALSE;
    return S_OK;
}

STDMETHODIMP AviWriter::SetFileName(LPCOLESTR fileName, const AM_MEDIA_TYPE* mt)
{
    if (!fileName)
        return E_POINTER;
    // Longest path the system takes (with the \\?\ prefix).
    constexpr size_t kMaxPath = 32767;
    size_t length = 0;
    while (length <= kMaxPath && fileName[length] != L'\0')
        ++length;
    if (length == 0 || length > kMaxPath)
        return E_INVALIDARG;
    if (mt && !IsEqualGUID(mt->majortype, GUID_NULL) &&
        (!IsEqualGUID(mt->majortype, MEDIATYPE_Stream) ||
         (!IsEqualGUID(mt->subtype, GUID_NULL) && !IsEqualGUID(mt->subtype, MEDIASUBTYPE_Avi))))
        return VFW_E_TYPE_NOT_ACCEPTED;
    dshow::AutoLock lock(FilterLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    m_fileName.assign(fileName, length);
    return S_OK;
}

STDMETHODIMP AviWriter::GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* mt)
{
    if (!fileName)
        return E_POINTER;
    *fileName = nullptr;
    dshow::AutoLock lock(FilterLock());
    if (m_fileName.empty())
        return E_FAIL;
    const size_t bytes = (m_fileName.size() + 1) * sizeof(wchar_t);
    *fileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*fileName)
        return E_OUTOFMEMORY;
    CopyMemory(*fileName, m_fileName.c_str(), bytes);
    if (mt) {
        ZeroMemory(mt, sizeof *mt);
        mt->majortype = MEDIATYPE_Stream;
        mt->subtype = MEDIASUBTYPE_Avi;
    }
    return S_OK;
}

HRESULT AviWriter::CheckVideoType(const AM_MEDIA_TYPE& mt, const AviInputPin& pin) const
{
    if (!IsEqualGUID(mt.majortype, MEDIATYPE_Video) || !IsEqualGUID(mt.subtype, MEDIASUBTYPE_RGB24))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(mt);
    if (!vih)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const BITMAPINFOHEADER& bmi = vih->bmiHeader;
    // Bottom-up rows only: a frame in the file is a plain DIB.
    if (bmi.biBitCount != 24 || bmi.biCompression != BI_RGB || bmi.biWidth <= 0 || bmi.biHeight <= 0 ||
        dshow::FrameBytes(dshow::PixelLayout::Rgb24, bmi.biWidth, bmi.biHeight) == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    // A sample announcing another size while recording cannot go into the file.
    if (pin.IsConnected() && State() != State_Stopped) {
        const VIDEOINFOHEADER* now = dshow::VideoInfoOf(pin.ConnectionType().Get());
        if (!now || now->bmiHeader.biWidth != bmi.biWidth || now->bmiHeader.biHeight != bmi.biHeight)
            return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT AviWriter::CheckAudioType(const AM_MEDIA_TYPE& mt, const AviInputPin& pin) const
{
    if (!IsEqualGUID(mt.majortype, MEDIATYPE_Audio) || !IsEqualGUID(mt.subtype, MEDIASUBTYPE_PCM))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const WAVEFORMATEX* wfx = dshow::WaveFormatOf(mt);
    if (!wfx || wfx->wFormatTag != WAVE_FORMAT_PCM || wfx->nChannels == 0 || wfx->wBitsPerSample == 0 ||
        wfx->wBitsPerSample % 8 != 0 || wfx->nSamplesPerSec == 0 ||
        wfx->nBlockAlign != wfx->nChannels * (wfx->wBitsPerSample / 8) ||
        wfx->nAvgBytesPerSec != wfx->nSamplesPerSec * wfx->nBlockAlign)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (pin.IsConnected() && State() != State_Stopped && !dshow::MediaTypesEqual(mt, pin.ConnectionType().Get()))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT AviWriter::OnPause(FILTER_STATE from)
{
    if (from != State_Stopped)
        return S_OK;
    dshow::AutoLock streaming(StreamLock());
    return StartFile();
}

void AviWriter::OnStop()
{
    dshow::AutoLock streaming(StreamLock());
    FinishFile();
}

HRESULT AviWriter::StartFile()
{
    if (m_fileName.empty())
        return E_UNEXPECTED; // SetFileName comes first
    const bool hasVideo = m_videoPin.IsConnected();
    const bool hasAudio = m_audioPin.IsConnected();
    if (!hasVideo && !hasAudio)
        return VFW_E_NOT_CONNECTED;

    avi::VideoFormat video;
    if (hasVideo) {
        const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(m_videoPin.ConnectionType().Get());
        if (!vih)
            return VFW_E_NOT_CONNECTED;
        video.width = vih->bmiHeader.biWidth;
        video.height = vih->bmiHeader.biHeight;
        video.bitCount = 24;
        video.imageSize =
            static_cast<uint32_t>(dshow::FrameBytes(dshow::PixelLayout::Rgb24, video.width, video.height));
        video.nominalInterval = vih->AvgTimePerFrame;
    }
    avi::AudioFormat audio;
    if (hasAudio) {
        const WAVEFORMATEX* wfx = dshow::WaveFormatOf(m_audioPin.ConnectionType().Get());
        if (!wfx)
            return VFW_E_NOT_CONNECTED;
        audio.formatTag = wfx->wFormatTag;
        audio.channels = wfx->nChannels;
        audio.samplesPerSec = wfx->nSamplesPerSec;
        audio.avgBytesPerSec = wfx->nAvgBytesPerSec;
        audio.blockAlign = wfx->nBlockAlign;
        audio.bitsPerSample = wfx->wBitsPerSample;
    }

    HRESULT hr = m_file.Create(m_fileName.c_str());
    if (FAILED(hr))
        return hr;
    avi::LayoutOptions options;
    options.compatibilityIndex = m_oldIndex;
    options.masterStream = m_master;
    m_layout.reset(new (std::nothrow) avi::AviLayout(m_file, options));
    if (!m_layout || !m_layout->Begin(hasVideo ? &video : nullptr, hasAudio ? &audio : nullptr)) {
        hr = !m_layout ? E_OUTOFMEMORY : m_file.LastError() ? HRESULT_FROM_WIN32(m_file.LastError()) : E_FAIL;
        m_layout.reset();
        (void)m_file.Close(); // The file is deleted next: nothing of it counts.
        (void)DeleteFileW(m_fileName.c_str());
        return hr;
    }
    m_frameBytes = video.imageSize;
    m_failure = S_OK;
    m_videoEnded = m_audioEnded = false;
    return S_OK;
}

void AviWriter::FinishFile()
{
    if (!m_layout)
        return;
    const bool finished = m_layout->Finish();
    m_layout.reset();
    const bool closed = m_file.Close();
    if (!finished || !closed) {
        const DWORD error = m_file.LastError();
        m_finishResult = error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
        NotifyEvent(EC_ERRORABORT, m_finishResult, 0);
    }
}

HRESULT AviWriter::WriteFailed()
{
    const DWORD error = m_file.LastError();
    // No system error: the layout itself ran out of room (its super indexes are full).
    m_failure = error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    NotifyEvent(EC_ERRORABORT, m_failure, 0);
    return m_failure;
}

HRESULT AviWriter::Write(const AviInputPin& pin, IMediaSample* sample)
{
    if (!m_layout)
        return VFW_E_WRONG_STATE;
    if (FAILED(m_failure))
        return m_failure;
    BYTE* data = nullptr;
    HRESULT hr = sample->GetPointer(&data);
    if (FAILED(hr))
        return hr;
    const long length = sample->GetActualDataLength();
    if (!data || length < 0 || length > sample->GetSize())
        return E_INVALIDARG;
    bool written;
    if (pin.IsVideo()) {
        // Every frame of the file has the connection's size; anything else would shift the picture.
        if (static_cast<uint32_t>(length) != m_frameBytes)
            return E_INVALIDARG;
        REFERENCE_TIME start = 0, stop = 0;
        const bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
        written = m_layout->AddVideoFrame(data, static_cast<uint32_t>(length), timed, start);
    } else {
        written = m_layout->AddAudio(data, static_cast<uint32_t>(length));
    }
    return written ? S_OK : WriteFailed();
}

HRESULT AviWriter::EndOfStream(const AviInputPin& pin)
{
    (pin.IsVideo() ? m_videoEnded : m_audioEnded) = true;
    const bool videoDone = m_videoEnded || !m_videoPin.IsConnected();
    const bool audioDone = m_audioEnded || !m_audioPin.IsConnected();
    if (videoDone && audioDone)
        NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
    return S_OK;
}
