// What the snapshot, the recording and the Setting dialog ask of a folder before they write into it: whether a
// file can be made there, and how much room its disk has.
#pragma once

#include <cstdint>
#include <string>

// Creates and deletes "trdc.tmp" in the folder: 0 when that worked, -1 otherwise. The trace line names the
// asking window ("Preview", "Setting").
int CheckUACFolder(const std::wstring& folder, const char* owner);
// Free space of the folder's volume in kilobytes, -1 when it cannot be measured.
int64_t FreeKilobytes(const std::wstring& folder);
