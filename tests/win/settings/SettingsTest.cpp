// Debug log, text lookup, menu item search and program version, checked in fresh processes with their
// own "vistrel.ini", "vistrel.log" and "Lang.ini" beside the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ChildRun.h"
#include "settings/LangText.h"

namespace {

// Splits a log file into the texts of its records, checking each record's " HH:MM:SS\t...\r\n" frame.
std::vector<std::string> LogTexts(const std::string& bytes)
{
    std::vector<std::string> texts;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "record without CR LF";
        if (end == std::string::npos)
            break;
        std::string record = bytes.substr(at, end - at);
        bool framed =
            record.size() >= 10 && record[0] == ' ' && record[3] == ':' && record[6] == ':' && record[9] == '\t';
        for (int i : {1, 2, 4, 5, 7, 8})
            framed = framed && record.size() > 9 && record[i] >= '0' && record[i] <= '9';
        EXPECT_TRUE(framed) << "record \"" << record << "\"";
        texts.push_back(framed ? record.substr(10) : record);
        at = end + 2;
    }
    return texts;
}

std::vector<std::wstring> OurDebugLines(const testsupport::RunResult& result)
{
    std::vector<std::wstring> lines;
    for (const std::wstring& s : result.debugStrings) {
        if (s.compare(0, 9, L"[vistrel]") == 0)
            lines.push_back(s);
    }
    return lines;
}

// ---- Debug log ----

struct LevelCase
{
    const char* ini; // null: no vistrel.ini at all
    DWORD level;
    bool debugger;
    bool file;
};

class DebugLogLevels : public ::testing::TestWithParam<LevelCase>
{
};

TEST_P(DebugLogLevels, LevelDecidesDebuggerAndFile)
{
    const LevelCase& c = GetParam();
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    if (c.ini) {
        ASSERT_TRUE(child.WriteFileBytes(L"vistrel.ini", c.ini));
    }

    const testsupport::RunResult result = child.Run(L"log");
    ASSERT_TRUE(result.finished) << result;
    EXPECT_EQ(result.exitCode, c.level);

    std::vector<std::wstring> lines = OurDebugLines(result);
    if (c.debugger) {
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], L"[vistrel] narrow 42 ok");
        EXPECT_EQ(lines[1], L"[vistrel]  - wide C:\\path=7");
    } else {
        EXPECT_TRUE(lines.empty());
    }

    EXPECT_EQ(child.Exists(L"vistrel.log"), c.file);
    if (c.file) {
        std::vector<std::string> texts = LogTexts(child.ReadFileBytes(L"vistrel.log"));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], "[vistrel] narrow 42 ok");
        EXPECT_EQ(texts[1], "[vistrel]  - wide C:\\path=7");
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, DebugLogLevels,
                         ::testing::Values(LevelCase{nullptr, 0, false, false},
                                           LevelCase{"[DEBUG]\r\nLOG_LEVEL=1\r\n", 1, false, false},
                                           LevelCase{"[DEBUG]\r\nLOG_LEVEL=2\r\n", 2, true, false},
                                           LevelCase{"[DEBUG]\r\nLOG_LEVEL=3\r\n", 3, true, true},
                                           LevelCase{"[DEBUG]\r\nLOG_LEVEL=5\r\n", 5, true, false},
                                           LevelCase{"[OTHER]\r\nLOG_LEVEL=3\r\n", 0, false, false}));

struct SizeCase
{
    std::size_t size;
    bool kept;
};

class DebugLogStartSize : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(DebugLogStartSize, OversizedLogIsReplacedAtStart)
{
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    ASSERT_TRUE(child.WriteFileBytes(L"vistrel.ini", "[DEBUG]\r\nLOG_LEVEL=3\r\n"));
    std::string old(GetParam().size, 'o');
    ASSERT_TRUE(child.WriteFileBytes(L"vistrel.log", old));

    const testsupport::RunResult result = child.Run(L"log");
    ASSERT_TRUE(result.finished) << result;

    std::string bytes = child.ReadFileBytes(L"vistrel.log");
    if (GetParam().kept) {
        ASSERT_GT(bytes.size(), old.size());
        EXPECT_EQ(bytes.compare(0, old.size(), old), 0) << "old content not kept";
        EXPECT_EQ(LogTexts(bytes.substr(old.size())).size(), 2u);
    } else {
        std::vector<std::string> texts = LogTexts(bytes);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], "[vistrel] narrow 42 ok");
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DebugLogStartSize,
                         ::testing::Values(SizeCase{512000, true}, SizeCase{512001, false}, SizeCase{100, true}));

TEST(DebugLog, OverlongMessagesAreCutAndTheProgramGoesOn)
{
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    ASSERT_TRUE(child.WriteFileBytes(L"vistrel.ini", "[DEBUG]\r\nLOG_LEVEL=3\r\n"));

    const testsupport::RunResult result = child.Run(L"log-long");
    ASSERT_TRUE(result.finished) << result;
    EXPECT_EQ(result.exitCode, 0u);

    std::vector<std::string> texts = LogTexts(child.ReadFileBytes(L"vistrel.log"));
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "[vistrel] " + std::string(1989, 'n'));
    EXPECT_EQ(texts[1], "[vistrel]  - " + std::string(1986, 'w'));
    EXPECT_EQ(texts[2], "[vistrel] after");

    std::vector<std::wstring> lines = OurDebugLines(result);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], L"[vistrel] after");
}

TEST(DebugLog, LinesFromSeveralThreadsStayWhole)
{
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    ASSERT_TRUE(child.WriteFileBytes(L"vistrel.ini", "[DEBUG]\r\nLOG_LEVEL=3\r\n"));

    const testsupport::RunResult result = child.Run(L"log-threads");
    ASSERT_TRUE(result.finished) << result;
    EXPECT_EQ(result.exitCode, 0u);

    std::vector<std::string> texts = LogTexts(child.ReadFileBytes(L"vistrel.log"));
    EXPECT_EQ(texts.size(), 800u);
    for (const std::string& text : texts) {
        ASSERT_EQ(text.compare(0, 17, "[vistrel] thread "), 0) << text;
        ASSERT_EQ(text.substr(text.size() - 33), " xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx") << text;
    }
}

// ---- Language and text lookup ----

// Sets (or removes) the machine's "Language" value for one test and puts back what was there.
class MachineLanguage
{
public:
    explicit MachineLanguage(const DWORD* language)
    {
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                            &disposition) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        m_createdKey = disposition == REG_CREATED_NEW_KEY;
        m_oldSize = sizeof m_old;
        m_hadValue = RegQueryValueExW(m_key, L"Language", nullptr, &m_oldType, m_old, &m_oldSize) == ERROR_SUCCESS;
        if (language)
            m_ok = RegSetValueExW(m_key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(language),
                                  sizeof *language) == ERROR_SUCCESS;
        else
            m_ok = RegDeleteValueW(m_key, L"Language") == ERROR_SUCCESS || !m_hadValue;
    }
    ~MachineLanguage()
    {
        if (!m_key)
            return;
        if (m_hadValue)
            RegSetValueExW(m_key, L"Language", 0, m_oldType, m_old, m_oldSize);
        else
            RegDeleteValueW(m_key, L"Language");
        RegCloseKey(m_key);
        if (m_createdKey)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
    }
    bool Ok() const { return m_key && m_ok; }

private:
    static constexpr const wchar_t* kKey = L"Software\\Norvane\\Quillo";
    HKEY m_key = nullptr;
    bool m_ok = false;
    bool m_hadValue = false;
    bool m_createdKey = false;
    DWORD m_oldType = 0;
    BYTE m_old[64] = {};
    DWORD m_oldSize = 0;
};

// The code of the system's default language as this prefix reports it, "0409" when it does not.
std::string SystemLanguageCode()
{
    wchar_t text[16] = {};
    DWORD size = sizeof text - sizeof text[0];
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Nls\\Language", L"Default",
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS ||
        !text[0])
        return "0409";
    std::wstring wide(text);
    return std::string(wide.begin(), wide.end());
}

std::string LangIni()
{
    return "[Language]\r\n0409=English\r\n" + SystemLanguageCode() +
           "=English\r\n0407=German\r\n0804=Chinese(Simplified)\r\n"
           "[English]\r\nStartCam=Go\r\nAutoHide=\r\n"
           "[German]\r\nStartCam=Kamera starten\r\n"
           "[Chinese(Simplified)]\r\nStartCam=Kaishi\r\nExit=Tuichu\r\n";
}

struct LanguageCase
{
    const char* name;
    bool hasMachineValue;
    DWORD machineValue;
    bool hasLangIni;
    const char* expected;
};

class LanguageLookup : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(LanguageLookup, ChoosesTheLanguageAndItsTexts)
{
    const LanguageCase& c = GetParam();
    MachineLanguage machine(c.hasMachineValue ? &c.machineValue : nullptr);
    ASSERT_TRUE(machine.Ok());
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    if (c.hasLangIni) {
        ASSERT_TRUE(child.WriteFileBytes(L"Lang.ini", LangIni()));
    }

    const testsupport::RunResult result = child.Run(L"lang");
    ASSERT_TRUE(result.finished) << result;
    ASSERT_EQ(result.exitCode, 0u);
    EXPECT_EQ(child.ReadFileBytes(L"result.txt"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, LanguageLookup,
    ::testing::Values(
        // The system default decides; an empty value and a missing key both give the English default.
        LanguageCase{"SystemDefault", false, 0, true, "name=English\nStartCam=Go\nAutoHide=Auto Hide\nExit=Exit\n"},
        LanguageCase{"MachineGerman", true, 1031, true,
                     "name=German\nStartCam=Kamera starten\nAutoHide=Auto Hide\nExit=Exit\n"},
        // 2052 is the code "0804".
        LanguageCase{"MachineChinese", true, 2052, true,
                     "name=Chinese(Simplified)\nStartCam=Kaishi\nAutoHide=Auto Hide\nExit=Tuichu\n"},
        // A code without an entry in [Language] gives English.
        LanguageCase{"MachineUnlisted", true, 1036, true, "name=English\nStartCam=Go\nAutoHide=Auto Hide\nExit=Exit\n"},
        LanguageCase{"NoLangIni", true, 1031, false,
                     "name=English\nStartCam=Start Camera\nAutoHide=Auto Hide\nExit=Exit\n"}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(LanguageLookup, NameIsFixedForTheRunWhileTextsAreReadEachTime)
{
    MachineLanguage machine(nullptr);
    ASSERT_TRUE(machine.Ok());
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    ASSERT_TRUE(child.WriteFileBytes(L"Lang.ini", LangIni()));

    const testsupport::RunResult result = child.Run(L"lang-fixed");
    ASSERT_TRUE(result.finished) << result;
    ASSERT_EQ(result.exitCode, 0u);
    std::string report = child.ReadFileBytes(L"result.txt");
    EXPECT_NE(report.find("second=English\n"), std::string::npos) << report;
    EXPECT_NE(report.find("StartCam2=Changed\n"), std::string::npos) << report;
}

// A damaged or hostile Lang.ini: the program goes on with whole texts (the English defaults where nothing usable
// is found), never more than a text's room.
struct BadLangIniCase
{
    const char* name;
    std::string (*body)();
    const char* startCamPrefix; // what the StartCam text begins with
    const char* restPrefix;     // what the report after the StartCam line begins with
};

std::string JunkBytes()
{
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        const char c = static_cast<char>(state >> 16);
        if (c != '[' && c != '=')
            junk.push_back(c); // NULs, control bytes and broken UTF-8 included
    }
    return junk;
}

class BadLangIni : public ::testing::TestWithParam<BadLangIniCase>
{
};

TEST_P(BadLangIni, GivesWholeTextsOrTheDefaults)
{
    const BadLangIniCase& c = GetParam();
    MachineLanguage machine(nullptr);
    ASSERT_TRUE(machine.Ok());
    ChildFolder child;
    ASSERT_TRUE(child.Ready());
    ASSERT_TRUE(child.WriteFileBytes(L"Lang.ini", c.body()));

    const testsupport::RunResult result = child.Run(L"lang");
    ASSERT_TRUE(result.finished) << result;
    ASSERT_EQ(result.exitCode, 0u);
    const std::string report = child.ReadFileBytes(L"result.txt");
    const size_t startCam = report.find("\nStartCam=");
    const size_t end = report.find("\nAutoHide=");
    ASSERT_NE(startCam, std::string::npos) << report;
    ASSERT_NE(end, std::string::npos) << report;
    const std::string text = report.substr(startCam + 10, end - startCam - 10);
    EXPECT_EQ(text.rfind(c.startCamPrefix, 0), 0u) << text;
    EXPECT_LT(text.size(), 512u) << "a text longer than any buffer of the program";
    EXPECT_EQ(report.substr(end + 1).rfind(c.restPrefix, 0), 0u) << report.substr(end + 1);
    EXPECT_LT(report.size(), 1200u) << "texts longer than any buffer of the program";
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadLangIni,
    ::testing::Values(BadLangIniCase{"OverlongValues",
                                     [] {
                                         return "[Language]\r\n0409=English\r\n" + SystemLanguageCode() +
                                                "=English\r\n[English]\r\n" + "StartCam=" + std::string(5000, 'x') +
                                                "\r\nExit=" + std::string(5000, 'y') + "\r\n";
                                     },
                                     "xxxxxxxxxxxxxxxxxxxx", "AutoHide=Auto Hide\nExit=yyyyyyyyyyyyyyyyyyyy"},
                      BadLangIniCase{"OverlongLanguageName",
                                     [] {
                                         return "[Language]\r\n0409=" + std::string(5000, 'L') + "\r\n" +
                                                SystemLanguageCode() + "=" + std::string(5000, 'L') +
                                                "\r\n[English]\r\nStartCam=Go\r\n";
                                     },
                                     "Start Camera", "AutoHide=Auto Hide\nExit=Exit\n"},
                      BadLangIniCase{"BinaryJunk", &JunkBytes, "Start Camera", "AutoHide=Auto Hide\nExit=Exit\n"},
                      BadLangIniCase{
                          "LanguageWithoutItsSection",
                          [] { return "[Language]\r\n0409=German\r\n" + SystemLanguageCode() + "=German\r\n"; },
                          "Start Camera", "AutoHide=Auto Hide\nExit=Exit\n"}),
    [](const ::testing::TestParamInfo<BadLangIniCase>& info) { return std::string(info.param.name); });

// ---- Menu item search ----

class MenuItemSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_menu = CreatePopupMenu();
        m_sub = CreatePopupMenu();
        ASSERT_NE(m_menu, nullptr);
        ASSERT_NE(m_sub, nullptr);
        AppendMenuW(m_sub, MF_STRING, 32807, L"&Left");
        AppendMenuW(m_menu, MF_STRING, 32811, L"&Auto Hide");
        AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_sub), L"Toolbar &Position");
        AppendMenuW(m_menu, MF_STRING, 32810, L"&Close");
    }
    void TearDown() override
    {
        if (m_menu)
            DestroyMenu(m_menu); // destroys the submenu with it
    }
    HMENU m_menu = nullptr;
    HMENU m_sub = nullptr;
};

TEST_F(MenuItemSearch, FindsOnlyTheExactText)
{
    EXPECT_EQ(FindMenuItemByText(m_menu, L"&Auto Hide"), 0);
    EXPECT_EQ(FindMenuItemByText(m_menu, L"Toolbar &Position"), 2);
    EXPECT_EQ(FindMenuItemByText(m_menu, L"&Close"), 3);
    EXPECT_EQ(FindMenuItemByText(m_menu, L"Toolbar Position"), -1);
    EXPECT_EQ(FindMenuItemByText(m_menu, L"toolbar &position"), -1);
    EXPECT_EQ(FindMenuItemByText(m_menu, L"Toolbar &Position "), -1);
    EXPECT_EQ(FindMenuItemByText(m_menu, L""), -1);
    // Items of a submenu are not searched from the parent.
    EXPECT_EQ(FindMenuItemByText(m_menu, L"&Left"), -1);
    EXPECT_EQ(FindMenuItemByText(m_sub, L"&Left"), 0);
}

TEST_F(MenuItemSearch, EmptyOrMissingMenuFindsNothing)
{
    HMENU empty = CreatePopupMenu();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(FindMenuItemByText(empty, L"&Close"), -1);
    DestroyMenu(empty);
    EXPECT_EQ(FindMenuItemByText(nullptr, L"&Close"), -1);
    EXPECT_EQ(FindMenuItemByText(m_menu, nullptr), -1);
}

// ---- Program version ----

TEST(ProgramVersion, FormatsTheFixedFileVersion)
{
    std::wstring version;
    ASSERT_TRUE(GetProgramVersion(version));
    // The file version, not the product version (9.8.7.6) of the same resource.
    EXPECT_EQ(version, L"3.14.159.2653");
}

TEST(ProgramVersion, ProgramWithoutVersionResourceGivesFalse)
{
    ChildFolder child(L"settings_noversion_probe.exe");
    ASSERT_TRUE(child.Ready());
    const testsupport::RunResult result = child.Run(L"version");
    ASSERT_TRUE(result.finished) << result;
    EXPECT_EQ(result.exitCode, 0u) << "a version was reported for a program without a version resource";
}

} // namespace
