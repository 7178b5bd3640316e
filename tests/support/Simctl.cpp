// simctl runner of the tests (see Simctl.h).
#include "support/Simctl.h"

#include "common/ModulePath.h"

#include <cstdlib>

namespace testsupport {

RunResult Simctl(const std::wstring& arguments)
{
    return Run(PathBesideProgram(L"simctl.exe"), arguments);
}

::testing::AssertionResult SimctlOk(const std::wstring& arguments)
{
    const RunResult result = Simctl(arguments);
    if (result.Succeeded())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result;
}

long SimValue(const std::wstring& getArguments)
{
    const RunResult result = Simctl(getArguments);
    const size_t at = result.output.find("value=");
    if (!result.Succeeded() || at == std::string::npos) {
        ADD_FAILURE() << "no value from " << result;
        return -1;
    }
    return std::strtol(result.output.c_str() + at + 6, nullptr, 0);
}

} // namespace testsupport
