// Opens and closes the preview 100 times through the toolbar's Camera button, then takes 200 snapshots, and
// reports Quillo's handle count and memory before and after each loop: both must stay flat. Asked for, it then
// records for that many seconds (80 s at 640 x 480 pass 1 GB) and reports the file's size and what ffprobe
// counts in it. Run it through scripts/soak, which sets up the prefix first. Not a test: the figures are
// reported, never asserted.
#include "DialogScene.h"
#include "ProcessFigures.h"

#include "res/resource.h"
#include "support/Poll.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kSnapshotButton = 1003, kRecordButton = 1008, kElapsedLabel = 1030;

// Records for the seconds and reports the file: its size, and ffprobe's frame count, rate and duration.
bool LongRecording(HWND preview, int seconds)
{
    auto press = [&] {
        PostMessageW(preview, WM_COMMAND, MAKEWPARAM(kRecordButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(preview, kRecordButton)));
    };
    press();
    if (!testsupport::WaitFor([&] { return IsWindowVisible(GetDlgItem(preview, kElapsedLabel)) != FALSE; }, 15000)) {
        std::printf("the recording did not start\n");
        return false;
    }
    Sleep(static_cast<DWORD>(seconds) * 1000); // the length of the recording itself
    press();
    // The rebuilt preview takes snapshots again once the file is closed.
    (void)testsupport::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)); }, 30000);
    (void)testsupport::WaitFor([&] { return IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)) != FALSE; }, 60000);
    const std::wstring file = e2e::SceneVideos() + L"AVI0000.avi";
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) {
        std::printf("no recording was written\n");
        return false;
    }
    const unsigned long long bytes = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::printf("recording of %d s: %.2f GB\n", seconds, static_cast<double>(bytes) / (1024.0 * 1024 * 1024));
    const std::string probe = e2e::RunOnHost(
        "ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames,nb_frames,r_frame_rate "
        "-show_entries format=duration -of compact \"" +
            e2e::HostPath(file) + "\"",
        600000);
    std::printf("ffprobe: %s", probe.c_str());
    return true;
}

// The open preview once its snapshot button takes presses; null when it did not come.
HWND ReadyPreview(scene::Quillo& quillo)
{
    HWND preview = quillo.Window(L"Quillo", 30000);
    if (preview &&
        !testsupport::WaitFor([&] { return IsWindowEnabled(GetDlgItem(preview, kSnapshotButton)) != FALSE; }, 10000))
        return nullptr;
    return preview;
}

bool CloseAndOpen(scene::Quillo& quillo)
{
    quillo.Command(IDC_BAR_CAMERA);
    if (!quillo.WindowGone(L"Quillo", 15000))
        return false;
    quillo.Command(IDC_BAR_CAMERA);
    return ReadyPreview(quillo) != nullptr;
}

int FilesIn(const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    // The numbered pictures only (the scene takes JPEG): the grab's temporary IMG_ori.bmp comes and goes.
    HANDLE search = FindFirstFileW((folder + L"IMG*.jpg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

bool Soak(int opens, int snapshots, int recordSeconds)
{
    if (!e2e::ResetScene())
        return false;
    scene::Quillo quillo;
    if (!quillo.Start(true) || !ReadyPreview(quillo)) {
        std::printf("Quillo did not start with its preview\n");
        return false;
    }
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) // warm-up: first-use allocations of the system's filters and windows
        ok = CloseAndOpen(quillo);
    Sleep(1000); // settle before measuring; the figures are read, not waited for
    const e2e::Figures start = e2e::Measure(quillo.Pid());
    for (int i = 0; i < opens && ok; ++i) {
        ok = CloseAndOpen(quillo);
        if (!ok)
            std::printf("the preview did not close or open again in round %d\n", i + 1);
    }
    Sleep(1000);
    const e2e::Figures afterOpens = e2e::Measure(quillo.Pid());
    char what[64] = {};
    std::snprintf(what, sizeof what, "preview closed and opened %d times", opens);
    e2e::PrintFigures(what, start, afterOpens);

    HWND preview = ReadyPreview(quillo);
    const std::wstring pictures = e2e::ScenePictures();
    auto snapshot = [&](int number) {
        const int before = FilesIn(pictures);
        PostMessageW(preview, WM_COMMAND, MAKEWPARAM(kSnapshotButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(preview, kSnapshotButton)));
        const bool written = testsupport::WaitFor([&] { return FilesIn(pictures) > before; }, 10000);
        if (!written)
            std::printf("snapshot %d wrote no picture\n", number);
        return written;
    };
    for (int i = 0; i < 3 && ok && preview; ++i) // warm-up: the picture encoder's first use
        ok = snapshot(0);
    Sleep(1000);
    const e2e::Figures beforeSnapshots = e2e::Measure(quillo.Pid());
    for (int i = 0; i < snapshots && ok && preview; ++i)
        ok = snapshot(i + 1);
    Sleep(1000);
    const e2e::Figures afterSnapshots = e2e::Measure(quillo.Pid());
    std::snprintf(what, sizeof what, "%d snapshots (%d pictures with the warm-up's)", snapshots, FilesIn(pictures));
    e2e::PrintFigures(what, beforeSnapshots, afterSnapshots);
    e2e::PrintFigures("whole soak", start, afterSnapshots);

    if (ok && preview && recordSeconds > 0)
        ok = LongRecording(preview, recordSeconds);

    const bool ended = static_cast<bool>(quillo.Exit());
    std::printf("Quillo %s through its Exit\n", ended ? "ended with code 0" : "did NOT end cleanly");
    return ok && ended;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int opens = argc > 1 ? _wtoi(argv[1]) : 100;
    const int snapshots = argc > 2 ? _wtoi(argv[2]) : 200;
    const int recordSeconds = argc > 3 ? _wtoi(argv[3]) : 0;
    const bool ok = Soak(opens, snapshots, recordSeconds);
    (void)e2e::ResetScene();
    return ok ? 0 : 1;
}
