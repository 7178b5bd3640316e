// Starting Quillo with and without "/s", and with no usable camera: which windows and boxes appear.
#include "E2eSupport.h"

#include "common/SensorHelperProtocol.h"
#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

class PreviewStart : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override { EXPECT_TRUE(e2e::ResetScene()); }

    // The preview dialog's window (template caption "Quillo") of a process, or null.
    static HWND WaitForPreview(DWORD pid, DWORD timeoutMs)
    {
        return e2e::WaitForWindow(nullptr, L"Quillo", timeoutMs, pid);
    }

    // Text of the static control of a message box.
    static std::wstring BoxText(HWND box)
    {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        return text;
    }
};

TEST_F(PreviewStart, WithSlashSOnlyTheToolbarShows)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 3000), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

TEST_F(PreviewStart, WithoutArgumentThePreviewOpensInItsCompactSize)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    HWND preview = WaitForPreview(quillo.Pid(), 20000);
    ASSERT_NE(preview, nullptr);
    RECT rect = {};
    ASSERT_TRUE(GetWindowRect(preview, &rect));
    const bool small = GetSystemMetrics(SM_CYSCREEN) < 768;
    EXPECT_EQ(rect.right - rect.left, small ? 594 : 663);
    EXPECT_EQ(rect.bottom - rect.top, small ? 559 : 610);
    wchar_t label[32] = {};
    GetDlgItemTextW(preview, 1031, label, 32);
    EXPECT_STREQ(label, L"640 X 480");
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

// A camera the program cannot stream: its message box, no preview, and the toolbar stays.
struct CameraBoxCase
{
    const char* name;
    const wchar_t* simctl; // sets up the camera
    const wchar_t* text;   // of the box
};

class PreviewStartWithoutPicture : public PreviewStart, public ::testing::WithParamInterface<CameraBoxCase>
{
};

TEST_P(PreviewStartWithoutPicture, GivesItsBoxNoPreviewAndKeepsTheToolbar)
{
    ASSERT_TRUE(testsupport::SimctlOk(GetParam().simctl));
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), GetParam().text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 2000), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

INSTANTIATE_TEST_SUITE_P(
    Cameras, PreviewStartWithoutPicture,
    ::testing::Values(
        CameraBoxCase{"UnknownCamera", L"reset unknown", L"No video capture device was detected on your system."},
        CameraBoxCase{"BusyCamera", L"busy 0 1", L"Camera is not installed or camera is occupied by another user."}),
    [](const ::testing::TestParamInfo<CameraBoxCase>& info) { return std::string(info.param.name); });

TEST_F(PreviewStart, SecondStartOpensThePreviewOfTheFirst)
{
    e2e::Process first = e2e::Start(L"Quillo.exe", L"/s");
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, first.Pid()), nullptr);
    ASSERT_EQ(WaitForPreview(first.Pid(), 1000), nullptr);

    e2e::Process second = e2e::Start(L"Quillo.exe", L"");
    DWORD code = 99;
    ASSERT_TRUE(second.Wait(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_NE(WaitForPreview(first.Pid(), 5000), nullptr);
    EXPECT_EQ(e2e::VisibleWindows(second.Pid()).size(), 0u);
    EXPECT_TRUE(e2e::ExitQuillo(first));
}

TEST_F(PreviewStart, TheHelperStartsOnceAndQuitsWhenThePreviewCloses)
{
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND preview = WaitForPreview(quillo.Pid(), 20000);
    ASSERT_NE(preview, nullptr);
    HWND helper = nullptr;
    ASSERT_TRUE(testsupport::WaitFor([&] { return (helper = FindWindowW(nullptr, kSensorHelperTitle)) != nullptr; },
                                     10000, 100));
    EXPECT_FALSE(IsWindowVisible(helper));
    DWORD helperPid = 0;
    GetWindowThreadProcessId(helper, &helperPid);
    HANDLE helperProcess = OpenProcess(SYNCHRONIZE, FALSE, helperPid);
    ASSERT_NE(helperProcess, nullptr);

    HWND close = GetDlgItem(preview, 1009);
    EXPECT_NE(close, nullptr);
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), reinterpret_cast<LPARAM>(close));
    EXPECT_EQ(WaitForSingleObject(helperProcess, 10000), WAIT_OBJECT_0) << "Tessel did not end on the quit message";
    CloseHandle(helperProcess);
    EXPECT_TRUE(testsupport::WaitFor([&] { return !IsWindow(preview); }, 5000, 100));
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 2000, quillo.Pid()), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

// The machine's language value picks the language file's German section for the boxes' texts.
TEST_F(PreviewStart, TheMachineLanguageValueShowsTheBoxInGerman)
{
    // The machine's value is put back as it was at the end, also when the test fails.
    testsupport::RegistryValue language(HKEY_LOCAL_MACHINE, L"Software\\Norvane\\Quillo", L"Language");
    ASSERT_EQ(language.SetDword(0x0407), ERROR_SUCCESS);
    ASSERT_TRUE(testsupport::SimctlOk(L"reset unknown"));
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Fehler!", 20000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"Auf diesem System wurde kein Videoaufnahmeger\u00e4t gefunden.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
}

// Lines of a log file (CR LF ended), as written.
std::vector<std::string> LogLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    const std::string text = testsupport::ReadWholeFile(path);
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// True when the line is " HH:MM:SS<tab>[vistrel] " followed by the message.
bool IsTraceLine(const std::string& line, std::string* message)
{
    if (line.size() < 20 || line[0] != ' ' || line[3] != ':' || line[6] != ':' || line[9] != '\t' ||
        line.compare(10, 10, "[vistrel] ") != 0)
        return false;
    for (int i : {1, 2, 4, 5, 7, 8})
        if (line[i] < '0' || line[i] > '9')
            return false;
    *message = line.substr(20);
    return true;
}

// A start with LOG_LEVEL=3 traces the toolbar start, the preview build and the end into vistrel.log, in order.
TEST_F(PreviewStart, WithLogLevelThreeTheStartIsTracedToTheLogFile)
{
    // The settings file and the log it switches on are gone at the end, also when the test fails.
    testsupport::AddedFile ini(e2e::InstallDir() + L"\\vistrel.ini");
    testsupport::AddedFile log(e2e::InstallDir() + L"\\vistrel.log");
    DeleteFileW(log.Path().c_str());
    ASSERT_TRUE(ini.Write("[DEBUG]\r\nLOG_LEVEL=3\r\n"));

    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    ASSERT_NE(WaitForPreview(quillo.Pid(), 30000), nullptr);
    EXPECT_TRUE(e2e::ExitQuillo(quillo));
    const std::vector<std::string> lines = LogLines(log.Path());
    ASSERT_FALSE(lines.empty());

    const char* expected[] = {
        "CSkinDlg::CSkinDlg ================== Application Starts ======================",
        "Preview::OnInitDialog pCamera->isp=0x1",
        "Preview::InitStillGraph[IN]",
        "Preview::InitStillGraph Video Capture <---> Down Scaler  OK!!!",
        "Preview::InitStillGraph Down Scaler  <---> SmartTee : OK!!!",
        "Preview::InitStillGraph SmartTee(Preview) <----> VMR: OK!!!",
        "Preview::InitStillGraph[OUT]",
        "CSkinDlg::OnDestroy ================== Application Ends ======================",
    };
    size_t next = 0;
    for (const std::string& line : lines) {
        std::string message;
        ASSERT_TRUE(IsTraceLine(line, &message)) << "not a trace line: " << line;
        if (next < std::size(expected) && message == expected[next])
            ++next;
    }
    EXPECT_EQ(next, std::size(expected)) << "missing or out of order: "
                                         << (next < std::size(expected) ? expected[next] : "");
}

} // namespace
