// Brindle's export algorithms against recording fake cameras: the exact property calls of the probe, the
// EEPROM bursts, the string record and the register exports, and what the caller gets back.
#include "driverlib/BrindleDriver.h"
#include "driverlib/KsRequests.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Journal = std::vector<std::string>;

namespace {

std::string Hex(unsigned v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", v);
    return text;
}

// A camera chip with an ASIC register file, a sensor register file and an EEPROM that advances its address
// by two while ASIC 0x9023 is 2. Every property call is journalled as "S<n>=<hex>" or "G<n>".
class FakeCamera : public VendorPropertyPort
{
public:
    FakeCamera(std::string name, Journal& journal) : m_name(std::move(name)), m_journal(journal)
    {
        asic[kAsicChipId] = kAsicChipIdSupported;
        asic[kAsicEepromBurst] = 1;
        asic[kAsicSensorIdMode] = 0x56;
    }

    bool GetProperty(unsigned id, uint16_t& value) override
    {
        m_journal.push_back("G" + std::to_string(id));
        if (failing.count(m_journal.back()) != 0)
            return false;
        switch (id) {
        case kPropAsicRead:
            value = asic[address];
            return true;
        case kPropEeprom:
            value = static_cast<uint16_t>(eeprom.at(address) | (eeprom.at(address + 1) << 8));
            Advance();
            return true;
        case kPropSensor:
            value = sensor[address];
            return true;
        default:
            return false;
        }
    }

    bool SetProperty(unsigned id, uint16_t value) override
    {
        m_journal.push_back("S" + std::to_string(id) + "=" + Hex(value));
        if (failing.count("S" + std::to_string(id)) != 0)
            return false;
        switch (id) {
        case kPropAddress:
            address = value;
            return true;
        case kPropAsicWrite:
            asic[address] = static_cast<uint8_t>(value & 0xFF);
            return true;
        case kPropEeprom:
            eeprom.at(address) = static_cast<uint8_t>(value & 0xFF);
            eeprom.at(address + 1) = static_cast<uint8_t>(value >> 8);
            Advance();
            return true;
        case kPropSensor:
            sensor[address] = value;
            return true;
        default:
            return false;
        }
    }

    bool GetPowerLineFrequency(int32_t& value) override
    {
        m_journal.push_back("GetPowerLine");
        value = powerLine;
        return powerLineWorks;
    }

    bool SetPowerLineFrequency(int32_t value) override
    {
        m_journal.push_back("SetPowerLine=" + std::to_string(value));
        if (powerLineWorks)
            powerLine = value;
        return powerLineWorks;
    }

    // A valid EEPROM: signature, seed bytes summing to `seedSum`, a firmware version and a string record.
    void WriteEepromImage(unsigned seedSum, const std::vector<uint8_t>& record)
    {
        const uint8_t signature[] = {0x56, 0x09, 0x55, 0xAA};
        std::copy(std::begin(signature), std::end(signature), eeprom.begin());
        for (int i = 0; i < 8; ++i)
            eeprom[kEepromRecordSeedAddress + i] = static_cast<uint8_t>(seedSum / 8 + (i < int(seedSum % 8) ? 1 : 0));
        eeprom[kEepromFirmwareAddress] = 0x0A;
        eeprom[kEepromFirmwareAddress + 1] = 0x03;
        std::copy(record.begin(), record.end(), eeprom.begin() + kEepromStringRecordBase + seedSum);
    }

    const std::string& Name() const { return m_name; }

    std::map<uint16_t, uint8_t> asic;
    std::map<uint16_t, uint16_t> sensor;
    std::vector<uint8_t> eeprom = std::vector<uint8_t>(0x1000, 0xEE);
    std::set<std::string> failing; // "G9", "S8", ...: calls that fail
    uint16_t address = 0;
    int32_t powerLine = 1;
    bool powerLineWorks = true;

private:
    void Advance()
    {
        if (asic[kAsicEepromBurst] == 2)
            address = static_cast<uint16_t>(address + 2);
    }

    std::string m_name;
    Journal& m_journal;
};

struct FakeDevice
{
    std::unique_ptr<FakeCamera> camera;
    DriverAccessMode mode = DriverAccessMode::ExtensionNode;
};

// The system's kernel-streaming cameras in enumeration order; binding is journalled as "bind <name>".
class FakeDeviceList : public DriverDeviceList
{
public:
    FakeCamera& Add(const std::string& name, DriverAccessMode mode = DriverAccessMode::ExtensionNode)
    {
        m_devices.push_back({std::make_unique<FakeCamera>(name, journal), mode});
        return *m_devices.back().camera;
    }

    bool Begin() override
    {
        m_next = 0;
        return hasEnumerator;
    }
    bool BindNext(DriverAccessMode& mode) override
    {
        if (m_next >= m_devices.size())
            return false;
        m_bound = m_next++;
        bound = true;
        journal.push_back("bind " + m_devices[m_bound].camera->Name());
        mode = m_devices[m_bound].mode;
        return true;
    }
    VendorPropertyPort& Port() override { return *m_devices.at(m_bound).camera; }
    void Close() override { bound = false; }

    Journal journal;
    bool hasEnumerator = true;
    bool bound = false;

private:
    std::vector<FakeDevice> m_devices;
    size_t m_next = 0;
    size_t m_bound = 0;
};

const std::vector<std::string> kProbe = {"S8=ff50", "G9"};

Journal Concat(std::initializer_list<std::vector<std::string>> parts)
{
    Journal all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The string record for `text`: length byte, type 3, UTF-16 characters.
std::vector<uint8_t> Record(const std::string& text, int lengthByte = -1, uint8_t type = 3)
{
    std::vector<uint8_t> r = {static_cast<uint8_t>(lengthByte >= 0 ? lengthByte : (text.size() + 1) * 2), type};
    for (char c : text) {
        r.push_back(static_cast<uint8_t>(c));
        r.push_back(0);
    }
    return r;
}

class BrindleDriverTest : public ::testing::Test
{
protected:
    FakeDeviceList devices;
    BrindleDriver driver{devices};
};

TEST_F(BrindleDriverTest, OpenStopsAtFirstCameraThatAnswersTheProbe)
{
    devices.Add("webcam").asic[kAsicChipId] = 0x00;
    devices.Add("missing-interface", DriverAccessMode::None);
    devices.Add("ours", DriverAccessMode::PropertySet);
    devices.Add("later-unsupported").asic[kAsicChipId] = 0x12;

    EXPECT_EQ(driver.Initialize(), 1);
    EXPECT_THAT(devices.journal,
                ElementsAre("bind webcam", "S8=ff50", "G9", "bind missing-interface", "bind ours", "S8=ff50", "G9"));
    EXPECT_FALSE(devices.bound);
}

TEST_F(BrindleDriverTest, OpenFailsWhenNoCameraAnswers)
{
    devices.Add("a").asic[kAsicChipId] = 0xB1;
    devices.Add("b").failing = {"G9"};
    devices.Add("c").failing = {"S8"};
    EXPECT_EQ(driver.Initialize(), 0);
    EXPECT_EQ(driver.GetSensorVersion(), 0);
    EXPECT_FALSE(devices.bound);
}

// Without a device enumerator or any supported camera, every device export fails and writes nothing.
TEST_F(BrindleDriverTest, EveryDeviceExportFailsWithoutCamera)
{
    for (bool enumerator : {false, true}) {
        devices.hasEnumerator = enumerator;
        uint16_t reg = 0x1234;
        char text[kStringRecordMaxChars] = {'x'};
        uint8_t bytes[4] = {9, 9, 9, 9};
        int32_t value = 77;
        int32_t length = 77;
        EXPECT_EQ(driver.Initialize(), 0);
        EXPECT_EQ(driver.GetSensorRegister(0, 0x0A, &reg, 1), 0);
        EXPECT_EQ(driver.SetSensorRegister(0, 0x0A, 1, 1), 0);
        EXPECT_EQ(driver.GetSerialNumber(text), 0);
        EXPECT_EQ(driver.GetFWVersion(bytes), 0);
        EXPECT_EQ(driver.GetEEPROMRegister(0, 4, bytes + 1), 0);
        EXPECT_EQ(driver.SetEEPROMRegister(0, 2, bytes), 0);
        EXPECT_EQ(driver.GetPowerLineFrequency(&value), 0);
        EXPECT_EQ(driver.SetPowerLineFrequency(2), 0);
        EXPECT_EQ(driver.GetManufacturer(&length, text), 0);
        EXPECT_EQ(driver.SetManufacturer(3, "abc"), 0);
        EXPECT_EQ(driver.GetSensorVersion(), 0);
        EXPECT_EQ(reg, 0x1234);
        EXPECT_EQ(text[0], '\0');
        EXPECT_THAT(bytes, ElementsAre(0, 9, 9, 9));
        EXPECT_EQ(value, 77);
        EXPECT_EQ(length, 77);
    }
}

TEST_F(BrindleDriverTest, EepromReadOfFiveBytesBurstsTwoPairsThenReadsTheLastAlone)
{
    FakeCamera& cam = devices.Add("ours");
    for (int i = 0; i < 6; ++i)
        cam.eeprom[0x0100 + i] = static_cast<uint8_t>(0x10 + i);
    uint8_t out[5] = {};

    EXPECT_EQ(driver.GetEEPROMRegister(0x0100, 5, out), 1);
    EXPECT_THAT(out, ElementsAre(0x10, 0x11, 0x12, 0x13, 0x14));
    EXPECT_EQ(devices.journal,
              Concat({{"bind ours"},
                      kProbe,
                      {"S8=9023", "S10=2", "S8=100", "G11", "G11", "S8=9023", "S10=1", "S8=104", "G11"}}));
    EXPECT_EQ(cam.asic[kAsicEepromBurst], 1);
}

TEST_F(BrindleDriverTest, EepromReadOfOneByteIsASingleRead)
{
    FakeCamera& cam = devices.Add("ours");
    cam.eeprom[0x0020] = 0x5A;
    uint8_t out = 0;
    EXPECT_EQ(driver.GetEEPROMRegister(0x0020, 1, &out), 1);
    EXPECT_EQ(out, 0x5A);
    EXPECT_EQ(devices.journal, Concat({{"bind ours"}, kProbe, {"S8=20", "G11"}}));
}

TEST_F(BrindleDriverTest, EepromWriteLiftsProtectionAndKeepsTheByteAfterAnOddRange)
{
    FakeCamera& cam = devices.Add("ours");
    cam.asic[kAsicEepromProtectA] = 0x81;
    cam.asic[kAsicEepromProtectB] = 0xFF;
    const uint8_t data[3] = {0xA1, 0xA2, 0xA3};

    EXPECT_EQ(driver.SetEEPROMRegister(0x0300, 3, data), 1);
    EXPECT_THAT(std::vector<uint8_t>(cam.eeprom.begin() + 0x2FF, cam.eeprom.begin() + 0x304),
                ElementsAre(0xEE, 0xA1, 0xA2, 0xA3, 0xEE));
    EXPECT_EQ(cam.asic[kAsicEepromProtectA], 0x85);
    EXPECT_EQ(cam.asic[kAsicEepromProtectB], 0xFB);
    EXPECT_EQ(devices.journal, Concat({{"bind ours"},
                                       kProbe,
                                       {"S8=ff98", "G9", "S8=ff98", "S10=85", "S8=ff96", "G9", "S8=ff96", "S10=fb"},
                                       {"S8=9023", "S10=2", "S8=300", "S11=a2a1", "S8=9023", "S10=1"},
                                       {"S8=302", "G11", "S8=302", "S11=eea3"}}));
}

TEST_F(BrindleDriverTest, RejectsBadEepromArgumentsWithoutTouchingTheCamera)
{
    devices.Add("ours");
    uint8_t byte = 0;
    EXPECT_EQ(driver.GetEEPROMRegister(0, -1, &byte), 0);
    EXPECT_EQ(driver.GetEEPROMRegister(0, 2, nullptr), 0);
    EXPECT_EQ(driver.SetEEPROMRegister(0, 2, nullptr), 0);
    EXPECT_TRUE(devices.journal.empty());
}

TEST_F(BrindleDriverTest, ManufacturerRecordRoundTripsAtTheSeededAddress)
{
    FakeCamera& cam = devices.Add("ours");
    cam.WriteEepromImage(0x23, Record("old"));

    EXPECT_EQ(driver.SetManufacturer(6, "Norvan"), 1);
    const auto at = cam.eeprom.begin() + kEepromStringRecordBase + 0x23;
    EXPECT_THAT(std::vector<uint8_t>(at, at + 15),
                ElementsAre(14, 3, 'N', 0, 'o', 0, 'r', 0, 'v', 0, 'a', 0, 'n', 0, 0xEE));

    int32_t length = 0;
    char text[kStringRecordMaxChars];
    EXPECT_EQ(driver.GetManufacturer(&length, text), 1);
    EXPECT_EQ(length, 6);
    EXPECT_STREQ(text, "Norvan");
}

// Records whose length byte claims more than the 78 bytes: accepted only with type 3, and never more than
// 38 characters reach the caller's buffer (exactly 38 bytes on the heap, so an overrun is caught).
TEST_F(BrindleDriverTest, OversizedRecordIsCutToThirtyEightCharacters)
{
    FakeCamera& cam = devices.Add("ours");
    const std::string full(38, 'Q');
    cam.WriteEepromImage(0, Record(full + "overflow", 0xFF));

    auto buffer = std::make_unique<char[]>(kStringRecordMaxChars);
    int32_t length = 0;
    EXPECT_EQ(driver.GetManufacturer(&length, buffer.get()), 1);
    EXPECT_EQ(length, 38);
    EXPECT_EQ(std::string(buffer.get(), 38), full);
    EXPECT_EQ(driver.GetSerialNumber(buffer.get()), 1);
    EXPECT_EQ(std::string(buffer.get(), 38), full);

    cam.eeprom[kEepromStringRecordBase + 1] = 2;
    EXPECT_EQ(driver.GetSerialNumber(buffer.get()), 0);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(BrindleDriverTest, SerialNumberOfEmptyRecordIsEmpty)
{
    devices.Add("ours").WriteEepromImage(5, Record(""));
    char text[kStringRecordMaxChars];
    std::fill(std::begin(text), std::end(text), 'x');
    EXPECT_EQ(driver.GetSerialNumber(text), 1);
    EXPECT_EQ(text[0], '\0');
}

TEST_F(BrindleDriverTest, SetManufacturerRefusesLengthsOutsideOneToThirtyEight)
{
    devices.Add("ours").WriteEepromImage(0, Record("keep"));
    const std::string text(39, 'a');
    EXPECT_EQ(driver.SetManufacturer(39, text.c_str()), 0);
    EXPECT_EQ(driver.SetManufacturer(0, text.c_str()), 0);
    EXPECT_EQ(driver.SetManufacturer(-3, text.c_str()), 0);
    EXPECT_TRUE(devices.journal.empty());
    EXPECT_EQ(driver.SetManufacturer(38, text.c_str()), 1);
}

TEST_F(BrindleDriverTest, StringRecordNeedsTheSignature)
{
    FakeCamera& cam = devices.Add("ours");
    cam.WriteEepromImage(0, Record("abc"));
    cam.eeprom[3] = 0xAB;
    int32_t length = 5;
    char text[kStringRecordMaxChars] = {};
    EXPECT_EQ(driver.GetManufacturer(&length, text), 0);
    EXPECT_EQ(driver.SetManufacturer(3, "xyz"), 0);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(cam.eeprom[kEepromStringRecordBase + 2], 'a');
}

TEST_F(BrindleDriverTest, FirmwareVersionPutsHighThenLowByte)
{
    FakeCamera& cam = devices.Add("ours");
    cam.WriteEepromImage(0, Record("x"));
    uint8_t version[4] = {7, 7, 7, 7};
    EXPECT_EQ(driver.GetFWVersion(version), 1);
    EXPECT_THAT(version, ElementsAre(0, 0x03, 0, 0x0A));

    cam.eeprom[0] = 0;
    std::fill(std::begin(version), std::end(version), 7);
    EXPECT_EQ(driver.GetFWVersion(version), 0);
    EXPECT_THAT(version, ElementsAre(0, 7, 7, 7));
}

struct RegisterRead
{
    int kind;
    int width;
    std::vector<std::string> calls; // after the probe
    uint16_t expected;
};

class BrindleRegisterReadTest : public BrindleDriverTest, public ::testing::WithParamInterface<RegisterRead>
{
};

TEST_P(BrindleRegisterReadTest, ReadsThroughTheAddressRegister)
{
    FakeCamera& cam = devices.Add("ours");
    cam.sensor[0x0A] = 0x1276;
    cam.asic[0x0A] = 0x9F;
    uint16_t result = 0xFFFF;
    EXPECT_EQ(driver.GetSensorRegister(GetParam().kind, 0x0A, &result, GetParam().width), 1);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(devices.journal, Concat({{"bind ours"}, kProbe, GetParam().calls}));
}

INSTANTIATE_TEST_SUITE_P(KindsAndWidths, BrindleRegisterReadTest,
                         ::testing::Values(RegisterRead{0, 1, {"S8=a", "G13"}, 0x76},
                                           RegisterRead{0, 2, {"S8=a", "G13"}, 0x1276},
                                           RegisterRead{1, 1, {"S8=a", "G9"}, 0x9F},
                                           RegisterRead{1, 2, {"S8=a", "G9"}, 0x009F}));

TEST_F(BrindleDriverTest, RegisterReadFailsForOtherWidthsKindsAndFailedCalls)
{
    FakeCamera& cam = devices.Add("ours");
    uint16_t result = 0x4242;
    EXPECT_EQ(driver.GetSensorRegister(0, 0x0A, &result, 3), 0);
    EXPECT_EQ(driver.GetSensorRegister(2, 0x0A, &result, 1), 0);
    EXPECT_EQ(driver.GetSensorRegister(0, 0x0A, nullptr, 1), 0);
    EXPECT_TRUE(devices.journal.empty());
    cam.failing = {"G13"};
    EXPECT_EQ(driver.GetSensorRegister(0, 0x0A, &result, 1), 0);
    EXPECT_EQ(result, 0x4242);
    EXPECT_FALSE(devices.bound);
}

TEST_F(BrindleDriverTest, RegisterWritesByKindAndWidth)
{
    FakeCamera& cam = devices.Add("ours");
    EXPECT_EQ(driver.SetSensorRegister(0, 0x1E, 0x1234, 1), 1);
    EXPECT_EQ(driver.SetSensorRegister(0, 0x1F, 0x1234, 2), 1);
    EXPECT_EQ(driver.SetSensorRegister(1, 0x90CF, 0x1206, 2), 1);
    EXPECT_EQ(driver.SetSensorRegister(0, 0x1E, 0x55, 3), 0);
    EXPECT_EQ(driver.SetSensorRegister(5, 0x1E, 0x55, 1), 0);
    EXPECT_EQ(cam.sensor[0x1E], 0x34);
    EXPECT_EQ(cam.sensor[0x1F], 0x1234);
    EXPECT_EQ(cam.asic[0x90CF], 0x06);
    EXPECT_EQ(devices.journal, Concat({{"bind ours"},
                                       kProbe,
                                       {"S8=1e", "S13=34"},
                                       {"bind ours"},
                                       kProbe,
                                       {"S8=1f", "S13=1234"},
                                       {"bind ours"},
                                       kProbe,
                                       {"S8=90cf", "S10=6"}}));
}

TEST_F(BrindleDriverTest, SensorVersionReadsIdentificationBetweenModeSwitches)
{
    FakeCamera& cam = devices.Add("ours");
    cam.sensor[0x0A] = 0x96;
    cam.sensor[0x0B] = 0x12;
    EXPECT_EQ(driver.GetSensorVersion(), 0x9612);
    EXPECT_EQ(
        devices.journal,
        Concat({{"bind ours"}, kProbe, {"S8=9230", "S10=a5", "S8=a", "G13", "S8=b", "G13", "S8=9230", "S10=56"}}));
}

TEST_F(BrindleDriverTest, FailedSensorVersionStillLeavesIdentificationMode)
{
    FakeCamera& cam = devices.Add("ours");
    cam.failing = {"G13"};
    EXPECT_EQ(driver.GetSensorVersion(), 0);
    EXPECT_EQ(cam.asic[kAsicSensorIdMode], 0x56);
}

TEST_F(BrindleDriverTest, PowerLineFrequencyGoesThroughTheImageControls)
{
    FakeCamera& cam = devices.Add("ours");
    cam.powerLine = 2;
    int32_t value = 0;
    EXPECT_EQ(driver.GetPowerLineFrequency(&value), 1);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(driver.SetPowerLineFrequency(1), 1);
    EXPECT_EQ(cam.powerLine, 1);
    cam.powerLineWorks = false;
    value = 9;
    EXPECT_EQ(driver.GetPowerLineFrequency(&value), 0);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(driver.SetPowerLineFrequency(2), 0);
}

class LocaleFrequencyTest : public ::testing::TestWithParam<std::pair<uint32_t, int32_t>>
{
};

TEST_P(LocaleFrequencyTest, SixtyHertzOnlyForTheListedLocales)
{
    EXPECT_EQ(PowerLineFrequencyForLocale(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleFrequencyTest,
                         ::testing::Values(std::make_pair(0x0412u, 2), std::make_pair(0x0409u, 2),
                                           std::make_pair(0x0404u, 2), std::make_pair(0x0C0Cu, 2),
                                           std::make_pair(0x3409u, 2), std::make_pair(0x080Au, 2),
                                           std::make_pair(0x0407u, 1), std::make_pair(0x0809u, 1),
                                           std::make_pair(0x040Cu, 1), std::make_pair(0x0C0Au, 1),
                                           std::make_pair(0x0804u, 1), std::make_pair(0x0000u, 1)));

TEST(KsRequestsTest, NodeRequestCarriesSetIdTopologyFlagsAndNode)
{
    const auto get = BuildNodeRequest(13, false, 5);
    EXPECT_THAT(std::vector<uint8_t>(get.begin(), get.begin() + 16), ElementsAreArray(kVendorPropertySet));
    EXPECT_THAT(std::vector<uint8_t>(get.begin() + 16, get.end()),
                ElementsAre(13, 0, 0, 0, 0x01, 0, 0, 0x10, 5, 0, 0, 0, 0, 0, 0, 0));
    const auto set = BuildNodeRequest(8, true, 0x0102);
    EXPECT_THAT(std::vector<uint8_t>(set.begin() + 16, set.begin() + 28),
                ElementsAre(8, 0, 0, 0, 0x02, 0, 0, 0x10, 0x02, 0x01, 0, 0));
}

TEST(KsRequestsTest, PropertySetBlockNumbersOneLowerAndCarriesTheValueAtFiftyTwo)
{
    const auto block = BuildPropertySetBlock(8, true, 0xFF50);
    EXPECT_THAT(std::vector<uint8_t>(block.begin(), block.begin() + 16), ElementsAreArray(kVendorPropertySet));
    EXPECT_THAT(std::vector<uint8_t>(block.begin() + 16, block.begin() + 24), ElementsAre(7, 0, 0, 0, 2, 0, 0, 0));
    EXPECT_EQ(block[52], 0x50);
    EXPECT_EQ(block[53], 0xFF);
    EXPECT_EQ(PropertySetBlockValue(block), 0xFF50);
    EXPECT_EQ(BuildPropertySetBlock(9, false, 0)[20], 1);
}

TEST(KsRequestsTest, LastNodeOfEachKindCountsAndDecidesTheAccessMode)
{
    using K = KsNodeKind;
    const auto t = ChooseTopologyNodes(
        {K::CameraTerminal, K::ExtensionUnit, K::Other, K::ExtensionUnit, K::CameraTerminal, K::Other});
    EXPECT_EQ(t.extensionNode, 3u);
    EXPECT_EQ(t.cameraTerminal, 4u);
    EXPECT_EQ(AccessModeFor(t), DriverAccessMode::ExtensionNode);
    EXPECT_EQ(AccessModeFor(ChooseTopologyNodes({K::CameraTerminal, K::Other})), DriverAccessMode::PropertySet);
    EXPECT_EQ(AccessModeFor(ChooseTopologyNodes({})), DriverAccessMode::PropertySet);
}

} // namespace
