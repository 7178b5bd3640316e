// Tessel against the simulated cameras and the simulated Sonix and Sunplus libraries: each orientation
// command changes the sensor registers the picture follows, through the calls the vendor libraries
// journal, and the libraries come from the program's own folder only.
#include "SimControl.h"
#include "TesselProcess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class TesselSimTest : public ::testing::Test
{
protected:
    // Later tests find the default devices again.
    static void TearDownTestSuite() { RunSimctl(L"reset"); }

    // A fresh state with one camera of `profile`, an empty journal and Tessel running from the test folder.
    void StartWith(const wchar_t* profile)
    {
        ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
        bool ok = false;
        RunSimctl(std::wstring(L"reset ") + profile, &ok);
        ASSERT_TRUE(ok) << "simctl reset failed";
        RunSimctl(L"clearjournal", &ok);
        ASSERT_TRUE(ok);
        ASSERT_TRUE(m_tessel.Start(TestFolderFile(L"Tessel.exe")));
        m_window = WaitForTesselWindow(20000);
        ASSERT_NE(m_window, nullptr);
    }

    void TearDown() override
    {
        if (m_window != nullptr) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(m_window, 2258, 0, 0, SMTO_NORMAL, 10000, &result);
            DWORD exitCode = 0;
            EXPECT_TRUE(m_tessel.WaitForExit(10000, exitCode));
        }
    }

    void Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(m_window, message, wParam, lParam, SMTO_NORMAL, 20000, &result), 0);
    }

    TesselProcess m_tessel;
    HWND m_window = nullptr;
};

TEST_F(TesselSimTest, SonixCommandsSetFlipAndMirrorBits)
{
    StartWith(L"sonix");
    Send(2024, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x10);
    EXPECT_THAT(VendorJournal(),
                ElementsAre("DeviceDetect()=1", "ReadFromSensor(0x21,1,0x0a,1)=1 value=0x76",
                            "ReadFromSensor(0x21,1,0x1e,1)=1 value=0x00", "WriteToSensor(0x21,1,0x1e,1,0x10)=1"));
    Send(2025, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x30);
    Send(2024, 0, 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x20);
}

TEST_F(TesselSimTest, SunplusFlipAndMirrorOnProfileA)
{
    StartWith(L"sunplus");
    Send(4024, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0002);
    EXPECT_EQ(SimValue(L"get 0 asic 0x276a"), 0);
    const auto calls = VendorJournal();
    EXPECT_THAT(calls, Contains(::testing::StartsWith("SetASICRegister(0,0x276a,0x87)")));
    EXPECT_THAT(calls, Contains(::testing::StartsWith("SetASICRegister(0,0x2722,0x08)")));

    RunSimctl(L"clearjournal");
    Send(4025, 0, 0); // mirror off before any mirror on: nothing at all
    EXPECT_THAT(VendorJournal(), IsEmpty());
    Send(4025, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0003);
    Send(4025, 0, 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0262 0x7000"), 0x0002);
}

TEST_F(TesselSimTest, Kt4bSetsDirectionAndColourOrderTogether)
{
    StartWith(L"kt4b");
    Send(4026, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0101"), 3);
    EXPECT_EQ(SimValue(L"get 0 asic 0x2106"), 1);
    Send(4026, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x0101"), 2);
    EXPECT_EQ(SimValue(L"get 0 asic 0x2106"), 0);
}

// A copy of Tessel in a folder without vendor libraries, started with the test folder (which has them) as
// its working directory: the libraries are only ever taken from the program's own folder.
TEST(TesselSimFolderTest, LibrariesComeOnlyFromTheProgramFolder)
{
    ASSERT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
    bool ok = false;
    RunSimctl(L"reset sonix", &ok);
    ASSERT_TRUE(ok);
    RunSimctl(L"clearjournal");
    ScratchFolder folder;
    ASSERT_TRUE(folder.CopyFromTestFolder(L"Tessel.exe"));
    const std::wstring testFolder = TestFolderFile(L"");
    TesselProcess tessel;
    ASSERT_TRUE(tessel.Start(folder.Path() + L"\\Tessel.exe", testFolder.substr(0, testFolder.size() - 1)));
    HWND window = WaitForTesselWindow(20000);
    ASSERT_NE(window, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, 2024, 1, 1, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0);
    EXPECT_THAT(VendorJournal(), IsEmpty());
    SendMessageTimeoutW(window, 2258, 0, 0, SMTO_NORMAL, 10000, &result);
    DWORD exitCode = 0;
    EXPECT_TRUE(tessel.WaitForExit(10000, exitCode));
    RunSimctl(L"reset");
}

// Messages 3024/3025 go through Brindle.dll and the simulated driver; simcam.ax must be registered.
class TesselBrindleTest : public TesselSimTest
{
protected:
    static void SetUpTestSuite()
    {
        bool ok = false;
        RunSimctl(L"register", &ok);
        ASSERT_TRUE(ok) << "simctl register failed";
    }
};

TEST_F(TesselBrindleTest, VgaModuleUsesSensorRegister1E)
{
    StartWith(L"veyra7670");
    Send(3025, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x20);
    Send(3024, 1, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x30);
    Send(3025, 1, 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e"), 0x10);
}

TEST_F(TesselBrindleTest, NonVgaModuleWithNewFirmwareUsesAsic90CF)
{
    StartWith(L"veyra9665");
    RunSimctl(L"set 0 eeprom 0x244 10");
    RunSimctl(L"set 0 asic 0x90cf 0x81");
    Send(3024, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x85);
    Send(3025, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x87);
    Send(3024, 0, 0);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x83);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0);
}

TEST_F(TesselBrindleTest, NonVgaModuleWithOldFirmwareUsesSensorRegisters)
{
    StartWith(L"veyra9665");
    RunSimctl(L"set 0 eeprom 0x244 9");
    const long asicBefore = SimValue(L"get 0 asic 0x90cf");
    Send(3024, 0, 1);
    Send(3025, 0, 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0x08);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), asicBefore);
}

} // namespace
