// The arguments a program receives after its name: what the toolbar compares with "/s".
#include "fx/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CommandLineCase
{
    const wchar_t* commandLine;
    const wchar_t* arguments;
};

class ArgumentsAfterProgramNameTest : public ::testing::TestWithParam<CommandLineCase>
{
};

TEST_P(ArgumentsAfterProgramNameTest, SkipsTheProgramNameAndTheBlanksAfterIt)
{
    EXPECT_EQ(std::wstring(fx::ArgumentsAfterProgramName(GetParam().commandLine)), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentsAfterProgramNameTest,
    ::testing::Values(CommandLineCase{L"Quillo.exe /s", L"/s"},
                      CommandLineCase{L"\"C:\\Program Files\\Quillo\\Quillo.exe\" /s", L"/s"},
                      // The name runs to the first blank outside quotes, even past a closing quote.
                      CommandLineCase{L"\"C:\\Program Files\\Quillo\\Quillo.exe\"/s", L""},
                      CommandLineCase{L"C:\\Pro\"gram Fi\"les\\Quillo.exe /s", L"/s"},
                      CommandLineCase{L"Quillo.exe \t  /s", L"/s"},
                      // Trailing blanks and case stay: neither of these is exactly "/s".
                      CommandLineCase{L"Quillo.exe /s ", L"/s "}, CommandLineCase{L"Quillo.exe /S", L"/S"},
                      CommandLineCase{L"Quillo.exe /s /x", L"/s /x"}, CommandLineCase{L"Quillo.exe", L""},
                      CommandLineCase{L"Quillo.exe   ", L""}, CommandLineCase{L"", L""},
                      CommandLineCase{L"\"unterminated name /s", L""}));

TEST(ArgumentsAfterProgramName, StopsAtAnEmbeddedTerminator)
{
    const std::wstring_view line(L"Quillo.exe /s\0garbage", 21);
    EXPECT_EQ(std::wstring(fx::ArgumentsAfterProgramName(line)), L"/s");
}

} // namespace
