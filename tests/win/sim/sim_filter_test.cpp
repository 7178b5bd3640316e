// The simulated camera and microphone as DirectShow filters: interfaces, reference counts, stream
// configuration, connection, states, samples through real graphs, orientation changed from another
// process, busy and unplugged devices.
#include "SimTestSupport.h"
#include "dshow/MediaType.h"
#include "sim/model/Hresults.h"
#include "sim/model/TestPicture.h"
#include "sim/shared/Registration.h"
#include "support/ComEnvironment.h"
#include "support/Poll.h"
#include "support/Simctl.h"
#include <gtest/gtest.h>

using namespace simtest;
using testsupport::SimctlOk;

namespace {

const auto* const g_com = ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment);

TEST(SimCameraFilter, InterfacesOfferedAndRefusedAndReferencesReturnToZero)
{
    UseDevices({sim::ProfileId::Veyra9665});
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(CoCreateInstance(sim::CLSID_SimCamera, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                               reinterpret_cast<void**>(&filter)),
              S_OK);
    for (REFIID iid : {IID_IUnknown, IID_IBaseFilter, IID_IMediaFilter, IID_IPersist, IID_IAMVideoProcAmp,
                       IID_IKsTopologyInfo, IID_IKsControl, IID_IKsPropertySet, IID_IPersistPropertyBag}) {
        IUnknown* unknown = nullptr;
        EXPECT_EQ(filter->QueryInterface(iid, reinterpret_cast<void**>(&unknown)), S_OK);
        if (unknown)
            unknown->Release();
    }
    for (REFIID iid : {IID_IPin, IID_IAMStreamConfig, IID_IVideoWindow, IID_IMemInputPin, IID_IVideoProcAmp}) {
        IUnknown* unknown = reinterpret_cast<IUnknown*>(1);
        EXPECT_EQ(filter->QueryInterface(iid, reinterpret_cast<void**>(&unknown)), E_NOINTERFACE);
        EXPECT_EQ(unknown, nullptr);
    }
    ComPtr<IPin> pin = FindPin(filter, PINDIR_OUTPUT);
    ASSERT_TRUE(pin);
    EXPECT_FALSE(FindPin(filter, PINDIR_INPUT));
    for (REFIID iid : {IID_IPin, IID_IAMStreamConfig, IID_IKsPropertySet}) {
        IUnknown* unknown = nullptr;
        EXPECT_EQ(pin->QueryInterface(iid, reinterpret_cast<void**>(&unknown)), S_OK);
        if (unknown)
            unknown->Release();
    }
    IUnknown* refused = nullptr;
    EXPECT_EQ(pin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&refused)), E_NOINTERFACE);
    // The pin reports the capture category, so capture graph builders find it.
    ComPtr<IKsPropertySet> pinProps;
    ASSERT_EQ(pin.As(pinProps), S_OK);
    GUID category = GUID_NULL;
    DWORD returned = 0;
    ASSERT_EQ(
        pinProps->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category, &returned),
        S_OK);
    EXPECT_EQ(category, PIN_CATEGORY_CAPTURE);
    pinProps.Reset();
    pin.Reset();
    EXPECT_EQ(filter->Release(), 0u);
}

TEST(SimCameraFilter, CaptureGraphBuilderFindsPinAndStreamConfig)
{
    UseDevices({sim::ProfileId::Sunplus});
    ComPtr<IBaseFilter> camera = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ASSERT_TRUE(camera);
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                               builder.PutVoid()),
              S_OK);
    ComPtr<IPin> pin;
    ASSERT_EQ(
        builder->FindPin(camera.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, TRUE, 0, pin.Put()),
        S_OK);
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, camera.Get(), IID_IAMStreamConfig,
                                     config.PutVoid()),
              S_OK);
    int count = 0, size = 0;
    ASSERT_EQ(config->GetNumberOfCapabilities(&count, &size), S_OK);
    EXPECT_EQ(count, 4) << "the Sunplus profile has no 1280x720";
    EXPECT_EQ(size, static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)));
    bool has800 = false;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps;
        ASSERT_EQ(config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&caps)), S_OK);
        const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*mt);
        ASSERT_NE(vih, nullptr);
        EXPECT_EQ(mt->subtype, MEDIASUBTYPE_YUY2);
        EXPECT_NE(vih->bmiHeader.biHeight, 720);
        has800 = has800 || (vih->bmiHeader.biWidth == 1280 && vih->bmiHeader.biHeight == 800);
        dshow::DeleteMediaType(mt);
    }
    EXPECT_TRUE(has800);
    AM_MEDIA_TYPE* mt = nullptr;
    VIDEO_STREAM_CONFIG_CAPS caps;
    EXPECT_EQ(config->GetStreamCaps(count, &mt, reinterpret_cast<BYTE*>(&caps)), S_FALSE);

    // The program's rule: frame rate 0 and an RGB-sized image; the camera takes the size.
    ASSERT_EQ(config->GetFormat(&mt), S_OK);
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
    vih->AvgTimePerFrame = 0;
    vih->bmiHeader.biWidth = 1280;
    vih->bmiHeader.biHeight = 800;
    vih->bmiHeader.biSizeImage = 1280 * 800 * 3;
    EXPECT_EQ(config->SetFormat(mt), S_OK);
    vih->bmiHeader.biHeight = 720;
    EXPECT_EQ(config->SetFormat(mt), VFW_E_INVALIDMEDIATYPE);
    mt->subtype = MEDIASUBTYPE_RGB24;
    vih->bmiHeader.biHeight = 800;
    EXPECT_EQ(config->SetFormat(mt), VFW_E_INVALIDMEDIATYPE);
    dshow::DeleteMediaType(mt);
    EXPECT_EQ(config->SetFormat(nullptr), E_POINTER);
    ASSERT_EQ(config->GetFormat(&mt), S_OK);
    vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
    EXPECT_EQ(vih->bmiHeader.biHeight, 800);
    EXPECT_EQ(vih->bmiHeader.biSizeImage, 1280u * 800u * 2u);
    EXPECT_GT(vih->AvgTimePerFrame, 0);
    dshow::DeleteMediaType(mt);
}

struct ConnectCase
{
    const char* what;
    GUID major, subtype;
    bool connects;
};

class SimCameraConnection : public ::testing::TestWithParam<ConnectCase>
{
};

TEST_P(SimCameraConnection, ConnectsWithMatchingTypesOnly)
{
    UseDevices({sim::ProfileId::Veyra9665});
    GrabGraph g;
    HRESULT hr = g.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), GetParam().major, GetParam().subtype);
    if (GetParam().connects) {
        ASSERT_EQ(hr, S_OK) << GetParam().what;
        AM_MEDIA_TYPE mt = {};
        ASSERT_EQ(g.grabber->GetConnectedMediaType(&mt), S_OK);
        EXPECT_EQ(mt.subtype, MEDIASUBTYPE_YUY2);
        dshow::FreeMediaType(mt);
    } else {
        EXPECT_TRUE(FAILED(hr)) << GetParam().what;
    }
}

INSTANTIATE_TEST_SUITE_P(All, SimCameraConnection,
                         ::testing::Values(ConnectCase{"exact YUY2", MEDIATYPE_Video, MEDIASUBTYPE_YUY2, true},
                                           ConnectCase{"any video", MEDIATYPE_Video, GUID_NULL, true},
                                           ConnectCase{"wildcard", GUID_NULL, GUID_NULL, true},
                                           ConnectCase{"RGB24 refused", MEDIATYPE_Video, MEDIASUBTYPE_RGB24, false},
                                           ConnectCase{"audio refused", MEDIATYPE_Audio, MEDIASUBTYPE_PCM, false}));

TEST(SimCameraFilter, DirectConnectionWithAnExactSizeAndRefusalOfOthers)
{
    UseDevices({sim::ProfileId::Veyra9665});
    ComPtr<IBaseFilter> camera = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IBaseFilter> grabberFilter = MakeGrabber(MEDIATYPE_Video, MEDIASUBTYPE_YUY2, grabber.Put());
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid()),
              S_OK);
    ASSERT_EQ(graph->AddFilter(camera.Get(), L"Cap"), S_OK);
    ASSERT_EQ(graph->AddFilter(grabberFilter.Get(), L"Grabber"), S_OK);
    ComPtr<IPin> out = FindPin(camera.Get(), PINDIR_OUTPUT), in = FindPin(grabberFilter.Get(), PINDIR_INPUT);
    dshow::MediaType wanted;
    ASSERT_EQ(dshow::BuildVideoType(wanted, dshow::PixelLayout::Yuy2, 1280, 600, 333333), S_OK);
    EXPECT_TRUE(FAILED(graph->ConnectDirect(out.Get(), in.Get(), &wanted.Get()))) << "a size the camera lacks";
    ASSERT_EQ(dshow::BuildVideoType(wanted, dshow::PixelLayout::Yuy2, 1280, 720, 333333), S_OK);
    ASSERT_EQ(graph->ConnectDirect(out.Get(), in.Get(), &wanted.Get()), S_OK);
    AM_MEDIA_TYPE mt = {};
    ASSERT_EQ(out->ConnectionMediaType(&mt), S_OK);
    EXPECT_EQ(dshow::VideoInfoOf(mt)->bmiHeader.biHeight, 720);
    dshow::FreeMediaType(mt);
}

TEST(SimCameraFilter, StatesStoppedPausedRunningStopped)
{
    UseDevices({sim::ProfileId::Veyra9665});
    GrabGraph g;
    ASSERT_EQ(g.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_YUY2), S_OK);
    FILTER_STATE state;
    ASSERT_EQ(g.camera->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    g.control->Pause();
    EXPECT_EQ(g.camera->GetState(1000, &state), VFW_S_CANT_CUE) << "a live source cannot cue while paused";
    EXPECT_EQ(state, State_Paused);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    ASSERT_EQ(g.camera->GetState(1000, &state), S_OK);
    EXPECT_EQ(state, State_Running);
    std::vector<uint8_t> frame;
    EXPECT_TRUE(g.Grab(frame));
    EXPECT_EQ(frame.size(), 640u * 480u * 2u);
    ASSERT_EQ(g.control->Stop(), S_OK);
    ASSERT_EQ(g.camera->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    ASSERT_TRUE(SUCCEEDED(g.control->Run())) << "runs again after a stop";
}

// Reads the glyph stem's brightness at its unturned place and at its mirrored place.
void StemBrightness(const std::vector<uint8_t>& frame, int width, int height, int* plain, int* mirrored)
{
    sim::TestPicture picture;
    ASSERT_TRUE(picture.Configure(width, height));
    const sim::PictureLayout& l = picture.Layout();
    const int x = l.glyphX + l.glyphStroke + l.glyphStroke / 2;
    const int y = l.glyphY + l.glyphSize * 3 / 4;
    *plain = frame[(static_cast<size_t>(y) * width + x) * 2];
    *mirrored = frame[(static_cast<size_t>(y) * width + (width - 1 - x)) * 2];
}

struct MirrorCase
{
    sim::ProfileId profile;
    const wchar_t* command; // simctl command that sets the mirror bit of the device's sensor model
};

class SimCameraMirror : public ::testing::TestWithParam<MirrorCase>
{
};

TEST_P(SimCameraMirror, MirrorBitSetFromAnotherProcessMirrorsTheNextFrames)
{
    UseDevices({GetParam().profile});
    GrabGraph g;
    ASSERT_EQ(g.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_YUY2), S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> frame;
    ASSERT_TRUE(g.Grab(frame));
    ASSERT_EQ(frame.size(), 640u * 480u * 2u);
    int plain = 0, mirrored = 0;
    StemBrightness(frame, 640, 480, &plain, &mirrored);
    EXPECT_GT(plain, 200);
    EXPECT_LT(mirrored, 200);

    ASSERT_TRUE(SimctlOk(GetParam().command));
    // Frames already on their way show the old orientation; the mirrored one follows within a few frames.
    frame = g.GrabUntil(640u * 480u * 2u, [&](const std::vector<uint8_t>& f) {
        StemBrightness(f, 640, 480, &plain, &mirrored);
        return plain < 200 && mirrored > 200;
    });
    ASSERT_EQ(frame.size(), 640u * 480u * 2u);
    StemBrightness(frame, 640, 480, &plain, &mirrored);
    EXPECT_LT(plain, 200);
    EXPECT_GT(mirrored, 200);
}

INSTANTIATE_TEST_SUITE_P(All, SimCameraMirror,
                         ::testing::Values(MirrorCase{sim::ProfileId::Veyra9665, L"set 0 asic 0x90cf 0x02"},
                                           MirrorCase{sim::ProfileId::Sonix, L"set 0 sensor 0x1e 0x20"},
                                           MirrorCase{sim::ProfileId::Sunplus, L"set 0 sensor 0x0262 1 0x7000"}));

TEST(SimCameraFilter, SamplesFlowThroughSmartTeeToAVideoRenderer)
{
    UseDevices({sim::ProfileId::Veyra9665});
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid()),
              S_OK);
    ComPtr<IBaseFilter> camera = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ComPtr<IBaseFilter> tee = MakeFilter(CLSID_SmartTee);
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IBaseFilter> grabberFilter = MakeGrabber(MEDIATYPE_Video, MEDIASUBTYPE_YUY2, grabber.Put());
    ComPtr<IBaseFilter> sink = MakeFilter(CLSID_NullRenderer);
    ASSERT_TRUE(camera && tee && grabberFilter && sink);
    ASSERT_EQ(graph->AddFilter(camera.Get(), L"Cap"), S_OK);
    ASSERT_EQ(graph->AddFilter(tee.Get(), L"SmartTee Filter"), S_OK);
    ASSERT_EQ(graph->AddFilter(grabberFilter.Get(), L"Grabber"), S_OK);
    ASSERT_EQ(graph->AddFilter(sink.Get(), L"Sink"), S_OK);
    ASSERT_EQ(graph->Connect(FindPin(camera.Get(), PINDIR_OUTPUT).Get(), FindPin(tee.Get(), PINDIR_INPUT).Get()), S_OK);
    // Smart Tee pins: 0 capture, 1 preview.
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(tee->EnumPins(pins.Put()), S_OK);
    std::vector<ComPtr<IPin>> outputs;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == PINDIR_OUTPUT)
            outputs.push_back(pin);
    }
    ASSERT_EQ(outputs.size(), 2u);
    ASSERT_EQ(graph->Connect(outputs[0].Get(), FindPin(grabberFilter.Get(), PINDIR_INPUT).Get()), S_OK);
    ASSERT_EQ(
        graph->Connect(FindPin(grabberFilter.Get(), PINDIR_OUTPUT).Get(), FindPin(sink.Get(), PINDIR_INPUT).Get()),
        S_OK);
    HRESULT rendered = graph->Render(outputs[1].Get());
    EXPECT_TRUE(SUCCEEDED(rendered)) << std::hex << rendered;
    ComPtr<IPin> renderer;
    EXPECT_EQ(outputs[1]->ConnectedTo(renderer.Put()), S_OK) << "the preview pin reaches a renderer";
    ComPtr<IMediaControl> control;
    ASSERT_EQ(graph.As(control), S_OK);
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    long size = 0;
    EXPECT_TRUE(
        testsupport::WaitFor([&] { return grabber->GetCurrentBuffer(&size, nullptr) == S_OK && size > 0; }, 5000, 50));
    EXPECT_EQ(size, 640 * 480 * 2);
    control->Stop();
}

TEST(SimMicrophoneFilter, DeliversAToneToANullRenderer)
{
    UseDevices({sim::ProfileId::Veyra9665});
    ComPtr<IBaseFilter> microphone = BindDevice(CLSID_AudioInputDeviceCategory, 0);
    ASSERT_TRUE(microphone);
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                               builder.PutVoid()),
              S_OK);
    ComPtr<IPin> pin;
    ASSERT_EQ(
        builder->FindPin(microphone.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, TRUE, 0, pin.Put()),
        S_OK);
    GrabGraph g;
    ASSERT_EQ(g.Build(microphone, MEDIATYPE_Audio, MEDIASUBTYPE_PCM), S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> buffer;
    ASSERT_TRUE(g.Grab(buffer));
    ASSERT_GE(buffer.size(), 96u);
    const int16_t* samples = reinterpret_cast<const int16_t*>(buffer.data());
    int peak = 0;
    for (size_t i = 0; i < 48; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    EXPECT_GT(peak, 4000) << "a steady tone, not silence";
    EXPECT_EQ(samples[0], samples[48]) << "one cycle every 48 samples";
}

TEST(SimCameraFilter, MjpgFramesWhenTheCameraOffersThem)
{
    UseDevices({sim::ProfileId::Alcor});
    GrabGraph plain;
    EXPECT_TRUE(FAILED(plain.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_MJPG)))
        << "no MJPG unless the camera has it";
    ASSERT_TRUE(SimctlOk(L"set 0 mjpg 1"));
    ComPtr<IBaseFilter> camera = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ASSERT_TRUE(camera);
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(FindPin(camera.Get(), PINDIR_OUTPUT)->QueryInterface(IID_IAMStreamConfig, config.PutVoid()), S_OK);
    int count = 0, size = 0;
    ASSERT_EQ(config->GetNumberOfCapabilities(&count, &size), S_OK);
    EXPECT_EQ(count, 10) << "five YUY2 and five MJPG sizes";
    AM_MEDIA_TYPE* mt = nullptr;
    VIDEO_STREAM_CONFIG_CAPS caps;
    ASSERT_EQ(config->GetStreamCaps(7, &mt, reinterpret_cast<BYTE*>(&caps)), S_OK);
    EXPECT_EQ(mt->subtype, MEDIASUBTYPE_MJPG);
    ASSERT_EQ(config->SetFormat(mt), S_OK);
    dshow::DeleteMediaType(mt);
    config.Reset();
    GrabGraph g;
    ASSERT_EQ(g.Build(camera, MEDIATYPE_Video, MEDIASUBTYPE_MJPG), S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> frame;
    ASSERT_TRUE(g.Grab(frame));
    ASSERT_GT(frame.size(), 4u);
    EXPECT_EQ(frame[0], 0xFF);
    EXPECT_EQ(frame[1], 0xD8);
    EXPECT_EQ(frame[frame.size() - 2], 0xFF);
    EXPECT_EQ(frame[frame.size() - 1], 0xD9);
}

TEST(SimCameraFilter, BusyDeviceRefusesToRun)
{
    UseDevices({sim::ProfileId::Veyra9665});
    GrabGraph g;
    ASSERT_EQ(g.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_YUY2), S_OK);
    ASSERT_TRUE(SimctlOk(L"busy 0 1"));
    EXPECT_EQ(g.camera->Pause(), sim::kBusy);
    HRESULT run = g.control->Run();
    if (run == S_FALSE) {
        // Wine's graph finishes the start asynchronously and reports the filter's failure through GetState.
        OAFilterState graphState = 0;
        EXPECT_TRUE(FAILED(g.control->GetState(2000, &graphState)));
    } else {
        EXPECT_EQ(run, sim::kBusy);
    }
    FILTER_STATE state;
    ASSERT_EQ(g.camera->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    g.control->Stop();
    ASSERT_TRUE(SimctlOk(L"busy 0 0"));
    EXPECT_TRUE(SUCCEEDED(g.control->Run()));
}

TEST(SimCameraFilter, UnplugWhileStreamingReportsDeviceLost)
{
    UseDevices({sim::ProfileId::Veyra9665});
    GrabGraph g;
    ASSERT_EQ(g.Build(BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_YUY2), S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> frame;
    ASSERT_TRUE(g.Grab(frame));
    ASSERT_TRUE(SimctlOk(L"unplug 0"));
    EXPECT_TRUE(WaitForEvent(g.graph.Get(), EC_DEVICE_LOST, 5000));
    EXPECT_TRUE(dshow::ListDevices(CLSID_VideoInputDeviceCategory).empty());
}

} // namespace
