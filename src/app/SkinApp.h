// The application objects of Quillo: the single-instance base (a named shared section that tells a
// later start where the first instance's main thread is) and CSkinApp, which runs the toolbar.
#pragma once

#include "fx/App.h"

#include <windows.h>

// Single-instance state: the shared section named by the instance name.
class SingleInstanceApp
{
public:
    static constexpr DWORD kSectionSize = 4100;
    static constexpr DWORD kCommandLineOffset = 4;
    static constexpr size_t kCommandLineChars = 2048; // terminator included

protected:
    bool m_bFirstInstance = false;
    HANDLE m_hSection = nullptr;
    void* m_pView = nullptr;
};

class CSingleInstanceApp : public fx::App, public SingleInstanceApp
{
public:
    explicit CSingleInstanceApp(const wchar_t* instanceName);
    ~CSingleInstanceApp() override;

    bool IsFirstInstance() const { return m_bFirstInstance; }
    // A later instance posted its start; wParam and lParam of its message. Nothing by default.
    virtual void OnSecondInstance(WPARAM wParam, LPARAM lParam);

    bool PreTranslateMessage(MSG& msg) override;
};

class CSkinApp : public CSingleInstanceApp
{
public:
    CSkinApp();
    bool InitInstance() override;

    // 0 undetermined, 1 first instance, 2 another instance already runs.
    int m_nInstanceState = 0;
};

// The message registered under the instance name (a later instance posts it to the first's thread).
extern UINT g_uSecondInstanceMessage;
