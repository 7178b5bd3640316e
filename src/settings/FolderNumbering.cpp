// Lists the folder and applies the numbering rule (see FileNumbering.h).
#include "settings/FolderNumbering.h"

#include <windows.h>

#include "settings/FileNumbering.h"

namespace {

// Every file (not folder) of folder that matches pattern, in the order the file system lists them.
numbering::Listing ListFiles(const std::wstring& folder, const wchar_t* pattern)
{
    numbering::Listing listing;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return listing;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            listing.names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return listing;
}

std::wstring WithSeparator(const std::wstring& folder)
{
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        return folder;
    return folder + L"\\";
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool FindNextFileNumber(SettingsRecord& record, const std::wstring& folder, int videoFlag)
{
    const std::wstring base = WithSeparator(folder);
    if (videoFlag) {
        return numbering::UpdateVideoNumber(record, ListFiles(folder, L"*.AVI"),
                                            [&](int n) { return Exists(base + numbering::VideoFileName(n)); });
    }
    const int format = record.m_nExportFile;
    const wchar_t* pattern = numbering::PicturePattern(format);
    const numbering::Listing listing = pattern ? ListFiles(folder, pattern) : numbering::Listing();
    return numbering::UpdatePictureNumber(record, format, listing,
                                          [&](int n) { return Exists(base + numbering::PictureFileName(format, n)); });
}
