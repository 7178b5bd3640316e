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

// The rectangle the bar snaps to at an edge while it is dragged, from its current rectangle: at the top it keeps
// its left, at a side its top. False for a position that is not an edge.
bool SnapRect(int position, const Rect& current, int screenWidth, Rect& out);

// A press becomes a drag once the pointer has moved this far in x or in y.
constexpr int kDragThreshold = 4;
bool DragStarts(int dx, int dy);

// The edge the bar snaps to with the pointer at (x, y) during a drag: left near the left edge (below the top
// corner), right near the right edge, top near the top, else floating.
int EdgeUnderPointer(int x, int y, int screenWidth);

// While the bar is slid out, touching this strip of its edge (3 pixels deep, 265 pixels along from the bar's
// position) brings it back.
bool InEdgeStrip(int position, int x, int y, const Rect& bar, int screenWidth);

// The slide-in: the bar moves from outside the screen to its docked place in 50 ms. Start is where the moving
// coordinate (y at the top, x at the sides) begins, distance how far it goes.
struct Slide
{
    int start;
    int distance;
    bool vertical; // the y coordinate moves (top edge)
};
constexpr unsigned kSlideMs = 50;
Slide SlideFor(int position, const Rect& bar, int screenWidth);
// The moving coordinate after elapsed milliseconds (integer steps, truncated towards zero).
int SlideAt(const Slide& slide, unsigned elapsedMs);

// The shell's desktop-toolbar edge code of a position (ABE_TOP 1, ABE_LEFT 0, ABE_RIGHT 2); other values pass
// unchanged.
unsigned AppBarEdge(int position);

// The five buttons in order Camera, Property, Setting, Help, Menu.
constexpr int kButtonCount = 5;

// The rectangle of button `index` inside the bar for the orientation (x, y, width, height as a Rect
// with right/bottom exclusive).
Rect ButtonRect(int index, bool vertical);

} // namespace toolbar
