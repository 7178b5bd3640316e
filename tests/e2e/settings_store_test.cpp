// The settings a user keeps: a new user's whole registry tree after the first start (the camera's own image
// values), a second start that writes nothing new, the power line decided by the system's locale and set on
// the camera, flicker_a.dll missing, settings keys that cannot be opened, and the stored image values as the
// camera gets them at a preview's start (its own defaults until the user applied values, kept as text; values
// outside its range sent as they are).
#include "DialogScene.h"
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

// The image properties by their camera numbers and the names of their stored values.
struct ImageProperty
{
    int number;
    const wchar_t* name;
};
constexpr ImageProperty kImageProperties[6] = {{0, L"Brightness"}, {1, L"Contrast"},  {2, L"Hue"},
                                               {3, L"Saturation"}, {4, L"Sharpness"}, {5, L"Gamma"}};
constexpr wchar_t kImage[] = L"Properties\\Image";

// The scene's user (its image values not yet applied by anyone) and a camera of one chip family.
class StoredImageValues : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override { (void)e2e::ResetScene(); }
};

TEST_P(StoredImageValues, AFirstPreviewSetsTheCamerasDefaultsAndTheNextStartTheStoredValues)
{
    ASSERT_TRUE(testsupport::SimctlOk(std::wstring(L"reset ") + GetParam()));
    scene::CameraValue camera[6];
    for (int i = 0; i < 6; ++i) {
        camera[i] = scene::ReadCamera(kImageProperties[i].number);
        ASSERT_NE(camera[i].value, -9999) << i;
        // The camera starts off its defaults, so that setting them shows.
        const long off = camera[i].factory == camera[i].minimum ? camera[i].maximum : camera[i].minimum;
        ASSERT_TRUE(testsupport::SimctlOk(L"set 0 image " + std::to_wstring(kImageProperties[i].number) + L" " +
                                          std::to_wstring(off)));
    }
    {
        scene::Quillo quillo;
        ASSERT_TRUE(quillo.Start(true));
        for (int i = 0; i < 6; ++i) {
            const ImageProperty& p = kImageProperties[i];
            EXPECT_TRUE(
                testsupport::WaitFor([&] { return scene::ReadCamera(p.number).value == camera[i].factory; }, 20000))
                << testsupport::Narrow(p.name) << " " << scene::ReadCamera(p.number).value;
            std::wstring text;
            EXPECT_TRUE(scene::ReadText(L"Properties\\DEFAULT\\Image", p.name, text))
                << testsupport::Narrow(p.name) << " is no text value";
            EXPECT_EQ(text, std::to_wstring(camera[i].factory)) << testsupport::Narrow(p.name);
        }
        EXPECT_TRUE(quillo.Exit());
    }
    DWORD set = 0;
    EXPECT_FALSE(scene::ReadDword(kImage, L"Set", set) && set != 0) << "nothing counts as applied by the user";

    // Values stored as the Properties dialog stores them (near the family's defaults, so they differ per family):
    // the next start sets those.
    long stored[6];
    for (int i = 0; i < 6; ++i) {
        stored[i] = camera[i].factory < camera[i].maximum ? camera[i].factory + 1 : camera[i].factory - 1;
        ASSERT_TRUE(scene::WriteText(kImage, kImageProperties[i].name, std::to_wstring(stored[i])));
    }
    ASSERT_TRUE(scene::WriteDword(kImage, L"Set", 1));
    scene::Quillo quillo;
    ASSERT_TRUE(quillo.Start(true));
    for (int i = 0; i < 6; ++i) {
        const int number = kImageProperties[i].number;
        EXPECT_TRUE(testsupport::WaitFor([&] { return scene::ReadCamera(number).value == stored[i]; }, 20000))
            << testsupport::Narrow(kImageProperties[i].name) << " " << scene::ReadCamera(number).value;
    }
    EXPECT_TRUE(quillo.Exit());
}

INSTANTIATE_TEST_SUITE_P(Families, StoredImageValues, ::testing::Values(L"sonix", L"veyra7670", L"sunplus"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return testsupport::Narrow(info.param);
                         });

TEST_F(SettingsStore, StoredImageValuesOutsideTheCamerasRangeAreSentAsTheyAre)
{
    ASSERT_TRUE(e2e::UseSceneUser());
    const scene::CameraValue brightness = scene::ReadCamera(0), contrast = scene::ReadCamera(1);
    ASSERT_NE(brightness.value, -9999);
    const std::wstring high = std::to_wstring(brightness.maximum + 50), low = std::to_wstring(contrast.minimum - 7);
    ASSERT_TRUE(scene::WriteText(kImage, L"Brightness", high));
    ASSERT_TRUE(scene::WriteText(kImage, L"Contrast", low));
    ASSERT_TRUE(scene::WriteDword(kImage, L"Set", 1));
    ASSERT_TRUE(testsupport::SimctlOk(L"clearjournal"));
    scene::Quillo quillo;
    ASSERT_TRUE(quillo.Start(true));
    // The camera is asked for both values as stored, and decides: it refuses them and keeps its own.
    const std::string brightnessCall = "function=VideoProcAmp.Set args=slot=0,0," + testsupport::Narrow(high) + ",";
    const std::string contrastCall = "function=VideoProcAmp.Set args=slot=0,1," + testsupport::Narrow(low) + ",";
    std::string journal;
    EXPECT_TRUE(testsupport::WaitFor(
        [&] {
            journal = testsupport::Simctl(L"journal").output;
            return journal.find(brightnessCall) != std::string::npos && journal.find(contrastCall) != std::string::npos;
        },
        20000))
        << journal;
    EXPECT_EQ(scene::ReadCamera(0).value, brightness.value);
    EXPECT_EQ(scene::ReadCamera(1).value, contrast.value);
    EXPECT_TRUE(quillo.Exit());
    std::wstring text;
    EXPECT_TRUE(scene::ReadText(kImage, L"Brightness", text) && text == high) << "the stored value is kept";
}

} // namespace
