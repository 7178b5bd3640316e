// File numbering (see FileNumbering.h).
#include "settings/FileNumbering.h"

#include <climits>
#include <cstdio>
#include <cwctype>

namespace numbering {

namespace {

// The counter of a picture format, or null for a format without one.
int* FormatCounter(SettingsRecord& record, int format)
{
    switch (format) {
    case 0:
        return &record.m_nBmpNumber;
    case 1:
        return &record.m_nJpgNumber;
    case 2:
        return &record.m_nPngNumber;
    default:
        return nullptr;
    }
}

bool Counts(const std::wstring& name, const wchar_t* prefix)
{
    return name.compare(0, 3, prefix) == 0;
}

// The highest number among the counting names, or -1 when no name counts.
int HighestNumber(const Listing& listing, const wchar_t* prefix)
{
    int highest = -1;
    for (const std::wstring& name : listing.names) {
        if (Counts(name, prefix)) {
            const int number = NumberOfName(name);
            if (number > highest)
                highest = number;
        }
    }
    return highest;
}

// The first number from `number` on whose file is not there yet.
int FirstFree(int number, const NumberTaken& taken)
{
    while (number < INT_MAX && taken && taken(number))
        ++number;
    return number;
}

} // namespace

int NumberOfName(const std::wstring& name)
{
    if (name.size() < 8)
        return 0;
    const std::wstring digits = name.substr(name.size() - 8, 4);
    size_t i = 0;
    while (i < digits.size() && std::iswspace(static_cast<wint_t>(digits[i])))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == L'+' || digits[i] == L'-'))
        negative = digits[i++] == L'-';
    int value = 0;
    for (; i < digits.size() && digits[i] >= L'0' && digits[i] <= L'9'; ++i)
        value = value * 10 + (digits[i] - L'0');
    return negative ? -value : value;
}

bool UpdatePictureNumber(SettingsRecord& record, int format, const Listing& listing, const NumberTaken& taken)
{
    int* counter = FormatCounter(record, format);
    const int highest = HighestNumber(listing, L"IMG");
    if (highest < 0 && record.m_nPictureNumber == -1) {
        record.m_nPictureNumber = 0;
        record.m_nBmpNumber = record.m_nJpgNumber = record.m_nPngNumber = 0;
    } else if (highest >= 0 && counter) {
        if (*counter < highest + 1)
            *counter = highest + 1;
        record.m_nPictureNumber = *counter;
    } else if (listing.names.empty() && counter) {
        record.m_nPictureNumber = *counter;
    }
    // Never hand out the number of a picture that is there already.
    if (record.m_nPictureNumber >= 0) {
        record.m_nPictureNumber = FirstFree(record.m_nPictureNumber, taken);
        if (counter && *counter < record.m_nPictureNumber)
            *counter = record.m_nPictureNumber;
    }
    return highest >= 0;
}

bool UpdateVideoNumber(SettingsRecord& record, const Listing& listing, const NumberTaken& taken)
{
    const int highest = HighestNumber(listing, L"AVI");
    if (listing.names.empty()) {
        record.m_nVideoNumber = 0;
    } else if (highest < 0) {
        if (record.m_nVideoNumber == -1)
            record.m_nVideoNumber = 0;
    } else if (record.m_nVideoNumber < highest + 1) {
        record.m_nVideoNumber = highest + 1;
    }
    if (record.m_nVideoNumber >= 0)
        record.m_nVideoNumber = FirstFree(record.m_nVideoNumber, taken);
    return highest >= 0;
}

std::wstring PictureFileName(int format, int number)
{
    static const wchar_t* const kExtensions[] = {L"bmp", L"jpg", L"png"};
    if (format < 0 || format > 2)
        return std::wstring();
    wchar_t name[32] = {};
    std::swprintf(name, 32, L"IMG%4.4d.%ls", number, kExtensions[format]);
    return name;
}

std::wstring VideoFileName(int number)
{
    wchar_t name[32] = {};
    std::swprintf(name, 32, L"AVI%04d.avi", number);
    return name;
}

const wchar_t* PicturePattern(int format)
{
    switch (format) {
    case 0:
        return L"*.BMP";
    case 1:
        return L"*.JPG";
    case 2:
        return L"*.PNG";
    default:
        return nullptr;
    }
}

} // namespace numbering
