// Where the preview's video window sits inside the video area for each resolution state, and the
// resolution label's text and place under the picture.
#pragma once

struct PlacementRect
{
    int left;
    int top;
    int width;
    int height;
};

// The video window's place inside the video area. Full-window mode fills the dialog's window rectangle
// (dialogWidth x dialogHeight) from 0, 0; otherwise the state's row, small-screen column when smallScreen.
// False for a state outside 0 to 4 outside full-window mode: the placement is then left as it is.
bool VideoWindowPlacement(int resState, bool smallScreen, bool fullWindow, int dialogWidth, int dialogHeight,
                          PlacementRect* placement);

// "320 X 240" ... "1280 X 1024" for states 0 to 4; null for any other state.
const wchar_t* ResolutionLabelText(int resState);

// The label's rectangle for the state in the normal or the small layout; false outside 0 to 4.
bool ResolutionLabelPlacement(int resState, bool smallLayout, PlacementRect* placement);
