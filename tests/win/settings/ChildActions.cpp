// The child side of the settings tests and the test program's entry: "--child <action>" runs one action
// in a fresh process, anything else runs the tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "ChildRun.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"
#include "common/ModulePath.h"
#include "support/ChildProcess.h"
#include "support/TestMain.h"

namespace {

bool WriteBeside(const wchar_t* name, const std::string& bytes)
{
    HANDLE file = CreateFileW((ProgramFolder() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
    CloseHandle(file);
    return ok;
}

int LogAction()
{
    ReadLogLevel();
    DebugLog("narrow %d %s", 42, "ok");
    DebugLogW(L"wide %s=%d", L"C:\\path", 7);
    return g_nLogLevel;
}

int LongLogAction()
{
    ReadLogLevel();
    std::string narrow(5000, 'n');
    DebugLog("%s", narrow.c_str());
    std::wstring wide(5000, L'w');
    DebugLogW(L"%s", wide.c_str());
    DebugLog("after");
    return 0;
}

// Lines from several threads at once, as the streaming threads write them next to the user-interface thread.
int ThreadedLogAction()
{
    ReadLogLevel();
    HANDLE threads[4] = {};
    for (HANDLE& thread : threads) {
        thread = CreateThread(
            nullptr, 0,
            [](void*) -> DWORD {
                for (int i = 0; i < 200; ++i)
                    DebugLog("thread %lu line %d %s", GetCurrentThreadId(), i, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
                return 0;
            },
            nullptr, 0, nullptr);
        if (!thread)
            return 5;
    }
    WaitForMultipleObjects(4, threads, TRUE, 60000);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    return 0;
}

std::string LanguageReport()
{
    std::string report = "name=" + testsupport::Narrow(GetOSLanguage()) + "\n";
    report += "StartCam=" + testsupport::Narrow(GetLangText(L"StartCam", L"Start Camera")) + "\n";
    report += "AutoHide=" + testsupport::Narrow(GetLangText(L"AutoHide", L"Auto Hide")) + "\n";
    report += "Exit=" + testsupport::Narrow(GetLangTextBuf(L"Exit", L"Exit")) + "\n";
    return report;
}

int LanguageAction()
{
    return WriteBeside(L"result.txt", LanguageReport()) ? 0 : 3;
}

// The name is decided once; texts are read again at every lookup.
int LanguageFixedForTheRunAction()
{
    std::string report = LanguageReport();
    if (!WriteBeside(L"Lang.ini", "[Language]\r\n0409=Other\r\n0407=Other\r\n[English]\r\nStartCam=Changed\r\n"))
        return 4;
    report += "second=" + testsupport::Narrow(GetOSLanguage()) + "\n";
    report += "StartCam2=" + testsupport::Narrow(GetLangText(L"StartCam", L"Start Camera")) + "\n";
    return WriteBeside(L"result.txt", report) ? 0 : 3;
}

} // namespace

int RunChildAction(const std::wstring& action)
{
    if (action == L"log")
        return LogAction();
    if (action == L"log-long")
        return LongLogAction();
    if (action == L"log-threads")
        return ThreadedLogAction();
    if (action == L"lang")
        return LanguageAction();
    if (action == L"lang-fixed")
        return LanguageFixedForTheRunAction();
    return 100;
}

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        std::string action(argv[2]);
        return RunChildAction(std::wstring(action.begin(), action.end()));
    }
    return testsupport::RunAllTests(argc, argv);
}
