// simctl runner of the camera tests (see SimCtl.h).
#include "SimCtl.h"

#include <windows.h>

namespace {
std::wstring SimctlPath()
{
    wchar_t path[4096] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, 4096);
    std::wstring program(path, length < 4096 ? length : 0);
    return program.substr(0, program.rfind(L'\\') + 1) + L"simctl.exe";
}
} // namespace

bool SimctlPresent()
{
    return GetFileAttributesW(SimctlPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RunSimctl(const std::wstring& arguments, std::string* output)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring exe = SimctlPath();
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    BOOL created =
        CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    DWORD exitCode = 1;
    if (created) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            if (output)
                output->append(buffer, got);
        }
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return created && exitCode == 0;
}
