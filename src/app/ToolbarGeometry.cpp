#include "app/ToolbarGeometry.h"

#include "res/resource.h"

namespace toolbar {

bool DockedRect(int position, int screenWidth, int screenHeight, Rect& out)
{
    switch (position) {
    case kTop:
        out = {2 * screenWidth / 3, 0, 2 * screenWidth / 3 + kLongSide, kShortSide};
        return true;
    case kLeft:
        out = {0, screenHeight / 3, kShortSide, screenHeight / 3 + kLongSide};
        return true;
    case kRight:
        out = {screenWidth - kShortSide, screenHeight / 3, screenWidth, screenHeight / 3 + kLongSide};
        return true;
    default:
        return false;
    }
}

bool IsVertical(int position)
{
    return position == kLeft || position == kRight;
}

Rect ButtonRect(int index, bool vertical)
{
    // The logo takes the first 91 pixels; then four 38-pixel buttons and the menu button.
    constexpr int kFirst = 91;
    constexpr int kStep = 38;
    const int offset = kFirst + index * kStep;
    if (vertical)
        return {0, offset, kShortSide, offset + kStep};
    return {offset, 0, offset + kStep, kShortSide};
}

unsigned PositionMenuItem(int position)
{
    switch (position) {
    case kTop:
        return ID_BAR_TOP;
    case kLeft:
        return ID_BAR_LEFT;
    case kRight:
        return ID_BAR_RIGHT;
    default:
        return 0;
    }
}

} // namespace toolbar
