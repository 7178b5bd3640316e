// The preview window's two layouts (compact and enlarged), the skin pictures of each, the window's outline
// rows, keeping the window on the work area, and what each resolution state means for the window: its menu
// item, whether it may record, and where the video window sits when enlarged. Windows-free.
#pragma once

#include "capture/VideoPlacement.h"

#include <vector>

namespace preview {

struct Size
{
    int width;
    int height;
};

struct Layout
{
    Size window;
    PlacementRect video;    // both video statics
    PlacementRect close;    // close button 1009
    PlacementRect minimize; // minimise button 1000
};

// Only the 1280-wide states (2, 3, 4) have an enlarged layout.
bool HasEnlargedLayout(int resState);
// The layout for the screen; the compact one whenever enlarged is false or the state has none.
Layout LayoutFor(bool enlarged, bool smallScreen, int resState);

// Skin pictures: top, bottom, left side, right side, and the last row of the solid body.
struct Skin
{
    unsigned top, bottom, left, right;
    int bodyBottom;
};
Skin SkinFor(bool compact, bool smallScreen, int resState);

// One row of the window's outline: x from left to right (exclusive) at y.
struct Row
{
    int left;
    int right;
    int y;
};
// The seven rounded rows below the body (y = bodyBottom to bodyBottom + 6) of a window `width` wide.
std::vector<Row> RoundedBottomRows(int width, int bodyBottom);

struct WorkArea
{
    int left, top, width, height;
};
// The window's place centred in the work area (integer division).
PlacementRect CenteredIn(const WorkArea& work, Size window);
// The enlarged layout needs the whole window on the work area.
bool FitsOn(const WorkArea& work, Size window);
// A requested position moved so that the window touches, but does not cross, the work area's edges
// (right and left first, then top and bottom).
void ClampToWorkArea(const WorkArea& work, Size window, int& x, int& y);

// The video window's place inside the video static in the enlarged layout of a window of that size.
PlacementRect EnlargedVideoPlacement(int resState, bool smallScreen, Size window);

// The resolution menu item of a state (40008, 40009, 40016, 40012, 40014), 0 outside 0 to 4.
unsigned ResolutionMenuItem(int resState);
// The state of a resolution menu item, -1 for another command.
int StateOfMenuItem(unsigned command);
// Recording is offered at 320 x 240, 640 x 480 and 1280 x 720 only.
bool StateMayRecord(int resState);

} // namespace preview
