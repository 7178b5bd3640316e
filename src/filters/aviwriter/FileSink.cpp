// The recording file.
#include "filters/aviwriter/FileSink.h"

FileSink::~FileSink()
{
    (void)Close(); // A writer that stops closes the file itself and reports the result.
}

HRESULT FileSink::Create(const wchar_t* path)
{
    if (!path)
        return E_POINTER;
    (void)Close(); // Any earlier file was already finished.
    m_file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        m_lastError = GetLastError();
        return HRESULT_FROM_WIN32(m_lastError);
    }
    m_end = 0;
    m_lastError = ERROR_SUCCESS;
    return S_OK;
}

bool FileSink::Close()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return true;
    const bool closed = CloseHandle(m_file) != FALSE;
    m_file = INVALID_HANDLE_VALUE;
    return closed || Failed();
}

bool FileSink::Failed()
{
    m_lastError = GetLastError();
    if (m_lastError == ERROR_SUCCESS)
        m_lastError = ERROR_WRITE_FAULT;
    return false;
}

bool FileSink::WriteAll(const void* data, size_t size)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD piece = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(m_file, p, piece, &written, nullptr))
            return Failed();
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return Failed();
        }
        p += written;
        size -= written;
    }
    return true;
}

bool FileSink::Seek(uint64_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(m_file, to, nullptr, FILE_BEGIN) != FALSE || Failed();
}

bool FileSink::Append(const void* data, size_t size)
{
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    // The file pointer stays at the end between calls; a short write leaves it where the bytes stopped,
    // and Truncate puts it back.
    const bool ok = WriteAll(data, size);
    if (ok)
        m_end += size;
    return ok;
}

bool FileSink::Overwrite(uint64_t offset, const void* data, size_t size)
{
    if (m_file == INVALID_HANDLE_VALUE || offset + size > m_end)
        return false;
    return Seek(offset) && WriteAll(data, size) && Seek(m_end);
}

bool FileSink::Truncate(uint64_t size)
{
    if (m_file == INVALID_HANDLE_VALUE || size > m_end)
        return false;
    if (!Seek(size) || !SetEndOfFile(m_file))
        return Failed();
    m_end = size;
    return true;
}
