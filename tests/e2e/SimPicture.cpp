#include "SimPicture.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

// Bright (1) or dark (0) red, green and blue of the bars: white, yellow, cyan, green, magenta, red,
// blue, black.
const int kBars[8][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};

int Level(int channel)
{
    if (channel >= 160)
        return 1;
    if (channel <= 96)
        return 0;
    return -1; // neither: not a bar colour
}

BOOL CALLBACK FirstChild(HWND window, LPARAM found)
{
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

HWND PreviewVideoWindow(HWND preview)
{
    HWND area = GetDlgItem(preview, 1013);
    if (!area)
        return nullptr;
    HWND video = nullptr;
    EnumChildWindows(area, FirstChild, reinterpret_cast<LPARAM>(&video));
    return video;
}

bool ShowsBars(const Image& picture, bool mirrored, std::string* why)
{
    if (picture.width < 64 || picture.height < 64) {
        if (why)
            *why = "no picture";
        return false;
    }
    // Below the glyph (it ends at 5/16 of the height) and above the marker (from 5/8 on).
    const int y = picture.height * 5 / 12;
    std::string seen;
    bool ok = true;
    for (int bar = 0; bar < 8; ++bar) {
        const int shown = mirrored ? 7 - bar : bar;
        const int x = (2 * shown + 1) * picture.width / 16;
        const uint32_t c = picture.At(x, y);
        const int rgb[3] = {static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                            static_cast<int>(c & 0xFF)};
        for (int ch = 0; ch < 3; ++ch)
            ok = ok && Level(rgb[ch]) == kBars[bar][ch];
        char text[32];
        std::snprintf(text, sizeof text, "%s%06X", bar ? " " : "", static_cast<unsigned>(c & 0xFFFFFF));
        seen += text;
    }
    if (why)
        *why = "bar centres " + seen;
    return ok;
}

void MarkerRows(const Image& picture, int* top, int* bottom)
{
    // The marker is height/12 tall and ends height/32 above the bottom of the bars (3/4 of the height).
    const int barsBottom = picture.height * 3 / 4;
    *bottom = barsBottom - picture.height / 32;
    *top = *bottom - picture.height / 12;
}

double DifferentShareInRows(const Image& a, const Image& b, int top, int bottom, int tolerance)
{
    if (a.width != b.width || a.height != b.height || top < 0 || bottom > a.height || top >= bottom)
        return 0.0;
    size_t differ = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const uint32_t p = a.At(x, y), q = b.At(x, y);
            for (int shift = 0; shift <= 16; shift += 8) {
                if (std::abs(static_cast<int>(p >> shift & 0xFF) - static_cast<int>(q >> shift & 0xFF)) > tolerance) {
                    ++differ;
                    break;
                }
            }
        }
    }
    return static_cast<double>(differ) / (static_cast<double>(bottom - top) * a.width);
}

} // namespace e2e
