// Folder checks (see FolderChecks.h).
#include "capture/FolderChecks.h"

#include <windows.h>

#include "capture/SnapshotRules.h"
#include "settings/DebugLog.h"

int CheckUACFolder(const std::wstring& folder, const char* owner)
{
    const std::wstring name = folder + L"\\trdc.tmp";
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DebugLogW(L"%S::CheckUACFolder filename=%s", owner ? owner : "Preview", name.c_str());
    CloseHandle(file);
    (void)DeleteFileW(name.c_str()); // an empty file left behind harms nothing
    return 0;
}

int64_t FreeKilobytes(const std::wstring& folder)
{
    const std::wstring root = snapshot::VolumeRoot(folder);
    ULARGE_INTEGER available = {}, total = {}, free = {};
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free))
        return -1;
    return static_cast<int64_t>(free.QuadPart / 1024);
}
