// Opens and closes the Properties and the Setting dialog 50 times each, with the preview closed and open, and
// reports the Quillo process's handle count and memory before and after: the dialogs must leave both flat. Run
// it through scripts/measure-dialog-resources, which sets up the prefix first. Not a test: the figures are
// reported, never asserted.
#include "DialogScene.h"

#include "res/resource.h"

#include <psapi.h>

#include <cstddef>
#include <cstdio>
#include <vector>

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

struct Figures
{
    DWORD handles = 0;
    SIZE_T commitBytes = 0;
    SIZE_T workingSet = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

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

// Opens the dialog with its toolbar button and closes it with the same button (its Cancel); false when it did
// not come or did not go.
bool OpenAndClose(scene::Quillo& quillo, UINT button, const wchar_t* title)
{
    quillo.Command(button);
    if (!quillo.Window(title, 15000))
        return false;
    quillo.Command(button);
    return quillo.WindowGone(title, 15000);
}

double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Warm-up (first-use allocations of the system's controls), then 50 rounds; prints one line. False on a failure.
bool Round(scene::Quillo& quillo, UINT button, const wchar_t* title, const char* scene, int rounds)
{
    for (int i = 0; i < 3; ++i)
        if (!OpenAndClose(quillo, button, title))
            return false;
    Sleep(500); // let the program settle before it is measured; the figures are read, not waited for
    const Figures before = Measure(quillo.Pid());
    for (int i = 0; i < rounds; ++i) {
        if (!OpenAndClose(quillo, button, title)) {
            std::printf("%ls, %s: the dialog did not open or close in round %d\n", title, scene, i + 1);
            return false;
        }
    }
    Sleep(500);
    const Figures after = Measure(quillo.Pid());
    std::printf("%ls, %s, %d opens: handles %lu -> %lu (%+ld), committed memory %.2f -> %.2f MB (%+.2f MB), "
                "working set %.2f -> %.2f MB (%+.2f MB)\n",
                title, scene, rounds, before.handles, after.handles,
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
    return true;
}

bool Scene(bool preview, int rounds)
{
    if (!e2e::ResetScene())
        return false;
    scene::Quillo quillo;
    if (!quillo.Start(preview) || (preview && !quillo.Window(L"Quillo", 30000))) {
        std::printf("Quillo did not start\n");
        return false;
    }
    const char* name = preview ? "preview open" : "preview closed";
    const bool ok = Round(quillo, IDC_BAR_PROPERTY, L"Properties", name, rounds) &&
                    Round(quillo, IDC_BAR_SETTING, L"Setting", name, rounds);
    const bool ended = static_cast<bool>(quillo.Exit());
    std::printf("Quillo %s through its Exit\n", ended ? "ended with code 0" : "did NOT end cleanly");
    return ok && ended;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 50;
    // Each scene is the scenario tests' user: the bar on screen, the scene's own folders.
    const bool ok = Scene(false, rounds) && Scene(true, rounds);
    (void)e2e::ResetScene();
    return ok ? 0 : 1;
}
