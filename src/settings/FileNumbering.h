// The running numbers of the picture and video files: from the names a folder holds, the number the next
// snapshot (IMG####.bmp/.jpg/.png) or recording (AVI####.avi) takes. Numbers only grow while the program
// runs; each picture format has its own counter. The highest number among the folder's names counts, whatever
// order the folder lists them in, and a number whose file is already there is passed over, so no file of
// the user's is ever written over. Windows-free.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsRecord.h"

namespace numbering {

// The number a counting name carries: the four characters before its last four characters (IMG0012.JPG
// gives 12, IMG10345.jpg gives 345), read as a decimal number as the C library reads one; no digit gives 0.
int NumberOfName(const std::wstring& name);

// What the folder holds for one kind of file: every name that matches the kind's pattern (*.BMP, *.JPG,
// *.PNG or *.AVI, any case), in listing order.
struct Listing
{
    std::vector<std::wstring> names;
};

// True when the file of that number exists already in the folder.
using NumberTaken = std::function<bool(int number)>;

// Pictures of format (0 BMP, 1 JPEG, 2 PNG): brings m_nPictureNumber and the format's counter up to date.
// Returns true when a numbered picture was found.
bool UpdatePictureNumber(SettingsRecord& record, int format, const Listing& listing, const NumberTaken& taken);
// Recordings: brings m_nVideoNumber up to date. Returns true when a numbered recording was found.
bool UpdateVideoNumber(SettingsRecord& record, const Listing& listing, const NumberTaken& taken);

// The file name of a number: "IMG0007.jpg" (at least four digits), "AVI0012.avi".
std::wstring PictureFileName(int format, int number);
std::wstring VideoFileName(int number);
// The listing pattern of a format: L"*.BMP", L"*.JPG", L"*.PNG"; L"*.AVI" for recordings; null otherwise.
const wchar_t* PicturePattern(int format);

} // namespace numbering
