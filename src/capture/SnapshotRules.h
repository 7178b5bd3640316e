// Windows-free rules of snapshots and recordings on disk: the picture folder's separator, the volume a folder
// lies on, when a disk counts as full, and the date stamp of a picture (its text, font size and box).
#pragma once

#include <cstdint>
#include <string>

namespace snapshot {

// The folder with a final "\" added unless it already ends in "\" or "/".
std::wstring WithFinalSeparator(std::wstring folder);
// The root of the volume a full path lies on: the path cut after its first backslash, or after its fourth for
// a network path ("\\server\share\").
std::wstring VolumeRoot(const std::wstring& path);

// The picture or video folder (with its final separator) leaves room for the longest numbered file name of either
// ("IMG" or "AVI", ten digits, extension) inside a path of 260 code units, the terminator included: the snapshot
// writer's buffers and the system's path limit.
bool FolderFitsFileNames(const std::wstring& folder);

// Free space in kilobytes (-1: it could not be measured). A snapshot needs 50 MB, a recording 1200 MB.
bool TooFullForSnapshot(int64_t freeKilobytes);
bool TooFullForRecording(int64_t freeKilobytes);

// The stamp's text: year, month and day without leading zeros ("2024 7 4").
std::wstring DateStampText(int year, int month, int day);
// The stamp's font height by resolution state: 16 at 320 x 240 and 640 x 480 (and any unknown state), 20 at
// 1280 x 720 and 1280 x 800, 24 at 1280 x 1024.
int DateStampFontHeight(int resState);

struct Box
{
    int left, top, right, bottom;
};
// The 100 x 50 box in the picture's lower right corner the date is drawn in.
Box DateStampBox(int width, int height);

} // namespace snapshot
