// The log file "vistrel.log" (see LogFile.h).
#include "settings/LogFile.h"

#include "settings/LogLine.h"
#include "common/ModulePath.h"
#include "common/PathText.h"

LogFile::LogFile() : LogFile(FileBesideModule(ProgramModuleName(), L"vistrel.log"), kLogFileCeiling) {}

LogFile::LogFile(std::wstring path, int ceiling) : m_ceiling(ceiling), m_path(std::move(path))
{
    DiscardIfTooLarge();
}

LogFile::~LogFile()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

void LogFile::DiscardIfTooLarge()
{
    // Only at program load: a log that has grown past the limit is dropped so that this run starts a new one.
    HANDLE file = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size{};
    bool tooLarge = GetFileSizeEx(file, &size) && LogFileIsDiscardedAtStart(static_cast<std::uint64_t>(size.QuadPart));
    CloseHandle(file);
    if (tooLarge)
        (void)DeleteFileW(m_path.c_str()); // a log that cannot be deleted is simply appended to
}

HANDLE LogFile::OpenShared()
{
    return CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void LogFile::Write(int level, const char* text, std::size_t length)
{
    if (!LogFileAcceptsLevel(m_ceiling, level))
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char record[kLogRecordChars];
    std::size_t recordLength =
        FormatLogFileRecord(record, sizeof record, now.wHour, now.wMinute, now.wSecond, text, length);

    // Lines come from the user-interface thread and from streaming threads; the lock keeps one line's
    // seek and write together so that lines never interleave.
    AcquireSRWLockExclusive(&m_lock);
    if (m_file == INVALID_HANDLE_VALUE)
        m_file = OpenShared();
    if (m_file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER zero{};
        DWORD written = 0;
        if (SetFilePointerEx(m_file, zero, nullptr, FILE_END))
            (void)WriteFile(m_file, record, static_cast<DWORD>(recordLength), &written, nullptr); // lost silently
    }
    ReleaseSRWLockExclusive(&m_lock);
}
