// Camera discovery against the simulated cameras: the enumeration order decides among known cameras,
// unknown cameras are never used, and the chip family follows the device path the driver reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "SimCtl.h"
#include "camera/Camera.h"

namespace {

class CameraOnSimulatedDevices : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RunSimctl(L"register")) << "simctl register failed"; }

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        m_comReady = true;
    }

    void TearDown() override
    {
        (void)RunSimctl(L"reset none"); // leave no known camera behind for other tests
        if (m_comReady)
            CoUninitialize();
    }

    void Plug(const wchar_t* profiles) { ASSERT_TRUE(RunSimctl(std::wstring(L"reset ") + profiles)); }

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
    Plug(GetParam().profiles);
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
    Plug(L"unknown sonix");
    Camera camera(nullptr);
    ASSERT_TRUE(camera.ChkDeviceisp());
    ASSERT_TRUE(camera.pSrcFilter);
    IEnumPins* pins = nullptr;
    ASSERT_TRUE(SUCCEEDED(camera.pSrcFilter->EnumPins(&pins)));
    IPin* pin = nullptr;
    bool hasOutput = false;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT)
            hasOutput = true;
        pin->Release();
    }
    pins->Release();
    EXPECT_TRUE(hasOutput);
}

} // namespace
