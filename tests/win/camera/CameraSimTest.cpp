// Camera discovery against the simulated cameras: the enumeration order decides among known cameras,
// unknown cameras are never used, and the chip family follows the device path the driver reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "camera/Camera.h"
#include "dshow/Graph.h"
#include "support/Simctl.h"

namespace {

class CameraOnSimulatedDevices : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(testsupport::SimctlOk(L"register")); }
    // Later tests find the default devices again.
    static void TearDownTestSuite() { EXPECT_TRUE(testsupport::SimctlOk(L"reset")); }

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_comReady = true;
    }

    void TearDown() override
    {
        if (m_comReady)
            CoUninitialize();
    }

    void Plug(const wchar_t* profiles) { ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + profiles)); }

    bool m_comReady = false;
};

struct OrderCase
{
    const wchar_t* profiles;
    int isp; // 255: no camera
    int vgaModule;
};

class CameraEnumerationOrder : public CameraOnSimulatedDevices, public ::testing::WithParamInterface<OrderCase>
{
};

TEST_P(CameraEnumerationOrder, FirstKnownCameraDecides)
{
    ASSERT_NO_FATAL_FAILURE(Plug(GetParam().profiles));
    Camera camera(nullptr);
    bool found = camera.ChkDeviceisp();
    EXPECT_EQ(camera.isp, GetParam().isp);
    EXPECT_EQ(found, GetParam().isp != 255);
    EXPECT_EQ(static_cast<bool>(camera.pSrcFilter), found);
    if (found) {
        EXPECT_EQ(camera.bVGAModule, GetParam().vgaModule);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, CameraEnumerationOrder,
                         ::testing::Values(OrderCase{L"unknown sunplus sonix", 2, 0}, OrderCase{L"sonix sunplus", 0, 1},
                                           OrderCase{L"veyra9665 veyra7670", 1, 0},
                                           OrderCase{L"veyra7675 veyra9665", 1, 1}, OrderCase{L"unknown kt4b", 3, 0},
                                           OrderCase{L"alcor", 4, 0}, OrderCase{L"unknown", 255, 0},
                                           OrderCase{L"none", 255, 0}));

// The capture filter bound is a working camera source: it offers the stream configuration the preview
// graph asks for.
TEST_F(CameraOnSimulatedDevices, BoundFilterIsTheCamerasCaptureSource)
{
    ASSERT_NO_FATAL_FAILURE(Plug(L"unknown sonix"));
    Camera camera(nullptr);
    ASSERT_TRUE(camera.ChkDeviceisp());
    ASSERT_TRUE(camera.pSrcFilter);
    dshow::ComPtr<IPin> capture;
    ASSERT_EQ(dshow::FindPinByCategory(camera.pSrcFilter.Get(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                       true, 0, capture.Put()),
              S_OK);
    dshow::ComPtr<IAMStreamConfig> config;
    EXPECT_EQ(capture.As(config), S_OK);
}

} // namespace
