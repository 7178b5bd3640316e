// Time from a press of the preview's snapshot button to the picture on disk, whole and closed by the program: a
// 1280x1024 JPEG from the simulated camera, over a number of snapshots (default 20) after three warm-up ones.
// Prints each time and the median; run by scripts/measure-snapshot, not a test.
#include "DialogScene.h"

#include "res/resource.h"
#include "support/Poll.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSize1280x1024 = 4;
constexpr DWORD kJpeg = 1;

// The picture the n-th snapshot writes (IMG0000.jpg first), once the program has closed it: a file still being
// written cannot be opened without sharing.
bool Closed(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    const bool written = GetFileSizeEx(file, &size) && size.QuadPart > 0;
    CloseHandle(file);
    return written;
}

std::wstring PictureName(int number)
{
    wchar_t name[32] = {};
    std::swprintf(name, 32, L"IMG%04d.jpg", number);
    return e2e::ScenePictures() + name;
}

bool Measure(int snapshots)
{
    if (!e2e::ResetScene() || !scene::WriteDword(L"Settings\\Picture", L"Size", kSize1280x1024) ||
        !scene::WriteDword(L"Settings\\Picture", L"ExportFile", kJpeg))
        return false;
    scene::Quillo quillo;
    if (!quillo.Start(true)) {
        std::printf("Quillo did not start\n");
        return false;
    }
    HWND preview = quillo.Window(L"Quillo", 30000);
    HWND button = preview ? GetDlgItem(preview, IDC_PREVIEW_SNAPSHOT) : nullptr;
    std::vector<double> times;
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    bool ok = button != nullptr;
    for (int n = 0; ok && n < snapshots + 3; ++n) {
        // The button takes the next press once the last snapshot is done.
        ok = testsupport::WaitFor([&] { return IsWindowEnabled(button) != FALSE; }, 10000, 1);
        if (!ok)
            break;
        const std::wstring picture = PictureName(n);
        LARGE_INTEGER start = {}, end = {};
        QueryPerformanceCounter(&start);
        PostMessageW(preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_SNAPSHOT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        ok = testsupport::WaitFor([&] { return Closed(picture); }, 10000, 1);
        QueryPerformanceCounter(&end);
        if (!ok) {
            std::printf("snapshot %d wrote no picture\n", n);
            break;
        }
        const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (n >= 3) // the first ones load the picture encoder
            times.push_back(ms);
        std::printf("snapshot %d: %.1f ms%s\n", n, ms, n < 3 ? " (warm-up)" : "");
    }
    if (ok) {
        // What was timed is the picture asked for: the last one read back on the host.
        const std::string kind =
            e2e::RunOnHost("identify -format '%w,%h,%m' \"" + e2e::HostPath(PictureName(snapshots + 2)) + "\"");
        std::printf("picture: %s\n", kind.c_str());
        ok = kind == "1280,1024,JPEG";
    }
    if (ok && !times.empty()) {
        std::sort(times.begin(), times.end());
        std::printf("1280x1024 JPEG, press to file closed: median %.1f ms, fastest %.1f ms, slowest %.1f ms over %zu\n",
                    times[times.size() / 2], times.front(), times.back(), times.size());
    }
    const bool ended = static_cast<bool>(quillo.Exit());
    return ok && ended;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int snapshots = argc > 1 ? _wtoi(argv[1]) : 20;
    const bool ok = Measure(snapshots > 0 ? snapshots : 20);
    (void)e2e::ResetScene();
    return ok ? 0 : 1;
}
