// The toolbar: one bar body drawn whole for each orientation, cut into the logo and the button cells,
// so the pieces join without seams; the window shape is the same rounded body on magenta.
#include "res/skin/SkinArt.h"
#include "res/skin/Theme.h"

namespace skin {
namespace {

constexpr int kBarLength = 264;
constexpr int kBarThickness = 51;
constexpr int kLogoLength = 91;
constexpr int kCellLength = 38;
constexpr int kMenuLength = 21;
constexpr float kBarRadius = 9.0f;

Canvas BarBody(bool vertical)
{
    using namespace palette;
    const int width = vertical ? kBarThickness : kBarLength;
    const int height = vertical ? kBarLength : kBarThickness;
    Canvas bar(width, height);
    bar.Clear(kInk);
    const Shape body = RoundRect(0, 0, static_cast<float>(width), static_cast<float>(height), kBarRadius);
    const Point across = vertical ? Point{static_cast<float>(width), 0} : Point{0, static_cast<float>(height)};
    Fill(bar, Offset(body, -1.0f),
         LinearStops({0, 0}, across, {Rgb(74, 78, 91), Rgb(47, 50, 60), Rgb(32, 34, 41), Rgb(21, 22, 27)}));
    // Light falls from above: a bright rim along the lit side, a faint one elsewhere.
    const Shape rim = Outline(Offset(body, -1.5f), 1.0f);
    Fill(bar, rim, Rgb(255, 255, 255), 0.06f);
    const Shape litSide = vertical ? RoundRect(-10, -10, width * 0.5f, height + 10.0f, 0)
                                   : RoundRect(-10, -10, width + 10.0f, height * 0.5f, 0);
    Fill(bar, Intersect(rim, litSide), Rgb(255, 255, 255), 0.12f);

    // A groove between the logo and the buttons.
    const float l = kLogoLength - 1.0f;
    if (vertical) {
        Fill(bar, Line({8, l}, {width - 8.0f, l}, 1.0f), kInk, 0.7f);
        Fill(bar, Line({8, l + 1}, {width - 8.0f, l + 1}, 1.0f), Rgb(255, 255, 255), 0.07f);
    } else {
        Fill(bar, Line({l, 8}, {l, height - 8.0f}, 1.0f), kInk, 0.7f);
        Fill(bar, Line({l + 1, 8}, {l + 1, height - 8.0f}, 1.0f), Rgb(255, 255, 255), 0.07f);
    }
    return bar;
}

Shape ButtonGlyph(int button, int orientation, float cx, float cy)
{
    switch (button) {
    case 0:
        return CameraGlyph(cx, cy + 1, 19);
    case 1:
        return AdjustGlyph(cx, cy, 20);
    case 2:
        return GearGlyph(cx, cy, 22);
    case 3:
        return HelpGlyph(cx, cy, 22);
    default:
        // The menu opens away from the docked edge.
        return ChevronGlyph(cx, cy, 9, orientation == 0 ? 0 : orientation == 1 ? 1 : 2, 2.2f);
    }
}

} // namespace

void PaintToolbarShape(Canvas& canvas, int orientation)
{
    const bool vertical = orientation != 0;
    canvas.Copy(BarBody(vertical), 0, 0);
    const float width = vertical ? kBarThickness : kBarLength;
    const float height = vertical ? kBarLength : kBarThickness;
    CutOutside(canvas, RoundRect(0, 0, width, height, kBarRadius));
}

void PaintToolbarLogo(Canvas& canvas, int orientation)
{
    canvas.Copy(BarBody(orientation != 0), 0, 0);
    DrawEmblem(canvas, canvas.Width() / 2.0f - 1.0f, canvas.Height() / 2.0f - 1.5f, 15.0f);
}

void PaintToolbarButton(Canvas& canvas, int variant)
{
    using namespace palette;
    const int orientation = variant / 100;
    const int button = (variant / 10) % 10;
    const int frame = variant % 10;
    const bool vertical = orientation != 0;
    const int start = kLogoLength + kCellLength * button;
    const int length = button == 4 ? kMenuLength : kCellLength;
    const Canvas bar = BarBody(vertical);
    canvas.Copy(vertical ? bar.Crop(0, start, kBarThickness, length) : bar.Crop(start, 0, length, kBarThickness), 0, 0);

    // Frame 0 is the resting look; the later frames play once on hover and brighten step by step.
    const int frames = button == 4 ? 2 : 5;
    const float t = static_cast<float>(frame) / static_cast<float>(frames - 1);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const float cx = w / 2, cy = h / 2 - 0.5f;
    if (t > 0) {
        const float inset = button == 4 ? 2.5f : 3.5f;
        const Shape plate =
            vertical ? RoundRect(6, inset, w - 6, h - inset, 6) : RoundRect(inset, 6, w - inset, h - 6, 6);
        Fill(canvas, plate, LinearGradient({0, 0}, {0, h}, Lighten(kAccent, 0.2f), kAccentDeep), 0.2f * t);
        Fill(canvas, Outline(Offset(plate, -0.5f), 1.0f), kAccent, 0.75f * t);
    }
    const Shape glyph = ButtonGlyph(button, orientation, cx, cy);
    Fill(canvas, Translate(glyph, 0, 1), Rgb(0, 0, 0), 0.5f);
    if (t > 0) {
        Glow(canvas, glyph, kAccent, 5.0f, 0.55f * t);
    }
    Fill(canvas, glyph, Mix(kGlyph, Rgb(255, 255, 255), t));
}

} // namespace skin
