// Shared-state rules of the simulated devices: validation, device list and journal.
#include "sim/model/SharedLayout.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace sim;

std::unique_ptr<SharedLayout> Fresh(std::initializer_list<ProfileId> profiles)
{
    auto state = std::make_unique<SharedLayout>();
    StateReset(*state, profiles.begin(), profiles.size());
    return state;
}

TEST(SimState, FreshStateIsValidAndKeepsTheOrder)
{
    auto s = Fresh({ProfileId::Veyra9665, ProfileId::Sonix, ProfileId::Unknown});
    ASSERT_TRUE(StateValid(*s, sizeof *s));
    ASSERT_EQ(s->header.deviceCount, 3u);
    EXPECT_EQ(s->devices[s->header.order[0]].profile, static_cast<uint32_t>(ProfileId::Veyra9665));
    EXPECT_EQ(s->devices[s->header.order[1]].profile, static_cast<uint32_t>(ProfileId::Sonix));
    EXPECT_EQ(s->devices[s->header.order[2]].plugged, 1u);
}

TEST(SimState, DamageIsDetected)
{
    using Damage = void (*)(SharedLayout&);
    const struct
    {
        const char* what;
        Damage damage;
    } cases[] = {
        {"zeroed file", [](SharedLayout& s) { std::memset(&s.header, 0, sizeof s.header); }},
        {"old version",
         [](SharedLayout& s) {
             s.header.version = kStateVersion - 1;
             s.header.checksum = HeaderChecksum(s.header);
         }},
        {"checksum", [](SharedLayout& s) { s.header.checksum ^= 1; }},
        {"slot out of range", [](SharedLayout& s) { s.header.order[0] = kSlotCount; }},
        {"slot twice", [](SharedLayout& s) { s.header.order[1] = s.header.order[0]; }},
        {"count too big", [](SharedLayout& s) { s.header.deviceCount = kSlotCount + 1; }},
        {"bad profile", [](SharedLayout& s) { s.devices[s.header.order[0]].profile = 77; }},
        {"used slot not listed", [](SharedLayout& s) { s.header.deviceCount = 1; }},
    };
    for (const auto& c : cases) {
        auto s = Fresh({ProfileId::Veyra9665, ProfileId::Sonix});
        c.damage(*s);
        EXPECT_FALSE(StateValid(*s, sizeof *s)) << c.what;
    }
    auto s = Fresh({ProfileId::Veyra9665});
    EXPECT_FALSE(StateValid(*s, sizeof *s - 1)) << "short file";
}

TEST(SimState, DeviceListOperations)
{
    auto s = Fresh({ProfileId::Sonix, ProfileId::Sunplus});
    uint32_t slot = 99;
    ASSERT_TRUE(StateAddDevice(*s, ProfileId::Alcor, &slot));
    EXPECT_EQ(s->header.order[2], slot);
    const uint32_t reversed[3] = {s->header.order[2], s->header.order[1], s->header.order[0]};
    ASSERT_TRUE(StateReorder(*s, reversed, 3));
    EXPECT_EQ(s->devices[s->header.order[0]].profile, static_cast<uint32_t>(ProfileId::Alcor));
    const uint32_t twice[3] = {reversed[0], reversed[0], reversed[1]};
    EXPECT_FALSE(StateReorder(*s, twice, 3));
    EXPECT_FALSE(StateReorder(*s, reversed, 2));
    EXPECT_EQ(s->devices[s->header.order[0]].profile, static_cast<uint32_t>(ProfileId::Alcor));

    uint32_t sunplus = s->header.order[1];
    ASSERT_TRUE(StateRemoveDevice(*s, sunplus));
    EXPECT_FALSE(StateRemoveDevice(*s, sunplus));
    EXPECT_EQ(s->header.deviceCount, 2u);
    EXPECT_TRUE(StateValid(*s, sizeof *s));
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_TRUE(StateAddDevice(*s, ProfileId::Unknown, nullptr));
    EXPECT_FALSE(StateAddDevice(*s, ProfileId::Unknown, nullptr)) << "all slots taken";
    EXPECT_FALSE(StateAddDevice(*Fresh({}), ProfileId::Count, nullptr));
    EXPECT_TRUE(StateValid(*s, sizeof *s));
}

TEST(SimJournal, KeepsTheNewestCallsAndCutsLongText)
{
    auto s = Fresh({});
    Journal& j = s->journal;
    std::string longText(300, 'x');
    for (uint32_t i = 0; i < kJournalCapacity + 10; ++i)
        JournalAppend(j, 7, "GetSensorRegister", i == kJournalCapacity + 9 ? longText.c_str() : "0,0x0a", "1");
    EXPECT_EQ(JournalFind(j, 1), nullptr) << "overwritten";
    EXPECT_EQ(JournalFind(j, 10), nullptr);
    const JournalEntry* last = JournalFind(j, kJournalCapacity + 10);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(strlen(last->arguments), sizeof last->arguments - 1);
    const JournalEntry* oldest = JournalFind(j, 11);
    ASSERT_NE(oldest, nullptr);
    EXPECT_STREQ(oldest->function, "GetSensorRegister");
    EXPECT_STREQ(oldest->arguments, "0,0x0a");
    EXPECT_EQ(JournalFind(j, kJournalCapacity + 11), nullptr) << "not written yet";
    EXPECT_EQ(JournalFind(j, 0), nullptr);
}

} // namespace
