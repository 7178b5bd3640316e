// Process and folder helpers of the Tessel tests.
#include "TesselProcess.h"

#include <vector>

std::wstring TestFolderFile(const wchar_t* file)
{
    std::vector<wchar_t> path(32768);
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + file;
}

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"tessel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount());
    CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((m_path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((m_path + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(m_path.c_str());
}

bool ScratchFolder::CopyFromTestFolder(const wchar_t* file) const
{
    return CopyFileW(TestFolderFile(file).c_str(), (m_path + L"\\" + file).c_str(), FALSE) != FALSE;
}

TesselProcess::~TesselProcess()
{
    if (m_info.hProcess != nullptr) {
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_info.hProcess, 99);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
}

bool TesselProcess::Start(const std::wstring& exePath, const std::wstring& workingFolder)
{
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    const std::wstring folder = workingFolder.empty() ? exePath.substr(0, exePath.find_last_of(L'\\')) : workingFolder;
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &m_info) != FALSE;
}

bool TesselProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode)
{
    if (m_info.hProcess == nullptr || WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(m_info.hProcess, &exitCode) != FALSE;
}

bool TesselProcess::Running() const
{
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

HWND WaitForTesselWindow(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindWindowW(nullptr, L"Tessel"))
            return window;
        if (GetTickCount() - start > milliseconds)
            return nullptr;
        Sleep(50);
    }
}

int CountTesselWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t title[16] = {};
            GetWindowTextW(window, title, 16);
            if (lstrcmpW(title, L"Tessel") == 0)
                ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}
