// Whether a folder the user typed or chose may become a save folder: the settings store can hold it and it names
// one place whatever the program's current folder is. Windows-free.
#pragma once

#include <string>

namespace folders {

// A full path (a drive and its root, "C:\..." or "C:/...", or a share, "\\server\...") no longer than the
// settings store keeps (store::kMaxTextChars). Empty, relative and drive-relative texts ("C:photos") are refused.
bool IsStorableFolder(const std::wstring& text);

} // namespace folders
