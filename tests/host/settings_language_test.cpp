// Language decisions: the code from the machine's value and from the system default, and the choice
// between a looked-up text and its English default.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/LanguageChoice.h"

namespace {

struct CodeCase
{
    std::uint32_t language;
    const wchar_t* code;
};

class LanguageCodeFormat : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(LanguageCodeFormat, IsLowerCaseHexWithAtLeastFourDigits)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(FormatLanguageCode(c.language), c.code);
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(c.language), static_cast<std::uint8_t>(c.language >> 8),
                             static_cast<std::uint8_t>(c.language >> 16), static_cast<std::uint8_t>(c.language >> 24)};
    EXPECT_EQ(LanguageCodeFromRegistryBytes(bytes, 4), c.code);
}

INSTANTIATE_TEST_SUITE_P(Codes, LanguageCodeFormat,
                         ::testing::Values(CodeCase{1033, L"0409"}, CodeCase{2052, L"0804"}, CodeCase{1031, L"0407"},
                                           CodeCase{0x0c0a, L"0c0a"}, CodeCase{0, L"0000"}, CodeCase{0x12345, L"12345"},
                                           CodeCase{0xFFFFFFFFu, L"ffffffff"}));

TEST(LanguageCodeFromRegistry, OnlyTheFirstFourBytesCount)
{
    const std::uint8_t bytes[10] = {0x04, 0x08, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    EXPECT_EQ(LanguageCodeFromRegistryBytes(bytes, sizeof bytes), L"0804");
}

TEST(LanguageCodeFromRegistry, ShortValueCountsMissingBytesAsZero)
{
    const std::uint8_t bytes[2] = {0x09, 0x04};
    EXPECT_EQ(LanguageCodeFromRegistryBytes(bytes, 2), L"0409");
    EXPECT_EQ(LanguageCodeFromRegistryBytes(bytes, 0), L"0000");
    EXPECT_EQ(LanguageCodeFromRegistryBytes(nullptr, 4), L"0000");
}

TEST(LanguageCodeFromSystem, TakesTheTextOrFallsBackToUsEnglish)
{
    const std::uint16_t german[] = {'0', '4', '0', '7', 0};
    EXPECT_EQ(LanguageCodeFromSystemDefault(true, german, 5), L"0407");
    // A full ten-byte value without a terminator is still read only within its size.
    const std::uint16_t unterminated[] = {'0', '8', '0', '4', '9'};
    EXPECT_EQ(LanguageCodeFromSystemDefault(true, unterminated, 4), L"0804");
    EXPECT_EQ(LanguageCodeFromSystemDefault(false, german, 5), L"0409");
    const std::uint16_t empty[] = {0, 0};
    EXPECT_EQ(LanguageCodeFromSystemDefault(true, empty, 2), L"0409");
}

TEST(LangTextChoice, EmptyLookupGivesTheEnglishDefault)
{
    EXPECT_EQ(TextOrDefault(L"Go", L"Start Camera"), L"Go");
    EXPECT_EQ(TextOrDefault(L"", L"Start Camera"), L"Start Camera");
    EXPECT_EQ(TextOrDefault(L"", nullptr), L"");
}

TEST(LangTextChoice, SharedBufferIsClearedAndNeverOverrun)
{
    wchar_t buffer[8 + 4];
    for (wchar_t& c : buffer)
        c = L'#';
    EXPECT_EQ(std::wstring(CopyTextOrDefault(buffer, 8, L"a much longer text", L"x")), L"a much ");
    for (int i = 8; i < 12; ++i)
        EXPECT_EQ(buffer[i], L'#');
    CopyTextOrDefault(buffer, 8, L"", L"Exit");
    EXPECT_EQ(std::wstring(buffer), L"Exit");
    // Nothing of the earlier, longer text is left behind the terminator.
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(buffer[i], L'\0');
}

} // namespace
