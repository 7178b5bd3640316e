// How the preview gets its scaler: registered (the installer's way), not registered (the module's own
// class factory, by its full path in the program folder), or missing (the error box, no picture).
#include "E2eSupport.h"
#include "SimPicture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kScaler[] = L"C:\\Quillo\\nvds.ax";
const wchar_t kMovedScaler[] = L"C:\\Quillo\\nvds.ax.moved";

// Calls the module's DllRegisterServer or DllUnregisterServer; the result of the call.
HRESULT Register(const wchar_t* module, bool install)
{
    HMODULE handle = LoadLibraryW(module);
    if (!handle)
        return HRESULT_FROM_WIN32(GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(handle, install ? "DllRegisterServer" : "DllUnregisterServer")));
    const HRESULT hr = entry ? entry() : E_NOINTERFACE;
    FreeLibrary(handle);
    return hr;
}

class PreviewScaler : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(e2e::ResetScene(), 0); }
    void TearDown() override
    {
        e2e::ResetScene();
        if (GetFileAttributesW(kMovedScaler) != INVALID_FILE_ATTRIBUTES)
            MoveFileExW(kMovedScaler, kScaler, MOVEFILE_REPLACE_EXISTING);
        EXPECT_EQ(Register(kScaler, true), S_OK) << "the prefix's registration could not be put back";
    }

    // Starts Quillo; true when its preview shows the camera's bars.
    static bool PictureShows(e2e::Process* quillo, std::string* why)
    {
        *quillo = e2e::Start(L"Quillo.exe", L"");
        HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo->Pid());
        if (!preview) {
            *why = "no preview";
            return false;
        }
        const DWORD start = GetTickCount();
        do {
            HWND video = e2e::PreviewVideoWindow(preview);
            if (video && e2e::ShowsBars(e2e::CaptureWindow(video), false, why))
                return true;
            Sleep(100);
        } while (GetTickCount() - start < 15000);
        return false;
    }
};

TEST_F(PreviewScaler, ANotRegisteredScalerIsCreatedFromTheProgramFolder)
{
    ASSERT_EQ(Register(kScaler, false), S_OK);
    e2e::Process quillo;
    std::string why;
    EXPECT_TRUE(PictureShows(&quillo, &why)) << why;
}

TEST_F(PreviewScaler, AMissingScalerGivesItsErrorBoxAndNoPicture)
{
    ASSERT_EQ(Register(kScaler, false), S_OK);
    ASSERT_TRUE(MoveFileExW(kScaler, kMovedScaler, MOVEFILE_REPLACE_EXISTING));
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"Could not create Down Scaler (is nvds.ax registered?)");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 50 && IsWindow(box); ++i)
        Sleep(100);
    // The preview gives up without a picture and without a second message; the toolbar stays.
    EXPECT_EQ(e2e::WaitForWindow(L"#32770", L"Error!", 2000, quillo.Pid()), nullptr);
    EXPECT_EQ(e2e::WaitForWindow(nullptr, L"Quillo", 2000, quillo.Pid()), nullptr);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 5000, quillo.Pid()), nullptr);
}

} // namespace
