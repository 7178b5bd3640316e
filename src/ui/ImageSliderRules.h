// What the image page's six sliders show when no live camera answers: the ranges and positions each chip
// family is known to have, or the saved values. Windows-free; the page applies the answer to its sliders.
#pragma once

#include <cstdint>

namespace imagepage {

// The sliders in the toolbar's order: Brightness, Contrast, Gamma, Hue, Saturation, Sharpness.
constexpr int kSliderCount = 6;
// Their camera property numbers (DirectShow's VideoProcAmpProperty) in that order.
constexpr long kProperty[kSliderCount] = {0, 1, 5, 2, 3, 4};

struct Range
{
    int minimum;
    int maximum;
};

struct OfflineSliders
{
    Range range[kSliderCount];
    int position[kSliderCount];
};

// The ranges and positions without a live camera, by chip family and module flag. The saved values are shown
// when the user has applied some (imageSet) and always for family 0; otherwise the family's own positions.
// False for a family without known ranges (3, 4, or a camera not identified): the sliders stay as they are.
bool SlidersWithoutCamera(std::uint8_t isp, bool vgaModule, bool imageSet, const int saved[kSliderCount],
                          OfflineSliders& out);

} // namespace imagepage
