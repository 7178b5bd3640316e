// The image page's sliders without a live camera (see ImageSliderRules.h).
#include "ui/ImageSliderRules.h"

namespace imagepage {

namespace {

struct FamilyTable
{
    Range range[kSliderCount];
    int position[kSliderCount];
    bool alwaysSaved; // the family shows the saved values even before the user applied any
};

constexpr FamilyTable kSonix = {{{-64, 64}, {0, 64}, {72, 500}, {-40, 40}, {0, 128}, {0, 7}}, {0, 0, 0, 0, 0, 0}, true};
constexpr FamilyTable kBrindleVga = {
    {{0, 100}, {0, 100}, {1, 20}, {0, 100}, {0, 100}, {0, 100}}, {50, 45, 18, 50, 40, 48}, false};
constexpr FamilyTable kBrindle = {
    {{0, 255}, {0, 255}, {1, 10}, {-30, 30}, {0, 255}, {0, 4}}, {118, 36, 8, 0, 78, 2}, false};
constexpr FamilyTable kSunplus = {
    {{0, 255}, {0, 255}, {90, 150}, {-180, 180}, {0, 255}, {0, 255}}, {128, 32, 120, 0, 40, 20}, false};

const FamilyTable* TableFor(std::uint8_t isp, bool vgaModule)
{
    switch (isp) {
    case 0:
        return &kSonix;
    case 1:
        return vgaModule ? &kBrindleVga : &kBrindle;
    case 2:
        return &kSunplus;
    default:
        return nullptr;
    }
}

} // namespace

bool SlidersWithoutCamera(std::uint8_t isp, bool vgaModule, bool imageSet, const int saved[kSliderCount],
                          OfflineSliders& out)
{
    const FamilyTable* table = TableFor(isp, vgaModule);
    if (!table)
        return false;
    const bool showSaved = imageSet || table->alwaysSaved;
    for (int i = 0; i < kSliderCount; ++i) {
        out.range[i] = table->range[i];
        out.position[i] = showSaved ? saved[i] : table->position[i];
    }
    return true;
}

} // namespace imagepage
