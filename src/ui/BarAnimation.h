// The hover animation of the toolbar buttons: which frame a draw shows, when the animation starts and
// which frame each 100 ms tick shows. One frame index is shared by every toolbar button.
#pragma once

namespace skin {

// What the button is doing when it is drawn.
struct BarButtonState
{
    bool enabled;
    bool barHidden; // the toolbar is slid out of sight
    bool pressed;
    bool hovered;
};

// A draw always shows frame 0 and restarts the shared index at 0; the remaining frames play only for an
// enabled, hovered, unpressed button of a visible bar.
struct BarDraw
{
    int frame;
    bool startAnimation;
};
BarDraw DrawBarButton(const BarButtonState& state);

// One tick of a running animation from the shared index `index`: the new index and the frame to copy into
// the button, or -1 when the animation has run out (the index is then 0 and the last frame stays).
struct BarTick
{
    int index;
    int frameToShow;
    bool stop;
};
BarTick AdvanceBarAnimation(int index, int frameCount);

} // namespace skin
