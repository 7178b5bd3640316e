// Scenario-test support (see E2eSupport.h).
#include "E2eSupport.h"

#include "common/SensorHelperProtocol.h"
#include "resource.h"
#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <tlhelp32.h>

namespace e2e {

namespace {
constexpr wchar_t kProductKey[] = L"Software\\Norvane\\Quillo\\";
}

std::wstring InstallDir()
{
    return L"C:\\Quillo";
}

Process Start(const std::wstring& exe, const std::wstring& args)
{
    return Process::Start(InstallDir() + L"\\" + exe, args, InstallDir());
}

namespace {

// The first top-level window of the process with this title, shown or hidden (the toolbar may be hidden).
HWND FindTitledWindow(DWORD pid, const wchar_t* title)
{
    struct Query
    {
        DWORD pid;
        const wchar_t* title;
        HWND found;
    } query = {pid, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* q = reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            if ((q->pid && owner != q->pid) || lstrcmpW(text, q->title) != 0)
                return TRUE;
            q->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

} // namespace

::testing::AssertionResult ExitQuillo(Process& quillo, DWORD timeoutMs)
{
    if (!quillo.Valid())
        return ::testing::AssertionFailure() << "Quillo did not start";
    DWORD code = 0;
    if (quillo.Wait(0, &code)) {
        quillo.Kill();
        return ::testing::AssertionFailure() << "Quillo had already ended (exit code " << code << ")";
    }
    HWND toolbar = FindTitledWindow(quillo.Pid(), L"Quillo_1");
    if (!toolbar) {
        quillo.Kill();
        return ::testing::AssertionFailure() << "no toolbar window to send Exit to; Quillo was ended by force";
    }
    // The preview, when open, tells a helper whose window is up to quit as it closes; a helper still starting
    // is not told (it then stays: the scene reset ends it).
    const bool helperUp =
        FindWindowW(nullptr, kSensorHelperTitle) != nullptr && FindTitledWindow(quillo.Pid(), L"Quillo") != nullptr;
    if (!PostMessageW(toolbar, WM_COMMAND, MAKEWPARAM(ID_TRAY_EXIT, 0), 0)) {
        quillo.Kill();
        return ::testing::AssertionFailure() << "Exit could not be posted (error " << GetLastError() << ")";
    }
    if (!quillo.Wait(timeoutMs, &code)) {
        quillo.Kill();
        return ::testing::AssertionFailure() << "Quillo still ran " << timeoutMs << " ms after Exit; ended by force";
    }
    quillo.Kill(); // lets go of the ended process
    if (code != 0)
        return ::testing::AssertionFailure() << "Quillo ended with exit code " << code << " after Exit";
    if (helperUp &&
        !testsupport::WaitFor([] { return FindWindowW(nullptr, kSensorHelperTitle) == nullptr; }, 10000, 50))
        return ::testing::AssertionFailure() << "the helper still runs 10 s after Quillo's exit";
    return ::testing::AssertionSuccess();
}

namespace {
struct WindowQuery
{
    const wchar_t* className;
    const wchar_t* title;
    DWORD pid;
    HWND found;
    std::vector<HWND>* all;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* q = reinterpret_cast<WindowQuery*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (q->pid && pid != q->pid)
        return TRUE;
    wchar_t text[256] = {};
    if (q->className) {
        GetClassNameW(window, text, 256);
        if (lstrcmpiW(text, q->className) != 0)
            return TRUE;
    }
    if (q->title) {
        GetWindowTextW(window, text, 256);
        if (lstrcmpW(text, q->title) != 0)
            return TRUE;
    }
    if (q->all) {
        q->all->push_back(window);
        return TRUE;
    }
    q->found = window;
    return FALSE;
}
} // namespace

HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs, DWORD pid)
{
    HWND found = nullptr;
    testsupport::WaitFor(
        [&] {
            WindowQuery q = {className, title, pid, nullptr, nullptr};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
            found = q.found;
            return found != nullptr;
        },
        timeoutMs, 100);
    return found;
}

std::vector<HWND> VisibleWindows(DWORD pid)
{
    std::vector<HWND> windows;
    WindowQuery q = {nullptr, nullptr, pid, nullptr, &windows};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
    return windows;
}

std::wstring ScenePictures()
{
    return L"C:\\QuilloScene\\Pictures\\";
}

std::wstring SceneVideos()
{
    return L"C:\\QuilloScene\\Videos\\";
}

namespace {

// Empties a scene folder (files only; the scene makes no subfolders) and makes sure it is there.
void EmptyFolder(const std::wstring& folder)
{
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool PutKey(const wchar_t* subkey, std::initializer_list<std::pair<const wchar_t*, DWORD>> numbers,
            std::initializer_list<std::pair<const wchar_t*, std::wstring>> texts)
{
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kProductKey) + subkey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const auto& number : numbers)
        ok = ok && RegSetValueExW(key, number.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number.second),
                                  sizeof number.second) == ERROR_SUCCESS;
    for (const auto& text : texts)
        ok = ok && RegSetValueExW(key, text.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.second.c_str()),
                                  static_cast<DWORD>((text.second.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

} // namespace

bool UseSceneUser()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane\\Quillo");
    EmptyFolder(ScenePictures());
    EmptyFolder(SceneVideos());
    // The keys a start looks for are there, so nothing is deployed; auto-hide is off and the folders are the
    // scene's own. Values left out keep the program's own start values.
    return PutKey(L"Settings\\Options\\", {{L"AutoHide", 0}, {L"ToolbarPosition", 1}}, {}) &&
           PutKey(L"Settings\\Picture\\", {{L"Size", 1}, {L"ExportFile", 1}}, {{L"My Pictures", ScenePictures()}}) &&
           PutKey(L"Settings\\Video\\", {}, {{L"My Video", SceneVideos()}}) && PutKey(L"Properties\\Image\\", {}, {}) &&
           PutKey(L"Properties\\Options\\", {}, {});
}

HWND StartWithReadyPreview(Process& quillo)
{
    quillo = Start(L"Quillo.exe", L"");
    if (!quillo.Valid())
        return nullptr;
    HWND preview = WaitForWindow(nullptr, L"Quillo", 30000, quillo.Pid());
    if (!preview || !testsupport::WaitFor(
                        [&] { return IsWindowEnabled(GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT)) != FALSE; }, 10000))
        return nullptr;
    return preview;
}

bool RecordedFor(HWND preview, int seconds, DWORD timeoutMs)
{
    return testsupport::WaitFor(
        [&] {
            wchar_t text[32] = {};
            int h = 0, m = 0, s = 0;
            return GetDlgItemTextW(preview, IDC_PREVIEW_ELAPSED, text, 32) > 0 &&
                   std::swscanf(text, L"%d:%d:%d", &h, &m, &s) == 3 && (h * 60 + m) * 60 + s >= seconds;
        },
        timeoutMs);
}

::testing::AssertionResult ScreenIs(int width, int height)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w == width && h == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the screen is " << w << "x" << h << ", this test needs " << width << "x"
                                         << height << " (QUILLO_SCREEN=" << width << "x" << height << ")";
}

::testing::AssertionResult UseVirtualDesktop()
{
    // Wine makes a named desktop a virtual one of the size its Explorer key gives for that name.
    const wchar_t* name = L"QuilloScene";
    wchar_t size[32] = {};
    std::swprintf(size, 32, L"%dx%d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return ::testing::AssertionFailure() << "Wine's desktop sizes cannot be written";
    const LONG written = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(size),
                                        static_cast<DWORD>((wcslen(size) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (written != ERROR_SUCCESS)
        return ::testing::AssertionFailure() << "Wine's desktop size cannot be written";
    // The handle stays open for the life of the test program: the thread works on that desktop.
    HDESK desktop = CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop)
        return ::testing::AssertionFailure() << "no desktop " << GetLastError();
    if (!SetThreadDesktop(desktop)) {
        const DWORD error = GetLastError();
        CloseDesktop(desktop);
        return ::testing::AssertionFailure()
               << "the thread cannot move to the desktop (" << error << "; it made a window before?)";
    }
    if (!GetDesktopWindow())
        return ::testing::AssertionFailure() << "the virtual desktop has no window";
    return ::testing::AssertionSuccess();
}

std::string RunOnHost(const std::string& command, DWORD timeoutMs)
{
    static int runs = 0;
    const std::wstring answer =
        L"C:\\QuilloScene\\host-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs) + L".txt";
    const std::string file = HostPath(answer);
    const std::string script =
        "(" + command + ") > \"" + file + ".part\" 2>&1; mv \"" + file + ".part\" \"" + file + "\"";
    std::wstring line = L"Z:\\bin\\sh -c \"";
    for (char c : script)
        line += c == '"' ? std::wstring(L"\\\"") : std::wstring(1, static_cast<wchar_t>(c));
    line += L"\"";
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    SHCreateDirectoryExW(nullptr, L"C:\\QuilloScene", nullptr);
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return std::string();
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!testsupport::WaitFor([&] { return GetFileAttributesW(answer.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs,
                              50))
        return std::string();
    const std::string text = testsupport::ReadWholeFile(answer);
    DeleteFileW(answer.c_str());
    return text;
}

std::string HostPath(const std::wstring& windowsPath)
{
    std::string path = "$WINEPREFIX/drive_c";
    for (size_t i = 2; i < windowsPath.size(); ++i)
        path += windowsPath[i] == L'\\' ? '/' : static_cast<char>(windowsPath[i]);
    return path;
}

::testing::AssertionResult ResetScene()
{
    KillAll(L"Quillo.exe");
    KillAll(L"Tessel.exe");
    if (!UseSceneUser())
        return ::testing::AssertionFailure() << "the scene's registry settings could not be written";
    return testsupport::SimctlOk(L"reset");
}

void KillAll(const wchar_t* exeName)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exeName) != 0)
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

Image CaptureScreen(const RECT& rect)
{
    Image image;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return image;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        image.width = width;
        image.height = height;
        const auto* src = static_cast<const uint32_t*>(bits);
        image.pixels.assign(src, src + static_cast<size_t>(width) * height);
        for (auto& p : image.pixels)
            p &= 0x00FFFFFF;
        SelectObject(memory, old);
    }
    if (dib)
        DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureWindow(HWND window)
{
    RECT rect = {};
    if (!GetWindowRect(window, &rect))
        return {};
    return CaptureScreen(rect);
}

BmpSize SizeOfBmp(const std::wstring& path)
{
    const std::string bytes = testsupport::ReadWholeFile(path);
    BmpSize size;
    if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0)
        return size;
    std::memcpy(&size.width, bytes.data() + 18, 4);
    std::memcpy(&size.height, bytes.data() + 22, 4);
    if (size.height < 0)
        size.height = -size.height;
    return size;
}

bool Image::SaveBmp(const std::wstring& path) const
{
    if (width <= 0 || height <= 0)
        return false;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + bytes;
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = -height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, &fh, sizeof fh, &written, nullptr) &&
              WriteFile(file, &ih, sizeof ih, &written, nullptr) &&
              WriteFile(file, pixels.data(), bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    return ok;
}

} // namespace e2e
