// The preview graph on the simulated camera without any window: a null renderer takes the picture, the
// scaler's frame grab shows what arrives, and every filter the graph made is released when it is torn down.
#include <gtest/gtest.h>

#include "camera/KnownCamera.h"
#include "capture/FilterModule.h"
#include "capture/GraphLock.h"
#include "capture/PreviewGraph.h"
#include "common/ModulePath.h"
#include "dshow/vidcap_decl.h"
#include "sim/model/Profiles.h"
#include "sim/shared/Registration.h"
#include "sim/shared/SharedState.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

using dshow::ComPtr;

HRESULT MakeScaler(IBaseFilter** filter)
{
    return CreateOwnFilter(L"nvds.ax", CLSID_NorvaneDownScaler, filter);
}

HRESULT MakeNothing(IBaseFilter** filter)
{
    *filter = nullptr;
    return REGDB_E_CLASSNOTREG;
}

ULONG RefCount(IUnknown* unknown)
{
    unknown->AddRef();
    return unknown->Release();
}

// Width and height of a grabbed BMP file, read from its info header.
bool BmpSize(const std::wstring& path, int32_t& width, int32_t& height)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    uint8_t header[26] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'B' || header[1] != 'M')
        return false;
    auto le32 = [&](int at) {
        return static_cast<int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24);
    };
    width = le32(18);
    height = le32(22);
    return true;
}

class PreviewGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(sim::RegisterDevices((ProgramFolder() + L"simcam.ax").c_str()), S_OK);
        {
            sim::StateLock lock;
            ASSERT_NE(lock.State(), nullptr);
            const sim::ProfileId camera = sim::ProfileId::Veyra9665;
            sim::StateReset(*lock.State(), &camera, 1);
        }
        ASSERT_EQ(sim::RefreshDeviceList(), S_OK);
        KnownCameraSearch search;
        search.logDevicePath = false;
        ASSERT_TRUE(BindFirstKnownCamera(search, m_camera));
        ASSERT_EQ(
            CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, m_renderer.PutVoid()),
            S_OK);
        m_grabPath = ProgramFolder() + L"capture_graph_test_grab.bmp";
    }

    void TearDown() override
    {
        DeleteFileW(m_grabPath.c_str());
        m_camera.Reset();
        m_renderer.Reset();
        CoUninitialize();
    }

    PreviewGraphInput Input(int width, int height)
    {
        PreviewGraphInput input;
        input.camera = m_camera.Get();
        input.width = width;
        input.height = height;
        input.makeScaler = &MakeScaler;
        input.renderer = m_renderer.Get();
        return input;
    }

    // Polls the scaler's frame grab until a frame has arrived; the grabbed picture's size, or 0 x 0.
    SIZE GrabbedFrameSize(PreviewGraph& graph)
    {
        SIZE size = {0, 0};
        if (!graph.DownScaler())
            return size;
        const DWORD deadline = GetTickCount() + 10000;
        while (FAILED(graph.DownScaler()->GrabFrame(nullptr, 0, m_grabPath.c_str()))) {
            if (static_cast<LONG>(GetTickCount() - deadline) > 0)
                return size;
            Sleep(20);
        }
        int32_t width = 0, height = 0;
        if (BmpSize(m_grabPath, width, height))
            size = {width, height};
        return size;
    }

    // Takes a reference to every filter of the graph that is not held yet.
    void Hold(IGraphBuilder* graph)
    {
        ComPtr<IEnumFilters> filters;
        ASSERT_EQ(graph->EnumFilters(filters.Put()), S_OK);
        ComPtr<IBaseFilter> filter;
        while (filters->Next(1, filter.Put(), nullptr) == S_OK) {
            bool known = false;
            for (const auto& held : m_held)
                known = known || held.Get() == filter.Get();
            if (!known)
                m_held.push_back(filter);
        }
    }

    ComPtr<IBaseFilter> m_camera;
    ComPtr<IBaseFilter> m_renderer;
    std::wstring m_grabPath;
    std::vector<ComPtr<IBaseFilter>> m_held;
};

TEST_F(PreviewGraphTest, RunsRebuildsAtAnotherSizeAndReleasesEveryFilter)
{
    std::vector<ComPtr<IGraphBuilder>> graphs;
    {
        PreviewGraph graph;
        ASSERT_EQ(graph.InitStillGraph(Input(640, 480)), S_OK);
        EXPECT_EQ(graph.LastFailure(), GraphFailure::None);
        EXPECT_EQ(graph.CaptureFilter(), m_camera.Get());
        ASSERT_NE(graph.MirrorFlip(), nullptr);
        ComPtr<IMediaEventEx> events;
        EXPECT_EQ(graph.GetEvents(events.Put()), S_OK);
        EXPECT_TRUE(events);
        events.Reset();
        const SIZE first = GrabbedFrameSize(graph);
        EXPECT_EQ(first.cx, 640);
        EXPECT_EQ(first.cy, 480);
        EXPECT_EQ(g_SnapshotState.frameWidth, 640);
        graphs.emplace_back(graph.Graph());
        Hold(graph.Graph());

        ASSERT_EQ(graph.Rebuild(320, 240), S_OK);
        EXPECT_NE(graph.Graph(), graphs.front().Get()) << "a rebuild makes a new graph";
        const SIZE second = GrabbedFrameSize(graph);
        EXPECT_EQ(second.cx, 320);
        EXPECT_EQ(second.cy, 240);
        graphs.emplace_back(graph.Graph());
        Hold(graph.Graph());

        EXPECT_EQ(graph.Stop(), S_OK);
        graph.ClearGraphs();
        EXPECT_EQ(graph.Graph(), nullptr);
        EXPECT_EQ(graph.DownScaler(), nullptr);
    }
    // Camera, two scalers, two Smart Tees and the null renderer: only this test still holds them.
    EXPECT_EQ(m_held.size(), 6u);
    for (const auto& filter : m_held) {
        const ULONG ours = 1 + (filter.Get() == m_camera.Get()) + (filter.Get() == m_renderer.Get());
        FILTER_INFO info = {};
        filter->QueryFilterInfo(&info);
        if (info.pGraph)
            info.pGraph->Release();
        EXPECT_EQ(info.pGraph, nullptr) << "a torn-down filter still belongs to a graph";
        EXPECT_EQ(RefCount(filter.Get()), ours);
    }
    for (const auto& graph : graphs)
        EXPECT_EQ(RefCount(graph.Get()), 1u);
}

TEST_F(PreviewGraphTest, TellsWhichFailureTheUserMustHearOf)
{
    PreviewGraph graph;
    PreviewGraphInput noCamera = Input(640, 480);
    noCamera.camera = nullptr;
    EXPECT_TRUE(FAILED(graph.InitStillGraph(noCamera)));
    EXPECT_EQ(graph.LastFailure(), GraphFailure::CameraMessage);

    PreviewGraphInput noScaler = Input(640, 480);
    noScaler.makeScaler = &MakeNothing;
    EXPECT_TRUE(FAILED(graph.InitStillGraph(noScaler)));
    EXPECT_EQ(graph.LastFailure(), GraphFailure::NoScaler);

    {
        sim::StateLock lock;
        sim::DeviceState* device = lock.DeviceAt(0);
        ASSERT_NE(device, nullptr);
        device->busy = 1;
    }
    EXPECT_TRUE(FAILED(graph.InitStillGraph(Input(640, 480))));
    EXPECT_EQ(graph.LastFailure(), GraphFailure::CameraMessage) << "a busy camera cannot run";
    {
        sim::StateLock lock;
        lock.DeviceAt(0)->busy = 0;
    }
    EXPECT_EQ(graph.Rebuild(640, 480), S_OK) << "the same camera runs once it is free";
    graph.ClearGraphs();
}

} // namespace
