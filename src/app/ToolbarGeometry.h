// Where the toolbar sits for each edge of the primary screen, and which skin pictures it uses there.
#pragma once

namespace toolbar {

// m_nToolbarPosition values.
enum Position : int { kFloating = 0, kTop = 1, kLeft = 2, kRight = 3 };

constexpr int kLongSide = 264;
constexpr int kShortSide = 51;

struct Rect
{
    int left;
    int top;
    int right;
    int bottom;
};

// The docked window rectangle of an edge; false for a position that is not an edge.
bool DockedRect(int position, int screenWidth, int screenHeight, Rect& out);

// True when the bar stands upright (left or right edge) and uses the vertical pictures.
bool IsVertical(int position);

// The command of the position menu's item for an edge (Top, Left, Right), checked while the bar is
// docked there; 0 for a position that is not an edge.
unsigned PositionMenuItem(int position);

// The five buttons in order Camera, Property, Setting, Help, Menu.
constexpr int kButtonCount = 5;

// The rectangle of button `index` inside the bar for the orientation (x, y, width, height as a Rect
// with right/bottom exclusive).
Rect ButtonRect(int index, bool vertical);

} // namespace toolbar
