// Entry point and single-instance set-up of Tessel.exe.
#include "sensorhelper/TesselApp.h"

#include "common/SensorHelperProtocol.h"
#include "sensorhelper/TesselDlg.h"

#include <cwchar>

namespace {

// Shared section: the first instance's main thread id, then the latest later instance's command line.
constexpr DWORD kSectionBytes = 4100;
constexpr size_t kCommandLineUnits = 2048;

} // namespace

CTesselApp theApp;

CTesselApp::CTesselApp()
{
    m_secondInstanceMessage = RegisterWindowMessageW(kSensorHelperInstanceName);
    SetLastError(ERROR_SUCCESS);
    m_section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionBytes, kSensorHelperInstanceName);
    m_firstInstance = m_section != nullptr && GetLastError() == ERROR_SUCCESS;
    if (m_section == nullptr)
        return;
    m_view = MapViewOfFile(m_section, FILE_MAP_WRITE, 0, 0, kSectionBytes);
    if (m_view == nullptr)
        return;
    auto* threadId = static_cast<DWORD*>(m_view);
    auto* commandLine = reinterpret_cast<wchar_t*>(static_cast<BYTE*>(m_view) + sizeof(DWORD));
    if (m_firstInstance) {
        *threadId = GetCurrentThreadId();
        commandLine[0] = L'\0';
        return;
    }
    const wchar_t* own = GetCommandLineW();
    const size_t length = own != nullptr ? wcsnlen(own, kCommandLineUnits - 1) : 0;
    if (length > 0)
        wmemcpy(commandLine, own, length);
    commandLine[length] = L'\0';
    (void)PostThreadMessageW(*threadId, m_secondInstanceMessage, 0, 0);
}

CTesselApp::~CTesselApp()
{
    if (m_view != nullptr)
        UnmapViewOfFile(m_view);
    if (m_section != nullptr)
        CloseHandle(m_section);
}

bool CTesselApp::InitInstance()
{
    if (!m_firstInstance)
        return false;
    CTesselDlg dialog;
    SetMainWnd(&dialog);
    (void)dialog.DoModal();
    SetMainWnd(nullptr);
    return false;
}

bool CTesselApp::PreTranslateMessage(MSG& msg)
{
    if (msg.hwnd == nullptr && m_secondInstanceMessage != 0 && msg.message == m_secondInstanceMessage)
        return true;
    return fx::App::PreTranslateMessage(msg);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    return fx::AppMain(instance, nullptr, showCommand);
}
