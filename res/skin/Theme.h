// The skin's look: the palette of the dark theme, the glyphs drawn on buttons, the lens emblem and
// the bodies of push buttons in their states. Every painter builds on these so the pictures match.
#pragma once

#include "res/skin/Raster.h"

namespace skin {

namespace palette {
extern const Color kInk;        // outlines
extern const Color kTitle;      // title strips of the preview and the dialogs (flat)
extern const Color kDialog;     // body of the dialogs around their pages
extern const Color kPage;       // pages; matches the page labels' background colour
extern const Color kPlate;      // light status plates; matches the status labels' background colour
extern const Color kAccent;     // the one accent colour
extern const Color kAccentDeep; // darker accent for gradients
extern const Color kGlyph;      // glyphs in their normal state
extern const Color kGlyphDim;   // glyphs of disabled buttons
extern const Color kRecord;     // the record dot
} // namespace palette

// Colour of the preview window's control band (below the title strip) at window row y; the picture
// buttons that sit on it take their corners from the same function, so they blend at any x.
Color ControlBandColor(float y);

enum class ButtonState { Normal, Hover, Pressed, Disabled };

// Glyphs centred on (cx, cy), `size` pixels high.
Shape CameraGlyph(float cx, float cy, float size);
Shape GearGlyph(float cx, float cy, float size);
Shape HelpGlyph(float cx, float cy, float size);
Shape AdjustGlyph(float cx, float cy, float size);
// Chevron pointing down (0), right (1), left (2) or up (3).
Shape ChevronGlyph(float cx, float cy, float size, int direction, float stroke);
Shape CloseGlyph(float cx, float cy, float size, float stroke);
Shape MinimiseGlyph(float cx, float cy, float size, float stroke);
Shape CheckGlyph(float cx, float cy, float size, float stroke);
Shape FolderGlyph(float cx, float cy, float size);
Shape DotsGlyph(float cx, float cy, float spacing, float radius);
// Small filled triangle pointing down.
Shape TriangleGlyph(float cx, float cy, float width, float height);

// The lens emblem of the product (a lens ring with a tail, read as a Q) of the given ring radius.
void DrawEmblem(Canvas& canvas, float cx, float cy, float radius);

// A rounded push-button body in a state: gradient fill, outline, top highlight and focus ring.
void DrawButtonBody(Canvas& canvas, const Shape& body, float top, float bottom, ButtonState state);
// Glyph colour for a button state.
Color GlyphColor(ButtonState state);
// Draws a glyph for a button state: soft accent glow on hover, one pixel lower when pressed.
void DrawGlyph(Canvas& canvas, const Shape& glyph, ButtonState state);

} // namespace skin
