// The preview window: its frame drawn whole for each layout and screen and cut into the top, bottom,
// left and right pieces; the cover shown while the graph is rebuilt; and the picture buttons, drawn on
// the colours of the band they sit on.
#include "res/skin/SkinArt.h"
#include "res/skin/Theme.h"

#include <cmath>

namespace skin {
namespace {

// One frame layout: the four piece ids and the geometry they are cut from. The window is
// `width` wide; the top piece is `topHeight` high, the sides `sideHeight`, the bottom `bottomHeight`;
// `bodyBottom` is the first row of the rounded bottom.
struct FrameLayout
{
    int top, bottom, left, right;
    int width, topHeight, sideHeight, bottomHeight, leftWidth, rightWidth, bodyBottom;
    bool compact, smallScreen;
};

constexpr FrameLayout kLayouts[] = {
    {356, 353, 354, 355, 663, 92, 480, 38, 11, 12, 603, true, false},
    {366, 367, 368, 365, 594, 92, 429, 38, 11, 11, 552, true, true},
    {361, 362, 363, 364, 1134, 35, 685, 6, 6, 6, 720, false, false},
    {352, 357, 363, 364, 888, 35, 685, 7, 6, 6, 720, false, false},
    {352, 357, 372, 369, 888, 35, 528, 7, 6, 6, 562, false, true},
    {370, 371, 372, 369, 695, 35, 528, 6, 6, 6, 562, false, true},
};

// Rows below the body: insets from the left and from the right, first row first.
constexpr int kBottomLeftInset[7] = {0, 1, 1, 2, 3, 4, 6};
constexpr int kBottomRightInset[7] = {1, 1, 2, 3, 4, 5, 6};

constexpr int kTitleHeight = 34; // rows of the flat title strip; the accent line is row 33

bool InsideWindow(const FrameLayout& f, int x, int y)
{
    if (x < 0 || x >= f.width || y < 0) {
        return false;
    }
    if (y < 7) {
        return x >= kTopCornerInset[y] && x < f.width - kTopCornerInset[y];
    }
    if (y < f.bodyBottom) {
        return true;
    }
    const int row = y - f.bodyBottom;
    return row < 7 && x >= kBottomLeftInset[row] && x < f.width - kBottomRightInset[row];
}

// A one-pixel rectangle outline along the pixel edges x0..x1, y0..y1 (exclusive ends).
void FrameRect(Canvas& c, float x0, float y0, float x1, float y1, Color color, float opacity)
{
    Fill(c, RoundRect(x0, y0, x1, y0 + 1, 0), color, opacity);
    Fill(c, RoundRect(x0, y1 - 1, x1, y1, 0), color, opacity);
    Fill(c, RoundRect(x0, y0 + 1, x0 + 1, y1 - 1, 0), color, opacity);
    Fill(c, RoundRect(x1 - 1, y0 + 1, x1, y1 - 1, 0), color, opacity);
}

Canvas DrawFrame(const FrameLayout& f)
{
    using namespace palette;
    const int height = f.topHeight + f.sideHeight + f.bottomHeight;
    const int videoLeft = f.leftWidth, videoRight = f.width - f.rightWidth;
    const int videoTop = f.topHeight, videoBottom = f.topHeight + f.sideHeight;
    Canvas c(f.width, height);
    const Color side = Rgb(27, 29, 35);
    for (int y = 0; y < height; ++y) {
        Color row = side;
        if (y < kTitleHeight) {
            row = kTitle;
        } else if (y < videoTop) {
            row = ControlBandColor(static_cast<float>(y));
        } else if (y >= videoBottom) {
            row = Mix(Rgb(36, 38, 46), Rgb(19, 20, 25), static_cast<float>(y - videoBottom) / f.bottomHeight);
        }
        for (int x = 0; x < f.width; ++x) {
            c.Set(x, y, row);
        }
    }
    const float w = static_cast<float>(f.width);

    // Accent line under the title strip, fading out towards the sides.
    Fill(c, RoundRect(0, kTitleHeight - 1.0f, w, static_cast<float>(kTitleHeight), 0),
         LinearStops(
             {0, 0}, {w, 0},
             {WithAlpha(kAccent, 0), WithAlpha(kAccent, 0.75f), WithAlpha(kAccent, 0.75f), WithAlpha(kAccent, 0)}));
    DrawEmblem(c, 19, 16.5f, 8.5f);

    // The video sits in a recess: a dark rim and a faint light edge around it.
    const float l = static_cast<float>(videoLeft), r = static_cast<float>(videoRight);
    const float t = static_cast<float>(videoTop), b = static_cast<float>(videoBottom);
    FrameRect(c, l - 2, t - 2, r + 2, b + 2, Rgb(255, 255, 255), 0.07f);
    FrameRect(c, l - 1, t - 1, r + 1, b + 1, kInk, 1.0f);
    for (int y = videoTop; y < videoBottom; ++y) {
        for (int x = videoLeft; x < videoRight; ++x) {
            c.Set(x, y, Rgb(0, 0, 0));
        }
    }

    if (f.compact) {
        // Status plates in the bottom band: the resolution label and its menu button sit on the light
        // plate (the label paints the same colour); the recording time appears in the dark slot.
        const float band = static_cast<float>(videoBottom);
        const float plateLeft = f.smallScreen ? 474.0f : 544.0f;
        const float plateRight = f.smallScreen ? 591.0f : 658.0f;
        const Shape plate = RoundRect(plateLeft, band + 2, plateRight, band + 26, 4);
        Fill(c, Offset(plate, 1.0f), Rgb(255, 255, 255), 0.08f);
        Fill(c, plate, Rgb(132, 135, 144));
        Fill(c, Offset(plate, -1.0f), kPlate);
        const float slotLeft = f.smallScreen ? 251.0f : 288.0f;
        const Shape slot = RoundRect(slotLeft, band + 2, slotLeft + 86, band + 30, 5);
        Fill(c, Offset(slot, 1.0f), Rgb(255, 255, 255), 0.06f);
        Fill(c, slot, Rgb(17, 18, 23));
        Fill(c, Intersect(Outline(Offset(slot, -1.5f), 1.0f), RoundRect(0, 0, w, band + 8, 0)), Rgb(0, 0, 0), 0.35f);
    }

    // One-pixel outline along the window's shape, a faint highlight inside it, magenta outside.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            if (!InsideWindow(f, x, y)) {
                c.SetSeeThrough(x, y, true);
            } else if (!InsideWindow(f, x - 1, y) || !InsideWindow(f, x + 1, y) || !InsideWindow(f, x, y - 1) ||
                       !InsideWindow(f, x, y + 1) || y == height - 1) {
                c.Set(x, y, kInk);
            } else if (y < kTitleHeight &&
                       (!InsideWindow(f, x, y - 2) || !InsideWindow(f, x - 2, y) || !InsideWindow(f, x + 2, y))) {
                c.Blend(x, y, Rgb(255, 255, 255), 0.1f);
            }
        }
    }
    return c;
}

// Rows of the control band behind a button placed at window row `top`.
void BandBackground(Canvas& canvas, int top)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.Set(x, y, ControlBandColor(static_cast<float>(top + y)));
        }
    }
}

void TitleBackground(Canvas& canvas)
{
    canvas.Clear(palette::kTitle);
}

// The snapshot and record buttons are placed at row 40 in both layouts.
constexpr int kBigButtonTop = 40;

Shape BigButtonBody(const Canvas& canvas)
{
    return RoundRect(1, 1, canvas.Width() - 1.0f, canvas.Height() - 1.0f, 10);
}

void BigButton(Canvas& canvas, ButtonState state)
{
    BandBackground(canvas, kBigButtonTop);
    const Shape body = BigButtonBody(canvas);
    Glow(canvas, Translate(body, 0, 1), Rgb(0, 0, 0), 2.0f, 0.5f);
    DrawButtonBody(canvas, body, 1, canvas.Height() - 1.0f, state);
}

} // namespace

void PaintPreviewPiece(Canvas& canvas, int id)
{
    for (const FrameLayout& f : kLayouts) {
        if (id != f.top && id != f.bottom && id != f.left && id != f.right) {
            continue;
        }
        const Canvas frame = DrawFrame(f);
        if (id == f.top) {
            canvas.Copy(frame.Crop(0, 0, f.width, f.topHeight), 0, 0);
        } else if (id == f.bottom) {
            canvas.Copy(frame.Crop(0, f.topHeight + f.sideHeight, f.width, f.bottomHeight), 0, 0);
        } else if (id == f.left) {
            canvas.Copy(frame.Crop(0, f.topHeight, f.leftWidth, f.sideHeight), 0, 0);
        } else {
            canvas.Copy(frame.Crop(f.width - f.rightWidth, f.topHeight, f.rightWidth, f.sideHeight), 0, 0);
        }
        return;
    }
}

void PaintPreviewCover(Canvas& canvas, int)
{
    using namespace palette;
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const float cx = w / 2, cy = h / 2;
    canvas.Clear(kInk);
    Fill(canvas, RoundRect(0, 0, w, h, 0), RadialGradient({cx, cy * 0.9f}, w * 0.7f, Rgb(38, 42, 52), Rgb(7, 8, 10)));
    Fill(canvas, CameraGlyph(cx, cy, h * 0.16f), kGlyph, 0.14f);
    // A ring of dots, brighter towards the head, says the picture is on its way.
    const float ring = h * 0.2f;
    for (int i = 0; i < 12; ++i) {
        const float a = i * 3.14159265f / 6.0f - 1.5708f;
        Fill(canvas, Circle(cx + ring * std::cos(a), cy + ring * std::sin(a), h * 0.011f), kAccent, 0.12f + 0.06f * i);
    }
}

void PaintSnapshotButton(Canvas& canvas, int state)
{
    const ButtonState s = static_cast<ButtonState>(state);
    BigButton(canvas, s);
    DrawGlyph(canvas, CameraGlyph(canvas.Width() / 2.0f, canvas.Height() / 2.0f, 24), s);
}

void PaintRecordButton(Canvas& canvas, int variant)
{
    using namespace palette;
    const bool recording = variant == 3 || variant == 4;
    const ButtonState s = recording     ? ButtonState::Normal
                          : variant > 4 ? ButtonState::Disabled
                                        : static_cast<ButtonState>(variant);
    BigButton(canvas, s);
    const Shape body = BigButtonBody(canvas);
    const float shift = s == ButtonState::Pressed ? 1.0f : 0.0f;
    const float cx = canvas.Width() / 2.0f, cy = canvas.Height() / 2.0f + shift;
    Color dot = kRecord;
    if (recording) {
        // While recording the button blinks between a lit and a dim red.
        const bool lit = variant == 3;
        Fill(canvas, Outline(Offset(body, -1.5f), 1.0f), kRecord, lit ? 0.9f : 0.35f);
        Fill(canvas, Offset(body, -2.0f), kRecord, lit ? 0.1f : 0.04f);
        dot = lit ? Rgb(255, 78, 70) : Rgb(112, 30, 32);
        if (lit) {
            Glow(canvas, Circle(cx, cy, 7.5f), kRecord, 9.0f, 0.6f);
        }
    } else if (s == ButtonState::Hover) {
        dot = Lighten(kRecord, 0.15f);
        Glow(canvas, Circle(cx, cy, 7.5f), kRecord, 7.0f, 0.45f);
    } else if (s == ButtonState::Pressed) {
        dot = Rgb(178, 38, 40);
    } else if (s == ButtonState::Disabled) {
        dot = Rgb(92, 74, 77);
    }
    const Shape ring = Outline(Circle(cx, cy, 11.5f), 2.0f);
    if (s == ButtonState::Normal) {
        Fill(canvas, Translate(ring, 0, 1), Rgb(0, 0, 0), 0.45f);
    }
    Fill(canvas, ring, GlyphColor(s));
    Fill(canvas, Circle(cx, cy, 7.5f), RadialGradient({cx - 2, cy - 3}, 10, Lighten(dot, 0.25f), dot));
}

void PaintCloseButton(Canvas& canvas, int state)
{
    using namespace palette;
    const ButtonState s = static_cast<ButtonState>(state);
    TitleBackground(canvas);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const Shape body = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4);
    if (s == ButtonState::Hover || s == ButtonState::Pressed) {
        // Closing is the one red button of a window.
        const bool pressed = s == ButtonState::Pressed;
        Fill(canvas, body, Rgb(74, 14, 16));
        Fill(canvas, Offset(body, -1.0f),
             LinearGradient({0, 0}, {0, h}, pressed ? Rgb(128, 30, 32) : Rgb(226, 74, 70),
                            pressed ? Rgb(168, 44, 44) : Rgb(164, 38, 40)));
        Fill(canvas, CloseGlyph(w / 2, h / 2 + (pressed ? 1 : 0), 7, 1.7f), Rgb(255, 255, 255));
        return;
    }
    DrawButtonBody(canvas, body, 0, h, s);
    DrawGlyph(canvas, CloseGlyph(w / 2, h / 2, 7, 1.7f), s);
}

void PaintMinimiseButton(Canvas& canvas, int state)
{
    const ButtonState s = static_cast<ButtonState>(state);
    TitleBackground(canvas);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    DrawButtonBody(canvas, RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4), 0, h, s);
    DrawGlyph(canvas, MinimiseGlyph(w / 2, h / 2 - 2, 10, 1.8f), s);
}

void PaintFunctionButton(Canvas& canvas, int state)
{
    using namespace palette;
    BandBackground(canvas, 74);
    const float cx = canvas.Width() / 2.0f, cy = canvas.Height() / 2.0f;
    const Shape dots = DotsGlyph(cx, cy, 5.0f, 1.6f);
    if (static_cast<ButtonState>(state) == ButtonState::Hover) {
        Glow(canvas, dots, kAccent, 3.0f, 0.6f);
        Fill(canvas, dots, Lighten(kAccent, 0.45f));
    } else {
        Fill(canvas, dots, kGlyph, 0.85f);
    }
}

void PaintResolutionButton(Canvas& canvas, int state)
{
    using namespace palette;
    canvas.Clear(kPlate);
    const ButtonState s = static_cast<ButtonState>(state);
    const Color color = s == ButtonState::Hover      ? kAccentDeep
                        : s == ButtonState::Disabled ? Rgb(170, 172, 178)
                                                     : Rgb(85, 85, 85);
    Fill(canvas, TriangleGlyph(4.0f, 4.2f, 7.0f, 4.6f), color);
}

} // namespace skin
