// End to end: a 0402:7670 camera streams YUY2 640x480 through a Sample Grabber into a Null Renderer while
// Tessel.exe, installed in C:\Quillo, receives the mirror command 3025; the frames that follow show the
// test picture's "F" glyph turned left to right, and 3025 with lParam 0 turns it back.
#include "SimControl.h"
#include "TesselProcess.h"

#include "dshow/ComPtr.h"
#include "dshow/vidcap_decl.h"
#include "sim/model/TestPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using dshow::ComPtr;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr wchar_t kInstalledTessel[] = L"C:\\Quillo\\Tessel.exe";

class ComEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.Put())))
        return pin;
    while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction)
            return pin;
    }
    pin.Reset();
    return pin;
}

ComPtr<IBaseFilter> FirstCamera()
{
    ComPtr<IBaseFilter> filter;
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.PutVoid())) ||
        devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.Put(), 0) != S_OK)
        return filter;
    ComPtr<IMoniker> moniker;
    if (monikers->Next(1, moniker.Put(), nullptr) == S_OK)
        moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid());
    return filter;
}

// Picks the camera's YUY2 640x480 capability on its capture pin.
HRESULT Choose640x480(IPin* pin)
{
    ComPtr<IAMStreamConfig> config;
    HRESULT hr = pin->QueryInterface(IID_IAMStreamConfig, config.PutVoid());
    if (FAILED(hr))
        return hr;
    int count = 0;
    int size = 0;
    if (FAILED(hr = config->GetNumberOfCapabilities(&count, &size)))
        return hr;
    std::vector<BYTE> caps(static_cast<size_t>(size > 0 ? size : 1));
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* mt = nullptr;
        if (FAILED(config->GetStreamCaps(i, &mt, caps.data())) || mt == nullptr)
            continue;
        bool wanted = false;
        if (mt->subtype == MEDIASUBTYPE_YUY2 && mt->formattype == FORMAT_VideoInfo &&
            mt->cbFormat >= sizeof(VIDEOINFOHEADER) && mt->pbFormat != nullptr) {
            const auto* header = reinterpret_cast<const VIDEOINFOHEADER*>(mt->pbFormat);
            wanted = header->bmiHeader.biWidth == kWidth && std::abs(header->bmiHeader.biHeight) == kHeight;
        }
        if (wanted)
            hr = config->SetFormat(mt);
        if (mt->pbFormat != nullptr)
            CoTaskMemFree(mt->pbFormat);
        if (mt->pUnk != nullptr)
            mt->pUnk->Release();
        CoTaskMemFree(mt);
        if (wanted)
            return hr;
    }
    return VFW_E_INVALIDMEDIATYPE;
}

// Camera -> Sample Grabber (YUY2, buffering every sample) -> Null Renderer.
struct GrabGraph
{
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> camera, grabberFilter, sink;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IMediaControl> control;

    HRESULT Build()
    {
        HRESULT hr =
            CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid());
        if (FAILED(hr))
            return hr;
        camera = FirstCamera();
        CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, grabberFilter.PutVoid());
        CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, sink.PutVoid());
        if (!camera || !grabberFilter || !sink)
            return E_FAIL;
        if (FAILED(hr = grabberFilter.As(grabber)))
            return hr;
        AM_MEDIA_TYPE mt = {};
        mt.majortype = MEDIATYPE_Video;
        mt.subtype = MEDIASUBTYPE_YUY2;
        if (FAILED(hr = grabber->SetMediaType(&mt)) || FAILED(hr = grabber->SetBufferSamples(TRUE)) ||
            FAILED(hr = grabber->SetOneShot(FALSE)))
            return hr;
        if (FAILED(hr = graph->AddFilter(camera.Get(), L"Camera")) ||
            FAILED(hr = graph->AddFilter(grabberFilter.Get(), L"Grabber")) ||
            FAILED(hr = graph->AddFilter(sink.Get(), L"Sink")))
            return hr;
        ComPtr<IPin> capture = FindPin(camera.Get(), PINDIR_OUTPUT);
        if (!capture)
            return E_FAIL;
        if (FAILED(hr = Choose640x480(capture.Get())))
            return hr;
        if (FAILED(hr = graph->Connect(capture.Get(), FindPin(grabberFilter.Get(), PINDIR_INPUT).Get())) ||
            FAILED(hr = graph->Connect(FindPin(grabberFilter.Get(), PINDIR_OUTPUT).Get(),
                                       FindPin(sink.Get(), PINDIR_INPUT).Get())))
            return hr;
        return graph.As(control);
    }

    // Copies the newest sample the grabber holds; waits at most `timeoutMs` for one.
    bool Grab(std::vector<uint8_t>& frame, DWORD timeoutMs = 5000)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            long size = 0;
            if (grabber->GetCurrentBuffer(&size, nullptr) == S_OK && size > 0) {
                frame.resize(static_cast<size_t>(size));
                if (grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())) == S_OK)
                    return true;
            }
            Sleep(50);
        }
        return false;
    }

    ~GrabGraph()
    {
        if (control)
            control->Stop();
    }
};

// How the glyph box of `frame` compares with that of `reference`: the share of luma samples that match at
// the same place and at the horizontally mirrored place (within a small tolerance).
struct GlyphMatch
{
    double same;
    double mirrored;
};

GlyphMatch CompareGlyph(const std::vector<uint8_t>& frame, const std::vector<uint8_t>& reference)
{
    sim::TestPicture picture;
    picture.Configure(kWidth, kHeight);
    const sim::PictureLayout& l = picture.Layout();
    int same = 0;
    int mirrored = 0;
    int total = 0;
    auto luma = [](const std::vector<uint8_t>& f, int x, int y) {
        return static_cast<int>(f[(static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)) * 2]);
    };
    for (int y = l.glyphY; y < l.glyphY + l.glyphSize; ++y) {
        for (int x = l.glyphX; x < l.glyphX + l.glyphSize; ++x) {
            const int want = luma(reference, x, y);
            same += std::abs(luma(frame, x, y) - want) <= 3 ? 1 : 0;
            mirrored += std::abs(luma(frame, kWidth - 1 - x, y) - want) <= 3 ? 1 : 0;
            ++total;
        }
    }
    return {static_cast<double>(same) / total, static_cast<double>(mirrored) / total};
}

class TesselMirrorEndToEnd : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bool ok = false;
        RunSimctl(L"register", &ok);
        ASSERT_TRUE(ok) << "simctl register failed";
    }
    static void TearDownTestSuite() { RunSimctl(L"reset"); }

    void TearDown() override
    {
        if (m_window != nullptr) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(m_window, 2258, 0, 0, SMTO_NORMAL, 10000, &result);
            DWORD exitCode = 0;
            EXPECT_TRUE(m_tessel.WaitForExit(10000, exitCode));
        }
    }

    void Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(m_window, message, wParam, lParam, SMTO_NORMAL, 20000, &result), 0);
    }

    // Grabs frames until `done` holds for one, for at most three seconds; returns the last frame grabbed.
    template <typename Done> std::vector<uint8_t> GrabUntil(GrabGraph& g, Done done)
    {
        std::vector<uint8_t> frame;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 3000) {
            if (g.Grab(frame, 1000) && frame.size() == static_cast<size_t>(kWidth) * kHeight * 2 && done(frame))
                break;
            Sleep(50);
        }
        return frame;
    }

    TesselProcess m_tessel;
    HWND m_window = nullptr;
};

TEST_F(TesselMirrorEndToEnd, MirrorCommandTurnsTheStreamedPictureAndTurnsItBack)
{
    ASSERT_NE(GetFileAttributesW(kInstalledTessel), INVALID_FILE_ATTRIBUTES)
        << "Tessel.exe is not installed in C:\\Quillo (scripts/prefix install <build>)";
    ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
    bool ok = false;
    RunSimctl(L"reset veyra7670", &ok);
    ASSERT_TRUE(ok) << "simctl reset failed";

    GrabGraph g;
    ASSERT_EQ(g.Build(), S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> before;
    ASSERT_TRUE(g.Grab(before));
    ASSERT_EQ(before.size(), static_cast<size_t>(kWidth) * kHeight * 2);
    // The glyph is not symmetric: unturned, its box differs from its own mirror image.
    ASSERT_LT(CompareGlyph(before, before).mirrored, 0.9);

    ASSERT_TRUE(m_tessel.Start(kInstalledTessel));
    m_window = WaitForTesselWindow(20000);
    ASSERT_NE(m_window, nullptr);

    Send(3025, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e") & 0x20, 0x20);
    std::vector<uint8_t> after =
        GrabUntil(g, [&before](const std::vector<uint8_t>& f) { return CompareGlyph(f, before).mirrored > 0.98; });
    GlyphMatch match = CompareGlyph(after, before);
    EXPECT_GT(match.mirrored, 0.98) << "the glyph moved to the mirrored place";
    EXPECT_LT(match.same, 0.9) << "the glyph left its unturned place";

    Send(3025, 1, 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e") & 0x20, 0);
    after = GrabUntil(g, [&before](const std::vector<uint8_t>& f) { return CompareGlyph(f, before).same > 0.98; });
    match = CompareGlyph(after, before);
    EXPECT_GT(match.same, 0.98) << "the glyph is back at its unturned place";
    EXPECT_LT(match.mirrored, 0.9);
}

} // namespace
