// Video-window placement and resolution label (see VideoPlacement.h).
#include "capture/VideoPlacement.h"

namespace {
constexpr int kStates = 5;

// 320 x 240 is centred in the 640 x 480 area; the 1280-wide states are shown at half size, letter-boxed
// or, for 1280 x 1024, overhanging the area at top and bottom.
constexpr PlacementRect kNormalScreen[kStates] = {
    {160, 120, 320, 240}, {0, 0, 640, 480}, {0, 60, 640, 360}, {0, 40, 640, 400}, {0, -16, 640, 512}};
constexpr PlacementRect kSmallScreen[kStates] = {
    {126, 94, 320, 240}, {0, 0, 572, 429}, {0, 53, 572, 323}, {0, 36, 572, 358}, {0, -15, 572, 458}};

constexpr const wchar_t* kLabels[kStates] = {L"320 X 240", L"640 X 480", L"1280 X 720", L"1280 X 800", L"1280 X 1024"};

constexpr PlacementRect kLabelNormal[kStates] = {
    {560, 577, 73, 18}, {560, 577, 73, 18}, {555, 577, 82, 18}, {555, 577, 82, 18}, {550, 577, 91, 18}};
constexpr PlacementRect kLabelSmall[kStates] = {
    {490, 525, 73, 18}, {490, 525, 73, 18}, {490, 525, 82, 18}, {490, 525, 82, 18}, {480, 525, 91, 18}};

bool InRange(int state)
{
    return state >= 0 && state < kStates;
}
} // namespace

bool VideoWindowPlacement(int resState, bool smallScreen, bool fullWindow, int dialogWidth, int dialogHeight,
                          PlacementRect* placement)
{
    if (!placement)
        return false;
    if (fullWindow) {
        *placement = {0, 0, dialogWidth, dialogHeight};
        return true;
    }
    if (!InRange(resState))
        return false;
    *placement = smallScreen ? kSmallScreen[resState] : kNormalScreen[resState];
    return true;
}

const wchar_t* ResolutionLabelText(int resState)
{
    return InRange(resState) ? kLabels[resState] : nullptr;
}

bool ResolutionLabelPlacement(int resState, bool smallLayout, PlacementRect* placement)
{
    if (!placement || !InRange(resState))
        return false;
    *placement = smallLayout ? kLabelSmall[resState] : kLabelNormal[resState];
    return true;
}
