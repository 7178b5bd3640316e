// Measures the time from starting Quillo.exe to the first camera frame on screen: the preview's video
// window shows the simulated camera's bars. Prints one line per run with the steps on the way (the first
// window of the process, the preview dialog, its video window shown after the graph runs, the picture)
// and the medians, and the time Wine takes to start and end a program that does nothing (this probe
// with "noop"); run it through scripts/measure-first-frame, which sets up the prefix first. Not a
// test: timings are reported, never asserted.
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

// Milliseconds from the start of Quillo.exe to each step; negative for a step that never came.
struct Steps
{
    double window = -1;  // a visible window of the process (the toolbar)
    double preview = -1; // the preview dialog
    double video = -1;   // its video window, shown after the graph runs
    double picture = -1; // the camera's bars in it
};

// Milliseconds from starting a program that does nothing to its end: Wine's own share of a start.
double NoopRun()
{
    const double start = Now();
    e2e::Process noop = e2e::Start(L"first_frame_probe.exe", L"noop");
    DWORD code = 1;
    if (!noop.Valid() || !noop.Wait(30000, &code) || code != 0)
        return -1;
    return Now() - start;
}

Steps OneRun()
{
    Steps steps;
    e2e::KillAll(L"Quillo.exe");
    e2e::KillAll(L"Tessel.exe");
    if (!testsupport::Simctl(L"reset").Succeeded())
        return steps;
    const double start = Now();
    e2e::Process quillo = e2e::Start(L"Quillo.exe", L"");
    if (!quillo.Valid())
        return steps;
    while (Now() - start < 30000) {
        const double now = Now() - start;
        if (steps.window < 0 && !e2e::VisibleWindows(quillo.Pid()).empty())
            steps.window = now;
        std::pair<DWORD, HWND> query(quillo.Pid(), nullptr);
        EnumWindows(FindPreview, reinterpret_cast<LPARAM>(&query));
        if (query.second && steps.preview < 0)
            steps.preview = now;
        HWND video = query.second ? e2e::PreviewVideoWindow(query.second) : nullptr;
        if (video && IsWindowVisible(video)) {
            if (steps.video < 0)
                steps.video = now;
            if (e2e::ShowsBars(e2e::CaptureWindow(video), false)) {
                steps.picture = Now() - start;
                break;
            }
        }
        Sleep(5);
    }
    quillo.Kill();
    e2e::KillAll(L"Tessel.exe");
    return steps;
}

double Median(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wcscmp(argv[1], L"noop") == 0)
        return 0;
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    std::vector<double> times, windows, previews, videos, noops;
    for (int i = 0; i < runs; ++i) {
        noops.push_back(NoopRun());
        const Steps s = OneRun();
        if (s.picture < 0)
            std::printf("run %d: no picture after 30000 ms\n", i + 1);
        else
            std::printf("run %d: %.0f ms (window %.0f, preview %.0f, video window %.0f; an empty program %.0f)\n",
                        i + 1, s.picture, s.window, s.preview, s.video, noops.back());
        std::fflush(stdout);
        if (s.picture >= 0) {
            times.push_back(s.picture);
            windows.push_back(s.window);
            previews.push_back(s.preview);
            videos.push_back(s.video);
        }
        Sleep(500);
    }
    (void)testsupport::Simctl(L"reset"); // the next user resets again when this fails
    if (times.empty())
        return 1;
    std::sort(times.begin(), times.end());
    std::printf("first frame on screen: median %.0f ms, fastest %.0f ms, slowest %.0f ms (%zu of %d runs)\n",
                times[times.size() / 2], times.front(), times.back(), times.size(), runs);
    std::printf("medians: first window %.0f ms, preview dialog %.0f ms, video window shown %.0f ms, picture %.0f ms; "
                "Wine starting and ending an empty program %.0f ms\n",
                Median(windows), Median(previews), Median(videos), Median(times), Median(noops));
    return 0;
}
