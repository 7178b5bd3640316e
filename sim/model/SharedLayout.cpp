// Validation, reset and device-list rules of the shared state, and the journal ring.
#include "sim/model/SharedLayout.h"
#include <cstring>

namespace sim {
namespace {

void CopyField(char* field, size_t size, const char* text)
{
    size_t n = text ? std::strlen(text) : 0;
    if (n >= size)
        n = size - 1;
    if (n)
        std::memcpy(field, text, n);
    field[n] = 0;
}

} // namespace

void JournalAppend(Journal& journal, uint32_t process, const char* function, const char* arguments, const char* result)
{
    if (journal.next == 0)
        journal.next = 1;
    JournalEntry& e = journal.entries[journal.next % kJournalCapacity];
    e.sequence = journal.next++;
    e.process = process;
    CopyField(e.function, sizeof e.function, function);
    CopyField(e.arguments, sizeof e.arguments, arguments);
    CopyField(e.result, sizeof e.result, result);
}

const JournalEntry* JournalFind(const Journal& journal, uint32_t sequence)
{
    if (sequence == 0)
        return nullptr;
    const JournalEntry& e = journal.entries[sequence % kJournalCapacity];
    return e.sequence == sequence ? &e : nullptr;
}

uint32_t HeaderChecksum(const StateHeader& header)
{
    uint32_t sum = 0x9E3779B9u;
    const uint32_t parts[3] = {header.magic, header.version, header.size};
    for (uint32_t p : parts)
        sum = (sum ^ p) * 16777619u + (sum >> 13);
    return sum;
}

bool StateValid(const SharedLayout& state, size_t bytes)
{
    const StateHeader& h = state.header;
    if (bytes < sizeof(SharedLayout) || h.magic != kStateMagic || h.version != kStateVersion ||
        h.size != sizeof(SharedLayout) || h.checksum != HeaderChecksum(h) || h.deviceCount > kSlotCount)
        return false;
    bool seen[kSlotCount] = {};
    for (uint32_t i = 0; i < h.deviceCount; ++i) {
        uint32_t slot = h.order[i];
        if (slot >= kSlotCount || seen[slot] || !h.slotUsed[slot] ||
            state.devices[slot].profile >= static_cast<uint32_t>(kProfileCount))
            return false;
        seen[slot] = true;
    }
    for (uint32_t s = 0; s < kSlotCount; ++s)
        if (h.slotUsed[s] && !seen[s])
            return false;
    return true;
}

void StateReset(SharedLayout& state, const ProfileId* profiles, size_t count)
{
    std::memset(&state, 0, sizeof state);
    StateHeader& h = state.header;
    h.magic = kStateMagic;
    h.version = kStateVersion;
    h.size = sizeof(SharedLayout);
    h.checksum = HeaderChecksum(h);
    state.journal.next = 1;
    for (size_t i = 0; i < count && profiles; ++i) {
        uint32_t slot = 0;
        if (!StateAddDevice(state, profiles[i], &slot))
            break;
    }
}

bool StateAddDevice(SharedLayout& state, ProfileId profile, uint32_t* slot)
{
    StateHeader& h = state.header;
    if (h.deviceCount >= kSlotCount || static_cast<size_t>(profile) >= kProfileCount)
        return false;
    for (uint32_t s = 0; s < kSlotCount; ++s) {
        if (h.slotUsed[s])
            continue;
        ApplyProfile(state.devices[s], profile);
        h.slotUsed[s] = 1;
        h.order[h.deviceCount++] = s;
        if (slot)
            *slot = s;
        return true;
    }
    return false;
}

bool StateRemoveDevice(SharedLayout& state, uint32_t slot)
{
    StateHeader& h = state.header;
    if (slot >= kSlotCount || !h.slotUsed[slot])
        return false;
    uint32_t kept = 0;
    for (uint32_t i = 0; i < h.deviceCount; ++i)
        if (h.order[i] != slot)
            h.order[kept++] = h.order[i];
    h.deviceCount = kept;
    h.slotUsed[slot] = 0;
    state.devices[slot].plugged = 0;
    return true;
}

bool StateReorder(SharedLayout& state, const uint32_t* slots, size_t count)
{
    StateHeader& h = state.header;
    if (!slots || count != h.deviceCount)
        return false;
    bool seen[kSlotCount] = {};
    for (size_t i = 0; i < count; ++i) {
        if (slots[i] >= kSlotCount || !h.slotUsed[slots[i]] || seen[slots[i]])
            return false;
        seen[slots[i]] = true;
    }
    for (size_t i = 0; i < count; ++i)
        h.order[i] = slots[i];
    return true;
}

} // namespace sim
