// Camera discovery against video-input devices registered by the test itself: each device is a category
// instance with its own device path, served by a filter class the system can create, so the bound filter
// shows which device was chosen.
#include <gtest/gtest.h>

#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

#include "camera/Camera.h"
#include "camera/KnownCamera.h"
#include "common/ModulePath.h"
#include "common/SensorHelperProtocol.h"
#include "dshow/ComPtr.h"
#include "dshow/Devices.h"
#include "dshow/vidcap_decl.h"
#include "support/Simctl.h"

namespace {

// A class id nothing serves: binding such a device fails.
const CLSID kUnboundClass = {0x5b0e2c61, 0x4c1d, 0x4a2e, {0x9b, 0x77, 0x31, 0x52, 0x6e, 0x0d, 0x8f, 0x42}};
const wchar_t kCategoryInstances[] = L"CLSID\\{860BB310-5D01-11d0-BD3B-00A0C911CE86}\\Instance\\";

struct FakeDevice
{
    const wchar_t* instance; // also the friendly name; sorted before any real device
    const CLSID* filterClass;
    const wchar_t* devicePath; // null: the device has no "DevicePath" value
};

class CameraDiscovery : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(SUCCEEDED(hr));
        m_comReady = true;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                               m_mapper.PutVoid())));
        // The simulated cameras (when the build has them) would be found first: none is plugged for these cases.
        if (GetFileAttributesW(PathBesideProgram(L"simctl.exe").c_str()) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(testsupport::SimctlOk(L"reset none"));
        }
        ASSERT_EQ(ForeignKnownCameras(), 0) << "a known camera is already registered in this prefix";
    }

    void TearDown() override
    {
        for (const FakeDevice& device : m_devices)
            (void)m_mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, device.instance, *device.filterClass);
        m_mapper.Reset();
        if (m_comReady)
            CoUninitialize();
    }

    // Registers the devices in enumeration order (the instance names sort in the order given).
    void Register(const std::vector<FakeDevice>& devices)
    {
        for (const FakeDevice& device : devices) {
            REGFILTER2 info{};
            info.dwVersion = 1;
            info.dwMerit = MERIT_DO_NOT_USE;
            info.cPins = 0;
            ASSERT_TRUE(SUCCEEDED(m_mapper->RegisterFilter(*device.filterClass, device.instance, nullptr,
                                                           &CLSID_VideoInputDeviceCategory, device.instance, &info)));
            m_devices.push_back(device);
            if (!device.devicePath)
                continue;
            std::wstring keyName = std::wstring(kCategoryInstances) + device.instance;
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
            DWORD bytes = static_cast<DWORD>((wcslen(device.devicePath) + 1) * sizeof(wchar_t));
            LONG result =
                RegSetValueExW(key, L"DevicePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.devicePath), bytes);
            RegCloseKey(key);
            ASSERT_EQ(result, ERROR_SUCCESS);
        }
    }

    // Known cameras listed by the system that this test did not register.
    int ForeignKnownCameras()
    {
        int count = 0;
        for (const dshow::DeviceMoniker& device : dshow::ListDevices(CLSID_VideoInputDeviceCategory)) {
            std::wstring path;
            if (device.Text(L"DevicePath", path) &&
                Camera::chkDeviceIdProceed(UpperCaseAscii(path.c_str()), nullptr, nullptr, nullptr))
                ++count;
        }
        return count;
    }

    static std::wstring UpperCaseAscii(const wchar_t* text)
    {
        std::wstring upper(text ? text : L"");
        for (wchar_t& c : upper)
            c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
        return upper;
    }

    static CLSID ClassOf(IBaseFilter* filter)
    {
        CLSID id = GUID_NULL;
        if (filter)
            (void)filter->GetClassID(&id);
        return id;
    }

    dshow::ComPtr<IFilterMapper2> m_mapper;
    std::vector<FakeDevice> m_devices;
    bool m_comReady = false;
};

TEST_F(CameraDiscovery, FirstKnownCameraIsUsedAndUnknownOnesAreSkipped)
{
    Register({{L"!Quillo test 1", &CLSID_SmartTee, L"\\\\?\\usb#vid_046d&pid_0825&mi_00#7&1&0#{x}\\global"},
              {L"!Quillo test 2", &CLSID_NullRenderer, L"\\\\?\\usb#vid_04fc&pid_2800&mi_00#7&2&0#{x}\\global"},
              {L"!Quillo test 3", &CLSID_SmartTee, L"\\\\?\\usb#vid_0c45&pid_62c0&mi_00#7&3&0#{x}\\global"}});
    Camera camera(nullptr);
    EXPECT_TRUE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 2);
    EXPECT_EQ(camera.bVGAModule, 0);
    ASSERT_TRUE(camera.pSrcFilter);
    EXPECT_TRUE(IsEqualCLSID(ClassOf(camera.pSrcFilter.Get()), CLSID_NullRenderer));
}

TEST_F(CameraDiscovery, LowerCasePathOfAVgaModuleMatches)
{
    Register({{L"!Quillo test 1", &CLSID_SmartTee, L"\\\\?\\usb#vid_0402&pid_7675&mi_00#7&1&0#{x}\\global"}});
    Camera camera(nullptr);
    EXPECT_TRUE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 1);
    EXPECT_EQ(camera.bVGAModule, 1);
    EXPECT_TRUE(camera.pSrcFilter);
}

TEST_F(CameraDiscovery, OnlyUnknownCamerasGiveNoCamera)
{
    Register({{L"!Quillo test 1", &CLSID_SmartTee, L"\\\\?\\usb#vid_046d&pid_0825&mi_00#7&1&0#{x}\\global"},
              {L"!Quillo test 2", &CLSID_SmartTee, L"\\\\?\\root#image#0000#{x}\\global"}});
    Camera camera(nullptr);
    EXPECT_FALSE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 255);
    EXPECT_FALSE(camera.pSrcFilter);
}

TEST_F(CameraDiscovery, DevicesWithoutPathOrFilterArePassedOver)
{
    Register({{L"!Quillo test 1", &CLSID_SmartTee, nullptr},
              {L"!Quillo test 2", &kUnboundClass, L"\\\\?\\usb#vid_0402&pid_7670#7&2&0#{x}\\global"},
              {L"!Quillo test 3", &CLSID_SmartTee, L"\\\\?\\usb#vid_058f&pid_b002#7&3&0#{x}\\global"}});
    Camera camera(nullptr);
    EXPECT_TRUE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 4);
    EXPECT_EQ(camera.bVGAModule, 0); // the codes of the device that could not be bound were overwritten
    EXPECT_TRUE(IsEqualCLSID(ClassOf(camera.pSrcFilter.Get()), CLSID_SmartTee));
}

TEST_F(CameraDiscovery, KnownCameraThatCannotBeBoundGivesNoCamera)
{
    Register({{L"!Quillo test 1", &kUnboundClass, L"\\\\?\\usb#vid_0c45&pid_62c0#7&1&0#{x}\\global"}});
    Camera camera(nullptr);
    EXPECT_FALSE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 255);
    EXPECT_FALSE(camera.pSrcFilter);
}

TEST_F(CameraDiscovery, CopiedInFamilyIsNotEnumeratedAgain)
{
    Register({{L"!Quillo test 1", &CLSID_SmartTee, L"\\\\?\\usb#vid_0c45&pid_62c0#7&1&0#{x}\\global"}});
    Camera camera(nullptr);
    camera.isp = 3;
    camera.bVGAModule = 0;
    EXPECT_FALSE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 3);
    EXPECT_EQ(camera.bVGAModule, 0);
    EXPECT_FALSE(camera.pSrcFilter);
}

// The preview's own lookup also wants a friendly name, and keeps the MJPG flag of the row.
TEST_F(CameraDiscovery, LookupThatWantsAFriendlyNameSkipsDevicesWithoutOne)
{
    Register({{L"!Quillo test 1", &CLSID_NullRenderer, L"\\\\?\\usb#vid_0c45&pid_62c0#7&1&0#{x}\\global"},
              {L"!Quillo test 2", &CLSID_SmartTee, L"\\\\?\\usb#vid_04fc&pid_2801#7&2&0#{x}\\global"}});
    std::wstring keyName = std::wstring(kCategoryInstances) + L"!Quillo test 1";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, L"FriendlyName"), ERROR_SUCCESS);
    RegCloseKey(key);

    BYTE isp = 255, vga = 9, mjpeg = 9;
    KnownCameraSearch search;
    search.requireFriendlyName = true;
    search.logDevicePath = false;
    search.isp = &isp;
    search.bVGAModule = &vga;
    search.bMJPEGModule = &mjpeg;
    dshow::ComPtr<IBaseFilter> filter;
    ASSERT_TRUE(BindFirstKnownCamera(search, filter));
    EXPECT_EQ(isp, 3);
    EXPECT_EQ(vga, 0);
    EXPECT_EQ(mjpeg, 0);
    EXPECT_TRUE(IsEqualCLSID(ClassOf(filter.Get()), CLSID_SmartTee));

    // Without that condition the first device is taken.
    Camera camera(nullptr);
    EXPECT_TRUE(camera.ChkDeviceisp());
    EXPECT_EQ(camera.isp, 0);
}

// ---- The helper window and the matcher alone (no devices needed) ----

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(CameraHelperWindow, IsLookedUpByTitleEvenWhenTheFamilyIsKnown)
{
    Camera absent(nullptr);
    absent.isp = 1;
    absent.ChkDeviceisp();
    EXPECT_EQ(absent.hHelperWnd, nullptr);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuilloCameraTestHelper";
    ATOM atom = RegisterClassW(&windowClass);
    ASSERT_NE(atom, 0);
    HWND helper = CreateWindowExW(0, L"QuilloCameraTestHelper", kSensorHelperTitle, WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(helper, nullptr);

    Camera known(nullptr);
    known.isp = 1;
    EXPECT_FALSE(known.ChkDeviceisp());
    EXPECT_EQ(known.hHelperWnd, helper);

    DestroyWindow(helper);
    UnregisterClassW(L"QuilloCameraTestHelper", windowClass.hInstance);
}

TEST(CameraMatcher, WritesOnlyTheGivenPlacesAndNothingWithoutAMatch)
{
    EXPECT_TRUE(Camera::chkDeviceIdProceed(L"\\\\?\\USB#VID_0402&PID_9665#1", nullptr, nullptr, nullptr));
    EXPECT_FALSE(Camera::chkDeviceIdProceed(L"\\\\?\\USB#VID_0402&PID_9666#1", nullptr, nullptr, nullptr));

    BYTE isp = 77, vga = 77, mjpeg = 77;
    EXPECT_TRUE(Camera::chkDeviceIdProceed(L"\\\\?\\USB#VID_0402&PID_9665#1", &isp, nullptr, &mjpeg));
    EXPECT_EQ(isp, 1);
    EXPECT_EQ(vga, 77);
    EXPECT_EQ(mjpeg, 0);

    isp = vga = mjpeg = 77;
    EXPECT_FALSE(Camera::chkDeviceIdProceed(L"\\\\?\\USB#VID_0402&PID_9666#1", &isp, &vga, &mjpeg));
    EXPECT_EQ(isp, 77);
    EXPECT_EQ(vga, 77);
    EXPECT_EQ(mjpeg, 77);
}

} // namespace
