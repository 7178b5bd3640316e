// Reads res/Quillo.rc, res/Tessel.rc and res/lang/Lang.ini the way a resource compiler and the text lookup
// would, and checks them against what the programs rely on: dialog templates with their controls, styles and
// pixel layout, menus with their exact texts, and a complete set of interface texts in every language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string SourcePath(const std::string& relative)
{
    return std::string(QUILLO_SOURCE_DIR) + "/" + relative;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Splits at top-level commas; quoted strings stay whole (quotes kept).
std::vector<std::string> SplitArgs(const std::string& s)
{
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (char c : s) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            out.push_back(Trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!Trim(cur).empty())
        out.push_back(Trim(cur));
    return out;
}

std::string Unquote(const std::string& s)
{
    return s.size() >= 2 && s.front() == '"' && s.back() == '"' ? s.substr(1, s.size() - 2) : s;
}

// Integer #defines of res/resource.h plus the few system ids the scripts use.
std::map<std::string, long> Symbols()
{
    std::map<std::string, long> symbols{{"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_STATIC", -1}};
    std::istringstream in(ReadFile(SourcePath("res/resource.h")));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string directive, name, value;
        ls >> directive >> name >> value;
        if (directive == "#define" && !value.empty() && std::isdigit(static_cast<unsigned char>(value[0])))
            symbols[name] = std::stol(value, nullptr, 0);
    }
    return symbols;
}

long Resolve(const std::string& token)
{
    static const std::map<std::string, long> symbols = Symbols();
    std::string t = Trim(token);
    if (!t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-'))
        return std::stol(t, nullptr, 0);
    auto it = symbols.find(t);
    return it == symbols.end() ? -100000 : it->second;
}

// Statements of a script with continuation lines (a line ending in a comma) joined; comments dropped.
std::vector<std::string> Statements(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    bool continues = false;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.empty() || t.rfind("//", 0) == 0)
            continue;
        if (continues)
            out.back() += " " + t;
        else
            out.push_back(t);
        continues = out.back().back() == ',';
    }
    return out;
}

struct Control
{
    std::string kind, text, cls, style;
    long id = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

struct Dialog
{
    int w = 0, h = 0;
    std::string style, exstyle, caption, font;
    bool captionBeforeStyle = false;
    std::vector<Control> controls;
    const Control* Find(long id) const
    {
        for (const Control& c : controls)
            if (c.id == id)
                return &c;
        return nullptr;
    }
};

Control ParseControl(const std::string& statement)
{
    Control c;
    size_t space = statement.find_first_of(" \t");
    c.kind = statement.substr(0, space);
    std::vector<std::string> a = SplitArgs(statement.substr(space));
    auto rect = [&](size_t i) {
        if (a.size() >= i + 4) {
            c.x = std::stoi(a[i]);
            c.y = std::stoi(a[i + 1]);
            c.w = std::stoi(a[i + 2]);
            c.h = std::stoi(a[i + 3]);
        }
    };
    if (c.kind == "CONTROL" && a.size() >= 8) {
        c.text = Unquote(a[0]);
        c.id = Resolve(a[1]);
        c.cls = Unquote(a[2]);
        c.style = a[3];
        rect(4);
    } else if (c.kind == "COMBOBOX" || c.kind == "EDITTEXT" || c.kind == "LISTBOX") {
        c.id = Resolve(a[0]);
        c.cls = c.kind;
        rect(1);
        c.style = a.size() > 5 ? a[5] : "";
    } else if (a.size() >= 6) {
        c.text = Unquote(a[0]);
        c.id = Resolve(a[1]);
        c.cls = c.kind;
        rect(2);
        c.style = a.size() > 6 ? a[6] : "";
    }
    return c;
}

std::map<long, Dialog> ParseDialogs(const std::string& text)
{
    std::map<long, Dialog> dialogs;
    std::vector<std::string> st = Statements(text);
    for (size_t i = 0; i < st.size(); ++i) {
        std::istringstream hs(st[i]);
        std::string name, keyword;
        hs >> name >> keyword;
        if (keyword != "DIALOGEX")
            continue;
        Dialog d;
        std::vector<std::string> dims = SplitArgs(st[i].substr(st[i].find("DIALOGEX") + 8));
        d.w = std::stoi(dims.at(2));
        d.h = std::stoi(dims.at(3));
        for (++i; i < st.size() && st[i] != "BEGIN"; ++i) {
            if (st[i].rfind("STYLE", 0) == 0)
                d.style = st[i];
            else if (st[i].rfind("EXSTYLE", 0) == 0)
                d.exstyle = st[i];
            else if (st[i].rfind("CAPTION", 0) == 0) {
                d.caption = Unquote(Trim(st[i].substr(7)));
                d.captionBeforeStyle = d.style.empty();
            } else if (st[i].rfind("FONT", 0) == 0)
                d.font = st[i];
        }
        for (++i; i < st.size() && st[i] != "END"; ++i)
            d.controls.push_back(ParseControl(st[i]));
        dialogs[Resolve(name)] = d;
    }
    return dialogs;
}

struct MenuItem
{
    std::string text; // "-" for a separator
    long id = 0;      // 0 for a pop-up
    std::vector<MenuItem> children;
};

void ParseMenuBlock(const std::vector<std::string>& st, size_t& i, std::vector<MenuItem>& into)
{
    // st[i] is "BEGIN"; reads up to the matching "END".
    for (++i; i < st.size() && st[i] != "END"; ++i) {
        MenuItem item;
        if (st[i].rfind("POPUP", 0) == 0) {
            item.text = Unquote(Trim(st[i].substr(5)));
            ++i;
            ParseMenuBlock(st, i, item.children);
        } else if (st[i] == "MENUITEM SEPARATOR") {
            item.text = "-";
        } else if (st[i].rfind("MENUITEM", 0) == 0) {
            std::vector<std::string> a = SplitArgs(st[i].substr(8));
            item.text = Unquote(a.at(0));
            item.id = Resolve(a.at(1));
        }
        into.push_back(item);
    }
}

std::map<long, std::vector<MenuItem>> ParseMenus(const std::string& text)
{
    std::map<long, std::vector<MenuItem>> menus;
    std::vector<std::string> st = Statements(text);
    for (size_t i = 0; i < st.size(); ++i) {
        std::istringstream hs(st[i]);
        std::string name, keyword;
        hs >> name >> keyword;
        if (keyword == "MENU" && i + 1 < st.size() && st[i + 1] == "BEGIN") {
            ++i;
            ParseMenuBlock(st, i, menus[Resolve(name)]);
        }
    }
    return menus;
}

const std::map<long, Dialog>& QuilloDialogs()
{
    static const std::map<long, Dialog> dialogs = ParseDialogs(ReadFile(SourcePath("res/Quillo.rc")));
    return dialogs;
}

// Dialog units of "Tahoma" 8 in pixels at 96 dpi (base units 6 x 13).
int PxX(int dlu)
{
    return static_cast<int>(std::lround(dlu * 6.0 / 4.0));
}
int PxY(int dlu)
{
    return static_cast<int>(std::lround(dlu * 13.0 / 8.0));
}

// ---------------------------------------------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------------------------------------------

struct DialogCase
{
    long id;
    int widthPx, heightPx;
    bool page;
    std::vector<long> controls;
};

const DialogCase kDialogCases[] = {
    {102, 264, 51, false, {1110, 1099, 1100, 1101, 1102, 1103}},
    {157, 663, 610, false, {1000, 1003, 1008, 1009, 1011, 1012, 1013, 1014, 1015, 1016, 1030, 1031, 1033}},
    {158, 308, 434, false, {1017, 1018, 1019, 1020, 1021, 1022, 1023, 1033, 1034}},
    {159, 308, 434, false, {1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044}},
    {185, 271, 307, true, {1058, 1059, 1060, 1061, 1069, 1070, 1071, 1072, 1073, 1074}},
    {186,
     271,
     307,
     true,
     {1024, 1025, 1026, 1027, 1028, 1029, 1067, 1068, 1069, 1070, 1071, 1072, 1056, 1062, 1063, 1064, 1065, 1066}},
    {198, 271, 307, true, {1044, 1045, 1046, 1047, 1073, 1074, 1075, 1076, 1077}},
    {199, 271, 307, true, {1050, 1051, 1052, 1053, 1054, 1063, 1078, 1079, 1080, 1081, 1082, 1083}},
    {200, 271, 307, true, {1049, 1055, 1056, 1057, 1084, 1085, 1086, 1087}},
    {283, 454, 330, false, {1088, 1089}},
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << "dialog " << c.id;
}

class DialogTemplate : public ::testing::TestWithParam<DialogCase>
{
};

TEST_P(DialogTemplate, HasEveryControlOnceInsideItsBoundsInTahoma8)
{
    const DialogCase& expected = GetParam();
    auto it = QuilloDialogs().find(expected.id);
    ASSERT_NE(it, QuilloDialogs().end()) << "dialog " << expected.id << " missing";
    const Dialog& d = it->second;

    EXPECT_NE(d.font.find("FONT 8, \"Tahoma\""), std::string::npos) << d.font;
    EXPECT_NEAR(PxX(d.w), expected.widthPx, 3);
    EXPECT_NEAR(PxY(d.h), expected.heightPx, 3);

    for (long id : expected.controls)
        EXPECT_NE(d.Find(id), nullptr) << "control " << id << " missing in dialog " << expected.id;

    std::multiset<long> ids;
    for (const Control& c : d.controls) {
        EXPECT_GT(c.id, 0) << c.kind << " \"" << c.text << "\" in dialog " << expected.id << " has no usable id";
        ids.insert(c.id);
        // A drop-down list's template height is its open list; only its closed box must fit.
        int h = c.cls == "COMBOBOX" ? 14 : c.h;
        EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.w <= d.w && c.y + h <= d.h)
            << "control " << c.id << " of dialog " << expected.id << " lies outside it";
    }
    for (long id : ids)
        EXPECT_EQ(ids.count(id), 1u) << "control id " << id << " repeats in dialog " << expected.id;
}

TEST_P(DialogTemplate, IsACaptionlessPopupOrAChildPage)
{
    const DialogCase& expected = GetParam();
    const Dialog& d = QuilloDialogs().at(expected.id);
    // Skinned windows draw their own frame. CAPTION adds a title bar, which only a later STYLE ending in
    // NOT WS_CAPTION takes back; top-level windows keep a title for the taskbar.
    std::string style = d.style;
    const std::string notCaption = "| NOT WS_CAPTION";
    bool takesBackTitleBar = style.size() >= notCaption.size() &&
                             style.compare(style.size() - notCaption.size(), notCaption.size(), notCaption) == 0;
    if (takesBackTitleBar)
        style.resize(style.size() - notCaption.size());
    EXPECT_EQ(style.find("WS_CAPTION"), std::string::npos);
    if (!d.caption.empty()) {
        EXPECT_TRUE(d.captionBeforeStyle && takesBackTitleBar) << "dialog " << expected.id << " gets a title bar";
    }
    EXPECT_EQ(d.caption.empty(), expected.page) << "top-level windows are named, pages are not";
    if (expected.page) {
        EXPECT_NE(d.style.find("WS_CHILD"), std::string::npos);
        EXPECT_NE(d.style.find("DS_CONTROL"), std::string::npos);
    } else {
        EXPECT_NE(d.style.find("WS_POPUP"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Quillo, DialogTemplate, ::testing::ValuesIn(kDialogCases),
                         [](const auto& info) { return "Dialog" + std::to_string(info.param.id); });

TEST(DialogControls, SkinnedButtonsAreOwnerDrawnAndSlidersAreTrackbars)
{
    for (const auto& [dialogId, d] : QuilloDialogs()) {
        for (const Control& c : d.controls) {
            if (c.cls == "Button") {
                EXPECT_NE(c.style.find("BS_OWNERDRAW"), std::string::npos)
                    << "button " << c.id << " of dialog " << dialogId << " would be drawn by the system";
            }
        }
    }
    const Dialog& image = QuilloDialogs().at(IDD_IMAGE_PAGE);
    for (long id = IDC_IMG_BRIGHTNESS; id <= IDC_IMG_SHARPNESS; ++id) {
        ASSERT_NE(image.Find(id), nullptr);
        EXPECT_EQ(image.Find(id)->cls, "msctls_trackbar32");
    }
    for (long id : {IDC_PIC_SIZE, IDC_PIC_FORMAT}) {
        const Control* combo = QuilloDialogs().at(IDD_PICTURE_PAGE).Find(id);
        ASSERT_NE(combo, nullptr);
        EXPECT_NE(combo->style.find("CBS_DROPDOWNLIST"), std::string::npos) << "the lists are choose-only";
    }
    const Control* videoSize = QuilloDialogs().at(IDD_VIDEO_PAGE).Find(IDC_VID_SIZE);
    ASSERT_NE(videoSize, nullptr);
    EXPECT_NE(videoSize->style.find("CBS_DROPDOWNLIST"), std::string::npos);
}

TEST(DialogControls, PreviewVideoAreaReportsDoubleClicksAndHiddenHelpersStartHidden)
{
    const Dialog& preview = QuilloDialogs().at(IDD_PREVIEW);
    const Control* video = preview.Find(IDC_PREVIEW_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_NE(video->style.find("SS_NOTIFY"), std::string::npos) << "without it no double-click arrives";
    for (long id : {IDC_PREVIEW_AUDIO_PINS, IDC_PREVIEW_AUDIO_DEVICES, IDC_PREVIEW_ELAPSED, IDC_PREVIEW_COUNTDOWN,
                    IDC_PREVIEW_COVER}) {
        ASSERT_NE(preview.Find(id), nullptr);
        EXPECT_NE(preview.Find(id)->style.find("NOT WS_VISIBLE"), std::string::npos) << "control " << id;
    }
    // The cover is earlier in the template, so it lies above the video area when shown.
    auto pos = [&](long id) {
        return std::find_if(preview.controls.begin(), preview.controls.end(),
                            [&](const Control& c) { return c.id == id; }) -
               preview.controls.begin();
    };
    EXPECT_LT(pos(IDC_PREVIEW_COVER), pos(IDC_PREVIEW_VIDEO));
}

struct LayoutCase
{
    long dialog, control;
    int x, y, w, h; // pixels
};

// Pixel rectangles the programs apply at run time; the template must already be close to them. The Menu button
// is as wide as its 21-pixel frames, which end at the bar's right edge (264).
const LayoutCase kLayoutCases[] = {
    {102, 1110, 0, 0, 91, 51},     {102, 1099, 91, 0, 38, 51},    {102, 1103, 243, 0, 21, 51},
    {157, 1013, 11, 92, 640, 480}, {157, 1016, 11, 92, 640, 480}, {157, 1003, 171, 40, 154, 48},
    {157, 1008, 338, 40, 154, 48}, {157, 1009, 621, 8, 33, 17},   {157, 1000, 583, 8, 33, 17},
    {157, 1031, 560, 577, 73, 18}, {158, 1022, 258, 5, 33, 17},   {158, 1017, 18, 380, 64, 33},
    {158, 1020, 225, 380, 64, 33}, {158, 1023, 18, 65, 271, 307}, {158, 1034, 81, 44, 63, 21},
    {159, 1039, 87, 376, 64, 33},  {159, 1043, 18, 65, 271, 307}, {159, 1044, 144, 44, 63, 21},
    {186, 1024, 96, 30, 158, 26},  {186, 1029, 96, 266, 158, 26}, {186, 1072, 8, 269, 85, 30},
    {186, 1065, 180, 246, 70, 25}, {185, 1058, 232, 35, 17, 17},  {185, 1061, 198, 138, 19, 20},
    {185, 1072, 15, 110, 200, 25}, {198, 1046, 108, 176, 19, 20}, {198, 1047, 32, 237, 17, 17},
    {199, 1052, 210, 176, 46, 30}, {199, 1051, 21, 180, 180, 22}, {199, 1054, 24, 265, 17, 17},
    {200, 1056, 210, 130, 46, 30}, {200, 1057, 23, 198, 17, 17},  {283, 1088, 30, 220, 180, 13},
    {283, 1089, 30, 245, 180, 13},
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << "dialog " << c.dialog << " control " << c.control;
}

class TemplateLayout : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(TemplateLayout, MatchesThePixelLayout)
{
    const LayoutCase& e = GetParam();
    const Control* c = QuilloDialogs().at(e.dialog).Find(e.control);
    ASSERT_NE(c, nullptr);
    EXPECT_NEAR(PxX(c->x), e.x, 2);
    EXPECT_NEAR(PxY(c->y), e.y, 2);
    EXPECT_NEAR(PxX(c->w), e.w, 2);
    EXPECT_NEAR(PxY(c->h), e.h, 2);
}

INSTANTIATE_TEST_SUITE_P(Quillo, TemplateLayout, ::testing::ValuesIn(kLayoutCases), [](const auto& info) {
    return "Dialog" + std::to_string(info.param.dialog) + "Control" + std::to_string(info.param.control);
});

TEST(TesselDialog, IsTheDialogTitledTesselWithOkCancelAndAText)
{
    std::map<long, Dialog> dialogs = ParseDialogs(ReadFile(SourcePath("res/Tessel.rc")));
    auto it = dialogs.find(IDD_TESSEL);
    ASSERT_NE(it, dialogs.end());
    EXPECT_EQ(it->second.caption, "Tessel");
    EXPECT_EQ(it->second.w, 320);
    EXPECT_EQ(it->second.h, 201);
    EXPECT_NE(it->second.Find(1), nullptr);
    EXPECT_NE(it->second.Find(2), nullptr);
    EXPECT_EQ(it->second.controls.size(), 3u);
}

// ---------------------------------------------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------------------------------------------

std::string Describe(const std::vector<MenuItem>& items)
{
    std::string s;
    for (const MenuItem& m : items) {
        s += m.text;
        if (m.id)
            s += "=" + std::to_string(m.id);
        if (!m.children.empty())
            s += "{" + Describe(m.children) + "}";
        s += ";";
    }
    return s;
}

TEST(Menus, HaveTheirExactTextsAndCommandsInOrder)
{
    std::map<long, std::vector<MenuItem>> menus = ParseMenus(ReadFile(SourcePath("res/Quillo.rc")));
    ASSERT_EQ(menus.size(), 4u);
    ASSERT_EQ(menus[174].size(), 1u);
    EXPECT_EQ(Describe(menus[174][0].children), "Show Toolbar=40001;About=40002;-;Exit=40003;");
    ASSERT_EQ(menus[175].size(), 1u);
    EXPECT_EQ(Describe(menus[175][0].children), "About=40004;Properties=40005;Setting=40006;Help=40007;");
    ASSERT_EQ(menus[176].size(), 1u);
    EXPECT_EQ(Describe(menus[176][0].children),
              "320X240=40008;640X480=40009;1280X720=40016;1280X800=40012;1280X1024=40014;");
    ASSERT_EQ(menus[282].size(), 1u);
    // The toolbar finds the position submenu by this exact text, mnemonic included.
    EXPECT_EQ(Describe(menus[282][0].children),
              "&Auto Hide=32811;Toolbar &Position{&Left=32807;&Top=32808;&Right=32809;};&Close=32810;");
}

// ---------------------------------------------------------------------------------------------------------------
// Lang.ini
// ---------------------------------------------------------------------------------------------------------------

struct Ini
{
    std::vector<std::string> order;                                                   // section names as they appear
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections; // key=value lines
};

Ini ParseIni(const std::string& text)
{
    Ini ini;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            section = t.substr(1, t.size() - 2);
            ini.order.push_back(section);
            ini.sections[section];
            continue;
        }
        size_t eq = t.find('=');
        if (eq != std::string::npos && !section.empty())
            ini.sections[section].emplace_back(Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)));
    }
    return ini;
}

const Ini& LangIni()
{
    static const Ini ini = ParseIni(ReadFile(SourcePath("res/lang/Lang.ini")));
    return ini;
}

// Every text key the program looks up, read from its sources: the first argument of GetLangText,
// GetLangTextBuf and SkinPage::SetLabel when it is written there, and every TextKey(...) (keys kept in tables).
const std::set<std::string>& LookedUpKeys()
{
    static const std::set<std::string> keys = [] {
        const std::regex lookup(R"re((?:GetLangText(?:Buf)?\(|SetLabel\(\s*\w+\s*,|TextKey\()\s*L"([^"]*)")re");
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(SourcePath("src"))) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string text = ReadFile(entry.path().string());
            if (text.find("GetLangText") == std::string::npos && text.find("TextKey(") == std::string::npos &&
                text.find("SetLabel(") == std::string::npos)
                continue; // most files look nothing up; the expression is slow on the rest of them
            for (std::sregex_iterator it(text.begin(), text.end(), lookup), end; it != end; ++it)
                found.insert((*it)[1].str());
        }
        return found;
    }();
    return keys;
}

// The ten languages the program ships in.
const std::vector<std::string> kLanguages = {"English", "German",  "Japanese",   "Korean",  "French",
                                             "Spanish", "Italian", "Portuguese", "Russian", "Chinese(Simplified)"};

size_t Utf16Length(const std::string& utf8)
{
    size_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) != 0x80)
            n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

TEST(LangIni, LanguageSectionMapsCodesToLanguagesThatHaveTheirOwnSection)
{
    const Ini& ini = LangIni();
    ASSERT_TRUE(ini.sections.count("Language"));
    std::map<std::string, std::string> codes;
    for (const auto& [code, name] : ini.sections.at("Language")) {
        EXPECT_EQ(code.size(), 4u) << code;
        EXPECT_TRUE(std::all_of(code.begin(), code.end(), [](char c) { return std::isxdigit(c); })) << code;
        EXPECT_TRUE(ini.sections.count(name)) << "code " << code << " names " << name << ", which has no section";
        EXPECT_TRUE(codes.emplace(code, name).second) << "code " << code << " repeats";
    }
    EXPECT_EQ(codes["0409"], "English");
    EXPECT_EQ(codes["0407"], "German");
    EXPECT_EQ(codes["0411"], "Japanese");
    EXPECT_EQ(codes["0412"], "Korean");
    EXPECT_EQ(codes["040c"], "French");
    EXPECT_EQ(codes["0c0a"], "Spanish");
    EXPECT_EQ(codes["0410"], "Italian");
    EXPECT_EQ(codes["0416"], "Portuguese");
    EXPECT_EQ(codes["0419"], "Russian");
    EXPECT_EQ(codes["0804"], "Chinese(Simplified)"); // the machine value 2052
    std::set<std::string> named;
    for (const auto& [code, name] : codes)
        named.insert(name);
    for (const std::string& language : kLanguages)
        EXPECT_TRUE(named.count(language)) << language << " has no code";
    EXPECT_EQ(std::count(ini.order.begin(), ini.order.end(), "Language"), 1);
}

class LanguageSection : public ::testing::TestWithParam<std::string>
{
};

TEST_P(LanguageSection, HoldsEveryKeyTheProgramLooksUpOnceWithAUsableText)
{
    const Ini& ini = LangIni();
    const std::set<std::string>& keys = LookedUpKeys();
    ASSERT_GT(keys.size(), 50u) << "the sources' lookups were not found";
    ASSERT_TRUE(ini.sections.count(GetParam()));
    EXPECT_EQ(std::count(ini.order.begin(), ini.order.end(), GetParam()), 1);
    std::map<std::string, std::string> texts;
    for (const auto& [key, value] : ini.sections.at(GetParam())) {
        EXPECT_TRUE(texts.emplace(key, value).second) << "key " << key << " repeats";
        EXPECT_TRUE(keys.count(key)) << "key " << key << " is looked up nowhere";
        EXPECT_LE(Utf16Length(value), 259u) << key << " is cut by the lookup";
    }
    std::map<std::string, std::string> english;
    for (const auto& [key, value] : ini.sections.at("English"))
        english.emplace(key, value);
    int sameAsEnglish = 0;
    for (const std::string& key : keys) {
        auto it = texts.find(key);
        if (it == texts.end()) {
            ADD_FAILURE() << "key " << key << " missing in [" << GetParam() << "]";
            continue;
        }
        EXPECT_FALSE(it->second.empty()) << key;
        if (GetParam() != "English" && it->second == english[key])
            ++sameAsEnglish;
    }
    // Words like "OK", "Gamma" or "Video" may stay; a section mostly in English was not translated.
    EXPECT_LT(sameAsEnglish, static_cast<int>(keys.size() / 5)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Lang, LanguageSection, ::testing::ValuesIn(kLanguages), [](const auto& info) {
    std::string name = info.param;
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }), name.end());
    return name;
});

TEST(HelpPages, ExistForEveryLanguageWhoseHelpIsNotTheEnglishOneAndLinkNothingMissing)
{
    // The help opens Help\<language>\index.html, except for the languages sent to the English page.
    const std::set<std::string> sentToEnglish = {"Chinese(Traditional)", "Chinese(Simplified)", "Korean", "Portuguese"};
    std::set<std::string> names = {"English"};
    for (const auto& [code, name] : LangIni().sections.at("Language")) {
        if (!sentToEnglish.count(name))
            names.insert(name);
    }
    EXPECT_GE(names.size(), 7u);
    const std::regex reference(R"re(\b(?:href|src)\s*=\s*"([^"]*)")re");
    for (const std::string& name : names) {
        const std::string folder = SourcePath("res/lang/Help/" + name + "/");
        std::string page = ReadFile(folder + "index.html");
        EXPECT_GT(page.size(), 2000u) << name << " help page missing or empty";
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << name;
        EXPECT_NE(page.find("</html>"), std::string::npos) << name;
        // The pages are read offline from the program folder: every link and picture is a file beside them or
        // a place on the same page.
        for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it) {
            const std::string target = (*it)[1].str();
            if (!target.empty() && target[0] == '#') {
                EXPECT_NE(page.find("id=\"" + target.substr(1) + "\""), std::string::npos) << name << ": " << target;
                continue;
            }
            EXPECT_EQ(target.find(':'), std::string::npos) << name << " links outside the help: " << target;
            const std::string file = target.substr(0, target.find_first_of("#?"));
            EXPECT_TRUE(std::filesystem::is_regular_file(folder + file)) << name << " links a missing " << target;
        }
    }
}

} // namespace
