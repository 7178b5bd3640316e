// Brindle.dll against the simulated cameras (simcam.ax and simctl from sim/): both access paths to the
// vendor property set, the EEPROM record, the firmware version, the power-line control, and which camera
// an export works on when several are plugged in.
#include "common/ModulePath.h"
#include "driverlib/BrindleApi.h"
#include "support/Library.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace {

using testsupport::SimctlOk;
using testsupport::SimValue;

// Every case sets up its own cameras with simctl and stops at the first simctl run that fails (its output
// then shows in the failure); Brindle.dll comes from the test folder.
class BrindleSimTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SimctlOk(L"register")); }
    // Later tests find the default devices again.
    static void TearDownTestSuite() { EXPECT_TRUE(SimctlOk(L"reset")); }

    testsupport::Library brindle{PathBesideProgram(L"Brindle.dll")};
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
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 extension " + std::to_wstring(GetParam())));

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

// Only widths 1 and 2 exist: a sensor register read or write of width 3 fails and the register keeps its
// value, and an ASIC read of width 3 fails too.
TEST_P(BrindleAccessModeTest, RegisterWidthThreeFails)
{
    ASSERT_TRUE(brindle.Loaded());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 extension " + std::to_wstring(GetParam())));
    ASSERT_TRUE(SimctlOk(L"set 0 sensor 0x33 0x11"));

    EXPECT_EQ(setRegister(0, 0x33, 1, 0x22, 3), 0);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x33"), 0x11);
    unsigned short value = 0x4242;
    EXPECT_EQ(getRegister(0, 0x33, 1, &value, 3), 0);
    EXPECT_EQ(value, 0x4242);
    EXPECT_EQ(getRegister(1, 0xFF50, 1, &value, 3), 0);
    EXPECT_EQ(value, 0x4242);
    // The same calls with width 1 do reach the camera.
    EXPECT_EQ(getRegister(0, 0x33, 1, &value, 1), 1);
    EXPECT_EQ(value, 0x11);
}

// Five bytes at 0x0100: two burst reads (the device advances its address after each pair only while ASIC
// 0x9023 is 2) and a single read of the last byte, after which burst mode is off again. Nothing past the
// fifth byte is written into the caller's buffer. A one-byte read never switches burst mode.
TEST_P(BrindleAccessModeTest, EepromReadUsesBurstPairsAndASingleLastByte)
{
    ASSERT_TRUE(brindle.Loaded());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 extension " + std::to_wstring(GetParam())));
    auto getEeprom = brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister");
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x100 0x11 0x22 0x33 0x44 0x55 0x66 0x77"));
    ASSERT_TRUE(SimctlOk(L"set 0 asic 0x9023 0"));

    unsigned char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(getEeprom(0x100, 5, buffer), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 8), std::string("\x11\x22\x33\x44\x55\xEE\xEE\xEE"));
    EXPECT_EQ(SimValue(L"get 0 asic 0x9023"), 1);

    ASSERT_TRUE(SimctlOk(L"set 0 asic 0x9023 0"));
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(getEeprom(0x103, 1, buffer), 1);
    EXPECT_EQ(buffer[0], 0x44);
    EXPECT_EQ(buffer[1], 0xEE);
    EXPECT_EQ(SimValue(L"get 0 asic 0x9023"), 0);
}

// A record whose length byte claims more than the 78 bytes hold gives at most 38 characters when its type
// byte is 3; an over-long record of another type is refused.
struct StringRecordCase
{
    int lengthByte;
    int typeByte;
    int expectedResult;
    int expectedCount;
};

class BrindleStringRecordTest : public BrindleSimTest,
                                public ::testing::WithParamInterface<std::tuple<int, StringRecordCase>>
{
};

TEST_P(BrindleStringRecordTest, CharacterCountFollowsTheLengthByteUpTo38)
{
    ASSERT_TRUE(brindle.Loaded());
    const int extension = std::get<0>(GetParam());
    const StringRecordCase record = std::get<1>(GetParam());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 extension " + std::to_wstring(extension)));
    auto getManufacturer = brindle.Find<GetManufacturerFn>("GetManufacturer");
    auto getSerial = brindle.Find<GetSerialNumberFn>("GetSerialNumber");

    // Seed bytes that add up to 0 put the record at 0x0254; 40 characters 'A'.. follow its two header bytes.
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x230 0 0 0 0 0 0 0 0"));
    std::wstring bytes =
        L"set 0 eeprom 0x254 " + std::to_wstring(record.lengthByte) + L" " + std::to_wstring(record.typeByte);
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        bytes += L" " + std::to_wstring('A' + i) + L" 0";
        expected += static_cast<char>('A' + i);
    }
    ASSERT_TRUE(SimctlOk(bytes));
    expected.resize(static_cast<size_t>(record.expectedCount));

    char text[40];
    std::fill(std::begin(text), std::end(text), '#');
    int length = -1;
    EXPECT_EQ(getManufacturer(&length, text), record.expectedResult);
    if (record.expectedResult == 1) {
        EXPECT_EQ(length, record.expectedCount);
        EXPECT_EQ(std::string(text, static_cast<size_t>(record.expectedCount)), expected);
    } else {
        EXPECT_EQ(length, -1);
    }
    EXPECT_EQ(text[38], '#') << "nothing is written past the 38 characters";
    EXPECT_EQ(text[39], '#');

    std::fill(std::begin(text), std::end(text), '#');
    EXPECT_EQ(getSerial(0, text), record.expectedResult);
    if (record.expectedResult == 1)
        EXPECT_EQ(std::string(text, static_cast<size_t>(record.expectedCount)), expected);
    else
        EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text[38], '#');
}

INSTANTIATE_TEST_SUITE_P(
    Records, BrindleStringRecordTest,
    ::testing::Combine(::testing::Values(1, 0),
                       ::testing::Values(StringRecordCase{0xFF, 3, 1, 38}, StringRecordCase{0x50, 3, 1, 38},
                                         StringRecordCase{0x4E, 7, 1, 38}, StringRecordCase{0x0C, 3, 1, 5},
                                         StringRecordCase{0x50, 4, 0, 0})));

// A damaged signature makes the record and firmware exports fail and leaves the record untouched; plain
// EEPROM reads still work, so the signature can be read back and repaired.
TEST_P(BrindleAccessModeTest, BadEepromSignatureFailsRecordAndFirmwareExports)
{
    ASSERT_TRUE(brindle.Loaded());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    ASSERT_TRUE(SimctlOk(L"set 0 extension " + std::to_wstring(GetParam())));
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x230 0 0 0 0 0 0 0 0"));
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x254 0x0A 3 0x41 0 0x42 0 0x43 0 0x44 0"));
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0 0x56 0x09 0x55 0xAB"));
    auto getManufacturer = brindle.Find<GetManufacturerFn>("GetManufacturer");
    auto setManufacturer = brindle.Find<SetManufacturerFn>("SetManufacturer");
    auto getSerial = brindle.Find<GetSerialNumberFn>("GetSerialNumber");
    auto getFirmware = brindle.Find<GetFWVersionFn>("GetFWVersion");
    auto getEeprom = brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister");

    char text[38];
    std::fill(std::begin(text), std::end(text), 'x');
    int length = -1;
    EXPECT_EQ(getManufacturer(&length, text), 0);
    EXPECT_EQ(length, -1);
    EXPECT_EQ(getSerial(0, text), 0);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(setManufacturer(3, "XYZ"), 0);
    const testsupport::RunResult record = testsupport::Simctl(L"get 0 eeprom 0x254 4");
    EXPECT_NE(record.output.find("bytes=0a,03,41,00"), std::string::npos) << record;
    unsigned char version[4] = {9, 9, 9, 9};
    EXPECT_EQ(getFirmware(1, version), 0);
    EXPECT_EQ(version[0], 0);

    unsigned char signature[4] = {};
    EXPECT_EQ(getEeprom(0, 4, signature), 1);
    EXPECT_EQ(signature[3], 0xAB);

    // With the signature repaired the same record reads again.
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 3 0xAA"));
    ASSERT_EQ(getManufacturer(&length, text), 1);
    ASSERT_TRUE(length >= 0 && length <= 38) << length;
    EXPECT_EQ(std::string(text, static_cast<size_t>(length)), "ABCD");
}

TEST_F(BrindleSimTest, StringRecordFirmwareAndEeprom)
{
    ASSERT_TRUE(brindle.Loaded());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    auto getManufacturer = brindle.Find<GetManufacturerFn>("GetManufacturer");
    auto setManufacturer = brindle.Find<SetManufacturerFn>("SetManufacturer");
    auto getSerial = brindle.Find<GetSerialNumberFn>("GetSerialNumber");
    auto getFirmware = brindle.Find<GetFWVersionFn>("GetFWVersion");
    auto getEeprom = brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister");
    auto setEeprom = brindle.Find<SetEEPROMRegisterFn>("SetEEPROMRegister");

    char text[38] = {};
    int length = -1;
    ASSERT_EQ(getManufacturer(&length, text), 1);
    ASSERT_TRUE(length >= 0 && length <= 38) << length;
    EXPECT_EQ(std::string(text, static_cast<size_t>(length)), "Norvane Veyra");

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
    ASSERT_TRUE(SimctlOk(L"set 0 eeprom 0x305 0x5c"));
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
    ASSERT_TRUE(SimctlOk(L"reset veyra9665"));
    EXPECT_EQ(brindle.Find<SetPowerLineFrequencyFn>("SetPowerLineFrequency")(2), 1);
    EXPECT_EQ(SimValue(L"get 0 image 13"), 2);
    ASSERT_TRUE(SimctlOk(L"set 0 image 13 1"));
    int value = 0;
    EXPECT_EQ(brindle.Find<GetPowerLineFrequencyFn>("GetPowerLineFrequency")(&value), 1);
    EXPECT_EQ(value, 1);
}

// The first camera whose chip answers is the one every export works on; a later camera that does not
// answer does not spoil the call.
TEST_F(BrindleSimTest, WorksOnTheFirstCameraThatAnswers)
{
    ASSERT_TRUE(brindle.Loaded());
    ASSERT_TRUE(SimctlOk(L"reset veyra9665 veyra9665"));
    ASSERT_TRUE(SimctlOk(L"probefail 1 1"));
    EXPECT_EQ(initialize(), 1);
    EXPECT_EQ(setRegister(0, 0x04, 1, 0x40, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 1 sensor 0x04"), 0);

    ASSERT_TRUE(SimctlOk(L"probefail 1 0"));
    ASSERT_TRUE(SimctlOk(L"probefail 0 1"));
    EXPECT_EQ(setRegister(0, 0x04, 1, 0x41, 1), 1);
    EXPECT_EQ(SimValue(L"get 0 sensor 0x04"), 0x40);
    EXPECT_EQ(SimValue(L"get 1 sensor 0x04"), 0x41);

    ASSERT_TRUE(SimctlOk(L"probefail 1 1"));
    EXPECT_EQ(initialize(), 0);
    EXPECT_EQ(sensorVersion(), 0);
}

} // namespace
