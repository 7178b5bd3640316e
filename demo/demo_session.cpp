// A short scripted session with Quillo on the simulated camera, for scripts/run without a display: the toolbar
// and its menu, the preview, the Properties and Setting dialogs, a snapshot in each format (chosen in the Setting
// dialog), a five-second recording, then the toolbar's menu and the preview in German and in Japanese. Screenshots
// are taken from the X display with ImageMagick's import into the folder named on the command line; every step
// is printed as "step<TAB><picture or -><TAB><what was done>", a failed one as "fail<TAB>-<TAB><what failed>", for
// demo/report.sh. The pictures and the recording stay in the scene's folders (C:\QuilloScene).
#include "tests/e2e/DialogScene.h"
#include "tests/e2e/E2eSupport.h"

#include "res/resource.h"
#include "support/Poll.h"
#include "support/Restore.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using testsupport::WaitFor;

constexpr wchar_t kLanguageKey[] = L"Software\\Norvane\\Quillo";
std::string g_shots; // host folder of the screenshots
int g_failures = 0;

std::string Narrow(const std::wstring& text)
{
    return testsupport::Narrow(text);
}

void Report(const char* kind, const std::string& picture, const std::string& what)
{
    std::printf("%s\t%s\t%s\n", kind, picture.empty() ? "-" : picture.c_str(), what.c_str());
    std::fflush(stdout);
}

void Step(const std::string& what, const std::string& picture = std::string())
{
    Report("step", picture, what);
}

bool Fail(const std::string& what)
{
    ++g_failures;
    Report("fail", std::string(), what);
    return false;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

RECT Union(RECT a, const RECT& b)
{
    UnionRect(&a, &a, &b);
    return a;
}

RECT RectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

// A screenshot of the display, cropped to the rectangle with a small margin; the file <name>.png.
std::string Shot(const std::string& name, RECT r)
{
    const int margin = 6;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    r.left = std::max(0L, r.left - margin);
    r.top = std::max(0L, r.top - margin);
    r.right = std::min(static_cast<LONG>(screenW), r.right + margin);
    r.bottom = std::min(static_cast<LONG>(screenH), r.bottom + margin);
    const std::string file = name + ".png";
    const std::string geometry = std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
                                 std::to_string(r.left) + "+" + std::to_string(r.top);
    const std::string answer = e2e::RunOnHost("import -window root -crop " + geometry + " +repage '" + g_shots + "/" +
                                              file + "' && echo shot-taken");
    if (answer.find("shot-taken") == std::string::npos) {
        Fail("screenshot " + file + ": " + answer);
        return std::string();
    }
    return file;
}

std::string ShotWindow(const std::string& name, HWND window)
{
    return Shot(name, RectOf(window));
}

// Share of a window's pixels that are not the black desktop: it has painted once most of it is lit. A window that
// does not get there within the time is still photographed: the picture then shows what there was.
bool Painted(HWND window)
{
    return WaitFor(
        [&] {
            const e2e::Image image = e2e::CaptureWindow(window);
            size_t lit = 0;
            for (uint32_t p : image.pixels)
                lit += p != 0;
            return !image.pixels.empty() && lit * 2 > image.pixels.size();
        },
        5000, 100);
}

// The preview takes presses again (its snapshot button is off while a graph is built).
bool PreviewReady(HWND preview)
{
    HWND snapshot = GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT);
    return WaitFor([&] { return IsWindowEnabled(snapshot) != FALSE; }, 20000, 50);
}

// A menu button pressed with the pointer (the toolbar's menu opens where the pointer is); the menu's window.
HWND OpenMenu(HWND menuButton)
{
    const RECT button = RectOf(menuButton);
    const int x = (button.left + button.right) / 2, y = (button.top + button.bottom) / 2;
    if (!scene::Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 1"))
        return nullptr;
    return e2e::WaitForWindow(L"#32768", nullptr, 5000);
}

bool CloseMenu(HWND menu)
{
    (void)scene::Xdotool(L"key Escape");
    if (WaitFor([&] { return !IsWindowVisible(menu); }, 3000, 50))
        return true;
    // A click beside the menu closes it as well.
    (void)scene::Xdotool(L"mousemove 5 1000 click 1");
    return WaitFor([&] { return !IsWindowVisible(menu); }, 3000, 50);
}

// Moves the pointer off the windows, so no button shows its hover look in a screenshot.
void PointerAway()
{
    (void)scene::Xdotool(L"mousemove 5 1000");
}

// The Setting dialog: the format chosen on its picture page, a screenshot of the page named, then OK.
bool ChooseFormat(scene::Quillo& quillo, int format, const char* formatName, UINT pageLetter, UINT pageControl,
                  const std::string& pageShot, const std::string& pageName)
{
    quillo.Command(IDC_BAR_SETTING);
    HWND dialog = quillo.Window(L"Setting");
    if (!dialog)
        return Fail("the Setting dialog did not open");
    HWND picture = scene::Page(dialog, IDC_PIC_FORMAT), page = scene::Page(dialog, pageControl);
    if (!picture || !page)
        return Fail("the Setting dialog's pages were not found");
    scene::ChooseComboEntry(scene::Control(picture, IDC_PIC_FORMAT), format);
    scene::AltKey(scene::Control(dialog, IDC_SET_OK), pageLetter);
    if (!WaitFor([&] { return IsWindowVisible(page) != FALSE; }, 5000))
        Fail("the Setting dialog's " + pageName + " page did not show");
    if (!WaitFor([&] { return scene::ComboSelection(scene::Control(picture, IDC_PIC_FORMAT)) == format; }, 5000))
        return Fail(std::string("the picture format ") + formatName + " was not taken");
    (void)Painted(dialog);
    Step(std::string("Opened the Setting dialog from the toolbar, chose the picture format ") + formatName +
             " and looked at the " + pageName + " page",
         ShotWindow(pageShot, dialog));
    scene::Click(scene::Control(dialog, IDC_SET_OK));
    if (!quillo.WindowGone(L"Setting"))
        return Fail("the Setting dialog did not close on OK");
    return true;
}

bool Snapshot(HWND preview, const std::wstring& file, const char* formatName)
{
    // OK rebuilds the preview: the snapshot button goes off for a moment and comes back.
    HWND button = GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT);
    (void)WaitFor([&] { return !IsWindowEnabled(button); }, 3000, 20);
    if (!PreviewReady(preview))
        return Fail("the preview did not take presses again after the Setting dialog");
    scene::Click(button);
    const std::wstring path = e2e::ScenePictures() + file;
    if (!WaitFor([&] { return Exists(path); }, 15000, 50))
        return Fail("no " + Narrow(file) + " after the snapshot button");
    Step(std::string("Pressed the preview's snapshot button: ") + Narrow(file) + " (" + formatName + ")");
    return true;
}

bool Record(HWND preview)
{
    HWND elapsed = GetDlgItem(preview, IDC_PREVIEW_ELAPSED);
    scene::Click(GetDlgItem(preview, IDC_PREVIEW_RECORD));
    if (!WaitFor([&] { return IsWindowVisible(elapsed) != FALSE; }, 15000, 20))
        return Fail("the recording did not start after its countdown");
    const ULONGLONG start = GetTickCount64();
    Sleep(2000);
    const std::string shot = ShotWindow("recording", preview);
    const ULONGLONG shown = GetTickCount64() - start;
    if (shown < 5000)
        Sleep(static_cast<DWORD>(5000 - shown)); // the recording's own length
    scene::Click(GetDlgItem(preview, IDC_PREVIEW_RECORD));
    const bool back = WaitFor([&] { return !IsWindowVisible(elapsed); }, 10000) && PreviewReady(preview);
    const std::wstring avi = e2e::SceneVideos() + L"AVI0000.avi";
    if (!back || !Exists(avi))
        return Fail("the recording did not end in " + Narrow(avi));
    Step("Pressed the record button, waited for the three-second countdown, recorded five seconds and pressed it "
         "again: AVI0000.avi",
         shot);
    return true;
}

// The English session: every window, the three formats, the recording.
bool EnglishSession()
{
    scene::Quillo quillo;
    if (!quillo.Start(false))
        return Fail("Quillo /s did not show its toolbar");
    PointerAway();
    (void)Painted(quillo.Bar());
    Step("Started Quillo.exe /s: the toolbar docks at the top edge", ShotWindow("toolbar", quillo.Bar()));

    HWND menu = OpenMenu(GetDlgItem(quillo.Bar(), IDC_BAR_MENU));
    if (!menu)
        return Fail("the toolbar's menu did not open");
    (void)Painted(menu);
    Step("Clicked the toolbar's Menu button", Shot("toolbar-menu", Union(RectOf(quillo.Bar()), RectOf(menu))));
    if (!CloseMenu(menu))
        return Fail("the toolbar's menu did not close");
    PointerAway();

    quillo.Command(IDC_BAR_CAMERA);
    HWND preview = quillo.Window(L"Quillo", 30000);
    if (!preview || !PreviewReady(preview))
        return Fail("the preview did not open from the toolbar's camera button");
    (void)Painted(preview);
    Step("Pressed the toolbar's camera button: the preview shows the simulated camera at 640 x 480",
         ShotWindow("preview", preview));
    Step("The whole screen with the toolbar and the preview",
         Shot("screen", {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));

    quillo.Command(IDC_BAR_PROPERTY);
    HWND properties = quillo.Window(L"Properties");
    if (!properties)
        return Fail("the Properties dialog did not open");
    HWND image = scene::Page(properties, IDC_IMG_BRIGHTNESS), options = scene::Page(properties, IDC_OPT_MIRROR);
    (void)Painted(properties);
    Step("Opened the Properties dialog from the toolbar", ShotWindow("properties", properties));
    const bool imageShown = image && IsWindowVisible(image);
    scene::AltKey(scene::Control(properties, IDC_PROP_OK), imageShown ? 'O' : 'I');
    HWND other = imageShown ? options : image;
    if (other && WaitFor([&] { return IsWindowVisible(other) != FALSE; }, 5000)) {
        (void)Painted(properties);
        Step(std::string("Turned to the Properties dialog's ") + (imageShown ? "options" : "image") + " page",
             ShotWindow("properties-page", properties));
    } else {
        Fail("the Properties dialog's other page did not show");
    }
    scene::Click(scene::Control(properties, IDC_PROP_CANCEL));
    if (!quillo.WindowGone(L"Properties"))
        return Fail("the Properties dialog did not close on Cancel");
    Step("Closed the Properties dialog with Cancel");

    if (ChooseFormat(quillo, 0, "BMP", 'P', IDC_PIC_FORMAT, "setting-picture", "picture"))
        (void)Snapshot(preview, L"IMG0000.bmp", "BMP");
    if (ChooseFormat(quillo, 1, "JPEG", 'V', IDC_VID_PLAY, "setting-video", "video"))
        (void)Snapshot(preview, L"IMG0000.jpg", "JPEG");
    if (ChooseFormat(quillo, 2, "PNG", 'O', IDC_BARPOS_LEFT, "setting-toolbar", "toolbar"))
        (void)Snapshot(preview, L"IMG0000.png", "PNG");

    if (PreviewReady(preview))
        (void)Record(preview);
    else
        Fail("the preview did not take presses again before the recording");

    if (!quillo.Exit())
        return Fail("Quillo did not end through the tray menu's Exit");
    Step("Ended Quillo through the tray menu's Exit");
    return true;
}

// Quillo in another language (the machine's "Language" value): its toolbar menu and its preview.
bool LanguageSession(DWORD code, const char* language, const std::string& tag)
{
    testsupport::RegistryValue value(HKEY_LOCAL_MACHINE, kLanguageKey, L"Language");
    if (value.SetDword(code) != ERROR_SUCCESS)
        return Fail(std::string("the Language value for ") + language + " could not be written");
    scene::Quillo quillo;
    if (!quillo.Start(true))
        return Fail(std::string("Quillo did not start in ") + language);
    HWND preview = quillo.Window(L"Quillo", 30000);
    if (!preview || !PreviewReady(preview))
        return Fail(std::string("the preview did not open in ") + language);
    PointerAway();
    HWND menu = OpenMenu(GetDlgItem(quillo.Bar(), IDC_BAR_MENU));
    if (menu) {
        (void)Painted(menu);
        Step(std::string("Set the machine's Language value to ") + std::to_string(code) + " (" + language +
                 "), started Quillo and clicked the toolbar's Menu button",
             Shot("toolbar-menu-" + tag, Union(RectOf(quillo.Bar()), RectOf(menu))));
        if (!CloseMenu(menu))
            Fail(std::string("a menu did not close in ") + language);
    } else {
        Fail(std::string("the toolbar's menu did not open in ") + language);
    }
    PointerAway();
    menu = OpenMenu(GetDlgItem(preview, IDC_PREVIEW_FUNCTION));
    if (menu) {
        (void)Painted(menu);
        Step(std::string("The preview in ") + language + " with its function menu (the \"...\" button) open",
             Shot("preview-" + tag, Union(RectOf(preview), RectOf(menu))));
        if (!CloseMenu(menu))
            Fail(std::string("a menu did not close in ") + language);
    } else {
        Fail(std::string("the preview's function menu did not open in ") + language);
    }
    if (!quillo.Exit())
        return Fail(std::string("Quillo did not end through Exit in ") + language);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: demo_session.exe <host folder for the screenshots>\n");
        return 2;
    }
    g_shots = Narrow(argv[1]);

    if (!e2e::ResetScene())
        Fail("the scene (simulated camera, settings, folders) could not be set up");
    // Pictures with the date stamp; no viewer or player opened after a snapshot or a recording.
    if (!scene::WriteDword(L"Settings\\Picture", L"DateStamp", 1) ||
        !scene::WriteDword(L"Settings\\Picture", L"ShowImageAfterSnapshot", 0) ||
        !scene::WriteDword(L"Settings\\Video", L"PlayVideoAfterRecording", 0))
        Fail("the picture and video settings could not be written");
    {
        testsupport::RegistryValue language(HKEY_LOCAL_MACHINE, kLanguageKey, L"Language");
        if (language.SetDword(1033) != ERROR_SUCCESS)
            Fail("the Language value for English could not be written");
        Step("Reset the simulated camera (0402:9665) and the settings: English, pictures with the date stamp, "
             "folders C:\\QuilloScene\\Pictures and Videos");
        (void)EnglishSession();
    }
    (void)LanguageSession(1031, "German", "de");
    (void)LanguageSession(1041, "Japanese", "ja");
    e2e::KillAll(L"Quillo.exe");
    e2e::KillAll(L"Tessel.exe");
    return g_failures == 0 ? 0 : 1;
}
