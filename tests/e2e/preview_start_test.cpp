// Starting Quillo with and without "/s", and with no usable camera: which windows and boxes appear.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

class PreviewStart : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(e2e::ResetScene(), 0); }
    void TearDown() override { e2e::ResetScene(); }

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
}

TEST_F(PreviewStart, AnUnknownCameraGivesTheNoDeviceBoxAndNoPreview)
{
    ASSERT_EQ(e2e::Simctl(L"reset unknown"), 0);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 20000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"No video capture device was detected on your system.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 20000, quillo.Pid()), nullptr);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 2000), nullptr);
}

TEST_F(PreviewStart, ABusyCameraGivesTheCameraMessageAndNoPreview)
{
    ASSERT_EQ(e2e::Simctl(L"busy 0 1"), 0);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 30000, quillo.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"Camera is not installed or camera is occupied by another user.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForPreview(quillo.Pid(), 3000), nullptr);
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 5000, quillo.Pid()), nullptr);
}

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
}

TEST_F(PreviewStart, TheHelperStartsOnceAndQuitsWhenThePreviewCloses)
{
    e2e::KillAll(L"Tessel.exe");
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND preview = WaitForPreview(quillo.Pid(), 20000);
    ASSERT_NE(preview, nullptr);
    HWND helper = nullptr;
    for (int i = 0; i < 100 && !helper; ++i, Sleep(100))
        helper = FindWindowW(nullptr, L"Tessel");
    ASSERT_NE(helper, nullptr);
    EXPECT_FALSE(IsWindowVisible(helper));
    DWORD helperPid = 0;
    GetWindowThreadProcessId(helper, &helperPid);
    HANDLE helperProcess = OpenProcess(SYNCHRONIZE, FALSE, helperPid);
    ASSERT_NE(helperProcess, nullptr);

    HWND close = GetDlgItem(preview, 1009);
    ASSERT_NE(close, nullptr);
    PostMessageW(preview, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), reinterpret_cast<LPARAM>(close));
    EXPECT_EQ(WaitForSingleObject(helperProcess, 10000), WAIT_OBJECT_0) << "Tessel did not end on 2258";
    CloseHandle(helperProcess);
    for (int i = 0; i < 50 && IsWindow(preview); ++i)
        Sleep(100);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_NE(e2e::WaitForWindow(nullptr, L"Quillo_1", 2000, quillo.Pid()), nullptr);
}

// The machine's language value picks the language file's German section for the boxes' texts.
TEST_F(PreviewStart, TheMachineLanguageValueShowsTheBoxInGerman)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Norvane\\Quillo", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD german = 0x0407;
    ASSERT_EQ(RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&german), sizeof german),
              ERROR_SUCCESS);
    ASSERT_EQ(e2e::Simctl(L"reset unknown"), 0);
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND box = e2e::WaitForWindow(L"#32770", L"Fehler!", 20000, quillo.Pid());
    RegDeleteValueW(key, L"Language");
    RegCloseKey(key);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"Auf diesem System wurde kein Videoaufnahmeger\u00e4t gefunden.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Lines of a log file (CR LF ended), as written.
std::vector<std::string> LogLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
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

// A start with LOG_LEVEL=3 traces the toolbar start and the preview build into vistrel.log, in order.
TEST_F(PreviewStart, WithLogLevelThreeTheStartIsTracedToTheLogFile)
{
    const std::wstring ini = e2e::InstallDir() + L"\\vistrel.ini";
    const std::wstring log = e2e::InstallDir() + L"\\vistrel.log";
    DeleteFileW(log.c_str());
    HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char text[] = "[DEBUG]\r\nLOG_LEVEL=3\r\n";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);

    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    HWND preview = WaitForPreview(quillo.Pid(), 30000);
    quillo.Kill();
    e2e::KillAll(L"Tessel.exe");
    std::vector<std::string> lines = LogLines(log);
    DeleteFileW(ini.c_str());
    DeleteFileW(log.c_str());
    ASSERT_NE(preview, nullptr);
    ASSERT_FALSE(lines.empty());

    const char* expected[] = {
        "CSkinDlg::CSkinDlg ================== Application Starts ======================",
        "Preview::OnInitDialog pCamera->isp=0x1",
        "Preview::InitStillGraph[IN]",
        "Preview::InitStillGraph Video Capture <---> Down Scaler  OK!!!",
        "Preview::InitStillGraph Down Scaler  <---> SmartTee : OK!!!",
        "Preview::InitStillGraph SmartTee(Preview) <----> VMR: OK!!!",
        "Preview::InitStillGraph[OUT]",
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
