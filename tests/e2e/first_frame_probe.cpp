// Measures the time from starting Quillo.exe to the first camera frame on screen: the preview's video
// window shows the simulated camera's bars. Prints one line per run and the median; run it through
// scripts/measure-first-frame, which sets up the prefix first. Not a test: timings are reported,
// never asserted.
#include "E2eSupport.h"
#include "SimPicture.h"

#include "support/Simctl.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
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

// Milliseconds from the start of Quillo.exe to the bars on screen; negative when they never came.
double OneRun()
{
    e2e::KillAll(L"Quillo.exe");
    e2e::KillAll(L"Tessel.exe");
    if (!testsupport::Simctl(L"reset").Succeeded())
        return -1;
    const double start = Now();
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    if (!quillo.Valid())
        return -1;
    double result = -1;
    while (Now() - start < 30000) {
        std::pair<DWORD, HWND> query(quillo.Pid(), nullptr);
        EnumWindows(FindPreview, reinterpret_cast<LPARAM>(&query));
        HWND video = query.second ? e2e::PreviewVideoWindow(query.second) : nullptr;
        if (video && IsWindowVisible(video) && e2e::ShowsBars(e2e::CaptureWindow(video), false)) {
            result = Now() - start;
            break;
        }
        Sleep(5);
    }
    quillo.Kill();
    e2e::KillAll(L"Tessel.exe");
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = OneRun();
        std::printf("run %d: %s%.0f ms\n", i + 1, ms < 0 ? "no picture after " : "", ms < 0 ? 30000.0 : ms);
        std::fflush(stdout);
        if (ms >= 0)
            times.push_back(ms);
        Sleep(500);
    }
    (void)testsupport::Simctl(L"reset"); // the next user resets again when this fails
    if (times.empty())
        return 1;
    std::sort(times.begin(), times.end());
    std::printf("first frame on screen: median %.0f ms, fastest %.0f ms, slowest %.0f ms (%zu of %d runs)\n",
                times[times.size() / 2], times.front(), times.back(), times.size(), runs);
    return 0;
}
