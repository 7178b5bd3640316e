// The scaler behind the simulated camera: the camera's 1280x800 YUY2 capture pin connects straight to the
// scaler, which delivers 1280x720 RGB24 pictures in scale mode; and GrabFrame while streaming gives the
// newest frame, told by the frame counter the camera draws into every picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "SimTestSupport.h"
#include "TestFilters.h"
#include "common/ModulePath.h"
#include "dshow/Graph.h"
#include "filters/scaler/DownScalerApi.h"
#include "sim/model/TestPicture.h"
#include "support/Library.h"

using dshow::ComPtr;

namespace {

// Sets the capture pin to YUY2 of this size when the device offers it.
bool UseYuy2(IPin* capture, int width, int height)
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

// Registers nvds.ax from the test's folder, as its installer would.
HRESULT RegisterScaler()
{
    return testsupport::RegisterModule(PathBesideProgram(L"nvds.ax"), true);
}

TEST(ScalerWithSimulatedCamera, CameraFramesOf1280x800BecomePicturesOf1280x720)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        ASSERT_EQ(S_OK, simtest::EnsureRegistered());
        ASSERT_EQ(S_OK, RegisterScaler());
        ComPtr<IBaseFilter> camera;
        ComPtr<IPin> capture;
        for (sim::ProfileId profile : {sim::ProfileId::Veyra9665, sim::ProfileId::Sonix, sim::ProfileId::Sunplus}) {
            simtest::UseDevices({profile});
            camera = simtest::BindDevice(CLSID_VideoInputDeviceCategory, 0);
            if (camera &&
                SUCCEEDED(dshow::FindPinByCategory(camera.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                   true, 0, capture.Put())) &&
                UseYuy2(capture.Get(), 1280, 800))
                break;
            capture.Reset();
        }
        ASSERT_TRUE(capture) << "no simulated camera offers YUY2 1280x800";

        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         graph.PutVoid()));
        ComPtr<IBaseFilter> scaler;
        ASSERT_EQ(S_OK,
                  CoCreateInstance(CLSID_NorvaneDownScaler, nullptr, CLSCTX_ALL, IID_IBaseFilter, scaler.PutVoid()));
        ComPtr<IDownScaler> down;
        ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
        ASSERT_EQ(S_OK, down->SetScaleMode(TRUE));
        auto sink = testfilters::MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
        ASSERT_EQ(S_OK, graph->AddFilter(camera.Get(), L"Cap"));
        ASSERT_EQ(S_OK, graph->AddFilter(scaler.Get(), L"Norvane Down Scaler"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink.Get(), L"Sink"));
        ComPtr<IPin> scalerIn;
        ASSERT_EQ(S_OK, dshow::GetPin(scaler.Get(), PINDIR_INPUT, 0, scalerIn.Put()));
        ASSERT_EQ(S_OK, graph->ConnectDirect(capture.Get(), scalerIn.Get(), nullptr));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), scaler.Get(), 0, sink.Get(), 0, nullptr, false));

        ComPtr<IMediaControl> control;
        ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
        ASSERT_TRUE(SUCCEEDED(control->Run()));
        EXPECT_TRUE(testfilters::WaitFor([&] { return sink->Received() >= 3; }, 10000)) << sink->Received();
        EXPECT_EQ(S_OK, control->Stop());
        EXPECT_EQ(1280 * 720 * 3, sink->LastLength());
        // The camera's test picture is not blank.
        const std::vector<BYTE> data = sink->LastData();
        bool varied = false;
        for (size_t i = 3; i < data.size() && !varied; i += 997)
            varied = data[i] != data[0];
        EXPECT_TRUE(varied);
        control.Reset();
        dshow::RemoveDownstream(graph.Get(), camera.Get());
    }
    CoUninitialize();
}

// The camera's frame counter (16 cells, most significant first) in a bottom-up RGB picture of the unturned
// test picture: rows of `stride` bytes, pixels of 3 or 4 bytes.
long CounterIn(const BYTE* pixels, size_t stride, size_t pixelBytes, const sim::TestPicture& picture)
{
    const sim::PictureLayout& l = picture.Layout();
    const int y = picture.Height() - 1 - (l.counterY + l.counterHeight / 2);
    long value = 0;
    for (int bit = 0; bit < sim::TestPicture::kCounterBits; ++bit) {
        const int x = l.counterX + bit * l.counterCell + l.counterCell / 2;
        const BYTE* p = pixels + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * pixelBytes;
        value = (value << 1) | ((p[0] + p[1] + p[2]) / 3 > 128 ? 1 : 0);
    }
    return value;
}

// The counter in a grabbed file; -1 when it is not a 24-bit BMP of the picture's size.
long CounterInBmp(const std::wstring& path, const sim::TestPicture& picture)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    const int w = picture.Width(), h = picture.Height();
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<BYTE> bytes(54 + stride * h + 1);
    DWORD read = 0;
    const BOOL ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    LONG width = 0, height = 0;
    std::memcpy(&width, &bytes[18], sizeof width);
    std::memcpy(&height, &bytes[22], sizeof height);
    if (!ok || read != 54 + stride * h || bytes[0] != 'B' || bytes[1] != 'M' || width != w || height != h ||
        bytes[28] != 24)
        return -1;
    return CounterIn(&bytes[54], stride, 3, picture);
}

uint32_t CameraFramesDrawn()
{
    sim::StateLock lock;
    return lock.State() ? lock.State()->devices[0].frameCounter : 0;
}

// Frames between a grab's call and its answer, in the camera's counter (16 bits, wrapping).
int CounterDistance(uint32_t later, long earlier)
{
    return static_cast<int16_t>(static_cast<uint16_t>(later - static_cast<uint32_t>(earlier)));
}

class GrabWhileStreaming : public ::testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(GrabWhileStreaming, WritesTheNewestFrame)
{
    const int w = GetParam().first, h = GetParam().second;
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        ASSERT_EQ(S_OK, simtest::EnsureRegistered());
        simtest::UseDevices({sim::ProfileId::Veyra9665});
        ComPtr<IBaseFilter> camera = simtest::BindDevice(CLSID_VideoInputDeviceCategory, 0);
        ASSERT_TRUE(camera);
        ComPtr<IPin> capture;
        ASSERT_EQ(S_OK, dshow::FindPinByCategory(camera.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                 true, 0, capture.Put()));
        ASSERT_TRUE(UseYuy2(capture.Get(), w, h));
        sim::TestPicture picture;
        ASSERT_TRUE(picture.Configure(w, h));

        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         graph.PutVoid()));
        ComPtr<IBaseFilter> scaler;
        ASSERT_EQ(S_OK, RegisterScaler());
        ASSERT_EQ(S_OK,
                  CoCreateInstance(CLSID_NorvaneDownScaler, nullptr, CLSCTX_ALL, IID_IBaseFilter, scaler.PutVoid()));
        ComPtr<IDownScaler> down;
        ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
        // 32-bit RGB downstream, as a renderer takes it; the grab still writes a 24-bit BMP.
        auto sink = testfilters::MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB32);
        ASSERT_EQ(S_OK, graph->AddFilter(camera.Get(), L"Cap"));
        ASSERT_EQ(S_OK, graph->AddFilter(scaler.Get(), L"Norvane Down Scaler"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink.Get(), L"Sink"));
        ComPtr<IPin> scalerIn;
        ASSERT_EQ(S_OK, dshow::GetPin(scaler.Get(), PINDIR_INPUT, 0, scalerIn.Put()));
        ASSERT_EQ(S_OK, graph->ConnectDirect(capture.Get(), scalerIn.Get(), nullptr));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), scaler.Get(), 0, sink.Get(), 0, nullptr, false));

        const std::wstring path = PathBesideProgram(L"filters_simcam_grab.bmp");
        DeleteFileW(path.c_str());
        EXPECT_EQ(VFW_E_WRONG_STATE, down->GrabFrame(nullptr, 0, path.c_str())) << "before the first frame";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));

        ComPtr<IMediaControl> control;
        ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
        ASSERT_TRUE(SUCCEEDED(control->Run()));
        ASSERT_TRUE(testfilters::WaitFor([&] { return sink->Received() >= 3; }, 10000)) << sink->Received();

        // Each grab gives a frame the camera drew after the call began (the one in flight at most one
        // earlier) and before the answer; the same frame, or a later one, reaches the sink.
        std::vector<double> grabMs;
        std::vector<BYTE> scratch(3932160);
        LARGE_INTEGER frequency, t0, t1;
        QueryPerformanceFrequency(&frequency);
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(i);
            const uint32_t before = CameraFramesDrawn();
            QueryPerformanceCounter(&t0);
            // Every other grab without the caller's buffer: the filter's own picture is the target then.
            const HRESULT hr = (i % 2)
                                   ? down->GrabFrame(scratch.data(), static_cast<LONG>(scratch.size()), path.c_str())
                                   : down->GrabFrame(nullptr, 0, path.c_str());
            QueryPerformanceCounter(&t1);
            const uint32_t after = CameraFramesDrawn();
            ASSERT_EQ(S_OK, hr);
            grabMs.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * 1000.0 / frequency.QuadPart);
            const long grabbed = CounterInBmp(path, picture);
            ASSERT_GE(grabbed, 0) << "not a BMP of the camera's size";
            EXPECT_GE(CounterDistance(before, grabbed), -1000) << "garbled counter";
            EXPECT_LE(CounterDistance(before, grabbed), 1)
                << "an older frame than the newest: " << grabbed << ", camera at " << before;
            EXPECT_GE(CounterDistance(after, grabbed), 1) << "a frame the camera had not drawn when the grab answered";
            EXPECT_TRUE(testfilters::WaitFor(
                [&] {
                    const std::vector<BYTE> shown = sink->LastData();
                    return shown.size() >= static_cast<size_t>(w) * h * 4 &&
                           CounterDistance(static_cast<uint32_t>(CounterIn(shown.data(), w * 4, 4, picture)),
                                           grabbed) >= 0;
                },
                5000))
                << "the grabbed frame never went downstream";
        }
        std::sort(grabMs.begin(), grabMs.end());
        std::printf("grab while streaming %dx%d at 30 frames/s: median %.1f ms, slowest %.1f ms over %zu grabs\n", w, h,
                    grabMs[grabMs.size() / 2], grabMs.back(), grabMs.size());

        EXPECT_EQ(S_OK, control->Stop());
        EXPECT_EQ(VFW_E_WRONG_STATE, down->GrabFrame(nullptr, 0, path.c_str())) << "stopped: no frame comes";
        DeleteFileW(path.c_str());
        control.Reset();
        down.Reset();
        dshow::RemoveDownstream(graph.Get(), camera.Get());
    }
    CoUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Sizes, GrabWhileStreaming,
                         ::testing::Values(std::make_pair(640, 480), std::make_pair(1280, 1024)),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
                             return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });

} // namespace
