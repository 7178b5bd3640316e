// Runs Quillo's preview for a measured span: starts Quillo.exe with the picture size set (1280x1024 unless
// told otherwise), waits until the camera's bars are on screen and a few seconds more, then prints
// "span begins", waits the span and prints "span ends" with the wall time, the camera's frame rate and the
// process times Windows gives for Quillo.exe (GetProcessTimes). Wine 8 answers zeros for another process's
// times, so scripts/measure-preview-cpu reads Quillo.exe's processor time from the Linux kernel at the two
// marks; on Windows the probe's own figure stands. Not a test: figures are reported, never asserted.
#include "E2eSupport.h"
#include "SimPicture.h"
#include "support/Simctl.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

const wchar_t kPictureKey[] = L"Software\\Norvane\\Quillo\\Settings\\Picture\\";
const wchar_t kOptionsKey[] = L"Software\\Norvane\\Quillo\\Settings\\Options\\";
const wchar_t kImageKey[] = L"Software\\Norvane\\Quillo\\Properties\\Image\\";

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool KeyExists(const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The stored picture size, or -1 when there is none.
long ReadPictureSize()
{
    DWORD value = 0, type = 0, size = sizeof value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPictureKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    const LONG result = RegQueryValueExW(key, L"Size", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD ? static_cast<long>(value) : -1;
}

bool WritePictureSize(DWORD state)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kPictureKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExW(key, L"Size", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&state), sizeof state) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

BOOL CALLBACK FindPreview(HWND window, LPARAM data)
{
    auto* query = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    if (pid == query->first && IsWindowVisible(window) && std::wcscmp(title, L"Quillo") == 0) {
        query->second = window;
        return FALSE;
    }
    return TRUE;
}

// Starts Quillo and waits for the bars in its preview; null when they never came.
HWND StartAndWaitForPicture(e2e::Process& quillo)
{
    quillo = e2e::Start(L"Quillo.exe", L"");
    if (!quillo.Valid())
        return nullptr;
    const double start = Now();
    while (Now() - start < 60) {
        std::pair<DWORD, HWND> query(quillo.Pid(), nullptr);
        EnumWindows(FindPreview, reinterpret_cast<LPARAM>(&query));
        HWND video = query.second ? e2e::PreviewVideoWindow(query.second) : nullptr;
        if (video && IsWindowVisible(video) && e2e::ShowsBars(e2e::CaptureWindow(video), false))
            return video;
        Sleep(50);
    }
    return nullptr;
}

// The camera's frames drawn so far (simctl's "frames=" field), or -1.
long CameraFrames()
{
    const testsupport::RunResult dump = testsupport::Simctl(L"dump 0");
    if (!dump.Succeeded())
        return -1;
    const std::string& out = dump.output;
    const size_t at = out.find("frames=");
    return at == std::string::npos ? -1 : std::strtol(out.c_str() + at + 7, nullptr, 10);
}

double Seconds(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 1e7;
}

bool ProcessTimes(HANDLE process, double* kernel, double* user)
{
    FILETIME created, exited, k, u;
    if (!process || !GetProcessTimes(process, &created, &exited, &k, &u))
        return false;
    *kernel = Seconds(k);
    *user = Seconds(u);
    return true;
}

} // namespace

// preview_cpu_probe [seconds] [runs] [resolution state]
int wmain(int argc, wchar_t** argv)
{
    const double span = argc > 1 ? _wtof(argv[1]) : 20.0;
    const int runs = argc > 2 ? _wtoi(argv[2]) : 1;
    const DWORD state = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 4;
    const long storedSize = ReadPictureSize();
    for (int run = 1; run <= runs; ++run) {
        e2e::KillAll(L"Quillo.exe");
        e2e::KillAll(L"Tessel.exe");
        if (!testsupport::Simctl(L"reset").Succeeded()) {
            std::printf("run %d: simctl reset failed\n", run);
            continue;
        }
        e2e::Process quillo;
        if (!KeyExists(kOptionsKey) || !KeyExists(kImageKey)) {
            // A new user's first start writes every default (the picture size 1 among them): let it.
            if (!StartAndWaitForPicture(quillo)) {
                std::printf("run %d: no picture on the first start\n", run);
                continue;
            }
            quillo.Kill();
            e2e::KillAll(L"Tessel.exe");
        }
        if (!WritePictureSize(state)) {
            std::printf("run %d: the picture size could not be written\n", run);
            continue;
        }
        HWND video = StartAndWaitForPicture(quillo);
        if (!video) {
            std::printf("run %d: no picture\n", run);
            continue;
        }
        Sleep(3000); // past the start's own work
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, quillo.Pid());
        double k0 = 0, u0 = 0, k1 = 0, u1 = 0;
        const long frames0 = CameraFrames();
        std::printf("run %d: span begins\n", run);
        std::fflush(stdout);
        const double t0 = Now();
        const bool first = ProcessTimes(process, &k0, &u0);
        Sleep(static_cast<DWORD>(span * 1000));
        const bool second = ProcessTimes(process, &k1, &u1);
        const double t1 = Now();
        std::printf("run %d: span ends\n", run);
        std::fflush(stdout);
        const long frames1 = CameraFrames();
        RECT rect = {};
        GetClientRect(video, &rect);
        if (process)
            CloseHandle(process);
        quillo.Kill();
        e2e::KillAll(L"Tessel.exe");
        const double wall = t1 - t0;
        const double busy = first && second ? (k1 - k0) + (u1 - u0) : 0.0;
        std::printf("run %d: %.1f s wall; camera %.1f frames/s; video window %ldx%ld; Windows process times %.2f s "
                    "(%.2f user, %.2f kernel)%s\n",
                    run, wall, frames0 >= 0 && frames1 >= 0 ? (frames1 - frames0) / wall : -1.0, rect.right - rect.left,
                    rect.bottom - rect.top, busy, u1 - u0, k1 - k0,
                    busy > 0 ? "" : " (none given for another process)");
        std::fflush(stdout);
    }
    (void)testsupport::Simctl(L"reset"); // the next user resets again when this fails
    // Later starts (the scenario tests) find the size they found before.
    WritePictureSize(storedSize >= 0 ? static_cast<DWORD>(storedSize) : 1);
    return 0;
}
