// The AVI writer nvav.ax in a recording graph: the simulated camera through the scaler and the simulated
// microphone through the audio pause into the writer, each stream through a counting pass-through, then the
// file read back (here by a chunk scan, and by ffprobe in filters_avi_writer_ffprobe). Also the writer's
// control interfaces and what its video pin asks of the scaler.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "common/ModulePath.h"
#include "TestFilters.h"
#include "dshow/Graph.h"
#include "dshow/MediaType.h"
#include "dshow/TransformFilter.h"
#include "filters/aviwriter/AviWriterApi.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "filters/scaler/DownScalerApi.h"

using dshow::ComPtr;

namespace {

// {0F3B6C2E-91A4-4D7E-8B25-6A1C9E4D7F30}
const CLSID CLSID_CountingPass = {0x0f3b6c2e, 0x91a4, 0x4d7e, {0x8b, 0x25, 0x6a, 0x1c, 0x9e, 0x4d, 0x7f, 0x30}};

// Hands every sample on unchanged and counts what the next pin took. It takes exactly the types that pin
// takes, so upstream negotiates as it would with that pin.
class CountingPass : public dshow::TransformFilter
{
public:
    explicit CountingPass(IPin* next) : TransformFilter(CLSID_CountingPass), m_next(next) {}
    HRESULT CheckInputType(const AM_MEDIA_TYPE& in) override { return m_next->QueryAccept(&in); }
    HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) override
    {
        return dshow::MediaTypesEqual(in, out) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& in, dshow::MediaType& out) override
    {
        return index == 0 ? out.Set(in) : VFW_S_NO_MORE_ITEMS;
    }
    HRESULT DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request) override
    {
        request->cBuffers = std::max<long>(request->cBuffers, 1);
        request->cbBuffer = std::max<long>(request->cbBuffer, 4096); // unused: samples pass through
        return S_OK;
    }
    HRESULT Receive(IMediaSample* in) override
    {
        const HRESULT hr = Output().Deliver(in);
        if (hr == S_OK) {
            ++m_samples;
            m_bytes += in->GetActualDataLength();
        }
        return hr;
    }
    LONG Samples() const { return m_samples.load(); }
    LONGLONG Bytes() const { return m_bytes.load(); }

private:
    IPin* m_next; // the writer's pin, which outlives this filter in the tests
    std::atomic<LONG> m_samples{0};
    std::atomic<LONGLONG> m_bytes{0};
};

// One of our modules from the test's folder, created through its class factory.
ComPtr<IBaseFilter> NewFromModule(const wchar_t* module, const CLSID& clsid)
{
    ComPtr<IBaseFilter> filter;
    HMODULE handle = LoadLibraryW(PathBesideProgram(module).c_str());
    if (!handle)
        return filter;
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(handle, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    if (!get || FAILED(get(clsid, IID_IClassFactory, factory.PutVoid())))
        return filter;
    (void)factory->CreateInstance(nullptr, IID_IBaseFilter, filter.PutVoid());
    return filter;
}

ComPtr<IBaseFilter> BindMicrophone()
{
    ComPtr<IBaseFilter> microphone;
    for (const dshow::DeviceMoniker& device : dshow::ListDevices(CLSID_AudioInputDeviceCategory)) {
        if (device.Text(L"FriendlyName") == L"Sim Microphone") {
            (void)device.Bind(microphone);
            break;
        }
    }
    return microphone;
}

// Sets the capture pin to YUY2 at this size.
bool UseSize(IPin* capture, int width, int height)
{
    ComPtr<IAMStreamConfig> config;
    if (FAILED(capture->QueryInterface(IID_IAMStreamConfig, config.PutVoid())))
        return false;
    int count = 0, size = 0;
    if (FAILED(config->GetNumberOfCapabilities(&count, &size)) || size != sizeof(VIDEO_STREAM_CONFIG_CAPS))
        return false;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps;
        if (FAILED(config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&caps))) || !mt)
            continue;
        const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*mt);
        const bool wanted = vih && IsEqualGUID(mt->subtype, MEDIASUBTYPE_YUY2) && vih->bmiHeader.biWidth == width &&
                            vih->bmiHeader.biHeight == height;
        const bool set = wanted && SUCCEEDED(config->SetFormat(mt));
        dshow::DeleteMediaType(mt);
        if (set)
            return true;
    }
    return false;
}

template <typename T> ULONG Drop(ComPtr<T>& p)
{
    return p.Detach()->Release();
}

// The data chunks of a file, scanned from the start as a reader recovering a file would.
struct ChunkScan
{
    long frames = 0;
    long long audioBytes = 0;
    long longestVideoRun = 0; // most frames in a row without sound between them
    bool ok = false;
};

ChunkScan ScanFile(const std::wstring& path)
{
    ChunkScan scan;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return scan;
    std::vector<unsigned char> b;
    unsigned char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        b.insert(b.end(), buffer, buffer + n);
    fclose(f);
    auto le32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | unsigned(b[at + 3]) << 24; };
    size_t at = 0;
    long run = 0;
    while (at + 12 <= b.size()) {
        const std::string id(reinterpret_cast<const char*>(&b[at]), 4);
        const unsigned size = le32(at + 4);
        const std::string type(reinterpret_cast<const char*>(&b[at + 8]), 4);
        if ((id == "RIFF" || id == "LIST") && (type == "AVI " || type == "AVIX" || type == "movi")) {
            at += 12;
            continue;
        }
        if (id == "00dc") {
            ++scan.frames;
            scan.longestVideoRun = std::max(scan.longestVideoRun, ++run);
        } else if (id == "01wb") {
            scan.audioBytes += size;
            run = 0;
        }
        at += 8 + size + (size & 1);
    }
    scan.ok = at == b.size();
    return scan;
}

class AviWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_comStarted = true;
        ASSERT_EQ(S_OK, simtest::EnsureRegistered());
        simtest::UseDevices({sim::ProfileId::Veyra9665});
        m_writer = NewFromModule(L"nvav.ax", CLSID_NorvaneAviWriter);
        ASSERT_TRUE(m_writer) << "nvav.ax not loadable";
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         m_graph.PutVoid()));
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_writer.Get(), L"AVI Writer"));
    }

    void TearDown() override
    {
        if (m_control) {
            EXPECT_EQ(S_OK, m_control->Stop());
        }
        m_control.Reset();
        for (ComPtr<IBaseFilter>* source : {&m_camera, &m_microphone}) {
            if (m_graph && *source) {
                dshow::RemoveDownstream(m_graph.Get(), source->Get());
                EXPECT_EQ(S_OK, m_graph->RemoveFilter(source->Get()));
            }
        }
        if (m_graph) {
            EXPECT_EQ(0u, Drop(m_graph)) << "graph still referenced";
        }
        for (ComPtr<IBaseFilter>* filter : {&m_camera, &m_scaler, &m_microphone, &m_pause}) {
            if (*filter) {
                EXPECT_EQ(0u, Drop(*filter)) << "a filter of the graph is still referenced";
            }
        }
        for (ComPtr<CountingPass>* pass : {&m_videoCount, &m_audioCount}) {
            if (*pass) {
                EXPECT_EQ(0u, Drop(*pass)) << "a counting pass-through is still referenced";
            }
        }
        if (m_writer) {
            EXPECT_EQ(0u, Drop(m_writer)) << "nvav.ax still referenced after the teardown";
        }
        if (m_comStarted)
            CoUninitialize();
    }

    // Camera at 320x240 into the scaler, whose output stays unconnected.
    void AddCameraAndScaler()
    {
        m_camera = simtest::BindDevice(CLSID_VideoInputDeviceCategory, 0);
        ASSERT_TRUE(m_camera);
        ComPtr<IPin> capture, scalerIn;
        ASSERT_EQ(S_OK, dshow::FindPinByCategory(m_camera.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                 true, 0, capture.Put()));
        ASSERT_TRUE(UseSize(capture.Get(), 320, 240));
        m_scaler = NewFromModule(L"nvds.ax", CLSID_NorvaneDownScaler);
        ASSERT_TRUE(m_scaler) << "nvds.ax not loadable";
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_camera.Get(), L"Cap"));
        ASSERT_EQ(S_OK, m_graph->AddFilter(m_scaler.Get(), L"Norvane Down Scaler"));
        ASSERT_EQ(S_OK, dshow::GetPin(m_scaler.Get(), PINDIR_INPUT, 0, scalerIn.Put()));
        ASSERT_EQ(S_OK, m_graph->ConnectDirect(capture.Get(), scalerIn.Get(), nullptr));
    }

    // Inserts a counting pass-through between `from`'s output 0 and the writer's input pin `pin`.
    void ConnectCounted(IBaseFilter* from, int pin, ComPtr<CountingPass>& pass, const wchar_t* name)
    {
        ComPtr<IPin> writerIn;
        ASSERT_EQ(S_OK, dshow::GetPin(m_writer.Get(), PINDIR_INPUT, pin, writerIn.Put()));
        pass.Attach(new (std::nothrow) CountingPass(writerIn.Get()));
        ASSERT_TRUE(pass);
        ASSERT_EQ(S_OK, m_graph->AddFilter(pass.Get(), name));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), from, 0, pass.Get(), 0, nullptr, false));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), pass.Get(), 0, m_writer.Get(), pin, nullptr, false));
    }

    bool m_comStarted = false;
    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IMediaControl> m_control;
    ComPtr<IBaseFilter> m_writer, m_camera, m_scaler, m_microphone, m_pause;
    ComPtr<CountingPass> m_videoCount, m_audioCount;
};

TEST_F(AviWriterTest, ControlInterfacesKeepTheirSettingsAndRefuseBadArguments)
{
    ComPtr<IConfigAviMux> mux;
    ComPtr<IFileSinkFilter> sink;
    ASSERT_EQ(S_OK, m_writer->QueryInterface(IID_IConfigAviMux, mux.PutVoid()));
    ASSERT_EQ(S_OK, m_writer->QueryInterface(IID_IFileSinkFilter, sink.PutVoid()));

    LONG master = 7;
    BOOL oldIndex = FALSE;
    EXPECT_EQ(S_OK, mux->GetMasterStream(&master));
    EXPECT_EQ(-1, master);
    EXPECT_EQ(S_OK, mux->GetOutputCompatibilityIndex(&oldIndex));
    EXPECT_EQ(TRUE, oldIndex);
    EXPECT_EQ(E_INVALIDARG, mux->SetMasterStream(-2));
    EXPECT_EQ(E_INVALIDARG, mux->SetMasterStream(2));
    EXPECT_EQ(S_OK, mux->SetMasterStream(1));
    EXPECT_EQ(S_OK, mux->SetOutputCompatibilityIndex(FALSE));
    EXPECT_EQ(S_OK, mux->GetMasterStream(&master));
    EXPECT_EQ(1, master);
    EXPECT_EQ(S_OK, mux->GetOutputCompatibilityIndex(&oldIndex));
    EXPECT_EQ(FALSE, oldIndex);
    EXPECT_EQ(E_POINTER, mux->GetMasterStream(nullptr));

    LPOLESTR name = reinterpret_cast<LPOLESTR>(1);
    EXPECT_EQ(E_FAIL, sink->GetCurFile(&name, nullptr)) << "no file before SetFileName";
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ(E_POINTER, sink->SetFileName(nullptr, nullptr));
    EXPECT_EQ(E_INVALIDARG, sink->SetFileName(L"", nullptr));
    AM_MEDIA_TYPE video = {};
    video.majortype = MEDIATYPE_Video;
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, sink->SetFileName(L"C:\\x.avi", &video));
    const std::wstring path = PathBesideProgram(L"avi_writer_names.avi");
    ASSERT_EQ(S_OK, sink->SetFileName(path.c_str(), nullptr));
    AM_MEDIA_TYPE mt = {};
    ASSERT_EQ(S_OK, sink->GetCurFile(&name, &mt));
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(path, name);
    CoTaskMemFree(name);
    EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Stream, mt.majortype) && IsEqualGUID(MEDIASUBTYPE_Avi, mt.subtype));

    // Nothing connected: nothing to record, and no file is made.
    EXPECT_EQ(VFW_E_NOT_CONNECTED, m_writer->Pause());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

TEST_F(AviWriterTest, TheScalerDeliversTwentyFourBitPicturesOfTheCameraSize)
{
    AddCameraAndScaler();
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), m_scaler.Get(), 0, m_writer.Get(), 0, nullptr, false));
    ComPtr<IPin> videoIn;
    ASSERT_EQ(S_OK, dshow::GetPin(m_writer.Get(), PINDIR_INPUT, 0, videoIn.Put()));
    AM_MEDIA_TYPE mt = {};
    ASSERT_EQ(S_OK, videoIn->ConnectionMediaType(&mt));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_RGB24, mt.subtype)) << "the scaler offers 32-bit first; the writer wants 24";
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(mt);
    ASSERT_NE(nullptr, vih);
    EXPECT_EQ(320, vih->bmiHeader.biWidth);
    EXPECT_EQ(240, vih->bmiHeader.biHeight);
    dshow::FreeMediaType(mt);

    // Pins cannot be recorded without a file name; a folder that does not exist fails the pause too.
    EXPECT_EQ(E_UNEXPECTED, m_writer->Pause());
    ComPtr<IFileSinkFilter> sink;
    ASSERT_EQ(S_OK, m_writer->QueryInterface(IID_IFileSinkFilter, sink.PutVoid()));
    ASSERT_EQ(S_OK, sink->SetFileName(PathBesideProgram(L"no such folder\\a.avi").c_str(), nullptr));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), m_writer->Pause());
    FILTER_STATE state;
    EXPECT_EQ(S_OK, m_writer->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);
}

// The recording graph's hops into the writer: RenderStream from the scaler and from the Smart Tee behind the
// audio pause, with no category, type or intermediate filter, each ending on the pin of its stream.
TEST_F(AviWriterTest, CaptureGraphBuilderRendersEachStreamToItsPin)
{
    AddCameraAndScaler();
    m_microphone = BindMicrophone();
    ASSERT_TRUE(m_microphone);
    m_pause = NewFromModule(L"nvpa.ax", CLSID_NorvanePauseAudio);
    ASSERT_TRUE(m_pause);
    ASSERT_EQ(S_OK, m_graph->AddFilter(m_microphone.Get(), L"Audio Capture"));
    ASSERT_EQ(S_OK, m_graph->AddFilter(m_pause.Get(), L"Norvane Pause Audio"));
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(m_graph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put()));
    ComPtr<IPin> micOut, pauseIn;
    ASSERT_EQ(S_OK, dshow::FindPinByCategory(m_microphone.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio,
                                             true, 0, micOut.Put()));
    ASSERT_EQ(S_OK, dshow::GetPin(m_pause.Get(), PINDIR_INPUT, 0, pauseIn.Put()));
    ASSERT_EQ(S_OK, m_graph->ConnectDirect(micOut.Get(), pauseIn.Get(), nullptr));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), m_pause.Get(), 0, tee.Get(), 0, nullptr, false));

    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, builder.PutVoid()));
    ASSERT_EQ(S_OK, builder->SetFiltergraph(m_graph.Get()));
    EXPECT_TRUE(SUCCEEDED(builder->RenderStream(nullptr, nullptr, m_scaler.Get(), nullptr, m_writer.Get())));
    EXPECT_TRUE(SUCCEEDED(builder->RenderStream(nullptr, nullptr, tee.Get(), nullptr, m_writer.Get())));

    const IBaseFilter* expected[] = {m_scaler.Get(), tee.Get()};
    for (int i = 0; i < 2; ++i) {
        ComPtr<IPin> in, peer;
        ASSERT_EQ(S_OK, dshow::GetPin(m_writer.Get(), PINDIR_INPUT, i, in.Put()));
        ASSERT_EQ(S_OK, in->ConnectedTo(peer.Put())) << "writer pin " << i << " is not connected";
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, peer->QueryPinInfo(&info));
        EXPECT_EQ(expected[i], info.pFilter) << "writer pin " << i << " is fed by the wrong filter";
        if (info.pFilter)
            info.pFilter->Release();
        AM_MEDIA_TYPE mt = {};
        ASSERT_EQ(S_OK, in->ConnectionMediaType(&mt));
        EXPECT_TRUE(IsEqualGUID(i == 0 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_PCM, mt.subtype));
        dshow::FreeMediaType(mt);
    }
    builder.Reset();
    tee.Reset(); // the graph keeps it until the teardown removes the microphone's downstream
}

TEST_F(AviWriterTest, RecordsEveryDeliveredFrameAndSoundBlockIntoAnInterleavedFile)
{
    AddCameraAndScaler();
    m_microphone = BindMicrophone();
    ASSERT_TRUE(m_microphone) << "no \"Sim Microphone\" among the audio input devices";
    m_pause = NewFromModule(L"nvpa.ax", CLSID_NorvanePauseAudio);
    ASSERT_TRUE(m_pause) << "nvpa.ax not loadable";
    ASSERT_EQ(S_OK, m_graph->AddFilter(m_microphone.Get(), L"Audio Capture"));
    ASSERT_EQ(S_OK, m_graph->AddFilter(m_pause.Get(), L"Norvane Pause Audio"));
    ComPtr<IPin> micOut, pauseIn;
    ASSERT_EQ(S_OK, dshow::FindPinByCategory(m_microphone.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio,
                                             true, 0, micOut.Put()));
    ASSERT_EQ(S_OK, dshow::GetPin(m_pause.Get(), PINDIR_INPUT, 0, pauseIn.Put()));
    ASSERT_EQ(S_OK, m_graph->ConnectDirect(micOut.Get(), pauseIn.Get(), nullptr));
    ConnectCounted(m_scaler.Get(), 0, m_videoCount, L"Video count");
    ConnectCounted(m_pause.Get(), 1, m_audioCount, L"Audio count");

    const std::wstring path = PathBesideProgram(L"avi_writer_test.avi");
    (void)DeleteFileW(path.c_str()); // from an earlier run, if any
    ComPtr<IFileSinkFilter> sink;
    ComPtr<IConfigAviMux> mux;
    ASSERT_EQ(S_OK, m_writer->QueryInterface(IID_IFileSinkFilter, sink.PutVoid()));
    ASSERT_EQ(S_OK, m_writer->QueryInterface(IID_IConfigAviMux, mux.PutVoid()));
    ASSERT_EQ(S_OK, sink->SetFileName(path.c_str(), nullptr));
    ASSERT_EQ(S_OK, mux->SetOutputCompatibilityIndex(TRUE));
    ASSERT_EQ(S_OK, mux->SetMasterStream(1));
    sink.Reset();
    mux.Reset();

    ASSERT_EQ(S_OK, m_graph->QueryInterface(IID_IMediaControl, m_control.PutVoid()));
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    EXPECT_TRUE(
        testfilters::WaitFor([&] { return m_videoCount->Samples() >= 45 && m_audioCount->Samples() >= 25; }, 20000))
        << m_videoCount->Samples() << " frames, " << m_audioCount->Samples() << " sound blocks";
    ASSERT_EQ(S_OK, m_control->Stop());

    const LONG frames = m_videoCount->Samples();
    const LONGLONG audioBytes = m_audioCount->Bytes();
    EXPECT_EQ(LONGLONG(frames) * 320 * 240 * 3, m_videoCount->Bytes()) << "every frame is a whole 24-bit picture";
    const ChunkScan scan = ScanFile(path);
    ASSERT_TRUE(scan.ok) << "the chunks do not end exactly at the end of the file";
    EXPECT_EQ(frames, scan.frames);
    EXPECT_EQ(audioBytes, scan.audioBytes);
    // The microphone hands out a block every 100 ms: picture and sound alternate well within a second.
    EXPECT_LE(scan.longestVideoRun, 30);

    // What the ffprobe check (a ctest of its own, run next) expects of the file.
    FILE* expected = _wfopen(PathBesideProgram(L"avi_writer_test.expected").c_str(), L"wb");
    ASSERT_NE(nullptr, expected);
    std::fprintf(expected, "frames=%ld\naudio_bytes=%lld\nwidth=320\nheight=240\n", frames, audioBytes);
    std::fclose(expected);
}

} // namespace
