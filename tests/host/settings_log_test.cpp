// Debug-log rules: level routing, line composition and truncation, the file record, the start-time size
// rule and the path beside the program.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/PathText.h"
#include "settings/LogLine.h"

namespace {

struct LevelCase
{
    int level;
    bool debugger;
    bool file;
};

class LogLevelRouting : public ::testing::TestWithParam<LevelCase>
{
};

TEST_P(LogLevelRouting, ReachesTheOutputsOfItsLevel)
{
    const LevelCase& c = GetParam();
    EXPECT_EQ(LogLevelReachesDebugger(c.level), c.debugger);
    bool file = LogLevelReachesDebugger(c.level) && LogLevelHandsToFile(c.level) &&
                LogFileAcceptsLevel(kLogFileCeiling, c.level);
    EXPECT_EQ(file, c.file);
}

INSTANTIATE_TEST_SUITE_P(Levels, LogLevelRouting,
                         ::testing::Values(LevelCase{-1, false, false}, LevelCase{0, false, false},
                                           LevelCase{1, false, false}, LevelCase{2, true, false},
                                           LevelCase{3, true, true}, LevelCase{4, true, false},
                                           LevelCase{5, true, false}));

TEST(LogFileStartLimit, DeletesOnlyFilesLargerThanTheLimit)
{
    EXPECT_FALSE(LogFileIsDiscardedAtStart(0));
    EXPECT_FALSE(LogFileIsDiscardedAtStart(512000));
    EXPECT_TRUE(LogFileIsDiscardedAtStart(512001));
    EXPECT_TRUE(LogFileIsDiscardedAtStart(5000000000ULL));
}

TEST(LogLine, NarrowLineIsPrefixAndMessage)
{
    char line[kLogMessageChars];
    std::size_t length = ComposeLogLine(line, sizeof line, kLogPrefix, "CSkinDlg::OnCancel In!!!");
    EXPECT_STREQ(line, "[vistrel] CSkinDlg::OnCancel In!!!");
    EXPECT_EQ(length, std::strlen(line));
}

TEST(LogLine, WideLineCarriesTheDash)
{
    wchar_t line[kLogMessageChars];
    ComposeLogLineWide(line, kLogMessageChars, kLogPrefixWide, L"path=C:\\x");
    EXPECT_EQ(std::wstring(line), L"[vistrel]  - path=C:\\x");
}

// A message far longer than the buffer is cut at the buffer's end; the bytes behind it stay untouched.
TEST(LogLine, LongNarrowMessageIsCutInsideItsBuffer)
{
    std::string message(5000, 'x');
    char buffer[kLogMessageChars + 16];
    std::memset(buffer, '#', sizeof buffer);
    std::size_t length = ComposeLogLine(buffer, kLogMessageChars, kLogPrefix, message.c_str());
    EXPECT_EQ(length, kLogMessageChars - 1);
    EXPECT_EQ(buffer[kLogMessageChars - 1], '\0');
    EXPECT_EQ(std::string(buffer, 10), "[vistrel] ");
    for (std::size_t i = kLogMessageChars; i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], '#') << "written past the buffer at " << i;
}

TEST(LogLine, LongWideMessageIsCutInsideItsBuffer)
{
    std::wstring message(4000, L'y');
    wchar_t buffer[kLogMessageChars + 8];
    for (wchar_t& c : buffer)
        c = L'#';
    std::size_t length = ComposeLogLineWide(buffer, kLogMessageChars, kLogPrefixWide, message.c_str());
    EXPECT_EQ(length, kLogMessageChars - 1);
    EXPECT_EQ(buffer[kLogMessageChars - 1], L'\0');
    for (std::size_t i = kLogMessageChars; i < kLogMessageChars + 8; ++i)
        ASSERT_EQ(buffer[i], L'#');
}

TEST(LogLine, WideCutNeverSplitsASurrogatePair)
{
    // Prefix of 13 units, buffer of 16: room for 2 message units, the third would be the pair's second half.
    const wchar_t message[] = {L'a', L'b', 0xD83D, 0xDE00, L'c', 0};
    wchar_t line[16];
    std::size_t length = ComposeLogLineWide(line, 16, kLogPrefixWide, message);
    EXPECT_EQ(std::wstring(line), L"[vistrel]  - ab");
    EXPECT_EQ(length, 15u);
    // With one more unit of room, the whole pair fits.
    wchar_t wider[18];
    ComposeLogLineWide(wider, 18, kLogPrefixWide, message);
    EXPECT_EQ(wider[15], static_cast<wchar_t>(0xD83D));
    EXPECT_EQ(wider[16], static_cast<wchar_t>(0xDE00));
}

TEST(LogLine, TinyBuffersStayTerminated)
{
    char one[1] = {'z'};
    EXPECT_EQ(ComposeLogLine(one, 1, kLogPrefix, "abc"), 0u);
    EXPECT_EQ(one[0], '\0');
    char four[4];
    ComposeLogLine(four, 4, kLogPrefix, "abc");
    EXPECT_STREQ(four, "[vi");
}

TEST(LogFileRecord, HasTimeTabTextAndLineEnd)
{
    char record[kLogRecordChars];
    const char text[] = "[vistrel] CSkinDlg::OnCancel In!!!";
    std::size_t length = FormatLogFileRecord(record, sizeof record, 14, 3, 27, text, std::strlen(text));
    EXPECT_EQ(std::string(record, length), std::string(" 14:03:27\t") + text + "\r\n");
    FormatLogFileRecord(record, sizeof record, 0, 0, 9, "", 0);
    EXPECT_STREQ(record, " 00:00:09\t\r\n");
}

TEST(LogFileRecord, LongestLineFitsWholeAndLongerIsCutKeepingTheLineEnd)
{
    std::string longest(kLogMessageChars - 1, 'q');
    char record[kLogRecordChars];
    std::size_t length = FormatLogFileRecord(record, sizeof record, 23, 59, 59, longest.c_str(), longest.size());
    EXPECT_EQ(length, longest.size() + kLogRecordOverhead);
    EXPECT_EQ(std::string(record + 10, longest.size()), longest);

    char small[20];
    length = FormatLogFileRecord(small, sizeof small, 1, 2, 3, longest.c_str(), longest.size());
    EXPECT_EQ(length, sizeof small - 1);
    EXPECT_EQ(std::string(small + length - 2), "\r\n");
    EXPECT_EQ(FormatLogFileRecord(small, kLogRecordOverhead, 1, 2, 3, "x", 1), 0u);
}

struct PathCase
{
    const wchar_t* module;
    const wchar_t* expected;
};

class FileBesideProgram : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(FileBesideProgram, CutsAfterTheLastBackslash)
{
    EXPECT_EQ(FileBesideModule(GetParam().module, L"vistrel.log"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileBesideProgram,
    ::testing::Values(PathCase{L"C:\\Program Files\\Quillo\\Quillo.exe", L"C:\\Program Files\\Quillo\\vistrel.log"},
                      PathCase{L"\\\\server\\share\\a b\\Q.exe", L"\\\\server\\share\\a b\\vistrel.log"},
                      PathCase{L"Quillo.exe", L"vistrel.log"}));

} // namespace
