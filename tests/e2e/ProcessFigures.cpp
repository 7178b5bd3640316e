// Another process's resource figures (see ProcessFigures.h).
#include "ProcessFigures.h"

#include <psapi.h>

#include <cstddef>
#include <vector>

namespace e2e {

namespace {

// The system's handle table (what GetProcessHandleCount would tell, which Wine answers with 0).
struct HandleEntry
{
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG grantedAccess;
};
struct HandleTable
{
    ULONG count;
    HandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;

// Handles the process holds, from the system's handle table; 0 when the table cannot be read.
DWORD HandlesOf(DWORD pid)
{
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return 0;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0)
            break;
        if (attempt == 3)
            return 0;
        buffer.resize(buffer.size() * 4);
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    const size_t room = (buffer.size() - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
    DWORD mine = 0;
    for (size_t i = 0; i < table->count && i < room; ++i)
        mine += table->entries[i].processId == static_cast<USHORT>(pid) ? 1 : 0;
    return mine;
}

double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

Figures Measure(DWORD pid)
{
    Figures figures;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return figures;
    figures.handles = HandlesOf(pid);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        figures.commitBytes = memory.PagefileUsage;
        figures.workingSet = memory.WorkingSetSize;
    }
    figures.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    figures.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return figures;
}

void PrintFigures(const char* what, const Figures& before, const Figures& after)
{
    std::printf("%s: handles %lu -> %lu (%+ld), committed memory %.2f -> %.2f MB (%+.2f MB), "
                "working set %.2f -> %.2f MB (%+.2f MB)\n",
                what, before.handles, after.handles,
                static_cast<long>(after.handles) - static_cast<long>(before.handles), Megabytes(before.commitBytes),
                Megabytes(after.commitBytes), Megabytes(after.commitBytes) - Megabytes(before.commitBytes),
                Megabytes(before.workingSet), Megabytes(after.workingSet),
                Megabytes(after.workingSet) - Megabytes(before.workingSet));
    if (before.gdiObjects == 0 && after.gdiObjects == 0)
        std::printf("  GDI and USER object counts: GetGuiResources answers 0 under Wine, so none are reported\n");
    else
        std::printf("  GDI objects %lu -> %lu, USER objects %lu -> %lu\n", before.gdiObjects, after.gdiObjects,
                    before.userObjects, after.userObjects);
    std::fflush(stdout);
}

} // namespace e2e
