// Opens and closes the Properties and the Setting dialog 50 times each, with the preview closed and open, and
// reports the Quillo process's handle count and memory before and after: the dialogs must leave both flat. Run
// it through scripts/measure-dialog-resources, which sets up the prefix first. Not a test: the figures are
// reported, never asserted.
#include "DialogScene.h"
#include "ProcessFigures.h"

#include "res/resource.h"

#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

// Opens the dialog with its toolbar button and closes it with the same button (its Cancel); false when it did
// not come or did not go.
bool OpenAndClose(scene::Quillo& quillo, UINT button, const wchar_t* title)
{
    quillo.Command(button);
    if (!quillo.Window(title, 15000))
        return false;
    quillo.Command(button);
    return quillo.WindowGone(title, 15000);
}

// Warm-up (first-use allocations of the system's controls), then 50 rounds; prints one line. False on a failure.
bool Round(scene::Quillo& quillo, UINT button, const wchar_t* title, const char* scene, int rounds)
{
    for (int i = 0; i < 3; ++i)
        if (!OpenAndClose(quillo, button, title))
            return false;
    Sleep(500); // let the program settle before it is measured; the figures are read, not waited for
    const e2e::Figures before = e2e::Measure(quillo.Pid());
    for (int i = 0; i < rounds; ++i) {
        if (!OpenAndClose(quillo, button, title)) {
            std::printf("%ls, %s: the dialog did not open or close in round %d\n", title, scene, i + 1);
            return false;
        }
    }
    Sleep(500);
    const e2e::Figures after = e2e::Measure(quillo.Pid());
    char what[96] = {};
    std::snprintf(what, sizeof what, "%ls, %s, %d opens", title, scene, rounds);
    e2e::PrintFigures(what, before, after);
    std::fflush(stdout);
    return true;
}

bool Scene(bool preview, int rounds)
{
    if (!e2e::ResetScene())
        return false;
    scene::Quillo quillo;
    if (!quillo.Start(preview) || (preview && !quillo.Window(L"Quillo", 30000))) {
        std::printf("Quillo did not start\n");
        return false;
    }
    const char* name = preview ? "preview open" : "preview closed";
    const bool ok = Round(quillo, IDC_BAR_PROPERTY, L"Properties", name, rounds) &&
                    Round(quillo, IDC_BAR_SETTING, L"Setting", name, rounds);
    const bool ended = static_cast<bool>(quillo.Exit());
    std::printf("Quillo %s through its Exit\n", ended ? "ended with code 0" : "did NOT end cleanly");
    return ok && ended;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 50;
    // Each scene is the scenario tests' user: the bar on screen, the scene's own folders.
    const bool ok = Scene(false, rounds) && Scene(true, rounds);
    (void)e2e::ResetScene();
    return ok ? 0 : 1;
}
