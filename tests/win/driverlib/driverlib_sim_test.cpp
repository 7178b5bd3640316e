// Brindle.dll against the simulated cameras (simcam.ax and simctl from sim/): both access paths to the
// vendor property set, the EEPROM record, the firmware version, the power-line control, and which camera
// an export works on when several are plugged in.
#include "../sensorhelper/SimControl.h"
#include "../sensorhelper/TesselProcess.h"

#include "driverlib/BrindleApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Brindle.dll loaded from the test folder, its exports looked up by name.
class Brindle
{
public:
    Brindle() : m_module(LoadLibraryW(TestFolderFile(L"Brindle.dll").c_str())) {}
    ~Brindle()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    Brindle(const Brindle&) = delete;
    Brindle& operator=(const Brindle&) = delete;
    bool Loaded() const { return m_module != nullptr; }
    template <typename Fn> Fn Find(const char* name) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

class BrindleSimTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bool ok = false;
        RunSimctl(L"register", &ok);
        ASSERT_TRUE(ok) << "simctl register failed";
    }
    // Later tests find the default devices again.
    static void TearDownTestSuite() { RunSimctl(L"reset"); }

    // Fresh devices of the given profiles, in this enumeration order.
    void Reset(const wchar_t* profiles)
    {
        bool ok = false;
        RunSimctl(std::wstring(L"reset ") + profiles, &ok);
        ASSERT_TRUE(ok) << "simctl reset failed";
    }

    void Simctl(const std::wstring& arguments)
    {
        bool ok = false;
        RunSimctl(arguments, &ok);
        ASSERT_TRUE(ok) << "simctl failed";
    }

    Brindle brindle;
    InitializeDriverInterfaceFn initialize = brindle.Find<InitializeDriverInterfaceFn>("Initialize_DriverInterface");
    GetSensorRegisterFn getRegister = brindle.Find<GetSensorRegisterFn>("GetSensorRegister");
    SetSensorRegisterFn setRegister = brindle.Find<SetSensorRegisterFn>("SetSensorRegister");
    GetSensorVersionFn sensorVersion = brindle.Find<GetSensorVersionFn>("GetSensorVersion");
};

class BrindleAccessModeTest : public BrindleSimTest, public ::testing::WithParamInterface<int>
{
};

// With an extension node the requests go to that node; without one through the property-set block.
TEST_P(BrindleAccessModeTest, ReadsAndWritesSensorAndAsicRegisters)
{
    ASSERT_TRUE(brindle.Loaded());
    Reset(L"veyra9665");
    Simctl(L"set 0 extension " + std::to_wstring(GetParam()));

    EXPECT_EQ(initialize(), 1);
    EXPECT_EQ(sensorVersion(), 0x9652);
    EXPECT_EQ(SimValue(L"get 0 asic 0x9230"), 0x56);

    EXPECT_EQ(setRegister(0, 0x33, 1, 0x08, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0x08);
    unsigned short value = 0;
    EXPECT_EQ(getRegister(0, 0x33, 1, &value, 1), 1);
    EXPECT_EQ(value, 0x08);

    EXPECT_EQ(setRegister(1, 0x90CF, 2, 0x1206, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 asic 0x90cf"), 0x06);
    EXPECT_EQ(getRegister(1, 0xFF50, 2, &value, 1), 1);
    EXPECT_EQ(value, 0xB0);

    value = 0x4242;
    EXPECT_EQ(getRegister(0, 0x0A, 1, &value, 3), 0);
    EXPECT_EQ(value, 0x4242);
}

INSTANTIATE_TEST_SUITE_P(ExtensionNode, BrindleAccessModeTest, ::testing::Values(1, 0));

TEST_F(BrindleSimTest, StringRecordFirmwareAndEeprom)
{
    ASSERT_TRUE(brindle.Loaded());
    Reset(L"veyra9665");
    auto getManufacturer = brindle.Find<GetManufacturerFn>("GetManufacturer");
    auto setManufacturer = brindle.Find<SetManufacturerFn>("SetManufacturer");
    auto getSerial = brindle.Find<GetSerialNumberFn>("GetSerialNumber");
    auto getFirmware = brindle.Find<GetFWVersionFn>("GetFWVersion");
    auto getEeprom = brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister");
    auto setEeprom = brindle.Find<SetEEPROMRegisterFn>("SetEEPROMRegister");

    char text[38] = {};
    int length = 0;
    EXPECT_EQ(getManufacturer(&length, text), 1);
    EXPECT_EQ(std::string(text, length), "Norvane Veyra");

    EXPECT_EQ(setManufacturer(11, "Quillo Test"), 1);
    std::fill(std::begin(text), std::end(text), 'x');
    EXPECT_EQ(getSerial(0, text), 1);
    EXPECT_STREQ(text, "Quillo Test");
    EXPECT_EQ(setManufacturer(39, "123456789012345678901234567890123456789"), 0);
    EXPECT_EQ(getManufacturer(&length, text), 1);
    EXPECT_EQ(length, 11);

    unsigned char version[4] = {9, 9, 9, 9};
    EXPECT_EQ(getFirmware(1, version), 1);
    EXPECT_EQ(version[0], 0);
    EXPECT_EQ(version[1], 0x01);
    EXPECT_EQ(version[2], 0);
    EXPECT_EQ(version[3], 0x0A);

    // Five bytes written and read back; the byte after an odd-length write keeps its content.
    Simctl(L"set 0 eeprom 0x305 0x5c");
    const unsigned char data[5] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
    EXPECT_EQ(setEeprom(0x300, 5, data), 1);
    unsigned char back[6] = {};
    EXPECT_EQ(getEeprom(0x300, 6, back), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 6), std::string("\xA1\xA2\xA3\xA4\xA5\x5C"));
    EXPECT_EQ(SimValue(L"get 0 asic 0x9023"), 1);
}

TEST_F(BrindleSimTest, PowerLineFrequencyGoesToTheCamera)
{
    ASSERT_TRUE(brindle.Loaded());
    Reset(L"veyra9665");
    EXPECT_EQ(brindle.Find<SetPowerLineFrequencyFn>("SetPowerLineFrequency")(2), 1);
    EXPECT_EQ(SimValue(L"get 0 image 13"), 2);
    Simctl(L"set 0 image 13 1");
    int value = 0;
    EXPECT_EQ(brindle.Find<GetPowerLineFrequencyFn>("GetPowerLineFrequency")(&value), 1);
    EXPECT_EQ(value, 1);
}

// The first camera whose chip answers is the one every export works on; a later camera that does not
// answer does not spoil the call.
TEST_F(BrindleSimTest, WorksOnTheFirstCameraThatAnswers)
{
    ASSERT_TRUE(brindle.Loaded());
    Reset(L"veyra9665 veyra9665");
    Simctl(L"probefail 1 1");
    EXPECT_EQ(initialize(), 1);
    EXPECT_EQ(setRegister(0, 0x04, 1, 0x40, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 1 sensor 0x04"), 0);

    Simctl(L"probefail 1 0");
    Simctl(L"probefail 0 1");
    EXPECT_EQ(setRegister(0, 0x04, 1, 0x41, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 1 sensor 0x04"), 0x41);

    Simctl(L"probefail 1 1");
    EXPECT_EQ(initialize(), 0);
    EXPECT_EQ(sensorVersion(), 0);
}

} // namespace
