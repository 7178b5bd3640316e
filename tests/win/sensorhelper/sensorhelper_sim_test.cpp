// Tessel against the simulated cameras and the simulated Sonix and Sunplus libraries: each orientation
// command changes the sensor registers the picture follows, through the calls the vendor libraries
// journal, and the libraries come from the program's own folder only.
#include "TesselWindow.h"
#include "VendorJournal.h"

#include "common/ModulePath.h"
#include "common/SensorHelperProtocol.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::SimctlOk;
using testsupport::SimValue;

namespace {

class TesselSimTest : public TesselFixture
{
protected:
    // Later tests find the default devices again.
    static void TearDownTestSuite() { EXPECT_TRUE(SimctlOk(L"reset")); }

    // A fresh state with one camera of `profile`, an empty journal and Tessel running from the test folder.
    void StartWith(const wchar_t* profile)
    {
        ASSERT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr);
        ASSERT_TRUE(SimctlOk(std::wstring(L"reset ") + profile));
        ASSERT_TRUE(SimctlOk(L"clearjournal"));
        m_tessel = testsupport::ChildProcess::Start(PathBesideProgram(kSensorHelperProgram), L"");
        ASSERT_TRUE(m_tessel.Valid()) << "error " << m_tessel.StartError();
        m_window = WaitForTesselWindow(20000);
        ASSERT_NE(m_window, nullptr);
    }
};

TEST_F(TesselSimTest, SonixCommandsSetFlipAndMirrorBits)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"sonix"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSonixFlip, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x10);
    EXPECT_THAT(VendorJournal(),
                ElementsAre("DeviceDetect()=1", "ReadFromSensor(0x21,1,0x0a,1)=1 value=0x76",
                            "ReadFromSensor(0x21,1,0x1e,1)=1 value=0x00", "WriteToSensor(0x21,1,0x1e,1,0x10)=1"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSonixMirror, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x30);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSonixFlip, 0, 0));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x20);
}

TEST_F(TesselSimTest, SunplusFlipAndMirrorOnProfileA)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"sunplus"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSunplusFlip, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0002);
    EXPECT_EQ(SimValue(L"get 0 asic 0x276a"), 0);
    const auto calls = VendorJournal();
    EXPECT_THAT(calls, Contains(::testing::StartsWith("SetASICRegister(0,0x276a,0x87)")));
    EXPECT_THAT(calls, Contains(::testing::StartsWith("SetASICRegister(0,0x2722,0x08)")));

    ASSERT_TRUE(SimctlOk(L"clearjournal"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSunplusMirror, 0, 0)); // mirror off before any mirror on: nothing at all
    EXPECT_THAT(VendorJournal(), IsEmpty());
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSunplusMirror, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0003);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSunplusMirror, 0, 0));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0002);
}

TEST_F(TesselSimTest, Kt4bSetsDirectionAndColourOrderTogether)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"kt4b"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgKt4bMirrorFlip, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0101"), 3);
    EXPECT_EQ(SimValue(L"get 0 asic 0x2106"), 1);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgKt4bMirrorFlip, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0101"), 2);
    EXPECT_EQ(SimValue(L"get 0 asic 0x2106"), 0);
}

// A copy of Tessel in a folder without vendor libraries, started with the test folder (which has them) as
// its working directory: the libraries are only ever taken from the program's own folder.
TEST_F(TesselSimTest, LibrariesComeOnlyFromTheProgramFolder)
{
    ASSERT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr);
    ASSERT_TRUE(SimctlOk(L"reset sonix"));
    ASSERT_TRUE(SimctlOk(L"clearjournal"));
    testsupport::TempFolder folder(L"tessel-test-");
    ASSERT_TRUE(folder.CopyIn(PathBesideProgram(kSensorHelperProgram)));
    const std::wstring testFolder = ProgramFolder();
    m_tessel = testsupport::ChildProcess::Start(folder.PathOf(kSensorHelperProgram), L"",
                                                testFolder.substr(0, testFolder.size() - 1));
    ASSERT_TRUE(m_tessel.Valid());
    m_window = WaitForTesselWindow(20000);
    ASSERT_NE(m_window, nullptr);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgSonixFlip, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0);
    EXPECT_THAT(VendorJournal(), IsEmpty());
    EXPECT_TRUE(QuitTessel(m_window, m_tessel));
    m_window = nullptr;
}

// The Brindle messages go through Brindle.dll and the simulated driver; simcam.ax must be registered.
class TesselBrindleTest : public TesselSimTest
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SimctlOk(L"register")); }
};

TEST_F(TesselBrindleTest, VgaModuleUsesSensorRegister1E)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"veyra7670"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x20);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleFlip, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x30);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 1, 0));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x10);
}

TEST_F(TesselBrindleTest, NonVgaModuleWithNewFirmwareUsesAsic90CF)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x244 10"));
    ASSERT_TRUE(SimctlOk(L"set 0 asic 0x90cf 0x81"));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleFlip, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x85);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x87);
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleFlip, 0, 0));
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x83);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0);
}

TEST_F(TesselBrindleTest, NonVgaModuleWithOldFirmwareUsesSensorRegisters)
{
    ASSERT_NO_FATAL_FAILURE(StartWith(L"veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x244 9"));
    const long asicBefore = SimValue(L"get 0 asic 0x90cf");
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleFlip, 0, 1));
    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 0, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0x08);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), asicBefore);
}

} // namespace
