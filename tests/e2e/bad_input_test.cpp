// Outside data beyond what the program's buffers hold: picture and video folders of more than 260 characters are
// told as folders that cannot be used (nothing is written to a cut-short path), and a camera whose device path
// has 5000 characters is still recognised, traced and previewed.
#include "E2eSupport.h"

#include "support/Poll.h"
#include "support/Restore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kRecordButton = 1008, kSnapshotButton = 1003;
constexpr wchar_t kFolderError[] = L"The folder is forbidden to be accessed, please select another one.";
constexpr wchar_t kCameraInstances[] = L"CLSID\\{860BB310-5D01-11d0-BD3B-00A0C911CE86}\\Instance";

HWND WaitForPreview(e2e::Process& quillo)
{
    HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo.Pid());
    if (preview &&
        !testsupport::WaitFor([&] { return IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)) != FALSE; }, 10000))
        return nullptr;
    return preview;
}

// Presses a preview button and answers the box that follows; its text, or empty without a box.
std::wstring PressAndReadBox(e2e::Process& quillo, HWND preview, int button)
{
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(preview, button)));
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 10000, quillo.Pid());
    if (!box)
        return std::wstring();
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    testsupport::WaitFor([&] { return !IsWindow(box); }, 5000);
    return text;
}

// No file in the folder (subfolders do not count).
bool HoldsNoFile(const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            empty = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return empty;
}

class BadInput : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override
    {
        if (m_quillo.Valid()) {
            EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
        }
        (void)e2e::ResetScene();
    }
    e2e::Process m_quillo;
};

TEST_F(BadInput, FoldersLongerThanAPathAreToldAndNothingIsWritten)
{
    // Three levels of 100 characters below the scene's folder: 330 characters in all.
    std::wstring folder = L"C:\\QuilloScene\\";
    for (wchar_t level : {L'a', L'b', L'c'}) {
        folder += std::wstring(100, level) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    ASSERT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    testsupport::RegistryValue pictures(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo\\Settings\\Picture",
                                        L"My Pictures");
    testsupport::RegistryValue videos(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo\\Settings\\Video", L"My Video");
    ASSERT_EQ(pictures.SetText(folder), ERROR_SUCCESS);
    ASSERT_EQ(videos.SetText(folder), ERROR_SUCCESS);

    m_quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_TRUE(m_quillo.Valid());
    HWND preview = WaitForPreview(m_quillo);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(PressAndReadBox(m_quillo, preview, kSnapshotButton), kFolderError);
    EXPECT_EQ(PressAndReadBox(m_quillo, preview, kRecordButton), kFolderError);
    EXPECT_TRUE(HoldsNoFile(folder));
    // Nothing landed beside the last level either, where a path cut at 260 characters would end.
    EXPECT_TRUE(HoldsNoFile(folder.substr(0, 15 + 2 * 101))) << "the second level";
    EXPECT_TRUE(IsWindowVisible(preview)) << "the preview goes on";
}

TEST_F(BadInput, ADevicePathOf5000CharactersStillFindsTheCamera)
{
    HKEY instances = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, kCameraInstances, 0, KEY_READ, &instances), ERROR_SUCCESS);
    wchar_t name[256] = {};
    std::wstring camera;
    for (DWORD i = 0; RegEnumKeyW(instances, i, name, 256) == ERROR_SUCCESS; ++i)
        if (std::wstring(name).rfind(L"QuilloSimCam", 0) == 0)
            camera = name;
    RegCloseKey(instances);
    ASSERT_FALSE(camera.empty()) << "no simulated camera listed";
    // The camera's ids at the end of a path far longer than any fixed buffer.
    const std::wstring path = L"\\\\?\\usb#" + std::wstring(5000, L'x') + L"#vid_0402&pid_9665&mi_00#global";
    testsupport::RegistryValue devicePath(HKEY_CLASSES_ROOT, std::wstring(kCameraInstances) + L"\\" + camera,
                                          L"DevicePath");
    ASSERT_EQ(devicePath.SetText(path), ERROR_SUCCESS);
    testsupport::AddedFile ini(e2e::InstallDir() + L"\\vistrel.ini");
    testsupport::AddedFile log(e2e::InstallDir() + L"\\vistrel.log");
    DeleteFileW(log.Path().c_str());
    ASSERT_TRUE(ini.Write("[DEBUG]\r\nLOG_LEVEL=3\r\n")); // the path is traced (cut to the log's line)

    m_quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_TRUE(m_quillo.Valid());
    EXPECT_NE(WaitForPreview(m_quillo), nullptr) << "the camera was not recognised";
    EXPECT_TRUE(e2e::ExitQuillo(m_quillo));
    const std::string trace = testsupport::ReadWholeFile(log.Path());
    EXPECT_NE(trace.find("DevicePath=\\\\?\\USB#XXXX"), std::string::npos) << "the path is not traced";
    EXPECT_NE(trace.find("FOUND!!! ==> VEYRADll"), std::string::npos) << "the camera's row was not found";
}

} // namespace
