// The setup program as a user meets it, in a prefix of its own where only the simulated camera was set up
// beforehand (setup_test.sh): a silent install into a chosen folder holds exactly the shipped files, shortcuts
// to the installed program, the filters registered from there and an entry in the list of installed programs;
// Quillo starts from there to its toolbar (a second install refuses while it runs) and ends through its Exit; a
// silent uninstall takes all of it away and leaves the user's picture and settings.
#include "tests/e2e/E2eSupport.h"

#include "filters/aviwriter/AviWriterApi.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "filters/scaler/DownScalerApi.h"
#include "support/ChildProcess.h"
#include "support/Poll.h"
#include "support/Restore.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kFolder[] = L"C:\\Program Files\\Quillo Camera";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillo";
constexpr wchar_t kSettingsKey[] = L"Software\\Norvane\\Quillo";

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return towlower(c); });
    return text;
}

// A text value (this program is 64-bit: the 64-bit registry view); empty when the key or value is not there.
std::wstring RegistryText(HKEY root, const std::wstring& subkey, const wchar_t* name)
{
    wchar_t text[1024] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(root, subkey.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

bool KeyExists(HKEY root, const std::wstring& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::wstring();
    return path;
}

// The names a folder holds (files and folders), sorted.
std::vector<std::wstring> Listing(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return Lower(a) < Lower(b); });
    return names;
}

std::wstring Joined(const std::vector<std::wstring>& names)
{
    std::wstring text;
    for (const std::wstring& name : names)
        text += (text.empty() ? L"" : L", ") + name;
    return text;
}

// The program a shortcut starts; empty when it cannot be read.
std::wstring ShortcutTarget(const std::wstring& link)
{
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return std::wstring();
    std::wstring target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

std::wstring InprocServer(const CLSID& clsid)
{
    wchar_t text[64] = {};
    if (!StringFromGUID2(clsid, text, 64))
        return std::wstring();
    return RegistryText(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + text + L"\\InprocServer32", nullptr);
}

struct Filter
{
    const wchar_t* module;
    const CLSID* clsid;
};
const Filter kFilters[] = {
    {L"nvds.ax", &CLSID_NorvaneDownScaler},
    {L"nvpa.ax", &CLSID_NorvanePauseAudio},
    {L"nvav.ax", &CLSID_NorvaneAviWriter},
};

class Setup : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { CoUninitialize(); }

    const std::wstring m_folder = kFolder;
    const std::wstring m_menuLink = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Quillo\\Quillo.lnk";
    const std::wstring m_desktopLink = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Quillo.lnk";
};

TEST_F(Setup, InstallsRunsAndUninstallsLeavingOnlyTheUsersPicturesAndSettings)
{
    const char* setupProgram = std::getenv("QUILLO_SETUP");
    ASSERT_NE(setupProgram, nullptr) << "QUILLO_SETUP names the setup program (setup_test.sh sets it)";
    const std::wstring setup(setupProgram, setupProgram + strlen(setupProgram));
    ASSERT_FALSE(Exists(m_folder)) << "the prefix is fresh: nothing is installed yet";

    // A picture the user took earlier.
    const std::wstring pictures = SpecialFolder(CSIDL_MYPICTURES);
    ASSERT_FALSE(pictures.empty());
    const std::wstring picture = pictures + L"\\IMG0000.jpg";
    ASSERT_TRUE(testsupport::WriteWholeFile(picture, "the user's picture"));

    // /D= comes last and unquoted, even with a space in the folder.
    testsupport::RunOptions options;
    options.timeoutMs = 120000;
    const testsupport::RunResult install = testsupport::Run(setup, L"/S /D=" + m_folder, options);
    ASSERT_TRUE(install.Succeeded()) << install;

    // Exactly what ships, nothing of the simulated devices or the tests.
    const std::vector<std::wstring> shipped = {L"Brindle.dll", L"flicker_a.dll", L"Help",    L"Lang.ini",
                                               L"nvav.ax",     L"nvds.ax",       L"nvpa.ax", L"Quillo.exe",
                                               L"Tessel.exe",  L"Uninstall.exe"};
    EXPECT_EQ(Listing(m_folder), shipped);
    EXPECT_TRUE(Exists(m_folder + L"\\Help\\English\\index.html"));

    const std::wstring program = Lower(m_folder + L"\\Quillo.exe");
    EXPECT_EQ(Lower(ShortcutTarget(m_menuLink)), program) << testsupport::Narrow(m_menuLink);
    EXPECT_EQ(Lower(ShortcutTarget(m_desktopLink)), program) << testsupport::Narrow(m_desktopLink);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Quillo");
    EXPECT_EQ(Lower(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString")),
              Lower(L"\"" + m_folder + L"\\Uninstall.exe\""));
    for (const Filter& filter : kFilters)
        EXPECT_EQ(Lower(InprocServer(*filter.clsid)), Lower(m_folder + L"\\" + filter.module))
            << testsupport::Narrow(filter.module);

    // The installed program starts to its toolbar (a new user: it writes the user's settings) and ends through
    // its own Exit.
    {
        e2e::Process quillo = e2e::Process::Start(m_folder + L"\\Quillo.exe", L"/s", m_folder);
        ASSERT_TRUE(quillo.Valid()) << "error " << quillo.StartError();
        EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, quillo.Pid()), nullptr) << "no toolbar";
        // Its files are in use: a second install refuses (exit code 3) and leaves the program running.
        const testsupport::RunResult over = testsupport::Run(setup, L"/S /D=" + m_folder, options);
        EXPECT_TRUE(over.started && over.finished && over.exitCode == 3) << over;
        EXPECT_TRUE(quillo.Running());
        EXPECT_TRUE(e2e::ExitQuillo(quillo));
    }
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, std::wstring(kSettingsKey) + L"\\Settings\\Options"))
        << "the first start wrote the user's settings";

    // The uninstaller runs from a copy of itself: it is done when the program folder is gone.
    const testsupport::RunResult uninstall = testsupport::Run(m_folder + L"\\Uninstall.exe", L"/S", options);
    ASSERT_TRUE(uninstall.Succeeded()) << uninstall;
    EXPECT_TRUE(testsupport::WaitFor([&] { return !Exists(m_folder); }, 60000, 200))
        << "left in the program folder: " << testsupport::Narrow(Joined(Listing(m_folder)));
    EXPECT_FALSE(Exists(m_menuLink));
    EXPECT_FALSE(Exists(SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Quillo"));
    EXPECT_FALSE(Exists(m_desktopLink));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    for (const Filter& filter : kFilters)
        EXPECT_EQ(InprocServer(*filter.clsid), L"") << testsupport::Narrow(filter.module) << " is still registered";

    EXPECT_EQ(testsupport::ReadWholeFile(picture), "the user's picture");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::wstring(kSettingsKey) + L"\\Settings\\Options"));
}

} // namespace
