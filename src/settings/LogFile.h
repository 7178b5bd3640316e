// The log file "vistrel.log": opened on the first line, kept open until the program ends, every line
// appended with the local time. One process-wide instance lives beside DebugLog.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class LogFile
{
public:
    // The program's own log beside the program module, with the size rule applied.
    LogFile();
    // A log at the given path, with the size rule applied (a file over 512000 bytes is deleted).
    explicit LogFile(std::wstring path, int ceiling = 3);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Appends " HH:MM:SS\t<text>\r\n" when level is within the ceiling. A file that cannot be opened or
    // written loses the line; the next call tries again.
    void Write(int level, const char* text, std::size_t length);

    const std::wstring& Path() const { return m_path; }

private:
    void DiscardIfTooLarge();
    HANDLE OpenShared();

    int m_ceiling;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::wstring m_path;
    SRWLOCK m_lock = SRWLOCK_INIT;
};
