// Register file, EEPROM and vendor property set of the simulated camera.
#include "sim/model/Hresults.h"
#include "sim/model/Profiles.h"
#include "sim/model/Registers.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "sim/model/Topology.h"

namespace {

using namespace sim;

std::unique_ptr<DeviceState> MakeDevice(ProfileId id)
{
    auto device = std::make_unique<DeviceState>();
    ApplyProfile(*device, id);
    return device;
}

int32_t SetProp(DeviceState& d, uint32_t id, uint16_t value)
{
    uint8_t data[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
    return VendorPropertyRequest(d, kVendorPropertySet, id, true, data, sizeof data, nullptr);
}

int32_t GetProp(DeviceState& d, uint32_t id, uint16_t* value)
{
    uint8_t data[2] = {0xEE, 0xEE};
    uint32_t returned = 0;
    int32_t hr = VendorPropertyRequest(d, kVendorPropertySet, id, false, data, sizeof data, &returned);
    if (hr == kOk) {
        EXPECT_EQ(returned, 2u);
        *value = static_cast<uint16_t>(data[0] | (data[1] << 8));
    }
    return hr;
}

TEST(SimRegisters, ProbeAnswersOnlyOnBrindleChipsAndFailsWhenAsked)
{
    for (ProfileId id : {ProfileId::Veyra7670, ProfileId::Veyra7675, ProfileId::Veyra9665}) {
        auto d = MakeDevice(id);
        uint16_t v = 0;
        ASSERT_EQ(SetProp(*d, kPropAddress, kAsicProbe), kOk);
        ASSERT_EQ(GetProp(*d, kPropAsicRead, &v), kOk);
        EXPECT_EQ(v, 0x00B0) << GetProfile(id).name;
        d->probeFail = 1;
        ASSERT_EQ(GetProp(*d, kPropAsicRead, &v), kOk);
        EXPECT_NE(v & 0xFF, 0xB0) << GetProfile(id).name;
    }
    for (ProfileId id : {ProfileId::Sonix, ProfileId::Sunplus, ProfileId::KT4B, ProfileId::Alcor, ProfileId::Unknown}) {
        auto d = MakeDevice(id);
        uint16_t v = 0;
        SetProp(*d, kPropAddress, kAsicProbe);
        ASSERT_EQ(GetProp(*d, kPropAsicRead, &v), kOk);
        EXPECT_NE(v, 0x00B0) << GetProfile(id).name;
    }
}

TEST(SimRegisters, AsicWriteKeepsLowByteOnly)
{
    auto d = MakeDevice(ProfileId::Veyra9665);
    SetProp(*d, kPropAddress, 0x90CF);
    ASSERT_EQ(SetProp(*d, kPropAsicWrite, 0x1206), kOk);
    uint16_t v = 0;
    ASSERT_EQ(GetProp(*d, kPropAsicRead, &v), kOk);
    EXPECT_EQ(v, 0x06);
    EXPECT_EQ(AsicRead(*d, 0x90CF), 0x06);
}

TEST(SimRegisters, EightBitSensorKeepsLowByteAndRefusesWideAddresses)
{
    auto d = MakeDevice(ProfileId::Veyra9665);
    uint16_t v = 0;
    SetProp(*d, kPropAddress, 0x000A);
    ASSERT_EQ(GetProp(*d, kPropSensor, &v), kOk);
    EXPECT_EQ(v, 0x96);
    SetProp(*d, kPropAddress, 0x0033);
    ASSERT_EQ(SetProp(*d, kPropSensor, 0xAB08), kOk);
    ASSERT_EQ(GetProp(*d, kPropSensor, &v), kOk);
    EXPECT_EQ(v, 0x08);
    SetProp(*d, kPropAddress, 0x0133);
    EXPECT_EQ(GetProp(*d, kPropSensor, &v), kInvalidArg);
    EXPECT_EQ(SetProp(*d, kPropSensor, 1), kInvalidArg);
}

TEST(SimRegisters, PagedSensorSeparatesPagesThroughFCFC)
{
    auto d = MakeDevice(ProfileId::Sunplus);
    uint16_t v = 0;
    ASSERT_TRUE(SensorWrite(*d, kSensorPageRegister, 0x7000));
    ASSERT_TRUE(SensorRead(*d, 0x0152, &v));
    EXPECT_EQ(v, 0x06AA);
    ASSERT_TRUE(SensorWrite(*d, 0x0262, 0x0003));
    ASSERT_TRUE(SensorWrite(*d, kSensorPageRegister, 0xD000));
    ASSERT_TRUE(SensorRead(*d, 0xF118, &v));
    EXPECT_EQ(v, 0x000A);
    ASSERT_TRUE(SensorRead(*d, 0x0262, &v));
    EXPECT_EQ(v, 0) << "page 0xD000 has its own register 0x0262";
    ASSERT_TRUE(SensorRead(*d, kSensorPageRegister, &v));
    EXPECT_EQ(v, 0xD000);
    EXPECT_EQ(SensorPeek(*d, 0x7000, 0x0262), 0x0003);
    // Sixteen-bit values pass whole through the vendor property.
    SetProp(*d, kPropAddress, 0xB022);
    ASSERT_EQ(SetProp(*d, kPropSensor, 0x0A10), kOk);
    EXPECT_EQ(SensorPeek(*d, 0xD000, 0xB022), 0x0A10);
}

TEST(SimRegisters, KT4BUsesProfileEAndSunplusProfileA)
{
    EXPECT_EQ(SensorPeek(*MakeDevice(ProfileId::Sunplus), 0xD000, 0xF118), 0x000A);
    EXPECT_EQ(SensorPeek(*MakeDevice(ProfileId::KT4B), 0xD000, 0xF118), 0x000E);
    EXPECT_EQ(SensorPeek(*MakeDevice(ProfileId::KT4B), 0x7000, 0x0152), 0x06AA);
}

TEST(SimRegisters, SensorRegisterSpaceRunsOutWithoutCorruption)
{
    auto d = MakeDevice(ProfileId::Sunplus);
    uint32_t written = 0;
    for (uint32_t a = 0; a < 0x2000; ++a)
        if (SensorPoke(*d, 0x1234, static_cast<uint16_t>(a), static_cast<uint16_t>(a)))
            ++written;
    EXPECT_LT(written, 0x2000u);
    EXPECT_EQ(SensorPeek(*d, 0x7000, 0x0152), 0x06AA) << "existing registers survive a full register file";
    EXPECT_TRUE(SensorPoke(*d, 0x7000, 0x0152, 0x1111)) << "an existing register can still be changed";
}

TEST(SimRegisters, EepromBurstAdvancesOnlyWhileAsic9023IsTwo)
{
    auto d = MakeDevice(ProfileId::Veyra9665);
    uint16_t v = 0;
    SetProp(*d, kPropAddress, 0x0000);
    ASSERT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(v, 0x0956);
    ASSERT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(v, 0x0956) << "no advance outside burst mode";

    SetProp(*d, kPropAddress, kAsicEepromBurst);
    SetProp(*d, kPropAsicWrite, 2);
    SetProp(*d, kPropAddress, 0x0000);
    ASSERT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(v, 0x0956);
    ASSERT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(v, 0xAA55);

    SetProp(*d, kPropAddress, 0x0100);
    ASSERT_EQ(SetProp(*d, kPropEeprom, 0x2211), kOk);
    ASSERT_EQ(SetProp(*d, kPropEeprom, 0x4433), kOk);
    EXPECT_EQ(d->eeprom[0x0100], 0x11);
    EXPECT_EQ(d->eeprom[0x0103], 0x44);
}

TEST(SimRegisters, EepromHoldsSignatureFirmwareAndManufacturerRecord)
{
    auto d = MakeDevice(ProfileId::Veyra9665);
    const uint8_t signature[4] = {0x56, 0x09, 0x55, 0xAA};
    EXPECT_EQ(0, memcmp(d->eeprom, signature, 4));
    unsigned sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += d->eeprom[0x0230 + i];
    const uint8_t* record = d->eeprom + 0x0254 + sum;
    const char* text = GetProfile(ProfileId::Veyra9665).manufacturer;
    size_t count = strlen(text);
    EXPECT_EQ(record[0], (count + 1) * 2);
    EXPECT_EQ(record[1], 3);
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(record[2 + 2 * i], static_cast<uint8_t>(text[i]));
        EXPECT_EQ(record[3 + 2 * i], 0);
    }
    EXPECT_GT(d->eeprom[0x0244], 9) << "the 9665 ships with new firmware";
    EXPECT_LE(GetProfile(ProfileId::Veyra7670).firmwareLow, 9);
}

TEST(SimRegisters, EepromEndIsGuarded)
{
    auto d = MakeDevice(ProfileId::Veyra9665);
    uint16_t v = 0;
    SetProp(*d, kPropAddress, static_cast<uint16_t>(kEepromSize - 1));
    d->eeprom[kEepromSize - 1] = 0x5A;
    ASSERT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(v, 0xFF5A);
    EXPECT_EQ(SetProp(*d, kPropEeprom, 0x7788), kOk);
    EXPECT_EQ(d->eeprom[kEepromSize - 1], 0x88);
    SetProp(*d, kPropAddress, static_cast<uint16_t>(kEepromSize));
    EXPECT_EQ(GetProp(*d, kPropEeprom, &v), kInvalidArg);
    EXPECT_EQ(SetProp(*d, kPropEeprom, 1), kInvalidArg);
    // A burst that runs off the end stops there instead of writing past the array.
    SetProp(*d, kPropAddress, kAsicEepromBurst);
    SetProp(*d, kPropAsicWrite, 2);
    SetProp(*d, kPropAddress, static_cast<uint16_t>(kEepromSize - 2));
    EXPECT_EQ(GetProp(*d, kPropEeprom, &v), kOk);
    EXPECT_EQ(GetProp(*d, kPropEeprom, &v), kInvalidArg);
}

struct BadRequest
{
    const char* what;
    bool wrongSet;
    uint32_t id;
    bool set;
    bool nullData;
    size_t length;
    int32_t expected;
};

class SimVendorPropertyErrors : public ::testing::TestWithParam<BadRequest>
{
};

TEST_P(SimVendorPropertyErrors, AnswerWithTheDriverError)
{
    const BadRequest& r = GetParam();
    auto d = MakeDevice(ProfileId::Veyra9665);
    d->address = 0x1234;
    Guid set = kVendorPropertySet;
    if (r.wrongSet)
        set.data4[7] ^= 1;
    uint8_t data[2] = {0x34, 0x12};
    uint32_t returned = 99;
    int32_t hr = VendorPropertyRequest(*d, set, r.id, r.set, r.nullData ? nullptr : data, r.length, &returned);
    EXPECT_EQ(hr, r.expected) << r.what;
    EXPECT_EQ(returned, 0u) << r.what;
    EXPECT_EQ(d->address, 0x1234u) << r.what << " must not move the address register";
}

INSTANTIATE_TEST_SUITE_P(
    All, SimVendorPropertyErrors,
    ::testing::Values(BadRequest{"wrong set", true, kPropAddress, true, false, 2, kPropSetUnsupported},
                      BadRequest{"unknown id 12", false, 12, false, false, 2, kPropIdUnsupported},
                      BadRequest{"unknown id 7", false, 7, true, false, 2, kPropIdUnsupported},
                      BadRequest{"address is set-only", false, kPropAddress, false, false, 2, kPropIdUnsupported},
                      BadRequest{"ASIC read is get-only", false, kPropAsicRead, true, false, 2, kPropIdUnsupported},
                      BadRequest{"ASIC write is set-only", false, kPropAsicWrite, false, false, 2, kPropIdUnsupported},
                      BadRequest{"null buffer", false, kPropAddress, true, true, 2, kInvalidArg},
                      BadRequest{"one-byte buffer", false, kPropAddress, true, false, 1, kInsufficientBuffer},
                      BadRequest{"empty buffer", false, kPropSensor, false, false, 0, kInsufficientBuffer}));

struct OrientationCase
{
    ProfileId profile;
    bool oldFirmware;
    uint16_t page;
    uint16_t reg;
    bool asic;
    uint16_t bits;
    Orientation expected;
};

class SimSensorOrientation : public ::testing::TestWithParam<OrientationCase>
{
};

TEST_P(SimSensorOrientation, FollowsTheRegistersOfTheSensorModel)
{
    const OrientationCase& c = GetParam();
    auto d = MakeDevice(c.profile);
    if (c.oldFirmware)
        d->eeprom[0x0244] = 9;
    Orientation before = SensorOrientation(*d);
    EXPECT_FALSE(before.mirror || before.flip);
    if (c.asic)
        AsicWrite(*d, c.reg, static_cast<uint8_t>(c.bits));
    else
        ASSERT_TRUE(SensorPoke(*d, c.page, c.reg, c.bits));
    Orientation after = SensorOrientation(*d);
    EXPECT_EQ(after.mirror, c.expected.mirror);
    EXPECT_EQ(after.flip, c.expected.flip);
}

INSTANTIATE_TEST_SUITE_P(
    All, SimSensorOrientation,
    ::testing::Values(OrientationCase{ProfileId::Sonix, false, 0, 0x1E, false, 0x20, {true, false}},
                      OrientationCase{ProfileId::Veyra7670, false, 0, 0x1E, false, 0x10, {false, true}},
                      OrientationCase{ProfileId::Veyra9665, false, 0, 0x90CF, true, 0x02, {true, false}},
                      OrientationCase{ProfileId::Veyra9665, false, 0, 0x90CF, true, 0x04, {false, true}},
                      // New firmware ignores the sensor's own bits; old firmware ignores the ASIC's.
                      OrientationCase{ProfileId::Veyra9665, false, 0, 0x33, false, 0x08, {false, false}},
                      OrientationCase{ProfileId::Veyra9665, true, 0, 0x33, false, 0x08, {true, false}},
                      OrientationCase{ProfileId::Veyra9665, true, 0, 0x04, false, 0x40, {false, true}},
                      OrientationCase{ProfileId::Veyra9665, true, 0, 0x90CF, true, 0x06, {false, false}},
                      OrientationCase{ProfileId::Sunplus, false, 0x7000, 0x0262, false, 0x0003, {true, true}},
                      OrientationCase{ProfileId::Sunplus, false, 0xD000, 0x0262, false, 0x0003, {false, false}},
                      OrientationCase{ProfileId::KT4B, false, 0, 0x0101, false, 0x0002, {false, true}},
                      OrientationCase{ProfileId::Alcor, false, 0, 0x1E, false, 0x30, {false, false}}));

TEST(SimProfiles, DevicePathsCarryTheUsbIdsTheProgramMatches)
{
    const struct
    {
        ProfileId id;
        const char* ids;
    } rows[] = {{ProfileId::Sonix, "vid_0c45&pid_62c0"},     {ProfileId::Veyra7670, "vid_0402&pid_7670"},
                {ProfileId::Veyra7675, "vid_0402&pid_7675"}, {ProfileId::Veyra9665, "vid_0402&pid_9665"},
                {ProfileId::Sunplus, "vid_04fc&pid_2800"},   {ProfileId::KT4B, "vid_04fc&pid_2801"},
                {ProfileId::Alcor, "vid_058f&pid_b002"}};
    for (const auto& row : rows) {
        auto d = MakeDevice(row.id);
        char path[200];
        ASSERT_TRUE(FormatDevicePath(*d, 3, path, sizeof path));
        EXPECT_NE(strstr(path, row.ids), nullptr) << path;
        EXPECT_EQ(strncmp(path, "\\\\?\\usb#", 8), 0) << path;
        ProfileId found = ProfileId::Count;
        char byIds[10];
        snprintf(byIds, sizeof byIds, "%04X:%04x", GetProfile(row.id).vid, GetProfile(row.id).pid);
        ASSERT_TRUE(FindProfile(byIds, &found)) << byIds;
        EXPECT_EQ(found, row.id);
    }
    auto d = MakeDevice(ProfileId::Veyra9665);
    char tiny[20];
    EXPECT_FALSE(FormatDevicePath(*d, 0, tiny, sizeof tiny));
    ProfileId unused;
    EXPECT_FALSE(FindProfile("nosuchcam", &unused));
    EXPECT_FALSE(FindProfile("0402:96", &unused));
}

TEST(SimProfiles, OfferedSizesFollowTheProfile)
{
    FrameSize sizes[8];
    auto full = MakeDevice(ProfileId::Veyra9665);
    ASSERT_EQ(OfferedSizes(*full, sizes, 8), 5u);
    EXPECT_EQ(sizes[2].width, 1280);
    EXPECT_EQ(sizes[2].height, 720);
    EXPECT_EQ(sizes[4].height, 1024);
    auto noWide = MakeDevice(ProfileId::Sunplus);
    ASSERT_EQ(OfferedSizes(*noWide, sizes, 8), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NE(sizes[i].height, 720);
    EXPECT_EQ(OfferedSizes(*MakeDevice(ProfileId::Veyra7670), sizes, 8), 2u);
    EXPECT_EQ(OfferedSizes(*full, sizes, 3), 3u) << "never more than the caller's room";
}

} // namespace

namespace {

using namespace sim;

struct TopologyCase
{
    uint32_t videoIndex;
    bool extension;
    std::vector<NodeKind> expected;
};

class SimTopology : public ::testing::TestWithParam<TopologyCase>
{
};

TEST_P(SimTopology, PutsTheVideoUnitAtItsIndex)
{
    const TopologyCase& c = GetParam();
    auto d = std::make_unique<DeviceState>();
    ApplyProfile(*d, ProfileId::Veyra9665);
    d->videoNodeIndex = c.videoIndex;
    d->hasExtensionNode = c.extension ? 1 : 0;
    NodeKind nodes[kMaxNodes];
    size_t count = TopologyNodes(*d, nodes, kMaxNodes);
    ASSERT_EQ(count, c.expected.size());
    int extension = -1;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(nodes[i], c.expected[i]) << "node " << i;
        if (c.expected[i] == NodeKind::Extension)
            extension = static_cast<int>(i);
    }
    EXPECT_EQ(ExtensionNodeIndex(*d), extension);
}

INSTANTIATE_TEST_SUITE_P(
    All, SimTopology,
    ::testing::Values(TopologyCase{1, true, {NodeKind::CameraTerminal, NodeKind::VideoProcessing, NodeKind::Extension}},
                      TopologyCase{0, true, {NodeKind::VideoProcessing, NodeKind::CameraTerminal, NodeKind::Extension}},
                      TopologyCase{0, false, {NodeKind::VideoProcessing, NodeKind::CameraTerminal}},
                      TopologyCase{3,
                                   false,
                                   {NodeKind::CameraTerminal, NodeKind::InputTerminal, NodeKind::InputTerminal,
                                    NodeKind::VideoProcessing}}));

} // namespace
