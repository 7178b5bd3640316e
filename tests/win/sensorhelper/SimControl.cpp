// simctl runner of the Tessel tests.
#include "SimControl.h"

#include "TesselProcess.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

std::string RunSimctl(const std::wstring& arguments, bool* ok)
{
    if (ok != nullptr)
        *ok = false;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return std::string();
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::wstring exe = TestFolderFile(L"simctl.exe");
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info = {};
    const BOOL created =
        CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(writeEnd);
    std::string output;
    if (created) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(info.hProcess, 30000);
        DWORD exitCode = 1;
        GetExitCodeProcess(info.hProcess, &exitCode);
        if (ok != nullptr)
            *ok = exitCode == 0;
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(readEnd);
    return output;
}

long SimValue(const std::wstring& getArguments)
{
    const std::string output = RunSimctl(getArguments);
    const size_t at = output.find("value=");
    return at == std::string::npos ? -1 : std::strtol(output.c_str() + at + 6, nullptr, 0);
}

std::vector<std::string> VendorJournal()
{
    static const std::set<std::string> kVendorFunctions = {
        "DeviceDetect",      "ReadFromSensor",    "WriteToSensor",   "SunplusCam_Init", "SunplusCam_UnInit",
        "GetSensorRegister", "SetSensorRegister", "GetASICRegister", "SetASICRegister"};
    std::vector<std::string> calls;
    std::istringstream lines(RunSimctl(L"journal"));
    std::string line;
    auto field = [&line](const char* key) {
        const size_t at = line.find(std::string(" ") + key + "=");
        if (at == std::string::npos)
            return std::string();
        const size_t start = at + std::strlen(key) + 2;
        const size_t end = line.find(" ", start);
        return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string function = field("function");
        if (kVendorFunctions.count(function) == 0)
            continue;
        const size_t resultAt = line.find(" result=");
        const std::string result = resultAt == std::string::npos ? std::string() : line.substr(resultAt + 8);
        calls.push_back(function + "(" + field("args") + ")=" + result);
    }
    return calls;
}
