// File-backed shared mapping of the simulated devices and its lock.
#include "sim/shared/SharedState.h"
#include <shlobj.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace sim {
namespace {

constexpr wchar_t kMutexName[] = L"QuilloSimStateLock";

// The mapping lives for the whole process; every StateLock refers to it.
// The mapping and the lock's handle live until the module is unloaded, so a library that is loaded and
// unloaded for every command leaves nothing behind.
struct Mapping
{
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    SharedLayout* view = nullptr;
    HANDLE mutex = nullptr;

    ~Mapping()
    {
        if (view)
            UnmapViewOfFile(view);
        if (mapping)
            CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (mutex)
            CloseHandle(mutex);
    }
};

Mapping g_mapping;

bool OpenMapping()
{
    if (g_mapping.view)
        return true;
    std::wstring path = StateFilePath();
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr); // may exist already
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart != static_cast<LONGLONG>(sizeof(SharedLayout))) {
        // A file of the wrong size is from another version or damaged: give it the right size; the
        // content check below then makes it anew.
        LARGE_INTEGER wanted;
        wanted.QuadPart = sizeof(SharedLayout);
        if (!SetFilePointerEx(file, wanted, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) {
            CloseHandle(file);
            return false;
        }
    }
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, sizeof(SharedLayout), nullptr);
    if (!mapping) {
        CloseHandle(file);
        return false;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedLayout));
    if (!view) {
        CloseHandle(mapping);
        CloseHandle(file);
        return false;
    }
    g_mapping.file = file;
    g_mapping.mapping = mapping;
    g_mapping.view = static_cast<SharedLayout*>(view);
    return true;
}

bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';' || c == '\t';
}

} // namespace

std::wstring StateFilePath()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        lstrcpynW(folder, L"C:\\ProgramData", MAX_PATH);
    return std::wstring(folder) + L"\\QuilloSim\\state.bin";
}

size_t DefaultProfiles(ProfileId* profiles, size_t capacity)
{
    char list[512] = {};
    DWORD n = GetEnvironmentVariableA("QUILLO_SIM_DEVICES", list, sizeof list);
    if (n == 0 || n >= sizeof list) {
        if (capacity == 0)
            return 0;
        profiles[0] = ProfileId::Veyra9665;
        return 1;
    }
    size_t count = 0;
    char* p = list;
    while (*p && count < capacity) {
        while (*p && IsSeparator(*p))
            ++p;
        char* start = p;
        while (*p && !IsSeparator(*p))
            ++p;
        char saved = *p;
        *p = 0;
        ProfileId id;
        if (*start && FindProfile(start, &id))
            profiles[count++] = id;
        *p = saved;
    }
    return count;
}

StateLock::StateLock()
{
    // Opened once per module: a capture filter takes the lock for every frame.
    static HANDLE mutex = g_mapping.mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    if (!mutex)
        return;
    DWORD wait = WaitForSingleObject(mutex, 10000);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
        return;
    m_mutex = mutex;
    if (!OpenMapping())
        return;
    SharedLayout* state = g_mapping.view;
    if (!StateValid(*state, sizeof *state)) {
        ProfileId profiles[kSlotCount];
        size_t count = DefaultProfiles(profiles, kSlotCount);
        StateReset(*state, profiles, count);
    }
    m_state = state;
}

StateLock::~StateLock()
{
    if (m_mutex)
        ReleaseMutex(m_mutex);
}

DeviceState* StateLock::DeviceAt(uint32_t position, uint32_t* slot) const
{
    if (!m_state || position >= m_state->header.deviceCount)
        return nullptr;
    uint32_t s = m_state->header.order[position];
    if (slot)
        *slot = s;
    return &m_state->devices[s];
}

DeviceState* StateLock::PluggedSlot(uint32_t slot) const
{
    if (!m_state || slot >= kSlotCount || !m_state->header.slotUsed[slot] || !m_state->devices[slot].plugged)
        return nullptr;
    return &m_state->devices[slot];
}

DeviceState* StateLock::FirstPlugged(bool (*matches)(const DeviceState&), uint32_t* slot) const
{
    if (!m_state)
        return nullptr;
    for (uint32_t i = 0; i < m_state->header.deviceCount; ++i) {
        uint32_t s = m_state->header.order[i];
        DeviceState& d = m_state->devices[s];
        if (d.plugged && matches(d)) {
            if (slot)
                *slot = s;
            return &d;
        }
    }
    return nullptr;
}

void JournalCall(const char* function, const char* result, const char* argumentFormat, ...)
{
    char arguments[128] = {};
    va_list list;
    va_start(list, argumentFormat);
    vsnprintf(arguments, sizeof arguments, argumentFormat, list);
    va_end(list);
    StateLock lock;
    if (lock.State())
        JournalAppend(lock.State()->journal, GetCurrentProcessId(), function, arguments, result);
}

void StallSensorWrite(bool (*matches)(const DeviceState&))
{
    uint32_t stall = 0;
    {
        StateLock lock;
        if (const DeviceState* d = lock.FirstPlugged(matches))
            stall = d->sensorStallMs;
    }
    if (stall != 0)
        Sleep(stall);
}

} // namespace sim
