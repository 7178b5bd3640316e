// Layout of the simulated devices' shared state file: a header, the call journal and a fixed number
// of device slots. Pure data and rules, so the same checks run on the host and inside every process.
#pragma once
#include "sim/model/DeviceState.h"
#include "sim/model/Profiles.h"
#include <cstddef>
#include <cstdint>

namespace sim {

constexpr uint32_t kStateMagic = 0x4D495351; // "QSIM"
constexpr uint32_t kStateVersion = 4;
constexpr uint32_t kSlotCount = 8;
constexpr uint32_t kJournalCapacity = 256;

struct JournalEntry
{
    uint32_t sequence; // 1, 2, ...; 0 marks an unused entry
    uint32_t process;
    char function[32];
    char arguments[96];
    char result[32];
};

// A bounded ring: the newest kJournalCapacity calls survive.
struct Journal
{
    uint32_t next; // sequence number of the next entry
    uint32_t reserved;
    JournalEntry entries[kJournalCapacity];
};

// Text longer than a field is cut; every field stays terminated.
void JournalAppend(Journal& journal, uint32_t process, const char* function, const char* arguments, const char* result);
// The entry with the given sequence number, or null when it was never written or has been overwritten.
const JournalEntry* JournalFind(const Journal& journal, uint32_t sequence);

struct StateHeader
{
    uint32_t magic;
    uint32_t version;
    uint32_t size;     // sizeof(SharedLayout)
    uint32_t checksum; // over magic, version and size
    uint32_t deviceCount;
    uint32_t order[kSlotCount]; // slots in enumeration order
    uint32_t slotUsed[kSlotCount];
};

struct SharedLayout
{
    StateHeader header;
    Journal journal;
    DeviceState devices[kSlotCount];
};

uint32_t HeaderChecksum(const StateHeader& header);
// True when the bytes hold a usable state: right magic, version, size, checksum and a device list
// that names each used slot once.
bool StateValid(const SharedLayout& state, size_t bytes);
// Makes a fresh state with the given profiles in order (at most kSlotCount are taken).
void StateReset(SharedLayout& state, const ProfileId* profiles, size_t count);

// Device list operations; each returns false and changes nothing when it cannot be done.
bool StateAddDevice(SharedLayout& state, ProfileId profile, uint32_t* slot);
bool StateRemoveDevice(SharedLayout& state, uint32_t slot);
// Puts the slots of the list in the given order; `slots` must name every listed slot once.
bool StateReorder(SharedLayout& state, const uint32_t* slots, size_t count);

} // namespace sim
