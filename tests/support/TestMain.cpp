// The entry of every test program and its report of skipped cases (see TestMain.h).
#include "support/TestMain.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

namespace {

// The program's file name without folder and extension.
std::string ProgramName(const char* path)
{
    std::string name = path ? path : "";
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

// One line of text: line breaks become " / ", surrounding blanks go.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            line += " / ";
        else
            line += c;
    }
    const size_t first = line.find_first_not_of(" /");
    const size_t last = line.find_last_not_of(" /");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

class SkipReport : public ::testing::EmptyTestEventListener
{
public:
    explicit SkipReport(std::string program) : m_program(std::move(program)) {}

    void OnTestPartResult(const ::testing::TestPartResult& part) override
    {
        if (part.skipped())
            m_reason = OneLine(part.message());
    }

    void OnTestStart(const ::testing::TestInfo&) override { m_reason.clear(); }

    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        if (!info.result()->Skipped())
            return;
        m_skipped.push_back(std::string(info.test_suite_name()) + "." + info.name() + ": " +
                            (m_reason.empty() ? "no reason given" : m_reason));
    }

    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        for (const std::string& line : m_skipped)
            std::printf("skipped case: %s: %s\n", m_program.c_str(), line.c_str());
        std::fflush(stdout);
    }

private:
    std::string m_program;
    std::string m_reason;
    std::vector<std::string> m_skipped;
};

} // namespace

int RunAllTests(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SkipReport(ProgramName(argc > 0 ? argv[0] : "")));
    return RUN_ALL_TESTS();
}

} // namespace testsupport
