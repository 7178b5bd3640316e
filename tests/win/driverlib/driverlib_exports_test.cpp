// Brindle.dll and flicker_a.dll as a caller sees them: undecorated exports, and clean failures when the
// system has no camera that Brindle serves (none at all, or only cameras of other chip makers, which must
// stay untouched). The test sets up the simulated devices it needs and puts the default ones back at its end.
#include <windows.h>
#include <dshow.h>

#include "common/ModulePath.h"
#include "driverlib/BrindleApi.h"
#include "dshow/Devices.h"
#include "support/ComEnvironment.h"
#include "support/Library.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using testsupport::Library;
using testsupport::SimctlOk;
using testsupport::SimValue;

const auto* const g_com =
    ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment(COINIT_APARTMENTTHREADED));

TEST(BrindleExports, AllExportsCarryUndecoratedNames)
{
    Library brindle(PathBesideProgram(L"Brindle.dll"));
    ASSERT_TRUE(brindle.Loaded());
    for (const char* name :
         {"Initialize_DriverInterface", "UnInitialize_DriverInterface", "GetSensorRegister", "SetSensorRegister",
          "GetSerialNumber", "GetFWVersion", "GetEEPROMRegister", "SetEEPROMRegister", "GetPowerLineFrequency",
          "SetPowerLineFrequency", "GetAreaCodeFrequency", "GetManufacturer", "SetManufacturer", "GetSensorVersion"})
        EXPECT_NE(brindle.Find<FARPROC>(name), nullptr) << name;

    Library flicker(PathBesideProgram(L"flicker_a.dll"));
    ASSERT_TRUE(flicker.Loaded());
    EXPECT_NE(flicker.Find<FARPROC>("GetAreaCodeFrequency"), nullptr);
}

// The simulated cameras plugged for a case: "none", or cameras whose chips do not answer Brindle's probe.
class BrindleWithoutItsCamera : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SimctlOk(L"register")); }
    // Later tests find the default devices again.
    static void TearDownTestSuite() { EXPECT_TRUE(SimctlOk(L"reset")); }

    void SetUp() override
    {
        ASSERT_TRUE(SimctlOk(std::wstring(L"reset ") + GetParam()));
        m_cameras = dshow::ListDevices(CLSID_VideoInputDeviceCategory).size();
        ASSERT_EQ(m_cameras, std::wstring(GetParam()) == L"none" ? 0u : 2u)
            << "the video devices listed are not the simulated ones set up";
    }

    size_t m_cameras = 0;
};

TEST_P(BrindleWithoutItsCamera, DeviceExportsFailCleanly)
{
    // What the foreign cameras hold before; the exports must leave it as it is.
    const long sensor1E = m_cameras ? SimValue(L"get 0 sensor 0x1e") : 0;
    const long powerLine = m_cameras ? SimValue(L"get 0 image 13") : 0;
    Library brindle(PathBesideProgram(L"Brindle.dll"));
    ASSERT_TRUE(brindle.Loaded());

    EXPECT_EQ(brindle.Find<InitializeDriverInterfaceFn>("Initialize_DriverInterface")(), 0);
    EXPECT_EQ(brindle.Find<UnInitializeDriverInterfaceFn>("UnInitialize_DriverInterface")(), 1);
    unsigned short reg = 0xBEEF;
    EXPECT_EQ(brindle.Find<GetSensorRegisterFn>("GetSensorRegister")(0, 0x0A, 1, &reg, 1), 0);
    EXPECT_EQ(reg, 0xBEEF);
    EXPECT_EQ(brindle.Find<SetSensorRegisterFn>("SetSensorRegister")(0, 0x1E, 1, 0x20, 1), 0);
    char text[38];
    std::fill(std::begin(text), std::end(text), 'x');
    EXPECT_EQ(brindle.Find<GetSerialNumberFn>("GetSerialNumber")(0, text), 0);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text[1], 'x');
    unsigned char version[4] = {9, 9, 9, 9};
    EXPECT_EQ(brindle.Find<GetFWVersionFn>("GetFWVersion")(1, version), 0);
    EXPECT_EQ(version[0], 0);
    EXPECT_EQ(version[3], 9);
    unsigned char bytes[5] = {};
    EXPECT_EQ(brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister")(0x100, 5, bytes), 0);
    EXPECT_EQ(brindle.Find<SetEEPROMRegisterFn>("SetEEPROMRegister")(0x100, 5, bytes), 0);
    int value = 42;
    EXPECT_EQ(brindle.Find<GetPowerLineFrequencyFn>("GetPowerLineFrequency")(&value), 0);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(brindle.Find<SetPowerLineFrequencyFn>("SetPowerLineFrequency")(powerLine == 2 ? 1 : 2), 0);
    int length = 42;
    EXPECT_EQ(brindle.Find<GetManufacturerFn>("GetManufacturer")(&length, text), 0);
    EXPECT_EQ(length, 42);
    EXPECT_EQ(brindle.Find<SetManufacturerFn>("SetManufacturer")(6, "Quillo"), 0);
    EXPECT_EQ(brindle.Find<GetSensorVersionFn>("GetSensorVersion")(), 0);

    if (m_cameras) {
        EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), sensor1E) << "a sensor write reached a foreign camera";
        EXPECT_EQ(SimValue(L"get 0 image 13"), powerLine) << "the power line of a foreign camera changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, BrindleWithoutItsCamera, ::testing::Values(L"none", L"sonix unknown"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.param[0] == L'n' ? "NoCamera" : "OnlyOtherChips");
                         });

TEST(BrindleExports, AreaCodeFrequencyAlwaysAnswersAndRefusesANullPlace)
{
    for (const wchar_t* file : {L"Brindle.dll", L"flicker_a.dll"}) {
        Library library(PathBesideProgram(file));
        ASSERT_TRUE(library.Loaded());
        auto fn = library.Find<GetAreaCodeFrequencyFn>("GetAreaCodeFrequency");
        ASSERT_NE(fn, nullptr);
        int code = -1;
        EXPECT_EQ(fn(&code), 1);
        EXPECT_TRUE(code == 1 || code == 2) << code;
        EXPECT_EQ(fn(nullptr), 0);
    }
}

} // namespace
