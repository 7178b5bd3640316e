// How the preview gets its scaler: registered (the installer's way), not registered (the module's own
// class factory, by its full path in the program folder), or missing (the error box, no picture).
#include "E2eSupport.h"
#include "SimPicture.h"

#include "support/Library.h"
#include "support/Poll.h"
#include "support/Restore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kScaler[] = L"C:\\Quillo\\nvds.ax";
const wchar_t kMovedScaler[] = L"C:\\Quillo\\nvds.ax.moved";

// The scaler unregistered for the life of a scope, then registered again as the prefix's install left it,
// also when the test fails. Declared before the test's Quillo, it outlives it.
class UnregisteredScaler
{
public:
    UnregisteredScaler() : m_result(testsupport::RegisterModule(kScaler, false)) {}
    ~UnregisteredScaler()
    {
        EXPECT_EQ(testsupport::RegisterModule(kScaler, true), S_OK) << "the prefix's registration was not put back";
    }
    UnregisteredScaler(const UnregisteredScaler&) = delete;
    UnregisteredScaler& operator=(const UnregisteredScaler&) = delete;
    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
};

class PreviewScaler : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override { EXPECT_TRUE(e2e::ResetScene()); }

    // Starts Quillo; true when its preview shows the camera's bars.
    static bool PictureShows(e2e::Process* quillo, std::string* why)
    {
        *quillo = e2e::Start(L"Quillo.exe", L"");
        HWND preview = e2e::WaitForWindow(nullptr, L"Quillo", 30000, quillo->Pid());
        if (!preview) {
            *why = "no preview";
            return false;
        }
        return testsupport::WaitFor(
            [&] {
                HWND video = e2e::PreviewVideoWindow(preview);
                return video && e2e::ShowsBars(e2e::CaptureWindow(video), false, why);
            },
            15000, 100);
    }
};

TEST_F(PreviewScaler, ANotRegisteredScalerIsCreatedFromTheProgramFolder)
{
    UnregisteredScaler unregistered;
    ASSERT_EQ(unregistered.Result(), S_OK);
    e2e::Process quillo;
    std::string why;
    EXPECT_TRUE(PictureShows(&quillo, &why)) << why;
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

TEST_F(PreviewScaler, AMissingScalerGivesItsErrorBoxAndNoPicture)
{
    UnregisteredScaler unregistered;
    ASSERT_EQ(unregistered.Result(), S_OK);
    // Moved back at the end of the test, once Quillo has ended, also when the test fails.
    testsupport::MovedFile moved(kScaler, kMovedScaler);
    ASSERT_TRUE(moved.Moved()) << "error " << moved.Error();
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"Could not create Down Scaler (is nvds.ax registered?)");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(testsupport::WaitFor([&] { return !IsWindow(box); }, 5000, 100));
    // The preview gives up without a picture and without a second message; the toolbar stays.
    EXPECT_EQ(e2e::WaitForWindow(L"#32770", L"Error!", 2000, quillo.Pid()), nullptr);
    EXPECT_EQ(e2e::WaitForWindow(nullptr, L"Quillo", 2000, quillo.Pid()), nullptr);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 5000, quillo.Pid()), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

} // namespace
