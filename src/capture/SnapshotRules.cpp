// Snapshot and recording rules (see SnapshotRules.h).
#include "capture/SnapshotRules.h"

namespace snapshot {

std::wstring WithFinalSeparator(std::wstring folder)
{
    if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/'))
        folder += L'\\';
    return folder;
}

std::wstring VolumeRoot(const std::wstring& path)
{
    const int wanted = path.compare(0, 2, L"\\\\") == 0 ? 4 : 1;
    int seen = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'\\' && ++seen == wanted)
            return path.substr(0, i + 1);
    }
    return path;
}

bool TooFullForSnapshot(int64_t freeKilobytes)
{
    return freeKilobytes < 0 || freeKilobytes / 1024 < 50;
}

bool TooFullForRecording(int64_t freeKilobytes)
{
    return freeKilobytes < 0 || freeKilobytes / 1024 < 1200;
}

std::wstring DateStampText(int year, int month, int day)
{
    return std::to_wstring(year) + L" " + std::to_wstring(month) + L" " + std::to_wstring(day);
}

int DateStampFontHeight(int resState)
{
    switch (resState) {
    case 2:
    case 3:
        return 20;
    case 4:
        return 24;
    default:
        return 16;
    }
}

Box DateStampBox(int width, int height)
{
    return {width - 100, height - 50, width, height};
}

bool FolderFitsFileNames(const std::wstring& folder)
{
    constexpr size_t kPathBuffer = 260;                             // terminator included
    constexpr size_t kLongestName = sizeof "IMG2147483647.png" - 1; // as long as "AVI2147483647.avi"
    return folder.size() + kLongestName < kPathBuffer;
}

} // namespace snapshot
