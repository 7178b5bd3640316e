// The Properties and Setting dialogs (outline and background), their pages, push buttons, tabs, check
// and radio pictures, browse button, slider channel and thumb, the About background and the icons.
#include "res/skin/SkinArt.h"
#include "res/skin/Theme.h"

#include <cmath>

namespace skin {
namespace {

constexpr int kDialogWidth = 308;
constexpr int kDialogHeight = 434;
constexpr int kDialogBodyBottom = 427; // first of the seven rounded bottom rows
constexpr int kDialogTitleHeight = 37;
constexpr int kRoundedBottomInset[7] = {0, 1, 1, 2, 3, 4, 6};

bool InsideDialog(int x, int y)
{
    if (x < 0 || y < 0 || x >= kDialogWidth || y >= kDialogHeight) {
        return false;
    }
    int inset = 0;
    if (y < 7) {
        inset = kTopCornerInset[y];
    } else if (y >= kDialogBodyBottom) {
        inset = kRoundedBottomInset[y - kDialogBodyBottom];
    }
    return x >= inset && x < kDialogWidth - inset;
}

Shape Above(float y)
{
    return RoundRect(-4096, -4096, 4096, y, 0);
}

} // namespace

void PaintDialogBackground(Canvas& canvas, int)
{
    using namespace palette;
    canvas.Clear(kDialog);
    const float w = static_cast<float>(kDialogWidth);
    Fill(canvas, RoundRect(0, 0, w, kDialogTitleHeight, 0), kTitle);
    Fill(canvas, RoundRect(0, kDialogTitleHeight - 1.0f, w, kDialogTitleHeight, 0),
         LinearStops(
             {0, 0}, {w, 0},
             {WithAlpha(kAccent, 0), WithAlpha(kAccent, 0.75f), WithAlpha(kAccent, 0.75f), WithAlpha(kAccent, 0)}));
    // The pages sit in a recessed well; the tabs stand on its top edge.
    const Shape well = RoundRect(17, 64, 290, 373, 0);
    Glow(canvas, well, Rgb(0, 0, 0), 5.0f, 0.45f);
    Fill(canvas, Outline(RoundRect(16.5f, 63.5f, 290.5f, 373.5f, 0), 1.0f), Rgb(255, 255, 255), 0.06f);
    Fill(canvas, well, kInk);
    Fill(canvas, RoundRect(18, 65, 289, 372, 0), kPage);

    for (int y = 0; y < kDialogHeight; ++y) {
        for (int x = 0; x < kDialogWidth; ++x) {
            if (!InsideDialog(x, y)) {
                canvas.SetSeeThrough(x, y, true);
            } else if (!InsideDialog(x - 1, y) || !InsideDialog(x + 1, y) || !InsideDialog(x, y - 1) ||
                       !InsideDialog(x, y + 1)) {
                canvas.Set(x, y, kInk);
            } else if (!InsideDialog(x, y - 2) || !InsideDialog(x - 2, y) || !InsideDialog(x + 2, y)) {
                canvas.Blend(x, y, Rgb(255, 255, 255), y < kDialogTitleHeight ? 0.1f : 0.04f);
            }
        }
    }
}

void PaintPageBackground(Canvas& canvas, int kind)
{
    using namespace palette;
    // The body stays one flat colour, the page labels' own background, so labels, pictures of check
    // boxes and the slider thumb match it wherever they are placed.
    canvas.Clear(kPage);
    const float w = static_cast<float>(canvas.Width());
    for (int y = 0; y < 3; ++y) {
        Fill(canvas, RoundRect(0, static_cast<float>(y), w, y + 1.0f, 0), Rgb(0, 0, 0), 0.24f / (y + 1));
    }
    // Hairlines between the groups of a page.
    const float divider = kind == 0 ? 97.0f : kind == 1 ? 224.0f : -1.0f;
    if (divider > 0) {
        const auto fade = [](Color c, float a) {
            return LinearStops({15, 0}, {256, 0}, {WithAlpha(c, 0), WithAlpha(c, a), WithAlpha(c, a), WithAlpha(c, 0)});
        };
        Fill(canvas, RoundRect(15, divider, 256, divider + 1, 0), fade(Rgb(0, 0, 0), 0.3f));
        Fill(canvas, RoundRect(15, divider + 1, 256, divider + 2, 0), fade(Rgb(255, 255, 255), 0.1f));
    }
}

void PaintAboutBackground(Canvas& canvas, int)
{
    using namespace palette;
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const float cx = 227, cy = 94, band = 200;
    canvas.Clear(kInk);
    Fill(canvas, RoundRect(0, 0, w, band, 0), RadialGradient({cx, cy}, 300, Rgb(56, 63, 82), Rgb(13, 14, 19)));
    for (float r = 78; r < 260; r += 34) {
        Fill(canvas, Outline(Circle(cx, cy, r), 1.0f), Rgb(255, 255, 255), 0.035f);
    }
    Glow(canvas, Circle(cx, cy, 46), kAccent, 48.0f, 0.2f);
    DrawEmblem(canvas, cx, cy, 50);
    // A light card below carries the version lines, which are drawn in dark grey.
    Fill(canvas, RoundRect(0, band, w, band + 4, 0),
         LinearStops({0, 0}, {w, 0}, {kAccentDeep, kAccent, Lighten(kAccent, 0.3f), kAccent, kAccentDeep}));
    Fill(canvas, RoundRect(0, band + 4, w, h, 0),
         LinearGradient({0, band + 4}, {0, h}, Rgb(231, 233, 237), Rgb(201, 204, 210)));
    for (int i = 0; i < 4; ++i) {
        Fill(canvas, RoundRect(0, band + 4 + i, w, band + 5 + i, 0), Rgb(0, 0, 0), 0.12f / (i + 1));
    }
}

void PaintTextButton(Canvas& canvas, int state)
{
    canvas.Clear(palette::kDialog);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    DrawButtonBody(canvas, RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 6), 0, h, static_cast<ButtonState>(state));
}

void PaintTab(Canvas& canvas, int kind)
{
    using namespace palette;
    canvas.Clear(kDialog);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    // The tab runs past the bottom edge so that only its top corners are round.
    const Shape tab = RoundRect(0.5f, 0.5f, w - 0.5f, h + 8, 5);
    Fill(canvas, tab, kInk);
    const Shape inner = Offset(tab, -1.0f);
    if (kind == 0) {
        // The shown page's tab opens into the page: same colour, no bottom edge, an accent cap.
        Fill(canvas, inner, LinearGradient({0, 0}, {0, h}, Lighten(kPage, 0.1f), kPage));
        Fill(canvas, Intersect(inner, Above(3)), kAccent);
        return;
    }
    const bool hover = kind == 2;
    Fill(canvas, inner,
         LinearGradient({0, 0}, {0, h}, hover ? Rgb(78, 82, 97) : Rgb(60, 63, 75),
                        hover ? Rgb(55, 58, 69) : Rgb(42, 44, 52)));
    Fill(canvas, Intersect(inner, Above(3)), hover ? kAccent : Rgb(255, 255, 255), hover ? 0.75f : 0.08f);
    Fill(canvas, RoundRect(0, h - 1, w, h, 0), kInk);
}

void PaintCheck(Canvas& canvas, int kind)
{
    using namespace palette;
    canvas.Clear(kPage);
    const Shape box = RoundRect(1.5f, 1.5f, 15.5f, 15.5f, 3);
    Fill(canvas, Offset(box, 1.0f), Rgb(0, 0, 0), 0.25f);
    if (kind == 1) {
        Fill(canvas, box, kAccentDeep);
        Fill(canvas, Offset(box, -1.0f), LinearGradient({0, 2}, {0, 15}, Lighten(kAccent, 0.2f), kAccentDeep));
        Fill(canvas, Translate(CheckGlyph(8.5f, 8.5f, 10, 2.0f), 0, 0.6f), Rgb(0, 0, 0), 0.3f);
        Fill(canvas, CheckGlyph(8.5f, 8.5f, 10, 2.0f), Rgb(255, 255, 255));
        return;
    }
    const bool hover = kind == 2;
    Fill(canvas, box, hover ? kAccent : Rgb(156, 160, 178));
    Fill(canvas, Offset(box, -1.0f),
         LinearGradient({0, 2}, {0, 15}, Rgb(30, 32, 38), hover ? Rgb(60, 64, 78) : Rgb(48, 50, 60)));
    if (hover) {
        Glow(canvas, Offset(box, -3.0f), kAccent, 3.0f, 0.18f);
    }
}

void PaintRadio(Canvas& canvas, int kind)
{
    using namespace palette;
    canvas.Clear(kPage);
    const float cx = 9.5f, cy = 10.0f;
    const Shape disc = Circle(cx, cy, 7.8f);
    Fill(canvas, Circle(cx, cy + 0.8f, 8.3f), Rgb(0, 0, 0), 0.25f);
    const bool on = kind == 1, hover = kind == 2;
    Fill(canvas, disc, on || hover ? kAccent : Rgb(156, 160, 178));
    Fill(canvas, Offset(disc, -1.3f),
         LinearGradient({0, 3}, {0, 17}, Rgb(30, 32, 38), hover ? Rgb(60, 64, 78) : Rgb(48, 50, 60)));
    if (on) {
        Glow(canvas, Circle(cx, cy, 3.8f), kAccent, 3.0f, 0.5f);
        Fill(canvas, Circle(cx, cy, 3.8f),
             RadialGradient({cx - 1.2f, cy - 1.4f}, 4.5f, Lighten(kAccent, 0.5f), kAccent));
    }
}

void PaintBrowseButton(Canvas& canvas, int state)
{
    canvas.Clear(palette::kPage);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const ButtonState s = static_cast<ButtonState>(state);
    DrawButtonBody(canvas, RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 5), 0, h, s);
    DrawGlyph(canvas, FolderGlyph(w / 2, h / 2, 15), s);
}

void PaintSliderChannel(Canvas& canvas, int)
{
    using namespace palette;
    // Drawn on the page colour so its soft edges suit the page; everything else is see-through.
    canvas.Clear(kPage);
    const float w = static_cast<float>(canvas.Width());
    const Shape groove = RoundRect(3, 9.5f, w - 3, 14.5f, 2.5f);
    Fill(canvas, Offset(groove, 0.8f), Rgb(255, 255, 255), 0.12f);
    Fill(canvas, groove, kInk);
    Fill(canvas, Offset(groove, -1.0f), LinearGradient({0, 10}, {0, 14}, Rgb(20, 21, 26), Rgb(52, 55, 66)));
    Shape marks = Circle(8, 19.5f, 1.1f);
    for (int i = 1; i < 11; ++i) {
        marks = Union(std::move(marks), Circle(8 + i * (w - 16) / 10, 19.5f, 1.1f));
    }
    Fill(canvas, marks, Rgb(190, 194, 212), 0.7f);
    CutOutside(canvas, Union(Offset(groove, 0.8f), Offset(marks, 0.4f)));
}

void PaintSliderThumb(Canvas& canvas, int)
{
    using namespace palette;
    canvas.Clear(kPage);
    const float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    const Shape body = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3.5f);
    Fill(canvas, body, kInk);
    Fill(canvas, Offset(body, -1.0f), LinearGradient({0, 0}, {0, h}, Rgb(238, 241, 247), Rgb(150, 156, 170)));
    Fill(canvas, Line({w / 2, 7}, {w / 2, h - 7}, 2.0f), kAccent);
}

void PaintAppIcon(Canvas& canvas, int size)
{
    using namespace palette;
    const float s = static_cast<float>(size);
    const Shape tile = RoundRect(0.5f, 0.5f, s - 0.5f, s - 0.5f, s * 0.22f);
    Fill(canvas, tile, kInk);
    Fill(canvas, Offset(tile, -1.0f), LinearGradient({0, 0}, {0, s}, Rgb(74, 79, 93), Rgb(22, 24, 29)));
    // At 16 pixels the emblem takes more of the tile so the lens still reads.
    const bool tiny = size <= 16;
    DrawEmblem(canvas, s * (tiny ? 0.44f : 0.46f), s * (tiny ? 0.44f : 0.46f), s * (tiny ? 0.35f : 0.3f));
}

void PaintHelperIcon(Canvas& canvas, int size)
{
    using namespace palette;
    const float s = static_cast<float>(size);
    const Shape tile = RoundRect(0.5f, 0.5f, s - 0.5f, s - 0.5f, s * 0.22f);
    Fill(canvas, tile, kInk);
    Fill(canvas, Offset(tile, -1.0f), LinearGradient({0, 0}, {0, s}, Rgb(52, 57, 70), Rgb(16, 17, 21)));
    // A sensor chip: pins on four sides, a lens window in the middle.
    const float c = s / 2, half = s * 0.25f, pin = std::max(1.0f, s * 0.06f);
    for (int i = -1; i <= 1; ++i) {
        const float o = i * s * 0.14f;
        const float reach = half + s * 0.11f;
        Fill(canvas, Line({c + o, c - reach}, {c + o, c + reach}, pin), Rgb(176, 182, 196));
        Fill(canvas, Line({c - reach, c + o}, {c + reach, c + o}, pin), Rgb(176, 182, 196));
    }
    const Shape chip = RoundRect(c - half, c - half, c + half, c + half, s * 0.05f);
    Fill(canvas, chip, Rgb(150, 156, 172));
    Fill(canvas, Offset(chip, -std::max(1.0f, s * 0.03f)), Rgb(30, 33, 41));
    Fill(canvas, Circle(c, c, s * 0.12f),
         RadialGradient({c - s * 0.03f, c - s * 0.03f}, s * 0.14f, Lighten(kAccent, 0.4f), kAccentDeep));
}

} // namespace skin
