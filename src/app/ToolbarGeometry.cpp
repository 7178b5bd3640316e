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

bool SnapRect(int position, const Rect& current, int screenWidth, Rect& out)
{
    switch (position) {
    case kTop:
        out = {current.left, 0, current.left + kLongSide, kShortSide};
        return true;
    case kLeft:
        out = {0, current.top, kShortSide, current.top + kLongSide};
        return true;
    case kRight:
        out = {screenWidth - kShortSide, current.top, screenWidth, current.top + kLongSide};
        return true;
    default:
        return false;
    }
}

bool DragStarts(int dx, int dy)
{
    return dx >= kDragThreshold || dx <= -kDragThreshold || dy >= kDragThreshold || dy <= -kDragThreshold;
}

int EdgeUnderPointer(int x, int y, int screenWidth)
{
    constexpr int kCorner = 26;
    if (x < kShortSide && y >= kCorner)
        return kLeft;
    if (screenWidth - x < kShortSide && y >= kCorner)
        return kRight;
    if (y < kShortSide)
        return kTop;
    return kFloating;
}

bool InEdgeStrip(int position, int x, int y, const Rect& bar, int screenWidth)
{
    constexpr int kDepth = 3;
    constexpr int kLength = 265;
    switch (position) {
    case kLeft:
        return x >= 0 && x < kDepth && y - bar.top >= 0 && y - bar.top < kLength;
    case kRight:
        return x > screenWidth - kDepth && x <= screenWidth && y - bar.top >= 0 && y - bar.top < kLength;
    default: // the hook treats every other position as the top
        return y >= 0 && y < kDepth && x - bar.left >= 0 && x - bar.left < kLength;
    }
}

Slide SlideFor(int position, const Rect& bar, int screenWidth)
{
    const int width = bar.right - bar.left;
    const int height = bar.bottom - bar.top;
    switch (position) {
    case kLeft:
        return {bar.left - bar.right, width, false};
    case kRight:
        return {screenWidth, -width, false};
    default:
        return {bar.top - bar.bottom, height, true};
    }
}

int SlideAt(const Slide& slide, unsigned elapsedMs)
{
    if (elapsedMs >= kSlideMs)
        return slide.start + slide.distance;
    return slide.start + static_cast<int>(static_cast<long long>(elapsedMs) * slide.distance / kSlideMs);
}

unsigned AppBarEdge(int position)
{
    switch (position) {
    case kTop:
        return 1; // ABE_TOP
    case kLeft:
        return 0; // ABE_LEFT
    case kRight:
        return 2; // ABE_RIGHT
    default:
        return static_cast<unsigned>(position);
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
