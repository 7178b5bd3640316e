// Windows-free rules of the debug log (see LogLine.h).
#include "settings/LogLine.h"

#include <cstring>
#include <cwchar>

bool LogLevelReachesDebugger(int level)
{
    return level >= 2;
}

bool LogLevelHandsToFile(int level)
{
    return level >= 3;
}

bool LogFileAcceptsLevel(int ceiling, int level)
{
    return level <= ceiling;
}

bool LogFileIsDiscardedAtStart(std::uint64_t size)
{
    return size > kLogFileStartLimit;
}

namespace {
bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
} // namespace

std::size_t WideCutPoint(const wchar_t* text, std::size_t length, std::size_t limit)
{
    if (length <= limit)
        return length;
    if (limit > 0 && IsHighSurrogate(text[limit - 1]) && IsLowSurrogate(text[limit]))
        return limit - 1;
    return limit;
}

std::size_t ComposeLogLine(char* out, std::size_t outChars, const char* prefix, const char* message)
{
    if (!out || outChars == 0)
        return 0;
    std::size_t length = 0;
    for (const char* part : {prefix, message}) {
        if (!part)
            continue;
        std::size_t partLength = std::strlen(part);
        std::size_t room = outChars - 1 - length;
        if (partLength > room)
            partLength = room;
        std::memcpy(out + length, part, partLength);
        length += partLength;
    }
    out[length] = '\0';
    return length;
}

std::size_t ComposeLogLineWide(wchar_t* out, std::size_t outChars, const wchar_t* prefix, const wchar_t* message)
{
    if (!out || outChars == 0)
        return 0;
    std::size_t length = 0;
    for (const wchar_t* part : {prefix, message}) {
        if (!part)
            continue;
        std::size_t partLength = std::wcslen(part);
        partLength = WideCutPoint(part, partLength, outChars - 1 - length);
        std::wmemcpy(out + length, part, partLength);
        length += partLength;
    }
    // A message cut by its own formatter may end in the first half of a pair; that half is dropped.
    if (length > 0 && IsHighSurrogate(out[length - 1]))
        --length;
    out[length] = L'\0';
    return length;
}

namespace {
void PutTwoDigits(char* out, int value)
{
    if (value < 0)
        value = 0;
    value %= 100;
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}
} // namespace

std::size_t FormatLogFileRecord(char* out, std::size_t outChars, int hour, int minute, int second, const char* text,
                                std::size_t textLength)
{
    if (!out || outChars <= kLogRecordOverhead)
        return 0;
    char* p = out;
    *p++ = ' ';
    PutTwoDigits(p, hour);
    p += 2;
    *p++ = ':';
    PutTwoDigits(p, minute);
    p += 2;
    *p++ = ':';
    PutTwoDigits(p, second);
    p += 2;
    *p++ = '\t';
    std::size_t room = outChars - kLogRecordOverhead - 1;
    if (!text)
        textLength = 0;
    if (textLength > room)
        textLength = room;
    if (textLength)
        std::memcpy(p, text, textLength);
    p += textLength;
    *p++ = '\r';
    *p++ = '\n';
    *p = '\0';
    return static_cast<std::size_t>(p - out);
}
