#include "app/SkinApp.h"

#include "app/SkinDlg.h"

#include <cwchar>

namespace {
constexpr wchar_t kInstanceName[] = L"{49E4CD26-9489-4474-91B0-2A30F6CA3097}";
constexpr wchar_t kSemaphoreName[] = L"WMC32DUMMYSEMAPHORE";
} // namespace

UINT g_uSecondInstanceMessage = 0;

CSingleInstanceApp::CSingleInstanceApp(const wchar_t* instanceName)
{
    g_uSecondInstanceMessage = RegisterWindowMessageW(instanceName);

    SetLastError(0);
    m_hSection = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionSize, instanceName);
    m_bFirstInstance = m_hSection != nullptr && GetLastError() == 0;
    if (!m_hSection)
        return;
    m_pView = MapViewOfFile(m_hSection, FILE_MAP_ALL_ACCESS, 0, 0, kSectionSize);
    if (!m_pView)
        return;

    auto* threadId = static_cast<DWORD*>(m_pView);
    auto* commandLine = reinterpret_cast<wchar_t*>(static_cast<char*>(m_pView) + kCommandLineOffset);
    if (m_bFirstInstance) {
        *threadId = GetCurrentThreadId();
        commandLine[0] = L'\0';
        return;
    }
    // The command line is kept for the first instance, truncated to the section's room.
    const wchar_t* ours = GetCommandLineW();
    size_t length = wcsnlen(ours, kCommandLineChars - 1);
    wmemcpy(commandLine, ours, length);
    commandLine[length] = L'\0';
    PostThreadMessageW(*threadId, g_uSecondInstanceMessage, 0, 0);
}

CSingleInstanceApp::~CSingleInstanceApp()
{
    if (m_pView)
        UnmapViewOfFile(m_pView);
    if (m_hSection)
        CloseHandle(m_hSection);
}

void CSingleInstanceApp::OnSecondInstance(WPARAM, LPARAM) {}

bool CSingleInstanceApp::PreTranslateMessage(MSG& msg)
{
    if (msg.hwnd == nullptr && g_uSecondInstanceMessage != 0 && msg.message == g_uSecondInstanceMessage) {
        OnSecondInstance(msg.wParam, msg.lParam);
        return true;
    }
    return fx::App::PreTranslateMessage(msg);
}

CSkinApp::CSkinApp() : CSingleInstanceApp(kInstanceName) {}

bool CSkinApp::InitInstance()
{
    // The semaphore marks the running instance until this process ends; its handle is never closed.
    HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, kSemaphoreName);
    if (semaphore)
        m_nInstanceState = GetLastError() == ERROR_ALREADY_EXISTS ? 2 : 1;

    CSkinDlg dialog;
    dialog.m_nInstanceState = m_nInstanceState;
    SetMainWnd(&dialog);
    dialog.DoModal();
    SetMainWnd(nullptr);
    return false;
}
