#include "ui/BarAnimation.h"

namespace skin {

BarDraw DrawBarButton(const BarButtonState& state)
{
    return {0, state.enabled && !state.barHidden && !state.pressed && state.hovered};
}

BarTick AdvanceBarAnimation(int index, int frameCount)
{
    const int next = index + 1;
    if (next >= frameCount || next < 1)
        return {0, -1, true};
    return {next, next, false};
}

} // namespace skin
