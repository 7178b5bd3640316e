// The filter kit under Wine: interfaces, reference counts, connection rules, states, streaming through real
// graphs (Smart Tee, renderers, Null Renderer), graph helpers, registration and the HRESULT table.
#include <gtest/gtest.h>

#include "TestFilters.h"
#include "dshow/Devices.h"
#include "dshow/Graph.h"
#include "dshow/HrText.h"
#include "dshow/Module.h"
#include "dshow/vidcap_decl.h"

using dshow::ComPtr;
using dshow::PixelLayout;
using namespace testfilters;
using testsupport::HoldsFor;

namespace {

class KitTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }

    static ComPtr<IPin> PinOf(IBaseFilter* filter, PIN_DIRECTION dir, int index = 0)
    {
        ComPtr<IPin> pin;
        EXPECT_EQ(S_OK, dshow::GetPin(filter, dir, index, pin.Put()));
        return pin;
    }
    static ComPtr<IGraphBuilder> NewGraph()
    {
        ComPtr<IGraphBuilder> graph;
        EXPECT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         graph.PutVoid()));
        return graph;
    }
    static int FilterCount(IGraphBuilder* graph)
    {
        ComPtr<IEnumFilters> filters;
        if (FAILED(graph->EnumFilters(filters.Put())))
            return -1;
        int n = 0;
        ComPtr<IBaseFilter> f;
        while (filters->Next(1, f.Put(), nullptr) == S_OK)
            ++n;
        return n;
    }
    // Releases the last reference the test holds and returns what remains (0 when nothing leaked).
    template <typename T> static ULONG Drop(ComPtr<T>& p)
    {
        T* raw = p.Detach();
        return raw->Release();
    }
};

TEST_F(KitTest, FilterAndPinsOfferTheirInterfacesAndRefuseOthers)
{
    auto source = MakeVideoSource(PixelLayout::Rgb24, 64, 48);
    auto sink = MakeSink(MEDIATYPE_Video, GUID_NULL);
    ASSERT_TRUE(source && sink);

    const IID offered[] = {IID_IUnknown, IID_IPersist, IID_IMediaFilter, IID_IBaseFilter};
    for (const IID& iid : offered) {
        ComPtr<IUnknown> p;
        EXPECT_EQ(S_OK, source->QueryInterface(iid, p.PutVoid()));
        EXPECT_TRUE(p);
    }
    const IID refused[] = {IID_IPin, IID_IMemInputPin, IID_IVideoWindow, IID_IReferenceClock};
    for (const IID& iid : refused) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(E_NOINTERFACE, source->QueryInterface(iid, &p));
        EXPECT_EQ(nullptr, p);
    }

    ComPtr<IPin> out = PinOf(source.Get(), PINDIR_OUTPUT);
    ComPtr<IPin> in = PinOf(sink.Get(), PINDIR_INPUT);
    ComPtr<IMemInputPin> mem;
    EXPECT_EQ(E_NOINTERFACE, out->QueryInterface(IID_IMemInputPin, mem.PutVoid()));
    EXPECT_EQ(S_OK, in->QueryInterface(IID_IMemInputPin, mem.PutVoid()));
    ComPtr<IKsPropertySet> props;
    EXPECT_EQ(S_OK, out->QueryInterface(IID_IKsPropertySet, props.PutVoid()));
    EXPECT_TRUE(dshow::PinHasCategory(out.Get(), PIN_CATEGORY_CAPTURE));
    EXPECT_FALSE(dshow::PinHasCategory(in.Get(), PIN_CATEGORY_CAPTURE));
    EXPECT_EQ(E_POINTER, source->QueryInterface(IID_IBaseFilter, nullptr));
}

TEST_F(KitTest, ReferencesReturnToZeroAfterEnumerationConnectionAndRelease)
{
    auto source = MakeVideoSource(PixelLayout::Yuy2, 64, 48);
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_YUY2);
    ASSERT_EQ(1u, RefCount(source.Get()));
    {
        ComPtr<IEnumPins> pins;
        ASSERT_EQ(S_OK, source->EnumPins(pins.Put()));
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        ASSERT_EQ(S_OK, pins->Next(1, pin.Put(), &fetched));
        EXPECT_EQ(S_FALSE, pins->Next(1, pin.Put(), &fetched));
        EXPECT_EQ(0u, fetched);
        ComPtr<IEnumPins> clone;
        EXPECT_EQ(S_OK, pins->Clone(clone.Put()));
        ComPtr<IPin> out = PinOf(source.Get(), PINDIR_OUTPUT);
        ComPtr<IEnumMediaTypes> types;
        ASSERT_EQ(S_OK, out->EnumMediaTypes(types.Put()));
        AM_MEDIA_TYPE* mt = nullptr;
        ASSERT_EQ(S_OK, types->Next(1, &mt, &fetched));
        dshow::DeleteMediaType(mt);
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, out->QueryPinInfo(&info));
        EXPECT_EQ(static_cast<IBaseFilter*>(source.Get()), info.pFilter);
        info.pFilter->Release();
        EXPECT_EQ(S_OK, out->Connect(PinOf(sink.Get(), PINDIR_INPUT).Get(), nullptr));
        EXPECT_EQ(S_OK, out->Disconnect());
        EXPECT_EQ(S_OK, PinOf(sink.Get(), PINDIR_INPUT)->Disconnect());
    }
    EXPECT_EQ(1u, RefCount(source.Get()));
    EXPECT_EQ(0u, Drop(source));
    EXPECT_EQ(0u, Drop(sink));
}

struct ConnectCase
{
    const char* name;
    GUID sinkMajor;
    GUID sinkSubtype;
    bool passType; // hand the source's own complete type to Connect
    GUID askMajor; // partial type handed to Connect when !passType (GUID_NULL: none)
    HRESULT expected;
};

class ConnectTest : public KitTest, public ::testing::WithParamInterface<ConnectCase>
{
};

TEST_P(ConnectTest, ConnectsWithExactAndWildcardTypesAndRefusesWrongOnes)
{
    const ConnectCase& c = GetParam();
    auto source = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    auto sink = MakeSink(c.sinkMajor, c.sinkSubtype);
    ComPtr<IPin> out = PinOf(source.Get(), PINDIR_OUTPUT);
    ComPtr<IPin> in = PinOf(sink.Get(), PINDIR_INPUT);

    dshow::MediaType own;
    ASSERT_EQ(S_OK, source->OutPin().GetMediaType(0, own));
    AM_MEDIA_TYPE partial = {};
    partial.majortype = c.askMajor;
    const AM_MEDIA_TYPE* asked = c.passType ? &own.Get() : (IsEqualGUID(c.askMajor, GUID_NULL) ? nullptr : &partial);

    EXPECT_EQ(c.expected, out->Connect(in.Get(), asked)) << c.name;
    ComPtr<IPin> peer;
    if (SUCCEEDED(c.expected)) {
        EXPECT_EQ(S_OK, out->ConnectedTo(peer.Put()));
        EXPECT_EQ(in.Get(), peer.Get());
        AM_MEDIA_TYPE mt = {};
        ASSERT_EQ(S_OK, in->ConnectionMediaType(&mt));
        EXPECT_TRUE(dshow::MediaTypesEqual(mt, own.Get()));
        dshow::FreeMediaType(mt);
        EXPECT_EQ(VFW_E_ALREADY_CONNECTED, out->Connect(in.Get(), nullptr));
        EXPECT_EQ(S_OK, out->Disconnect());
        EXPECT_EQ(S_OK, in->Disconnect());
        EXPECT_EQ(S_FALSE, out->Disconnect());
    } else {
        EXPECT_EQ(VFW_E_NOT_CONNECTED, out->ConnectedTo(peer.Put()));
        EXPECT_FALSE(peer);
        EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(peer.Put()));
    }
    peer.Reset();
    out.Reset();
    in.Reset();
    EXPECT_EQ(0u, Drop(source));
    EXPECT_EQ(0u, Drop(sink));
}

INSTANTIATE_TEST_SUITE_P(
    Kit, ConnectTest,
    ::testing::Values(
        ConnectCase{"exact type", MEDIATYPE_Video, MEDIASUBTYPE_RGB24, true, GUID_NULL, S_OK},
        ConnectCase{"no type, sink wildcard subtype", MEDIATYPE_Video, GUID_NULL, false, GUID_NULL, S_OK},
        ConnectCase{"partial major type", MEDIATYPE_Video, MEDIASUBTYPE_RGB24, false, MEDIATYPE_Video, S_OK},
        ConnectCase{"sink wants audio", MEDIATYPE_Audio, GUID_NULL, false, GUID_NULL, VFW_E_NO_ACCEPTABLE_TYPES},
        ConnectCase{"sink wants YUY2", MEDIATYPE_Video, MEDIASUBTYPE_YUY2, false, GUID_NULL, VFW_E_NO_ACCEPTABLE_TYPES},
        ConnectCase{"partial type nobody offers", MEDIATYPE_Video, GUID_NULL, false, MEDIATYPE_Audio,
                    VFW_E_NO_ACCEPTABLE_TYPES},
        ConnectCase{"exact type the sink refuses", MEDIATYPE_Video, MEDIASUBTYPE_YUY2, true, GUID_NULL,
                    VFW_E_TYPE_NOT_ACCEPTED}),
    [](const ::testing::TestParamInfo<ConnectCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(KitTest, WrongDirectionsAndTypesAreRefusedByThePins)
{
    auto source = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    auto other = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
    ComPtr<IPin> out = PinOf(source.Get(), PINDIR_OUTPUT);
    ComPtr<IPin> in = PinOf(sink.Get(), PINDIR_INPUT);
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, out->Connect(PinOf(other.Get(), PINDIR_OUTPUT).Get(), nullptr));
    EXPECT_EQ(E_UNEXPECTED, in->Connect(out.Get(), nullptr));
    EXPECT_EQ(E_POINTER, out->Connect(nullptr, nullptr));

    dshow::MediaType audio;
    ASSERT_EQ(S_OK, dshow::BuildWaveType(audio, 8000, 1, 16));
    EXPECT_EQ(S_FALSE, in->QueryAccept(&audio.Get()));
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, in->ReceiveConnection(out.Get(), &audio.Get()));
    dshow::MediaType rgb;
    ASSERT_EQ(S_OK, dshow::BuildVideoType(rgb, PixelLayout::Rgb24, 32, 24, 0));
    EXPECT_EQ(S_OK, in->QueryAccept(&rgb.Get()));
}

// A sample from a standalone allocator, for calling Receive by hand.
static ComPtr<IMediaSample> LooseSample(ComPtr<IMemAllocator>& allocator)
{
    ComPtr<IMediaSample> sample;
    if (FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                allocator.PutVoid())))
        return sample;
    ALLOCATOR_PROPERTIES want = {1, 64, 1, 0}, got = {};
    if (FAILED(allocator->SetProperties(&want, &got)) || FAILED(allocator->Commit()))
        return sample;
    (void)allocator->GetBuffer(sample.Put(), nullptr, nullptr, 0);
    return sample;
}

TEST_F(KitTest, StatesGoStoppedPausedRunningStoppedAndReceiveFailsWhenStopped)
{
    auto sink = MakeSink(MEDIATYPE_Video, GUID_NULL);
    auto source = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    FILTER_STATE state;
    EXPECT_EQ(S_OK, sink->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);

    ComPtr<IMemAllocator> allocator;
    ComPtr<IMediaSample> sample = LooseSample(allocator);
    ASSERT_TRUE(sample);
    IMemInputPin* mem = &sink->InPin();
    EXPECT_EQ(VFW_E_WRONG_STATE, mem->Receive(sample.Get()));

    EXPECT_EQ(S_OK, sink->Pause());
    EXPECT_EQ(S_OK, sink->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    EXPECT_EQ(S_OK, mem->Receive(sample.Get()));
    EXPECT_EQ(S_OK, sink->Run(0));
    EXPECT_EQ(S_OK, sink->GetState(0, &state));
    EXPECT_EQ(State_Running, state);
    EXPECT_EQ(S_OK, mem->Receive(sample.Get()));
    EXPECT_EQ(S_OK, sink->Stop());
    EXPECT_EQ(S_OK, sink->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);
    EXPECT_EQ(VFW_E_WRONG_STATE, mem->Receive(sample.Get()));
    EXPECT_EQ(2, sink->Received());

    // A live source cannot cue while paused.
    EXPECT_EQ(S_OK, source->Pause());
    EXPECT_EQ(VFW_S_CANT_CUE, source->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    EXPECT_EQ(S_OK, source->Stop());
    sample.Reset();
    (void)allocator->Decommit();
}

TEST_F(KitTest, SamplesFlowFromSourceToSinkInAGraphWithRisingTimes)
{
    auto graph = NewGraph();
    auto source = MakeVideoSource(PixelLayout::Rgb24, 64, 48, 50);
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
    ASSERT_EQ(S_OK, graph->AddFilter(source.Get(), L"Source"));
    ASSERT_EQ(S_OK, graph->AddFilter(sink.Get(), L"Sink"));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), source.Get(), 0, sink.Get(), 0, nullptr, false));
    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(WaitFor([&] { return sink->Received() >= 10; }, 5000)) << sink->Received();
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_TRUE(sink->TimesIncreased());
    EXPECT_EQ(64 * 48 * 3, sink->LastLength());

    const LONG afterStop = sink->Received();
    const LONG deliveredAtStop = source->Delivered();
    EXPECT_TRUE(HoldsFor([&] { return sink->Received() == afterStop && source->Delivered() == deliveredAtStop; }, 200))
        << "no sample after Stop";
    // The graph can run again after a stop.
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(WaitFor([&] { return sink->Received() >= afterStop + 3; }, 5000));
    EXPECT_EQ(S_OK, control->Stop());
    control.Reset();
    EXPECT_EQ(0u, Drop(graph));
    EXPECT_EQ(0u, Drop(source));
    EXPECT_EQ(0u, Drop(sink));
}

TEST_F(KitTest, SamplesFlowToTheNullRenderer)
{
    auto graph = NewGraph();
    auto source = MakeVideoSource(PixelLayout::Rgb24, 64, 48, 50);
    ASSERT_EQ(S_OK, graph->AddFilter(source.Get(), L"Source"));
    ComPtr<IBaseFilter> null;
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(graph.Get(), CLSID_NullRenderer, L"Null", null.Put()));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), source.Get(), 0, null.Get(), 0, nullptr, false));
    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(WaitFor([&] { return source->Delivered() >= 10; }, 5000)) << source->Delivered();
    EXPECT_EQ(S_OK, control->Stop());
    control.Reset();
    null.Reset();
    EXPECT_EQ(0u, Drop(graph));
    EXPECT_EQ(0u, Drop(source));
}

class RendererTest : public KitTest, public ::testing::WithParamInterface<const CLSID*>
{
};

TEST_P(RendererTest, SamplesFlowThroughSmartTeePreviewIntoARenderer)
{
    auto graph = NewGraph();
    auto source = MakeVideoSource(PixelLayout::Rgb24, 160, 120, 30);
    auto capture = MakeSink(MEDIATYPE_Video, GUID_NULL);
    ASSERT_EQ(S_OK, graph->AddFilter(source.Get(), L"Cap"));
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"Capture sink"));
    ComPtr<IBaseFilter> tee, renderer;
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(graph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put()));
    if (GetParam() == &CLSID_VideoMixingRenderer9) {
        ASSERT_EQ(S_OK, testfilters::CreateRealVmr9(renderer.Put()));
        ASSERT_EQ(S_OK, graph->AddFilter(renderer.Get(), L"VMR"));
    } else {
        ASSERT_EQ(S_OK, dshow::AddFilterByClsid(graph.Get(), *GetParam(), L"VMR", renderer.Put()));
    }
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), source.Get(), 0, tee.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), tee.Get(), 0, capture.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), tee.Get(), 1, renderer.Get(), 0, nullptr, true));
    ComPtr<IMediaControl> control;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(WaitFor([&] { return capture->Received() >= 10; }, 8000)) << capture->Received();
    EXPECT_TRUE(WaitFor([&] { return source->Delivered() >= 10; }, 2000));
    EXPECT_EQ(S_OK, control->Stop());
    control.Reset();
    dshow::RemoveDownstream(graph.Get(), source.Get());
    EXPECT_EQ(1, FilterCount(graph.Get()));
    tee.Reset();
    renderer.Reset();
    EXPECT_EQ(0u, Drop(graph));
    EXPECT_EQ(0u, Drop(source));
    EXPECT_EQ(0u, Drop(capture));
}

INSTANTIATE_TEST_SUITE_P(Kit, RendererTest, ::testing::Values(&CLSID_VideoMixingRenderer9, &CLSID_VideoRenderer),
                         [](const ::testing::TestParamInfo<const CLSID*>& info) {
                             return std::string(info.param == &CLSID_VideoRenderer ? "OldRenderer" : "Vmr9");
                         });

TEST_F(KitTest, GetPinCountsPinsOfOneDirection)
{
    auto graph = NewGraph();
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(graph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put()));
    ComPtr<IPin> pin;
    EXPECT_EQ(S_OK, dshow::GetPin(tee.Get(), PINDIR_OUTPUT, 1, pin.Put()));
    PIN_DIRECTION dir;
    ASSERT_TRUE(pin);
    EXPECT_EQ(S_OK, pin->QueryDirection(&dir));
    EXPECT_EQ(PINDIR_OUTPUT, dir);
    EXPECT_EQ(S_OK, dshow::GetPin(tee.Get(), PINDIR_INPUT, 0, pin.Put()));
    EXPECT_EQ(E_FAIL, dshow::GetPin(tee.Get(), PINDIR_INPUT, 1, pin.Put()));
    EXPECT_FALSE(pin);
    EXPECT_EQ(E_FAIL, dshow::GetPin(tee.Get(), PINDIR_OUTPUT, 2, pin.Put()));
    EXPECT_EQ(E_POINTER, dshow::GetPin(nullptr, PINDIR_OUTPUT, 0, pin.Put()));

    auto source = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    EXPECT_EQ(S_OK, dshow::FindPinByCategory(source.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, true,
                                             0, pin.Put()));
    EXPECT_EQ(E_FAIL, dshow::FindPinByCategory(source.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_PREVIEW, nullptr, true, 0,
                                               pin.Put()));
    EXPECT_EQ(E_FAIL, dshow::FindPinByCategory(source.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio,
                                               true, 0, pin.Put()));
}

TEST_F(KitTest, RemoveDownstreamTearsDownEverythingBelowAFilterButKeepsIt)
{
    auto graph = NewGraph();
    auto source = MakeVideoSource(PixelLayout::Rgb24, 32, 24);
    auto first = MakeSink(MEDIATYPE_Video, GUID_NULL);
    auto second = MakeSink(MEDIATYPE_Video, GUID_NULL);
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, graph->AddFilter(source.Get(), L"Cap"));
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(graph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put()));
    ASSERT_EQ(S_OK, graph->AddFilter(first.Get(), L"First"));
    ASSERT_EQ(S_OK, graph->AddFilter(second.Get(), L"Second"));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), source.Get(), 0, tee.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), tee.Get(), 0, first.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(graph.Get(), tee.Get(), 1, second.Get(), 0, nullptr, false));
    ASSERT_EQ(4, FilterCount(graph.Get()));

    dshow::RemoveDownstream(graph.Get(), nullptr);
    dshow::RemoveDownstream(nullptr, source.Get());
    EXPECT_EQ(4, FilterCount(graph.Get()));

    dshow::RemoveDownstream(graph.Get(), tee.Get());
    EXPECT_EQ(2, FilterCount(graph.Get())) << "both sinks removed, tee kept";
    EXPECT_FALSE(first->InPin().IsConnected());
    EXPECT_TRUE(source->OutPin().IsConnected());

    dshow::RemoveDownstream(graph.Get(), source.Get());
    EXPECT_EQ(1, FilterCount(graph.Get()));
    EXPECT_FALSE(source->OutPin().IsConnected());
    ComPtr<IBaseFilter> found;
    EXPECT_EQ(S_OK, graph->FindFilterByName(L"Cap", found.Put()));
    found.Reset();
    tee.Reset();
    EXPECT_EQ(0u, Drop(graph));
    EXPECT_EQ(0u, Drop(source));
    EXPECT_EQ(0u, Drop(first));
    EXPECT_EQ(0u, Drop(second));
}

HRESULT CreateTestSink(REFIID riid, void** ppv)
{
    auto sink = MakeSink(MEDIATYPE_Video, GUID_NULL);
    if (!sink)
        return E_OUTOFMEMORY;
    return sink->QueryInterface(riid, ppv);
}

const dshow::FilterTemplate kTemplates[] = {
    {L"Quillo Test Sink", &CLSID_TestSink, &CreateTestSink, MERIT_DO_NOT_USE, nullptr, 0},
};

TEST_F(KitTest, ClassFactoryCreatesRefusesAggregationAndTracksUnload)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, dshow::ModuleGetClassObject(kTemplates, 1, CLSID_TestSink, IID_IClassFactory, factory.PutVoid()));
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              dshow::ModuleGetClassObject(kTemplates, 1, CLSID_TestSource, IID_IClassFactory, factory.PutVoid()));
    ASSERT_EQ(S_OK, dshow::ModuleGetClassObject(kTemplates, 1, CLSID_TestSink, IID_IClassFactory, factory.PutVoid()));
    EXPECT_EQ(S_FALSE, dshow::ModuleCanUnloadNow());
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(factory.Get(), IID_IBaseFilter, filter.PutVoid()));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter, filter.PutVoid()));
    CLSID clsid;
    EXPECT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_TestSink));
    EXPECT_EQ(0u, Drop(filter));
    EXPECT_EQ(0u, Drop(factory));
    EXPECT_EQ(S_OK, dshow::ModuleCanUnloadNow());
}

// A category of its own, so that tests of the simulated cameras running beside this one never see the entry.
// {6C1E0F3A-8D52-4E61-9C0B-2B7D5A1E9F10}
const GUID kTestCategory = {0x6c1e0f3a, 0x8d52, 0x4e61, {0x9c, 0x0b, 0x2b, 0x7d, 0x5a, 0x1e, 0x9f, 0x10}};

TEST_F(KitTest, CategoryInstanceIsListedWithFriendlyNameAndDevicePath)
{
    dshow::CategoryEntry entry;
    entry.category = kTestCategory;
    entry.instance = L"QuilloKitTestCamera";
    entry.friendlyName = L"Quillo Kit Test Camera";
    entry.clsid = CLSID_TestSource;
    entry.extraValues = {{L"DevicePath", L"\\\\?\\usb#vid_0c45&pid_6340#kit#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"}};
    ASSERT_EQ(S_OK, dshow::RegisterInCategory(entry));

    // The device walk lists the entry with its texts, and a walk told to stop visits no further device.
    const std::vector<dshow::DeviceMoniker> devices = dshow::ListDevices(kTestCategory);
    ASSERT_EQ(1u, devices.size());
    EXPECT_TRUE(devices[0].HasBag());
    EXPECT_EQ(entry.friendlyName, devices[0].Text(L"FriendlyName"));
    EXPECT_EQ(entry.extraValues[0].second, devices[0].Text(L"DevicePath"));
    std::wstring text = L"left over";
    EXPECT_FALSE(devices[0].Text(L"NoSuchValue", text));
    EXPECT_TRUE(text.empty());
    int visited = 0;
    EXPECT_EQ(S_OK, dshow::WalkDevices(kTestCategory, [&](const dshow::DeviceMoniker&) {
                  ++visited;
                  return dshow::WalkStep::Stop;
              }));
    EXPECT_EQ(1, visited);
    EXPECT_TRUE(SUCCEEDED(dshow::UnregisterFromCategory(kTestCategory, entry.instance.c_str(), CLSID_TestSource)));
    // Without its entry the category is empty: the walk says so and visits nothing.
    visited = 0;
    EXPECT_EQ(S_FALSE, dshow::WalkDevices(kTestCategory, [&](const dshow::DeviceMoniker&) {
                  ++visited;
                  return dshow::WalkStep::Next;
              }));
    EXPECT_EQ(0, visited);
}

TEST(HrText, TableMatchesThePlatformValues)
{
    const struct
    {
        HRESULT hr;
        const char* name;
    } cases[] = {{S_OK, "S_OK"},
                 {E_POINTER, "E_POINTER"},
                 {E_FAIL, "E_FAIL"},
                 {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
                 {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION"},
                 {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
                 {VFW_S_NO_MORE_ITEMS, "VFW_S_NO_MORE_ITEMS"},
                 {VFW_S_CANT_CUE, "VFW_S_CANT_CUE"},
                 {VFW_E_NOT_CONNECTED, "VFW_E_NOT_CONNECTED"},
                 {VFW_E_NOT_STOPPED, "VFW_E_NOT_STOPPED"},
                 {VFW_E_WRONG_STATE, "VFW_E_WRONG_STATE"},
                 {VFW_E_TYPE_NOT_ACCEPTED, "VFW_E_TYPE_NOT_ACCEPTED"},
                 {VFW_E_NO_ACCEPTABLE_TYPES, "VFW_E_NO_ACCEPTABLE_TYPES"},
                 {VFW_E_CANNOT_CONNECT, "VFW_E_CANNOT_CONNECT"},
                 {VFW_E_NOT_IN_GRAPH, "VFW_E_NOT_IN_GRAPH"},
                 {VFW_E_TIMEOUT, "VFW_E_TIMEOUT"},
                 {HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), "ERROR_PATH_NOT_FOUND"},
                 {HRESULT_FROM_WIN32(ERROR_DISK_FULL), "ERROR_DISK_FULL"}};
    for (const auto& c : cases) {
        const char* name = dshow::HrName(static_cast<uint32_t>(c.hr));
        ASSERT_NE(nullptr, name) << c.name;
        EXPECT_STREQ(c.name, name);
    }
    EXPECT_EQ(L"VFW_E_NOT_CONNECTED (0x80040209)", dshow::HrToTextW(VFW_E_NOT_CONNECTED));
}

} // namespace
