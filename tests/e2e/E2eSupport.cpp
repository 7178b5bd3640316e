#include "E2eSupport.h"

#include <tlhelp32.h>

#include <utility>

namespace e2e {

std::wstring InstallDir()
{
    return L"C:\\Quillo";
}

Process::Process(Process&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)), m_pid(std::exchange(other.m_pid, 0))
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        m_process = std::exchange(other.m_process, nullptr);
        m_pid = std::exchange(other.m_pid, 0);
    }
    return *this;
}

Process::~Process()
{
    Kill();
}

bool Process::Wait(DWORD timeoutMs, DWORD* exitCode)
{
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode && !GetExitCodeProcess(m_process, exitCode))
        *exitCode = static_cast<DWORD>(-1);
    return true;
}

void Process::Kill()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
    m_process = nullptr;
}

static bool Launch(const std::wstring& exe, const std::wstring& args, HANDLE stdoutWrite, PROCESS_INFORMATION* pi)
{
    std::wstring path = InstallDir() + L"\\" + exe;
    std::wstring cmd = L"\"" + path + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (stdoutWrite) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = stdoutWrite;
        si.hStdError = stdoutWrite;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    return CreateProcessW(path.c_str(), cmd.data(), nullptr, nullptr, stdoutWrite != nullptr, 0, nullptr,
                          InstallDir().c_str(), &si, pi) != FALSE;
}

Process Start(const std::wstring& exe, const std::wstring& args)
{
    // The program and whatever it starts (the sensor helper) write to NUL, never to the test's own
    // output: CTest waits until every holder of that output has gone.
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    PROCESS_INFORMATION pi = {};
    bool started = Launch(exe, args, nul == INVALID_HANDLE_VALUE ? nullptr : nul, &pi);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!started)
        return {};
    CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId);
}

int Run(const std::wstring& exe, const std::wstring& args, std::string* out, DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION pi = {};
    bool started = Launch(exe, args, writeEnd, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    CloseHandle(pi.hThread);
    // Read while the program runs and stop when it has ended: a process it started may inherit the
    // pipe and keep it open, so the end of the pipe is no sign that the program is done.
    std::string text;
    char buffer[4096];
    auto drain = [&] {
        DWORD available = 0, got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
    };
    DWORD code = static_cast<DWORD>(-1);
    const DWORD start = GetTickCount();
    for (;;) {
        drain();
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            drain();
            GetExitCodeProcess(pi.hProcess, &code);
            break;
        }
        if (GetTickCount() - start >= timeoutMs) {
            TerminateProcess(pi.hProcess, 1);
            break;
        }
    }
    CloseHandle(readEnd);
    CloseHandle(pi.hProcess);
    if (out)
        *out = std::move(text);
    return static_cast<int>(code);
}

int Simctl(const std::wstring& args, std::string* out)
{
    return Run(L"simctl.exe", args, out);
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
    DWORD start = GetTickCount();
    for (;;) {
        WindowQuery q = {className, title, pid, nullptr, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
        if (q.found)
            return q.found;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(100);
    }
}

std::vector<HWND> VisibleWindows(DWORD pid)
{
    std::vector<HWND> windows;
    WindowQuery q = {nullptr, nullptr, pid, nullptr, &windows};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
    return windows;
}

int ResetScene()
{
    KillAll(L"Quillo.exe");
    KillAll(L"Tessel.exe");
    return Simctl(L"reset");
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

double DifferentShare(const Image& a, const Image& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty())
        return 1.0;
    size_t different = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        uint32_t p = a.pixels[i], q = b.pixels[i];
        for (int shift = 0; shift < 24; shift += 8) {
            int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
            if (d > tolerance || d < -tolerance) {
                ++different;
                break;
            }
        }
    }
    return static_cast<double>(different) / static_cast<double>(a.pixels.size());
}

} // namespace e2e
