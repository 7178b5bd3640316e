// A new user's power line under the system locale the test runs under (LANG and LC_ALL, set by CTest): the
// stored codes and the camera's own setting after the preview opens. QUILLO_EXPECTED_FREQUENCY holds the code
// the locale calls for (1: 50 Hz, 2: 60 Hz).
#include "E2eSupport.h"

#include "support/Poll.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

DWORD StoredNumber(const wchar_t* name)
{
    DWORD value = 0xFFFFFFFF, bytes = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo\\Properties\\Options", name, RRF_RT_REG_DWORD, nullptr,
                 &value, &bytes);
    return value;
}

long CameraPowerLine()
{
    const testsupport::RunResult list = testsupport::Simctl(L"list");
    const size_t at = list.output.find(" powerline=");
    return list.Succeeded() && at != std::string::npos ? std::strtol(list.output.c_str() + at + 11, nullptr, 10) : -1;
}

TEST(SettingsLocale, ThePowerLineFollowsTheLocaleAndReachesTheCamera)
{
    const char* expectedText = std::getenv("QUILLO_EXPECTED_FREQUENCY");
    ASSERT_NE(expectedText, nullptr) << "CTest sets the locale's code";
    const DWORD expected = static_cast<DWORD>(std::atoi(expectedText));
    ASSERT_TRUE(e2e::ResetScene());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo"); // a new user
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_TRUE(quillo.Valid());
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo.Pid()), nullptr) << "the preview opens";
    EXPECT_EQ(StoredNumber(L"PowerlineFrequency"), expected);
    EXPECT_EQ(StoredNumber(L"DefaultFrequency"), expected - 1);
    // The preview sets the camera to it (the simulated camera starts at 50 Hz).
    EXPECT_TRUE(testsupport::WaitFor([&] { return CameraPowerLine() == static_cast<long>(expected); }, 5000))
        << "the camera is at " << CameraPowerLine();
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
    EXPECT_TRUE(e2e::ResetScene());
}

} // namespace
