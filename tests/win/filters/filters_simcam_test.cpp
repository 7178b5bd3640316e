// The scaler behind the simulated camera: the camera's 1280x800 YUY2 capture pin connects straight to the
// scaler, which delivers 1280x720 RGB24 pictures in scale mode.
#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "TestFilters.h"
#include "common/ModulePath.h"
#include "dshow/Graph.h"
#include "filters/scaler/DownScalerApi.h"
#include "support/ComEnvironment.h"
#include "support/Library.h"

using dshow::ComPtr;

namespace {

// Sets the capture pin to YUY2 1280x800 when the device offers it.
bool Use1280x800(IPin* capture)
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
        const bool wanted = vih && IsEqualGUID(mt->subtype, MEDIASUBTYPE_YUY2) && vih->bmiHeader.biWidth == 1280 &&
                            vih->bmiHeader.biHeight == 800;
        const bool set = wanted && SUCCEEDED(config->SetFormat(mt));
        dshow::DeleteMediaType(mt);
        if (set)
            return true;
    }
    return false;
}

const auto* const g_com =
    ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment(COINIT_APARTMENTTHREADED));

TEST(ScalerWithSimulatedCamera, CameraFramesOf1280x800BecomePicturesOf1280x720)
{
    ASSERT_EQ(S_OK, simtest::EnsureRegistered());
    // Registered from the test's folder, as its installer would.
    ASSERT_EQ(S_OK, testsupport::RegisterModule(PathBesideProgram(L"nvds.ax"), true));
    ComPtr<IBaseFilter> camera;
    ComPtr<IPin> capture;
    for (sim::ProfileId profile : {sim::ProfileId::Veyra9665, sim::ProfileId::Sonix, sim::ProfileId::Sunplus}) {
        simtest::UseDevices({profile});
        camera = simtest::BindDevice(CLSID_VideoInputDeviceCategory, 0);
        if (camera &&
            SUCCEEDED(dshow::FindPinByCategory(camera.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                               true, 0, capture.Put())) &&
            Use1280x800(capture.Get()))
            break;
        capture.Reset();
    }
    ASSERT_TRUE(capture) << "no simulated camera offers YUY2 1280x800";

    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK,
              CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid()));
    ComPtr<IBaseFilter> scaler;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NorvaneDownScaler, nullptr, CLSCTX_ALL, IID_IBaseFilter, scaler.PutVoid()));
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

} // namespace
