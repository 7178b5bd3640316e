// Loads Quillo's resources the way the program does (this test links Quillo.rc): every dialog template is created
// with its controls at its pixel size, the menus carry their texts, the version and manifest are in place, and
// the installed Lang.ini gives every text back through GetPrivateProfileStringW, non-ASCII texts included.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramVersion.h"
#include "common/ModulePath.h"
#include "resource.h"
#include "support/ChildProcess.h"
#include "support/Restore.h"

namespace {

HINSTANCE Module()
{
    return GetModuleHandleW(nullptr);
}

// The source tree as Wine sees it (drive Z: is the Unix root).
std::wstring SourcePath(const std::wstring& relative)
{
    std::string root = QUILLO_SOURCE_DIR;
    std::wstring path = L"Z:" + std::wstring(root.begin(), root.end()) + L"/" + relative;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

using testsupport::ReadWholeFile;

std::wstring Widen(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

using testsupport::Narrow;

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

class Window
{
public:
    explicit Window(HWND h) : m_h(h) {}
    ~Window()
    {
        if (m_h)
            DestroyWindow(m_h);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND get() const { return m_h; }

private:
    HWND m_h;
};

class Resources : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
    }
};

// ---------------------------------------------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------------------------------------------

struct DialogCase
{
    int id;
    int widthPx, heightPx;
    bool page;
    std::vector<std::pair<int, const wchar_t*>> controls; // id and window class
};

const DialogCase kDialogs[] = {
    {IDD_TOOLBAR,
     264,
     51,
     false,
     {{IDC_BAR_LOGO, L"Static"},
      {IDC_BAR_CAMERA, L"Button"},
      {IDC_BAR_PROPERTY, L"Button"},
      {IDC_BAR_SETTING, L"Button"},
      {IDC_BAR_HELP, L"Button"},
      {IDC_BAR_MENU, L"Button"}}},
    {IDD_PREVIEW,
     663,
     610,
     false,
     {{IDC_PREVIEW_MINIMIZE, L"Button"},
      {IDC_PREVIEW_SNAPSHOT, L"Button"},
      {IDC_PREVIEW_RECORD, L"Button"},
      {IDC_PREVIEW_CLOSE, L"Button"},
      {IDC_PREVIEW_FUNCTION, L"Button"},
      {IDC_PREVIEW_RESOLUTION, L"Button"},
      {IDC_PREVIEW_VIDEO, L"Static"},
      {IDC_PREVIEW_AUDIO_PINS, L"ListBox"},
      {IDC_PREVIEW_AUDIO_DEVICES, L"ListBox"},
      {IDC_PREVIEW_COVER, L"Static"},
      {IDC_PREVIEW_ELAPSED, L"Static"},
      {IDC_PREVIEW_RES_LABEL, L"Static"},
      {IDC_PREVIEW_COUNTDOWN, L"Static"}}},
    {IDD_PROPERTIES,
     308,
     434,
     false,
     {{IDC_PROP_DEFAULT, L"Button"},
      {IDC_PROP_OK, L"Button"},
      {IDC_PROP_CANCEL, L"Button"},
      {IDC_PROP_APPLY, L"Button"},
      {IDC_PROP_TITLE, L"Static"},
      {IDC_PROP_CLOSE, L"Button"},
      {IDC_PROP_PAGES, WC_TABCONTROLW},
      {IDC_PROP_TAB_OPTIONS, L"Button"},
      {IDC_PROP_TAB_IMAGE, L"Button"}}},
    {IDD_SETTING,
     308,
     434,
     false,
     {{IDC_SET_TITLE, L"Static"},
      {IDC_SET_TAB_OPTIONS, L"Button"},
      {IDC_SET_CLOSE, L"Button"},
      {IDC_SET_TAB_PICTURE, L"Button"},
      {IDC_SET_OK, L"Button"},
      {IDC_SET_CANCEL, L"Button"},
      {IDC_SET_APPLY, L"Button"},
      {IDC_SET_DEFAULT, L"Button"},
      {IDC_SET_PAGES, WC_TABCONTROLW},
      {IDC_SET_TAB_VIDEO, L"Button"}}},
    {IDD_OPTIONS_PAGE,
     271,
     307,
     true,
     {{IDC_OPT_MIRROR, L"Button"},
      {IDC_OPT_FLIP, L"Button"},
      {IDC_OPT_50HZ, L"Button"},
      {IDC_OPT_60HZ, L"Button"},
      {IDC_OPT_FLIP_TITLE, L"Static"},
      {IDC_OPT_HORIZONTAL_LABEL, L"Static"},
      {IDC_OPT_VERTICAL_LABEL, L"Static"},
      {IDC_OPT_PLFREQ_TITLE, L"Static"},
      {IDC_OPT_50HZ_LABEL, L"Static"},
      {IDC_OPT_60HZ_LABEL, L"Static"}}},
    {IDD_IMAGE_PAGE,
     271,
     307,
     true,
     {{IDC_IMG_BRIGHTNESS, TRACKBAR_CLASSW},
      {IDC_IMG_CONTRAST, TRACKBAR_CLASSW},
      {IDC_IMG_GAMMA, TRACKBAR_CLASSW},
      {IDC_IMG_HUE, TRACKBAR_CLASSW},
      {IDC_IMG_SATURATION, TRACKBAR_CLASSW},
      {IDC_IMG_SHARPNESS, TRACKBAR_CLASSW},
      {IDC_IMG_BRIGHTNESS_NAME, L"Static"},
      {IDC_IMG_SHARPNESS_NAME, L"Static"},
      {IDC_IMG_BRIGHTNESS_VALUE, L"Static"},
      {IDC_IMG_SHARPNESS_VALUE, L"Static"}}},
    {IDD_SETTING_OPTIONS_PAGE,
     271,
     307,
     true,
     {{IDC_BARPOS_TOP, L"Button"},
      {IDC_BARPOS_LEFT, L"Button"},
      {IDC_BARPOS_RIGHT, L"Button"},
      {IDC_BARPOS_AUTOHIDE, L"Button"},
      {IDC_BARPOS_TITLE, L"Static"},
      {IDC_BARPOS_AUTOHIDE_LABEL, L"Static"}}},
    {IDD_PICTURE_PAGE,
     271,
     307,
     true,
     {{IDC_PIC_FORMAT, L"ComboBox"},
      {IDC_PIC_PATH, L"Edit"},
      {IDC_PIC_BROWSE, L"Button"},
      {IDC_PIC_DATESTAMP, L"Button"},
      {IDC_PIC_SHOWIMAGE, L"Button"},
      {IDC_PIC_SIZE, L"ComboBox"},
      {IDC_PIC_TITLE, L"Static"},
      {IDC_PIC_SHOWIMAGE_LABEL, L"Static"}}},
    {IDD_VIDEO_PAGE,
     271,
     307,
     true,
     {{IDC_VID_SIZE, L"ComboBox"},
      {IDC_VID_PATH, L"Edit"},
      {IDC_VID_BROWSE, L"Button"},
      {IDC_VID_PLAY, L"Button"},
      {IDC_VID_TITLE, L"Static"},
      {IDC_VID_PLAY_LABEL, L"Static"}}},
    {IDD_ABOUT, 454, 330, false, {{IDC_ABOUT_TITLE, L"Static"}, {IDC_ABOUT_VERSION, L"Static"}}},
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << "dialog " << c.id;
}

class DialogTemplate : public Resources, public ::testing::WithParamInterface<DialogCase>
{
};

TEST_P(DialogTemplate, CreatesWithItsControlsAtItsPixelSizeInTahoma)
{
    const DialogCase& c = GetParam();
    Window owner(
        CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, Module(), nullptr));
    ASSERT_NE(owner.get(), nullptr);
    Window dlg(CreateDialogParamW(Module(), MAKEINTRESOURCEW(c.id), owner.get(), QuietDialogProc, 0));
    ASSERT_NE(dlg.get(), nullptr) << "dialog " << c.id << ", error " << GetLastError();

    RECT rc{};
    GetWindowRect(dlg.get(), &rc);
    EXPECT_NEAR(rc.right - rc.left, c.widthPx, 4);
    EXPECT_NEAR(rc.bottom - rc.top, c.heightPx, 4);
    LONG style = GetWindowLongW(dlg.get(), GWL_STYLE);
    EXPECT_EQ((style & WS_CHILD) != 0, c.page);
    EXPECT_EQ(style & WS_CAPTION, 0);
    if (!c.page) {
        EXPECT_GT(GetWindowTextLengthW(dlg.get()), 0) << "named for the taskbar and Alt+Tab";
    }

    LOGFONTW lf{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dlg.get(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    ASSERT_NE(GetObjectW(font, sizeof lf, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");

    for (const auto& [id, cls] : c.controls) {
        HWND ctl = GetDlgItem(dlg.get(), id);
        ASSERT_NE(ctl, nullptr) << "control " << id << " of dialog " << c.id;
        wchar_t name[64] = {};
        GetClassNameW(ctl, name, 64);
        EXPECT_EQ(lstrcmpiW(name, cls), 0) << "control " << id << " is a " << Narrow(name);
        if (lstrcmpiW(cls, L"Button") == 0) {
            EXPECT_EQ(GetWindowLongW(ctl, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "control " << id;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Quillo, DialogTemplate, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return "Dialog" + std::to_string(info.param.id); });

TEST_F(Resources, PictureFormatListEntriesTravelWithTheTemplate)
{
    HRSRC res = FindResourceW(Module(), MAKEINTRESOURCEW(IDD_PICTURE_PAGE), MAKEINTRESOURCEW(240));
    ASSERT_NE(res, nullptr);
    const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(Module(), res)));
    DWORD size = SizeofResource(Module(), res);
    ASSERT_NE(p, nullptr);
    std::vector<std::string> formats;
    DWORD at = 0;
    while (at + 2 <= size) {
        WORD id = *reinterpret_cast<const WORD*>(p + at);
        if (id == 0)
            break;
        ASSERT_LE(at + 8, size);
        WORD msg = *reinterpret_cast<const WORD*>(p + at + 2);
        DWORD len = *reinterpret_cast<const DWORD*>(p + at + 4);
        ASSERT_LE(at + 8 + len, size);
        EXPECT_EQ(id, IDC_PIC_FORMAT);
        EXPECT_EQ(msg, 0x403); // add a string to a combo box
        formats.emplace_back(reinterpret_cast<const char*>(p + at + 8));
        at += 8 + len;
    }
    EXPECT_EQ(formats, (std::vector<std::string>{"BMP", "JPEG", "PNG"}));
}

// ---------------------------------------------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------------------------------------------

std::wstring ItemText(HMENU menu, UINT pos)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, pos, text, 256, MF_BYPOSITION);
    return text;
}

struct MenuCase
{
    int id;
    std::vector<std::pair<UINT, const wchar_t*>> items; // command (0 separator, -1 submenu) and text
};

const MenuCase kMenus[] = {
    {IDM_TRAY, {{40001, L"Show Toolbar"}, {40002, L"About"}, {0, L""}, {40003, L"Exit"}}},
    {IDM_FUNCTION, {{40004, L"About"}, {40005, L"Properties"}, {40006, L"Setting"}, {40007, L"Help"}}},
    {IDM_RESOLUTION,
     {{40008, L"320X240"}, {40009, L"640X480"}, {40016, L"1280X720"}, {40012, L"1280X800"}, {40014, L"1280X1024"}}},
    {IDM_TOOLBAR, {{32811, L"&Auto Hide"}, {static_cast<UINT>(-1), L"Toolbar &Position"}, {32810, L"&Close"}}},
};

void PrintTo(const MenuCase& c, std::ostream* os)
{
    *os << "menu " << c.id;
}

class MenuResource : public Resources, public ::testing::WithParamInterface<MenuCase>
{
};

TEST_P(MenuResource, LoadsWithItsCommandsAndTextsInOrder)
{
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(GetParam().id));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(GetParam().items.size()));
    UINT pos = 0;
    for (const auto& [command, text] : GetParam().items) {
        EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(pos)), command) << "position " << pos;
        EXPECT_EQ(ItemText(popup, pos), text) << "position " << pos;
        ++pos;
    }
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(Quillo, MenuResource, ::testing::ValuesIn(kMenus),
                         [](const auto& info) { return "Menu" + std::to_string(info.param.id); });

TEST_F(Resources, ToolbarPositionSubmenuHoldsTheThreeEdges)
{
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_TOOLBAR));
    ASSERT_NE(menu, nullptr);
    HMENU edges = GetSubMenu(GetSubMenu(menu, 0), 1);
    ASSERT_NE(edges, nullptr);
    ASSERT_EQ(GetMenuItemCount(edges), 3);
    EXPECT_EQ(GetMenuItemID(edges, 0), static_cast<UINT>(ID_BAR_LEFT));
    EXPECT_EQ(GetMenuItemID(edges, 1), static_cast<UINT>(ID_BAR_TOP));
    EXPECT_EQ(GetMenuItemID(edges, 2), static_cast<UINT>(ID_BAR_RIGHT));
    EXPECT_EQ(ItemText(edges, 0), L"&Left");
    EXPECT_EQ(ItemText(edges, 1), L"&Top");
    EXPECT_EQ(ItemText(edges, 2), L"&Right");
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------------------------------------------
// Version and manifest
// ---------------------------------------------------------------------------------------------------------------

TEST_F(Resources, VersionResourceNamesQuilloVersion1001)
{
    ExpectVersion1001WithText(L"ProductName", L"Quillo");
}

TEST_F(Resources, ManifestSelectsCommonControls6AndSystemDpiAwareness)
{
    HRSRC res = FindResourceW(Module(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(res, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(Module(), res))),
                         SizeofResource(Module(), res));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
    // System-aware: the skin is drawn in pixels and the program does not follow a window to a monitor of
    // another DPI, so the system stretches it there instead.
    EXPECT_NE(manifest.find(">system</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find("PerMonitor"), std::string::npos);

    // The manifest is what makes the loader bind the version-6 controls, which live in their own side-by-side
    // folder (Wine's copy reports 5.80 from DllGetVersion, so the folder is the reliable sign).
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    CharLowerW(path);
    std::wstring loaded(path);
    EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << Narrow(loaded);
}

TEST_F(Resources, SkinBitmapsAndIconsAreLinkedIn)
{
    if (!QUILLO_HAS_SKIN)
        GTEST_SKIP() << "the skin generator is not part of this build";
    // Every bitmap id named in resource.h must load from the program.
    std::istringstream header(ReadWholeFile(SourcePath(L"res/resource.h")));
    std::string line;
    int checked = 0;
    while (std::getline(header, line)) {
        std::istringstream ls(line);
        std::string directive, name;
        int id = 0;
        if (!(ls >> directive >> name >> id) || directive != "#define" || name.rfind("IDB_", 0) != 0)
            continue;
        HANDLE bmp = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        EXPECT_NE(bmp, nullptr) << name << " (" << id << ")";
        if (bmp)
            DeleteObject(bmp);
        ++checked;
    }
    EXPECT_GT(checked, 100);
    for (int icon : {IDI_QUILLO, IDI_TESSEL}) {
        HANDLE h = LoadImageW(Module(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, 0);
        EXPECT_NE(h, nullptr) << "icon " << icon;
        if (h)
            DestroyIcon(static_cast<HICON>(h));
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Lang.ini and the help pages in the install folder
// ---------------------------------------------------------------------------------------------------------------

// Sections and key=value pairs of the UTF-8 source of Lang.ini.
std::map<std::wstring, std::map<std::wstring, std::wstring>> SourceTexts()
{
    std::map<std::wstring, std::map<std::wstring, std::wstring>> texts;
    std::istringstream in(ReadWholeFile(SourcePath(L"res/lang/Lang.ini")));
    std::string line;
    std::wstring section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = Widen(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            texts[section][Widen(line.substr(0, eq))] = Widen(line.substr(eq + 1));
    }
    return texts;
}

std::wstring Lookup(const wchar_t* section, const wchar_t* key)
{
    std::wstring ini = ProgramFolder() + L"Lang.ini";
    wchar_t buf[260] = {};
    GetPrivateProfileStringW(section, key, L"", buf, 260, ini.c_str());
    return buf;
}

TEST_F(Resources, InstalledLangIniGivesBackEveryTextOfTheSource)
{
    std::string raw = ReadWholeFile(ProgramFolder() + L"Lang.ini");
    ASSERT_GE(raw.size(), 2u) << "Lang.ini missing beside the program";
    EXPECT_EQ(raw.substr(0, 2), std::string("\xFF\xFE")) << "UTF-16LE byte-order mark";

    auto texts = SourceTexts();
    ASSERT_GE(texts.size(), 5u);
    int checked = 0;
    for (const auto& [section, keys] : texts) {
        for (const auto& [key, value] : keys) {
            EXPECT_EQ(Lookup(section.c_str(), key.c_str()), value) << "[" << Narrow(section) << "] " << Narrow(key);
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

TEST_F(Resources, NonAsciiTextsAndCodeLookupsComeThroughTheIniApi)
{
    EXPECT_EQ(Lookup(L"German", L"Menu"), L"Men\u00fc");
    EXPECT_EQ(Lookup(L"German", L"Close"), L"Schlie\u00dfen");
    EXPECT_EQ(Lookup(L"Japanese", L"Cancel"), L"\u30ad\u30e3\u30f3\u30bb\u30eb");
    EXPECT_EQ(Lookup(L"Korean", L"OK"), L"\ud655\uc778");
    EXPECT_EQ(Lookup(L"Chinese(Simplified)", L"OK"), L"\u786e\u5b9a");
    EXPECT_EQ(Lookup(L"Russian", L"Close"), L"\u0417\u0430\u043a\u0440\u044b\u0442\u044c");
    // Codes come formatted in lower case from the machine value and in upper case from the system's default.
    EXPECT_EQ(Lookup(L"Language", L"0409"), L"English");
    EXPECT_EQ(Lookup(L"Language", L"0c07"), L"German");
    EXPECT_EQ(Lookup(L"Language", L"0C07"), L"German");
    EXPECT_EQ(Lookup(L"Language", L"0411"), L"Japanese");
    EXPECT_EQ(Lookup(L"Language", L"0412"), L"Korean");
    EXPECT_EQ(Lookup(L"Language", L"0804"), L"Chinese(Simplified)");
}

TEST_F(Resources, HelpPagesAreInstalledForEachHelpLanguage)
{
    for (const wchar_t* language :
         {L"English", L"German", L"Japanese", L"French", L"Spanish", L"Italian", L"Russian"}) {
        std::wstring page = ProgramFolder() + L"Help\\" + language + L"\\index.html";
        EXPECT_NE(GetFileAttributesW(page.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(page);
    }
}

} // namespace
