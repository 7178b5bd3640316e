// The recording file under the layout: appends at the end, rewrites headers in place, cuts back after a
// failed write. Other processes may read the file while it is written.
#pragma once

#include <windows.h>

#include "filters/aviwriter/AviLayout.h"

class FileSink : public avi::ByteSink
{
public:
    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    // Creates (or empties) the file.
    HRESULT Create(const wchar_t* path);
    // Closes the file; false when the system reports that the last writes did not land.
    bool Close();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // The system's error of the last failed call (ERROR_SUCCESS when none failed).
    DWORD LastError() const { return m_lastError; }

    bool Append(const void* data, size_t size) override;
    bool Overwrite(uint64_t offset, const void* data, size_t size) override;
    bool Truncate(uint64_t size) override;

private:
    bool WriteAll(const void* data, size_t size);
    bool Seek(uint64_t offset);
    bool Failed();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    uint64_t m_end = 0;
    DWORD m_lastError = ERROR_SUCCESS;
};
