// The sensor helper's commands against fake vendor libraries: the exact calls, values, waits and trace
// lines of each orientation message, and what happens when a library, a function or the sensor is missing.
#include "sensorhelper/SensorCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using Journal = std::vector<std::string>;

namespace {

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* format, ...)
{
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// Every fake library journals its calls into the host's journal, and its unloading.
class FakeHost;

class FakeSonix : public SonixLibrary
{
public:
    explicit FakeSonix(FakeHost& host) : m_host(host) {}
    ~FakeSonix() override;
    bool Provides(const char* function) const override;
    int DeviceDetect() override;
    int ReadFromSensor(int slave, int mode, int reg, int count, uint8_t& value) override;
    void WriteToSensor(int slave, int mode, int reg, int count, uint8_t value) override;

private:
    FakeHost& m_host;
};

class FakeSunplus : public SunplusLibrary
{
public:
    explicit FakeSunplus(FakeHost& host) : m_host(host) {}
    ~FakeSunplus() override;
    bool Provides(const char* function) const override;
    void Init(int device) override;
    void UnInit(int device) override;
    int GetSensorRegister(int device, uint16_t reg, uint16_t& value) override;
    void SetSensorRegister(int device, uint16_t reg, uint16_t value) override;
    void GetASICRegister(int device, uint16_t reg, uint8_t& value) override;
    void SetASICRegister(int device, uint16_t reg, uint16_t value) override;

private:
    FakeHost& m_host;
};

class FakeBrindle : public BrindleLibrary
{
public:
    explicit FakeBrindle(FakeHost& host) : m_host(host) {}
    ~FakeBrindle() override;
    bool Provides(const char* function) const override;
    int Initialize() override;
    int UnInitialize() override;
    int GetFWVersion(int unused, uint8_t (&version)[4]) override;
    int GetSensorRegister(int kind, uint16_t reg, int unused, uint16_t& value, int width) override;
    int SetSensorRegister(int kind, uint16_t reg, int unused, uint16_t value, int width) override;

private:
    FakeHost& m_host;
};

class FakeHost : public VendorLibraryHost
{
public:
    std::unique_ptr<SonixLibrary> LoadSonix() override { return Load<FakeSonix>("Sonix"); }
    std::unique_ptr<SunplusLibrary> LoadSunplus() override { return Load<FakeSunplus>("Sunplus"); }
    std::unique_ptr<BrindleLibrary> LoadBrindle() override { return Load<FakeBrindle>("Brindle"); }
    void Wait(unsigned ms) override { journal.push_back("wait " + std::to_string(ms)); }
    void Trace(const std::string& line) override { journal.push_back("trace " + line); }

    Journal journal;
    std::set<std::string> unloadable;       // libraries that do not load
    std::set<std::string> missingFunctions; // exports the loaded library lacks

    // Sonix sensor.
    int detect = 1;
    std::map<int, uint8_t> sonixRegs = {{0x0A, 0x76}, {0x1E, 0x00}};
    std::set<int> sonixReadFails;

    // Sunplus sensor (key: page << 16 | register; register 0xFCFC selects the page) and ASIC.
    uint16_t page = 0;
    std::map<uint32_t, uint16_t> sunplusSensor;
    std::map<uint16_t, uint16_t> sunplusAsic;
    int sunplusIdResult = 0;

    // Brindle-served sensor (key: kind << 16 | register).
    uint8_t firmware[4] = {0, 1, 0, 10};
    int firmwareResult = 1;
    std::map<uint32_t, uint16_t> brindleRegs = {{0x0A, 0x76}};
    std::set<uint32_t> brindleReadFails;

    void SunplusCamera(uint16_t profile, uint16_t orientation, uint16_t order)
    {
        sunplusSensor[0x7000u << 16 | 0x0152] = 0x06AA;
        sunplusSensor[0xD000u << 16 | 0xF118] = profile;
        sunplusSensor[0x7000u << 16 | 0x0262] = orientation;
        sunplusSensor[0xD000u << 16 | 0xC342] = 0x1234;
        sunplusAsic[0x2106] = order;
    }

private:
    template <typename Fake> std::unique_ptr<Fake> Load(const std::string& name)
    {
        journal.push_back("load " + name);
        if (unloadable.count(name) != 0)
            return nullptr;
        return std::make_unique<Fake>(*this);
    }
};

FakeSonix::~FakeSonix()
{
    m_host.journal.push_back("unload Sonix");
}
bool FakeSonix::Provides(const char* f) const
{
    return m_host.missingFunctions.count(f) == 0;
}
int FakeSonix::DeviceDetect()
{
    m_host.journal.push_back("detect");
    return m_host.detect;
}
int FakeSonix::ReadFromSensor(int slave, int mode, int reg, int count, uint8_t& value)
{
    m_host.journal.push_back(Line("read %x %d %x %d", slave, mode, reg, count));
    if (m_host.sonixReadFails.count(reg) != 0)
        return 0;
    value = m_host.sonixRegs[reg];
    return 1;
}
void FakeSonix::WriteToSensor(int slave, int mode, int reg, int count, uint8_t value)
{
    m_host.journal.push_back(Line("write %x %d %x %d %x", slave, mode, reg, count, value));
    m_host.sonixRegs[reg] = value;
}

FakeSunplus::~FakeSunplus()
{
    m_host.journal.push_back("unload Sunplus");
}
bool FakeSunplus::Provides(const char* f) const
{
    return m_host.missingFunctions.count(f) == 0;
}
void FakeSunplus::Init(int device)
{
    m_host.journal.push_back(Line("init %d", device));
}
void FakeSunplus::UnInit(int device)
{
    m_host.journal.push_back(Line("uninit %d", device));
}
int FakeSunplus::GetSensorRegister(int device, uint16_t reg, uint16_t& value)
{
    m_host.journal.push_back(Line("GS %d %x", device, reg));
    value = m_host.sunplusSensor[uint32_t(m_host.page) << 16 | reg];
    return reg == 0x0152 ? m_host.sunplusIdResult : 0;
}
void FakeSunplus::SetSensorRegister(int device, uint16_t reg, uint16_t value)
{
    m_host.journal.push_back(Line("S %d %x %x", device, reg, value));
    if (reg == 0xFCFC)
        m_host.page = value;
    else
        m_host.sunplusSensor[uint32_t(m_host.page) << 16 | reg] = value;
}
void FakeSunplus::GetASICRegister(int device, uint16_t reg, uint8_t& value)
{
    m_host.journal.push_back(Line("GA %d %x", device, reg));
    value = static_cast<uint8_t>(m_host.sunplusAsic[reg]);
}
void FakeSunplus::SetASICRegister(int device, uint16_t reg, uint16_t value)
{
    m_host.journal.push_back(Line("A %d %x %x", device, reg, value));
    m_host.sunplusAsic[reg] = value;
}

FakeBrindle::~FakeBrindle()
{
    m_host.journal.push_back("unload Brindle");
}
bool FakeBrindle::Provides(const char* f) const
{
    return m_host.missingFunctions.count(f) == 0;
}
int FakeBrindle::Initialize()
{
    m_host.journal.push_back("init");
    return 1;
}
int FakeBrindle::UnInitialize()
{
    m_host.journal.push_back("uninit");
    return 1;
}
int FakeBrindle::GetFWVersion(int unused, uint8_t (&version)[4])
{
    m_host.journal.push_back(Line("fw %d", unused));
    version[0] = 0;
    if (m_host.firmwareResult == 1)
        std::copy(std::begin(m_host.firmware), std::end(m_host.firmware), version);
    return m_host.firmwareResult;
}
int FakeBrindle::GetSensorRegister(int kind, uint16_t reg, int unused, uint16_t& value, int width)
{
    m_host.journal.push_back(Line("get %d %x %d %d", kind, reg, unused, width));
    const uint32_t key = uint32_t(kind) << 16 | reg;
    if (m_host.brindleReadFails.count(key) != 0)
        return 0;
    value = m_host.brindleRegs[key];
    return 1;
}
int FakeBrindle::SetSensorRegister(int kind, uint16_t reg, int unused, uint16_t value, int width)
{
    m_host.journal.push_back(Line("set %d %x %d %x %d", kind, reg, unused, value, width));
    m_host.brindleRegs[uint32_t(kind) << 16 | reg] = value;
    return 1;
}

Journal Concat(std::initializer_list<Journal> parts)
{
    Journal all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

class SensorHelperTest : public ::testing::Test
{
protected:
    FakeHost host;
    SensorHelper helper{host};
};

// ---- Sonix (2024/2025) ----

struct BitCase
{
    unsigned message;
    bool vga;
    bool state;
    uint16_t before;
    uint16_t after;
};

class SonixTest : public SensorHelperTest, public ::testing::WithParamInterface<BitCase>
{
};

TEST_P(SonixTest, ChangesOneBitOfRegister1E)
{
    host.sonixRegs[0x1E] = static_cast<uint8_t>(GetParam().before);
    EXPECT_EQ(helper.OnMessage(GetParam().message, GetParam().vga, GetParam().state), MessageOutcome::Handled);
    EXPECT_EQ(host.journal, Journal({"load Sonix", "detect", "read 21 1 a 1", "read 21 1 1e 1",
                                     Line("write 21 1 1e 1 %x", GetParam().after), "unload Sonix"}));
}

INSTANTIATE_TEST_SUITE_P(FlipAndMirror, SonixTest,
                         ::testing::Values(BitCase{2024, true, true, 0x05, 0x15},
                                           BitCase{2024, false, false, 0x35, 0x25},
                                           BitCase{2025, false, true, 0x05, 0x25},
                                           BitCase{2025, true, false, 0x35, 0x15},
                                           BitCase{2025, true, true, 0x20, 0x20}));

TEST_F(SensorHelperTest, SonixLeavesAnUnrecognisedCameraAlone)
{
    host.detect = 0;
    helper.OnMessage(kMsgSonixFlip, 1, 1);
    EXPECT_EQ(host.journal, Journal({"load Sonix", "detect", "unload Sonix"}));

    host.journal.clear();
    host.detect = 1;
    host.sonixRegs[0x0A] = 0x96;
    helper.OnMessage(kMsgSonixFlip, 1, 1);
    EXPECT_EQ(host.journal, Journal({"load Sonix", "detect", "read 21 1 a 1", "unload Sonix"}));

    host.journal.clear();
    host.sonixRegs[0x0A] = 0x76;
    host.sonixReadFails = {0x1E};
    helper.OnMessage(kMsgSonixMirror, 1, 1);
    EXPECT_EQ(host.journal, Journal({"load Sonix", "detect", "read 21 1 a 1", "read 21 1 1e 1", "unload Sonix"}));
}

// A library that does not load, or lacks a function the command needs, makes the command a no-op.
TEST_F(SensorHelperTest, MissingLibraryOrFunctionDoesNothing)
{
    host.unloadable = {"Sonix", "Brindle", "Sunplus"};
    helper.OnMessage(kMsgSonixFlip, 1, 1);
    helper.OnMessage(kMsgBrindleMirror, 1, 1);
    helper.OnMessage(kMsgKt4bMirrorFlip, 1, 1);
    EXPECT_EQ(host.journal,
              Journal({"load Sonix", "load Brindle", "trace [Tessel] Camera::ImageMirrorFlipForKT4B bMirror=1, bFlip=1",
                       "load Sunplus"}));

    host.journal.clear();
    host.unloadable.clear();
    host.missingFunctions = {"WriteToSensor", "GetFWVersion", "GetASICRegister"};
    helper.OnMessage(kMsgSonixFlip, 1, 1);
    helper.OnMessage(kMsgBrindleFlip, 1, 1);
    helper.OnMessage(kMsgSunplusMirror, 0, 1);
    EXPECT_EQ(host.journal, Journal({"load Sonix", "unload Sonix", "load Brindle", "unload Brindle", "load Sunplus",
                                     "unload Sunplus"}));

    // KT4B reads nothing, so a library without the read functions still serves it.
    host.journal.clear();
    host.missingFunctions = {"GetSensorRegister", "GetASICRegister"};
    helper.OnMessage(kMsgKt4bMirrorFlip, 0, 0);
    EXPECT_THAT(host.journal, ::testing::Contains("S 0 101 0"));
}

// ---- Brindle (3024/3025) ----

TEST_F(SensorHelperTest, BrindleVgaModuleUsesSensorRegister1E)
{
    host.brindleRegs[0x1E] = 0x01;
    helper.OnMessage(kMsgBrindleMirror, 1, 1);
    EXPECT_EQ(host.journal, Journal({"load Brindle", "init", "fw 1", "get 0 a 1 1", "get 0 1e 1 1", "set 0 1e 1 21 1",
                                     "uninit", "unload Brindle"}));
    host.journal.clear();
    host.brindleRegs[0x1E] = 0x31;
    helper.OnMessage(kMsgBrindleFlip, 1, 0);
    EXPECT_THAT(host.journal, ::testing::Contains("set 0 1e 1 21 1"));
}

struct FirmwareCase
{
    uint8_t byte3;
    int result;
    unsigned message;
    bool state;
    Journal access; // between the identification read and the uninitialise
};

class BrindleFirmwareTest : public SensorHelperTest, public ::testing::WithParamInterface<FirmwareCase>
{
};

// Non-VGA module: firmware byte 3 above 9 reaches the orientation through ASIC 0x90CF, older firmware
// through sensor registers 0x04 and 0x33; a failed version read counts as old firmware.
TEST_P(BrindleFirmwareTest, NonVgaModuleChoosesRegistersByFirmware)
{
    host.brindleRegs = {{0x0A, 0x96}, {1u << 16 | 0x90CF, 0x81}, {0x04, 0x01}, {0x33, 0xF8}};
    host.firmware[3] = GetParam().byte3;
    host.firmwareResult = GetParam().result;
    helper.OnMessage(GetParam().message, 0, GetParam().state);
    EXPECT_EQ(
        host.journal,
        Concat({{"load Brindle", "init", "fw 1", "get 0 a 1 1"}, GetParam().access, {"uninit", "unload Brindle"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, BrindleFirmwareTest,
    ::testing::Values(FirmwareCase{9, 1, kMsgBrindleFlip, true, {"get 0 4 1 1", "set 0 4 1 41 1"}},
                      FirmwareCase{9, 1, kMsgBrindleMirror, false, {"get 0 33 1 1", "set 0 33 1 f0 1"}},
                      FirmwareCase{10, 1, kMsgBrindleFlip, true, {"get 1 90cf 2 1", "set 1 90cf 2 85 1"}},
                      FirmwareCase{10, 1, kMsgBrindleMirror, true, {"get 1 90cf 2 1", "set 1 90cf 2 83 1"}},
                      FirmwareCase{200, 0, kMsgBrindleFlip, true, {"get 0 4 1 1", "set 0 4 1 41 1"}}));

TEST_F(SensorHelperTest, BrindleChecksTheSensorOfTheModule)
{
    host.brindleRegs[0x0A] = 0x96; // non-VGA sensor on a VGA command
    helper.OnMessage(kMsgBrindleFlip, 1, 1);
    host.brindleRegs[0x0A] = 0x76; // VGA sensor on a non-VGA command
    helper.OnMessage(kMsgBrindleFlip, 0, 1);
    host.brindleReadFails = {0x0A};
    helper.OnMessage(kMsgBrindleFlip, 1, 1);
    const Journal once = {"load Brindle", "init", "fw 1", "get 0 a 1 1", "uninit", "unload Brindle"};
    EXPECT_EQ(host.journal, Concat({once, once, once}));

    host.journal.clear();
    host.brindleReadFails = {1u << 16 | 0x90CF};
    host.brindleRegs[0x0A] = 0x96;
    helper.OnMessage(kMsgBrindleMirror, 0, 1);
    EXPECT_EQ(host.journal,
              Journal({"load Brindle", "init", "fw 1", "get 0 a 1 1", "get 1 90cf 2 1", "uninit", "unload Brindle"}));
}

// ---- Sunplus (4024/4025) ----

TEST_F(SensorHelperTest, SunplusFlipOnProfileAFullSequence)
{
    host.SunplusCamera(0x000A, 0x0000, 1);
    helper.OnMessage(kMsgSunplusFlip, 0, 1);
    EXPECT_EQ(host.journal, Journal({"trace [Tessel] Camera::ImageFlip isp=3, bVGAModule=0, bFlip=1",
                                     "load Sunplus",
                                     "init 0",
                                     "S 0 fcfc 7000",
                                     "GS 0 152",
                                     "S 0 fcfc d000",
                                     "GS 0 f118",
                                     "S 0 fcfc 7000",
                                     "GS 0 262",
                                     "A 0 276a 87",
                                     "wait 50",
                                     "S 0 262 2",
                                     "S 0 1f8 1",
                                     "S 0 fcfc d000",
                                     "GS 0 c342",
                                     "S 0 fcfc 7000",
                                     "S 0 21e 1",
                                     "wait 300",
                                     "S 0 fcfc d000",
                                     "S 0 1092 0",
                                     "S 0 4100 1",
                                     "S 0 f118 a",
                                     "S 0 f11a 519",
                                     "S 0 3206 510",
                                     "S 0 b008 c",
                                     "S 0 b022 510",
                                     "S 0 c342 1234",
                                     "GA 0 2106",
                                     "A 0 2722 8",
                                     "A 0 2106 3",
                                     "wait 50",
                                     "A 0 276a 0",
                                     "uninit 0",
                                     "unload Sunplus"}));
}

TEST_F(SensorHelperTest, SunplusMirrorOnProfileEFullSequence)
{
    host.SunplusCamera(0x000E, 0x0002, 3);
    helper.OnMessage(kMsgSunplusMirror, 1, 1);
    EXPECT_TRUE(helper.LastSunplusMirror());
    EXPECT_EQ(
        host.journal,
        Journal({"load Sunplus",  "init 0",       "S 0 fcfc 7000", "GS 0 152",   "S 0 fcfc d000", "GS 0 f118",
                 "S 0 fcfc 7000", "GS 0 262",     "A 0 276a 87",   "wait 50",    "S 0 1f8 1",     "S 0 262 3",
                 "S 0 fcfc d000", "GS 0 c342",    "S 0 fcfc 7000", "S 0 21e 1",  "wait 300",      "S 0 fcfc d000",
                 "S 0 f118 e",    "S 0 f11a 515", "S 0 3206 508",  "S 0 b008 8", "S 0 b022 a10",  "S 0 c342 1234",
                 "GA 0 2106",     "A 0 2106 2",   "wait 50",       "A 0 276a 0", "uninit 0",      "unload Sunplus"}));
}

struct SunplusCase
{
    unsigned message;
    bool state;
    uint16_t profile;
    uint16_t orientationBefore;
    uint8_t q;
    Journal orientationWrites; // the orientation writes, between the hold wait and the configuration page
    Journal asicWrites;        // the colour-order writes, after the read of ASIC 0x2106
};

class SunplusTableTest : public SensorHelperTest, public ::testing::WithParamInterface<SunplusCase>
{
};

TEST_P(SunplusTableTest, WritesOrientationAndColourOrder)
{
    const SunplusCase& c = GetParam();
    if (c.message == kMsgSunplusMirror && !c.state)
        helper.OnMessage(kMsgSunplusMirror, 0, 1); // a mirror-off acts only after a mirror-on
    host.SunplusCamera(c.profile, c.orientationBefore, static_cast<uint16_t>(0xF0 | c.q));
    host.journal.clear();
    helper.OnMessage(c.message, 0, c.state);

    // Orientation writes lie between the hold wait and the switch to the configuration page; colour-order
    // writes between the read of ASIC 0x2106 and the closing wait, release, uninit and unload.
    const auto& j = host.journal;
    const auto hold = std::find(j.begin(), j.end(), "wait 50");
    const auto settle = std::find(hold, j.end(), "S 0 fcfc d000");
    ASSERT_NE(hold, j.end());
    ASSERT_NE(settle, j.end());
    EXPECT_EQ(Journal(hold + 1, settle), c.orientationWrites);
    const auto order = std::find(j.begin(), j.end(), "GA 0 2106");
    ASSERT_NE(order, j.end());
    EXPECT_EQ(Journal(order + 1, j.end() - 4), c.asicWrites);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SunplusTableTest,
    ::testing::Values(
        SunplusCase{kMsgSunplusFlip, true, 0x0A, 0x1, 0, {"S 0 262 3", "S 0 1f8 1"}, {"A 0 2722 8", "A 0 2106 2"}},
        SunplusCase{kMsgSunplusFlip, true, 0x0E, 0x1, 1, {"S 0 262 3", "S 0 1f8 1"}, {"A 0 2106 3"}},
        SunplusCase{kMsgSunplusFlip, false, 0x0A, 0x3, 2, {"S 0 262 1", "S 0 1f8 1"}, {"A 0 2106 0"}},
        SunplusCase{kMsgSunplusFlip, false, 0x0E, 0x3, 3, {"S 0 262 1", "S 0 1f8 0"}, {"A 0 2106 1"}},
        SunplusCase{kMsgSunplusMirror, true, 0x0A, 0x2, 3, {"S 0 fcfc 7000", "S 0 262 3", "S 0 1f8 1"}, {"A 0 2106 2"}},
        SunplusCase{kMsgSunplusMirror, true, 0x0A, 0x2, 1, {"S 0 fcfc 7000", "S 0 262 3", "S 0 1f8 1"}, {"A 0 2106 0"}},
        SunplusCase{
            kMsgSunplusMirror, false, 0x0A, 0x3, 0, {"S 0 fcfc 7000", "S 0 262 2", "S 0 1f8 1"}, {"A 0 2106 1"}},
        SunplusCase{kMsgSunplusMirror, false, 0x0E, 0x3, 2, {"S 0 1f8 0", "S 0 262 2"}, {"A 0 2106 3"}}));

TEST_F(SensorHelperTest, RepeatedSunplusFlipOnOnlyHoldsAndReleases)
{
    host.SunplusCamera(0x000A, 0x0002, 0);
    helper.OnMessage(kMsgSunplusFlip, 1, 1);
    EXPECT_EQ(host.journal,
              Journal({"trace [Tessel] Camera::ImageFlip isp=3, bVGAModule=1, bFlip=1", "load Sunplus", "init 0",
                       "S 0 fcfc 7000", "GS 0 152", "S 0 fcfc d000", "GS 0 f118", "S 0 fcfc 7000", "GS 0 262",
                       "A 0 276a 87", "wait 50", "wait 50", "A 0 276a 0", "uninit 0", "unload Sunplus"}));
}

TEST_F(SensorHelperTest, SunplusUnrecognisedSensorOnlyClosesTheLibrary)
{
    const Journal identify = {"load Sunplus", "init 0", "S 0 fcfc 7000", "GS 0 152"};
    const Journal close = {"uninit 0", "unload Sunplus"};

    host.SunplusCamera(0x000A, 0, 0);
    host.sunplusSensor[0x7000u << 16 | 0x0152] = 0x06AB;
    helper.OnMessage(kMsgSunplusMirror, 0, 1);
    EXPECT_EQ(host.journal, Concat({identify, close}));

    host.journal.clear();
    host.SunplusCamera(0x000A, 0, 0);
    host.sunplusIdResult = 1;
    helper.OnMessage(kMsgSunplusMirror, 0, 1);
    EXPECT_EQ(host.journal, Concat({identify, close}));

    host.journal.clear();
    host.sunplusIdResult = 0;
    host.SunplusCamera(0x000B, 0, 0);
    helper.OnMessage(kMsgSunplusMirror, 0, 1);
    EXPECT_EQ(host.journal, Concat({identify, {"S 0 fcfc d000", "GS 0 f118"}, close}));
}

TEST_F(SensorHelperTest, SunplusMirrorOffWithoutEarlierMirrorOnDoesNothing)
{
    host.SunplusCamera(0x000A, 0x0001, 0);
    EXPECT_EQ(helper.OnMessage(kMsgSunplusMirror, 0, 0), MessageOutcome::Handled);
    EXPECT_TRUE(host.journal.empty());
    EXPECT_FALSE(helper.LastSunplusMirror());

    helper.OnMessage(kMsgSunplusMirror, 0, 1);
    helper.OnMessage(kMsgSunplusMirror, 0, 0);
    EXPECT_FALSE(helper.LastSunplusMirror());
    EXPECT_EQ(std::count(host.journal.begin(), host.journal.end(), "load Sunplus"), 2);
    host.journal.clear();
    helper.OnMessage(kMsgSunplusMirror, 0, 0);
    EXPECT_TRUE(host.journal.empty());
}

// ---- KT4B (4026) ----

struct Kt4bCase
{
    bool mirror;
    bool flip;
    const char* sensor;
    const char* asic;
};

class Kt4bTest : public SensorHelperTest, public ::testing::WithParamInterface<Kt4bCase>
{
};

TEST_P(Kt4bTest, WritesDirectionAndColourOrderWithoutReading)
{
    const Kt4bCase& c = GetParam();
    helper.OnMessage(kMsgKt4bMirrorFlip, c.mirror ? 7 : 0, c.flip ? -1 : 0);
    EXPECT_EQ(host.journal,
              Journal({Line("trace [Tessel] Camera::ImageMirrorFlipForKT4B bMirror=%d, bFlip=%d", c.mirror, c.flip),
                       "load Sunplus", "init 0", c.sensor, c.asic, "uninit 0", "unload Sunplus"}));
}

INSTANTIATE_TEST_SUITE_P(Orientations, Kt4bTest,
                         ::testing::Values(Kt4bCase{true, false, "S 0 101 1", "A 0 2106 3"},
                                           Kt4bCase{true, true, "S 0 101 3", "A 0 2106 1"},
                                           Kt4bCase{false, true, "S 0 101 2", "A 0 2106 0"},
                                           Kt4bCase{false, false, "S 0 101 0", "A 0 2106 2"}));

// ---- Messages and trace lines ----

TEST_F(SensorHelperTest, QuitAndOtherMessagesTouchNoLibrary)
{
    EXPECT_EQ(helper.OnMessage(kMsgQuit, 0, 0), MessageOutcome::Quit);
    EXPECT_EQ(helper.OnMessage(0x0010, 0, 0), MessageOutcome::NotACommand);
    EXPECT_EQ(helper.OnMessage(4027, 1, 1), MessageOutcome::NotACommand);
    EXPECT_TRUE(host.journal.empty());
}

TEST(TraceLineTest, PrefixesAndCutsAtTwoThousandCharacters)
{
    EXPECT_EQ(FormatTraceLine("a=%d b=%s", 5, "x"), "[Tessel] a=5 b=x");
    const std::string longText(2500, 'z');
    const std::string line = FormatTraceLine("%s", longText.c_str());
    EXPECT_EQ(line, "[Tessel] " + std::string(2000, 'z'));
}

} // namespace
