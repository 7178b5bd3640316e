// What the simulated camera's test picture looks like on screen, for scenario tests that read the
// preview: colour bars over a grey ramp, the moving marker just above the bottom of the bars.
#pragma once
#include "E2eSupport.h"

#include <string>

namespace e2e {

// The preview's video window: the renderer's window inside the video area (control 1013), or null.
HWND PreviewVideoWindow(HWND preview);

// True when the picture (the camera frame as shown, any size) shows the eight colour bars in order,
// left to right (right to left when mirrored). Each bar centre is judged per channel as bright or
// dark, so brightness and contrast settings do not matter. *why tells what was seen otherwise.
bool ShowsBars(const Image& picture, bool mirrored, std::string* why = nullptr);

// The band of rows the moving marker crosses, as top and bottom row (exclusive) of the picture.
void MarkerRows(const Image& picture, int* top, int* bottom);

// Share of differing pixels (beyond tolerance) between two pictures within rows [top, bottom).
double DifferentShareInRows(const Image& a, const Image& b, int top, int bottom, int tolerance);

} // namespace e2e
