// The settings a user keeps: a new user's whole registry tree after the first start (the camera's own image
// values), a second start that writes nothing new, the power line decided by the system's locale and set on
// the camera, flicker_a.dll missing, and settings keys that cannot be opened.
#include "E2eSupport.h"

#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kProduct[] = L"Software\\Norvane\\Quillo";

// Every value under the product key: "Subkey\Name" -> type and bytes.
struct Stored
{
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const Stored& other) const { return type == other.type && data == other.data; }
};
using Tree = std::map<std::wstring, Stored>;

void ReadTree(HKEY key, const std::wstring& path, Tree& tree)
{
    for (DWORD i = 0;; ++i) {
        wchar_t name[256] = {};
        DWORD nameChars = 256, type = 0, bytes = 0;
        if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            break;
        Stored value;
        value.type = type;
        value.data.resize(bytes);
        nameChars = 256;
        RegEnumValueW(key, i, name, &nameChars, nullptr, &type, value.data.data(), &bytes);
        tree[path + name] = value;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256] = {};
        DWORD nameChars = 256;
        if (RegEnumKeyExW(key, i, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            ReadTree(child, path + name + L"\\", tree);
            RegCloseKey(child);
        }
    }
}

Tree ProductTree()
{
    Tree tree;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ReadTree(key, L"", tree);
        RegCloseKey(key);
    }
    return tree;
}

Stored Dword(DWORD value)
{
    Stored s;
    s.type = REG_DWORD;
    s.data.assign(reinterpret_cast<const BYTE*>(&value), reinterpret_cast<const BYTE*>(&value) + sizeof value);
    return s;
}

Stored Text(const std::wstring& text)
{
    Stored s;
    s.type = REG_SZ;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    s.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return s;
}

DWORD Number(const Tree& tree, const std::wstring& name)
{
    const auto it = tree.find(name);
    if (it == tree.end() || it->second.type != REG_DWORD || it->second.data.size() != 4)
        return 0xFFFFFFFF;
    return *reinterpret_cast<const DWORD*>(it->second.data.data());
}

// A field of simctl's description of device 0 ("brightness=118"), or -1.
long DeviceField(const std::string& field)
{
    const testsupport::RunResult list = testsupport::Simctl(L"list");
    const std::string key = " " + field + "=";
    const size_t at = list.output.find(key);
    return list.Succeeded() && at != std::string::npos ? std::strtol(list.output.c_str() + at + key.size(), nullptr, 10)
                                                       : -1;
}

// Starts Quillo with the arguments, lets its start finish and ends it through Exit.
void RunOnce(const wchar_t* arguments, const wchar_t* waitFor = L"Quillo_1")
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", arguments);
    ASSERT_TRUE(quillo.Valid());
    // The toolbar's title comes after the settings are read: its window is the sign the start is through.
    ASSERT_TRUE(testsupport::WaitFor([&] { return FindWindowW(nullptr, waitFor) != nullptr; }, 20000));
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

class SettingsStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e::ResetScene());
        RegDeleteTreeW(HKEY_CURRENT_USER, kProduct); // a new user
    }
    void TearDown() override { (void)e2e::ResetScene(); }
};

struct CameraCase
{
    const wchar_t* profile;
};

class NewUser : public SettingsStore, public ::testing::WithParamInterface<CameraCase>
{
};

TEST_P(NewUser, GetsEveryKeyWithItsDefaultAndTheCamerasOwnImageValues)
{
    ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + GetParam().profile));
    // The camera's own values before anything touched it: its factory defaults.
    const long brightness = DeviceField("brightness"), contrast = DeviceField("contrast"), gamma = DeviceField("gamma"),
               hue = DeviceField("hue"), saturation = DeviceField("saturation"), sharpness = DeviceField("sharpness");
    ASSERT_GE(brightness, 0);
    RunOnce(L"/s");
    const Tree tree = ProductTree();

    // The frequencies depend on the locale (their own test); everything else is fixed.
    const std::map<std::wstring, Stored> expected = {
        {L"Settings\\Options\\AutoHide", Dword(1)},
        {L"Settings\\Options\\ToolbarPosition", Dword(1)},
        {L"Settings\\Picture\\Size", Dword(1)},
        {L"Settings\\Picture\\ExportFile", Dword(1)},
        {L"Settings\\Picture\\DateStamp", Dword(0)},
        {L"Settings\\Picture\\ShowImageAfterSnapshot", Dword(0)},
        {L"Settings\\Picture\\My Pictures", Text(L"")},
        {L"Settings\\Video\\FrameRate", Dword(0)},
        {L"Settings\\Video\\Size", Dword(1)},
        {L"Settings\\Video\\PlayVideoAfterRecording", Dword(0)},
        {L"Settings\\Video\\My Video", Text(L"")},
        {L"Properties\\Image\\Brightness", Text(std::to_wstring(brightness))},
        {L"Properties\\Image\\Contrast", Text(std::to_wstring(contrast))},
        {L"Properties\\Image\\Gamma", Text(std::to_wstring(gamma))},
        {L"Properties\\Image\\Hue", Text(std::to_wstring(hue))},
        {L"Properties\\Image\\Saturation", Text(std::to_wstring(saturation))},
        {L"Properties\\Image\\Sharpness", Text(std::to_wstring(sharpness))},
        {L"Properties\\Image\\Set", Dword(0)},
        {L"Properties\\Options\\FlipHorizontal", Dword(0)},
        {L"Properties\\Options\\FlipVertical", Dword(0)},
    };
    for (const auto& value : expected) {
        const auto it = tree.find(value.first);
        ASSERT_NE(it, tree.end()) << testsupport::Narrow(value.first) << " is missing";
        EXPECT_TRUE(it->second == value.second) << testsupport::Narrow(value.first) << " differs";
    }
    const DWORD powerline = Number(tree, L"Properties\\Options\\PowerlineFrequency");
    EXPECT_TRUE(powerline == 1 || powerline == 2) << powerline;
    EXPECT_EQ(Number(tree, L"Properties\\Options\\DefaultFrequency"), powerline - 1);
    EXPECT_EQ(tree.size(), expected.size() + 2) << "no value the layout does not name";

    // The next start reads all of it back and writes nothing new.
    RunOnce(L"/s");
    EXPECT_TRUE(ProductTree() == tree);
}

// Two chip families with different factory image values.
INSTANTIATE_TEST_SUITE_P(Cameras, NewUser, ::testing::Values(CameraCase{L"veyra9665"}, CameraCase{L"sunplus"}));

TEST_F(SettingsStore, WithoutFlickerTheFrequencyStaysOpenAndIsAskedAgain)
{
    testsupport::MovedFile flicker(e2e::InstallDir() + L"\\flicker_a.dll", e2e::InstallDir() + L"\\flicker_a.aside");
    ASSERT_TRUE(flicker.Moved()) << flicker.Error();
    RunOnce(L"/s");
    const Tree tree = ProductTree();
    EXPECT_EQ(Number(tree, L"Properties\\Options\\PowerlineFrequency"), 0u);
    EXPECT_EQ(Number(tree, L"Properties\\Options\\DefaultFrequency"), 0u);
}

TEST_F(SettingsStore, ASettingsKeyThatCannotBeOpenedIsToldAndTheProgramRuns)
{
    ASSERT_TRUE(e2e::UseSceneUser());
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo\\Settings\\Picture"), ERROR_SUCCESS);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_TRUE(quillo.Valid());
    HWND box = e2e::WaitForWindow(L"#32770", nullptr, 20000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"Error: Can't open registry key.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr) << "the bar still comes";
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

} // namespace
