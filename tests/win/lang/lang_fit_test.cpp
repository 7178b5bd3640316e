// Every interface text fits its control in every language of the installed Lang.ini. The language is decided
// once per process from the machine's "Language" value, so a copy of this program runs per language: it opens
// the Properties and Setting dialogs (every page) and the About box as the toolbar does, and measures each text
// that a label or a text button draws, with the font that control draws it in, against the control's client
// area. The parent sets the language, runs the copy and reports what did not fit.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/ModulePath.h"
#include "fx/Wnd.h"
#include "settings/LangText.h"
#include "settings/ToolbarLink.h"
#include "support/ChildProcess.h"
#include "support/Restore.h"
#include "support/TestMain.h"
#include "ui/ImageTextButton.h"
#include "ui/ORRIN_CAM_ABOUTDlg.h"
#include "ui/Properties.h"
#include "ui/Setting.h"

namespace {

const wchar_t kMeasureArgument[] = L"--measure-texts";

// The toolbar as the dialogs see it, with no preview and nothing stored.
class QuietToolbar : public ToolbarLink
{
public:
    SettingsRecord& Settings() override { return m_settings; }
    HWND ToolbarWindow() const override { return nullptr; }
    bool IsPreviewOpen() const override { return false; }
    Preview* OpenPreview() const override { return nullptr; }
    bool IsSettingOpen() const override { return false; }
    PropertiesView* PropertiesDialog() const override { return nullptr; }
    SettingView* SettingDialog() const override { return nullptr; }
    void OnPreviewClosed(Preview*) override {}
    void OnPropertiesClosed(Properties*) override {}
    void OnSettingClosed(Setting*) override {}
    void RunCommand(ToolbarCommand) override {}
    void RenewHooks() override {}
    void ModifyPropertiesToRegistry() override {}
    void WriteSettingsToRegistry() override {}
    void DockAtEdge(int) override {}
    void ApplyAutoHide(bool) override {}
    bool FindNextFileNumber(const std::wstring&, int) override { return true; }

private:
    SettingsRecord m_settings;
};

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// A control that draws a text of its own: a text label, or a text button (the dialogs' buttons and tabs).
// The picture buttons keep their template's text, which they never draw.
bool DrawsItsText(HWND control, bool& singleLine)
{
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_BITMAP || type == SS_ICON || type == SS_ENHMETAFILE || type == SS_OWNERDRAW)
            return false;
        singleLine = (style & SS_CENTERIMAGE) || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
        return true;
    }
    singleLine = true;
    return dynamic_cast<CImageTextButton*>(fx::Wnd::FromHandle(control)) != nullptr;
}

struct Counts
{
    int measured = 0;
    int overflows = 0;
};

// Measures the text as the control lays it out; a text that is wider than the control, or wraps into more
// lines than the control's height shows, is printed and counted.
void MeasureControl(HWND control, const wchar_t* window, Counts& counts)
{
    bool singleLine = false;
    const std::wstring text = WindowText(control);
    if (text.empty() || !DrawsItsText(control, singleLine))
        return;
    RECT client{};
    GetClientRect(control, &client);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT needed = {0, 0, client.right, 0};
    const UINT layout = singleLine ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_NOPREFIX | layout);
    SelectObject(dc, old);
    ReleaseDC(control, dc);

    ++counts.measured;
    const LONG lineHeight = metrics.tmHeight;
    if (needed.right > client.right || needed.bottom > std::max(client.bottom, lineHeight)) {
        ++counts.overflows;
        std::printf("overflow: %s control %d \"%s\" needs %ldx%ld, has %ldx%ld\n", testsupport::Narrow(window).c_str(),
                    GetDlgCtrlID(control), testsupport::Narrow(text).c_str(), needed.right, needed.bottom, client.right,
                    client.bottom);
    }
}

void MeasureWindow(HWND window, const wchar_t* name, Counts& counts)
{
    struct Walk
    {
        const wchar_t* name;
        Counts* counts;
    } walk{name, &counts};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            auto* w = reinterpret_cast<Walk*>(param);
            MeasureControl(child, w->name, *w->counts);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

// The copy's side: prints the language, every text that does not fit and the number measured; the exit code
// is 0 when everything fits, 1 when something does not, 2 when a window did not open.
int MeasureTexts()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    std::printf("language %s\n", testsupport::Narrow(GetOSLanguage()).c_str());

    QuietToolbar toolbar;
    Counts counts;
    Properties* properties = fx::NewSelfDestroying<Properties>(&toolbar);
    if (!properties->Create(nullptr))
        return 2;
    MeasureWindow(properties->Hwnd(), L"Properties", counts);
    Setting* setting = fx::NewSelfDestroying<Setting>(&toolbar);
    if (!setting->Create(nullptr))
        return 2;
    MeasureWindow(setting->Hwnd(), L"Setting", counts);
    ORRIN_CAM_ABOUTDlg about;
    if (!about.Create(nullptr))
        return 2;
    MeasureWindow(about.Hwnd(), L"About", counts);

    std::printf("measured %d\n", counts.measured);
    std::fflush(stdout);
    // The process ends here: the dialogs go with it, as nothing of theirs outlives the process.
    return counts.overflows == 0 ? 0 : 1;
}

// The languages of the installed Lang.ini, each with the first code that names it.
std::map<std::wstring, DWORD> InstalledLanguages()
{
    std::map<std::wstring, DWORD> languages;
    const std::wstring ini = ProgramFolder() + L"Lang.ini";
    std::vector<wchar_t> section(32768);
    const DWORD n =
        GetPrivateProfileSectionW(L"Language", section.data(), static_cast<DWORD>(section.size()), ini.c_str());
    for (const wchar_t* entry = section.data(); entry < section.data() + n && *entry; entry += wcslen(entry) + 1) {
        const std::wstring line = entry;
        const size_t eq = line.find(L'=');
        if (eq == std::wstring::npos)
            continue;
        languages.emplace(line.substr(eq + 1), wcstoul(line.substr(0, eq).c_str(), nullptr, 16));
    }
    return languages;
}

std::wstring ThisProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST(LanguageTexts, EveryTextFitsItsControlInEveryLanguage)
{
    const auto languages = InstalledLanguages();
    ASSERT_GE(languages.size(), 10u) << "Lang.ini beside the program names too few languages";
    testsupport::RegistryValue choice(HKEY_LOCAL_MACHINE, L"Software\\Norvane\\Quillo", L"Language");
    for (const auto& [name, code] : languages) {
        ASSERT_EQ(choice.SetDword(code), ERROR_SUCCESS);
        const testsupport::RunResult run = testsupport::Run(ThisProgram(), kMeasureArgument);
        const std::string language = testsupport::Narrow(name);
        ASSERT_TRUE(run.started && run.finished) << run;
        EXPECT_NE(run.output.find("language " + language + "\r\n"), std::string::npos)
            << "the copy did not take the language " << language << ":\n"
            << run.output;
        EXPECT_EQ(run.exitCode, 0u) << language << ":\n" << run.output;
        // Three titles, the four buttons and the tabs of both dialogs and the labels of five pages at least.
        const size_t at = run.output.find("measured ");
        ASSERT_NE(at, std::string::npos) << run.output;
        EXPECT_GE(std::atoi(run.output.c_str() + at + 9), 40) << language;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && testsupport::Narrow(kMeasureArgument) == argv[1])
        return MeasureTexts();
    return testsupport::RunAllTests(argc, argv);
}
