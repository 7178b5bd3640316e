// Palette, glyphs, emblem and button bodies of the dark skin.
#include "res/skin/Theme.h"

#include <cmath>

namespace skin {

namespace palette {
const Color kInk = Rgb(9, 10, 13);
const Color kTitle = Rgb(35, 37, 44);
const Color kDialog = Rgb(27, 29, 34);
const Color kPage = Rgb(88, 88, 103);
const Color kPlate = Rgb(207, 209, 212);
const Color kAccent = Rgb(46, 168, 255);
const Color kAccentDeep = Rgb(10, 82, 160);
const Color kGlyph = Rgb(222, 226, 234);
const Color kGlyphDim = Rgb(104, 108, 119);
const Color kRecord = Rgb(232, 56, 56);
} // namespace palette

namespace {

constexpr float kPi = 3.14159265f;

// Everything above row `y` (a half plane), for cutting shapes.
Shape Above(float y)
{
    return RoundRect(-4096, -4096, 4096, y, 0);
}

} // namespace

Color ControlBandColor(float y)
{
    // The band spans window rows 34 to 91 of the compact preview.
    return Mix(Rgb(50, 53, 63), Rgb(27, 29, 35), (y - 34.0f) / 58.0f);
}

Shape CameraGlyph(float cx, float cy, float size)
{
    const float s = size;
    Shape body = RoundRect(cx - 0.6f * s, cy - 0.3f * s, cx + 0.6f * s, cy + 0.45f * s, 0.14f * s);
    body = Union(std::move(body), RoundRect(cx - 0.24f * s, cy - 0.48f * s, cx + 0.16f * s, cy - 0.2f * s, 0.07f * s));
    body = Subtract(std::move(body), Circle(cx, cy + 0.08f * s, 0.28f * s));
    body = Union(std::move(body), Circle(cx, cy + 0.08f * s, 0.16f * s));
    return Subtract(std::move(body), Circle(cx + 0.4f * s, cy - 0.12f * s, 0.06f * s));
}

Shape GearGlyph(float cx, float cy, float size)
{
    const float s = size;
    Shape gear = Circle(cx, cy, 0.36f * s);
    for (int i = 0; i < 8; ++i) {
        const float a = i * kPi / 4.0f;
        const float ux = std::cos(a), uy = std::sin(a);
        const float vx = -uy, vy = ux;
        const float r0 = 0.28f * s, r1 = 0.5f * s, w0 = 0.12f * s, w1 = 0.08f * s;
        gear = Union(std::move(gear), Polygon({{cx + ux * r0 - vx * w0, cy + uy * r0 - vy * w0},
                                               {cx + ux * r1 - vx * w1, cy + uy * r1 - vy * w1},
                                               {cx + ux * r1 + vx * w1, cy + uy * r1 + vy * w1},
                                               {cx + ux * r0 + vx * w0, cy + uy * r0 + vy * w0}}));
    }
    return Subtract(std::move(gear), Circle(cx, cy, 0.15f * s));
}

Shape HelpGlyph(float cx, float cy, float size)
{
    const float s = size;
    const float stroke = std::max(1.4f, 0.09f * s);
    std::vector<Point> hook;
    const float hx = cx, hy = cy - 0.1f * s, r = 0.15f * s;
    for (int i = 0; i <= 16; ++i) {
        const float a = (-165.0f + i * (215.0f / 16.0f)) * kPi / 180.0f;
        hook.push_back({hx + r * std::cos(a), hy + r * std::sin(a)});
    }
    hook.push_back({cx, cy + 0.1f * s});
    hook.push_back({cx, cy + 0.13f * s});
    Shape glyph = Outline(Circle(cx, cy, 0.45f * s), stroke);
    glyph = Union(std::move(glyph), Polyline(std::move(hook), stroke));
    return Union(std::move(glyph), Circle(cx, cy + 0.28f * s, 0.065f * s + 0.3f));
}

Shape AdjustGlyph(float cx, float cy, float size)
{
    const float s = size;
    const float stroke = std::max(1.4f, 0.08f * s);
    const float rows[3] = {-0.3f, 0.0f, 0.3f};
    const float knobs[3] = {-0.16f, 0.2f, -0.04f};
    Shape glyph = Line({cx - 0.45f * s, cy + rows[0] * s}, {cx + 0.45f * s, cy + rows[0] * s}, stroke);
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            glyph = Union(std::move(glyph),
                          Line({cx - 0.45f * s, cy + rows[i] * s}, {cx + 0.45f * s, cy + rows[i] * s}, stroke));
        }
        glyph = Union(std::move(glyph), Circle(cx + knobs[i] * s, cy + rows[i] * s, 0.11f * s));
    }
    return glyph;
}

Shape ChevronGlyph(float cx, float cy, float size, int direction, float stroke)
{
    const float h = size / 2, q = size / 4;
    switch (direction) {
    case 1:
        return Polyline({{cx - q, cy - h}, {cx + q, cy}, {cx - q, cy + h}}, stroke);
    case 2:
        return Polyline({{cx + q, cy - h}, {cx - q, cy}, {cx + q, cy + h}}, stroke);
    case 3:
        return Polyline({{cx - h, cy + q}, {cx, cy - q}, {cx + h, cy + q}}, stroke);
    default:
        return Polyline({{cx - h, cy - q}, {cx, cy + q}, {cx + h, cy - q}}, stroke);
    }
}

Shape CloseGlyph(float cx, float cy, float size, float stroke)
{
    const float h = size / 2;
    return Union(Line({cx - h, cy - h}, {cx + h, cy + h}, stroke), Line({cx - h, cy + h}, {cx + h, cy - h}, stroke));
}

Shape MinimiseGlyph(float cx, float cy, float size, float stroke)
{
    const float h = size / 2;
    return Line({cx - h, cy + 0.3f * size}, {cx + h, cy + 0.3f * size}, stroke);
}

Shape CheckGlyph(float cx, float cy, float size, float stroke)
{
    const float s = size;
    return Polyline(
        {{cx - 0.42f * s, cy + 0.02f * s}, {cx - 0.12f * s, cy + 0.32f * s}, {cx + 0.44f * s, cy - 0.3f * s}}, stroke);
}

Shape FolderGlyph(float cx, float cy, float size)
{
    const float s = size;
    Shape folder = RoundRect(cx - 0.62f * s, cy - 0.3f * s, cx + 0.62f * s, cy + 0.42f * s, 0.09f * s);
    folder =
        Union(std::move(folder), RoundRect(cx - 0.62f * s, cy - 0.44f * s, cx - 0.08f * s, cy - 0.16f * s, 0.08f * s));
    // The front flap, set off from the back by a thin gap.
    return Subtract(std::move(folder), Line({cx - 0.62f * s, cy - 0.16f * s}, {cx + 0.62f * s, cy - 0.16f * s}, 1.0f));
}

Shape DotsGlyph(float cx, float cy, float spacing, float radius)
{
    return Union(Union(Circle(cx - spacing, cy, radius), Circle(cx, cy, radius)), Circle(cx + spacing, cy, radius));
}

Shape TriangleGlyph(float cx, float cy, float width, float height)
{
    return Polygon({{cx - width / 2, cy - height / 2}, {cx + width / 2, cy - height / 2}, {cx, cy + height / 2}});
}

void DrawEmblem(Canvas& canvas, float cx, float cy, float radius)
{
    using namespace palette;
    const float r = radius;
    Glow(canvas, Circle(cx, cy + r * 0.08f, r), Rgb(0, 0, 0), std::max(2.0f, r * 0.3f), 0.55f);

    const Shape tail =
        Line({cx + 0.45f * r, cy + 0.45f * r}, {cx + 0.98f * r, cy + 0.98f * r}, std::max(1.6f, 0.3f * r));
    Fill(canvas, Circle(cx, cy, r + 0.8f), kInk, 0.85f);
    Fill(canvas, Circle(cx, cy, r), LinearGradient({cx, cy - r}, {cx, cy + r}, Rgb(222, 227, 236), Rgb(86, 91, 102)));
    Fill(canvas, Circle(cx, cy, r * 0.8f),
         RadialGradient({cx - 0.2f * r, cy - 0.2f * r}, r, Rgb(34, 39, 52), Rgb(5, 6, 9)));
    Fill(canvas, Circle(cx, cy, r * 0.5f),
         RadialGradient({cx - 0.12f * r, cy - 0.15f * r}, 0.62f * r, Lighten(kAccent, 0.35f), kAccentDeep));
    Fill(canvas, Circle(cx, cy, r * 0.2f), Rgb(4, 6, 11));
    Fill(canvas, Ellipse(cx - 0.22f * r, cy - 0.26f * r, 0.18f * r, 0.11f * r), Rgb(255, 255, 255), 0.85f);
    Fill(canvas, Circle(cx + 0.18f * r, cy + 0.2f * r, 0.06f * r), Rgb(255, 255, 255), 0.5f);

    Fill(canvas, Offset(tail, 0.9f), kInk, 0.9f);
    Fill(canvas, tail,
         LinearGradient({cx + 0.45f * r, cy + 0.45f * r}, {cx + r, cy + r}, Lighten(kAccent, 0.25f), kAccentDeep));
}

void DrawButtonBody(Canvas& canvas, const Shape& body, float top, float bottom, ButtonState state)
{
    using namespace palette;
    const Shape inner = Offset(body, -1.0f);
    const Point from{0, top}, to{0, bottom};
    const float middle = (top + bottom) / 2;
    switch (state) {
    case ButtonState::Normal:
        Fill(canvas, body, kInk);
        Fill(canvas, inner, LinearGradient(from, to, Rgb(76, 81, 95), Rgb(43, 46, 55)));
        Fill(canvas, Intersect(Outline(Offset(body, -1.5f), 1.0f), Above(middle)), Rgb(255, 255, 255), 0.14f);
        break;
    case ButtonState::Hover:
        Fill(canvas, body, Mix(kAccentDeep, kInk, 0.2f));
        Fill(canvas, inner, LinearGradient(from, to, Rgb(92, 99, 116), Rgb(53, 58, 70)));
        Fill(canvas, Outline(Offset(body, -1.5f), 1.0f), kAccent, 0.75f);
        Fill(canvas, Intersect(Outline(Offset(body, -2.5f), 1.0f), Above(middle)), Rgb(255, 255, 255), 0.12f);
        break;
    case ButtonState::Pressed:
        Fill(canvas, body, kInk);
        Fill(canvas, inner, LinearGradient(from, to, Rgb(30, 32, 39), Rgb(52, 56, 67)));
        Fill(canvas, Outline(Offset(body, -1.5f), 1.0f), kAccentDeep, 0.9f);
        Fill(canvas, Intersect(Offset(body, -1.0f), Above(top + 4)), Rgb(0, 0, 0), 0.3f);
        break;
    case ButtonState::Disabled:
        Fill(canvas, body, Rgb(33, 34, 40));
        Fill(canvas, inner, Rgb(49, 51, 59));
        break;
    }
}

Color GlyphColor(ButtonState state)
{
    using namespace palette;
    switch (state) {
    case ButtonState::Hover:
        return Rgb(255, 255, 255);
    case ButtonState::Pressed:
        return Mix(kGlyph, kAccent, 0.45f);
    case ButtonState::Disabled:
        return kGlyphDim;
    default:
        return kGlyph;
    }
}

void DrawGlyph(Canvas& canvas, const Shape& glyph, ButtonState state)
{
    switch (state) {
    case ButtonState::Normal:
        Fill(canvas, Translate(glyph, 0, 1), Rgb(0, 0, 0), 0.45f);
        Fill(canvas, glyph, GlyphColor(state));
        break;
    case ButtonState::Hover:
        Glow(canvas, glyph, palette::kAccent, 4.0f, 0.45f);
        Fill(canvas, glyph, GlyphColor(state));
        break;
    case ButtonState::Pressed:
        Fill(canvas, Translate(glyph, 0, 1), GlyphColor(state));
        break;
    case ButtonState::Disabled:
        Fill(canvas, glyph, GlyphColor(state));
        break;
    }
}

} // namespace skin
