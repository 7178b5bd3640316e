// The vendor libraries' journal (see VendorJournal.h).
#include "VendorJournal.h"

#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>

std::vector<std::string> VendorJournal()
{
    static const std::set<std::string> kVendorFunctions = {
        "DeviceDetect",      "ReadFromSensor",    "WriteToSensor",   "SunplusCam_Init", "SunplusCam_UnInit",
        "GetSensorRegister", "SetSensorRegister", "GetASICRegister", "SetASICRegister"};
    std::vector<std::string> calls;
    const testsupport::RunResult journal = testsupport::Simctl(L"journal");
    if (!journal.Succeeded()) {
        ADD_FAILURE() << journal;
        return calls;
    }
    std::istringstream lines(journal.output);
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
