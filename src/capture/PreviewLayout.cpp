// The preview window's layouts (see PreviewLayout.h).
#include "capture/PreviewLayout.h"

#include "res/resource.h"

namespace preview {

namespace {

bool InRange(int state)
{
    return state >= 0 && state <= 4;
}

constexpr Layout kCompactNormal = {{663, 610}, {11, 92, 640, 480}, {621, 8, 33, 17}, {583, 8, 33, 17}};
constexpr Layout kCompactSmall = {{594, 559}, {11, 92, 572, 429}, {557, 8, 33, 17}, {521, 8, 33, 17}};
constexpr Layout kWideNormal = {{1134, 726}, {6, 35, 1122, 685}, {1093, 8, 33, 17}, {1053, 8, 33, 17}};
constexpr Layout kWideSmall = {{888, 569}, {6, 35, 876, 528}, {848, 8, 33, 17}, {808, 8, 33, 17}};
constexpr Layout kTallNormal = {{888, 727}, {6, 35, 876, 685}, {848, 8, 33, 17}, {808, 8, 33, 17}};
constexpr Layout kTallSmall = {{695, 569}, {6, 35, 683, 528}, {655, 8, 33, 17}, {615, 8, 33, 17}};

} // namespace

bool HasEnlargedLayout(int resState)
{
    return resState >= 2 && resState <= 4;
}

Layout LayoutFor(bool enlarged, bool smallScreen, int resState)
{
    if (!enlarged || !HasEnlargedLayout(resState))
        return smallScreen ? kCompactSmall : kCompactNormal;
    if (resState == 4)
        return smallScreen ? kTallSmall : kTallNormal;
    return smallScreen ? kWideSmall : kWideNormal;
}

Skin SkinFor(bool compact, bool smallScreen, int resState)
{
    if (compact)
        return smallScreen ? Skin{366, 367, 368, 365, 552} : Skin{356, 353, 354, 355, 603};
    if (!smallScreen)
        return resState == 4 ? Skin{352, 357, 363, 364, 720} : Skin{361, 362, 363, 364, 720};
    return resState == 4 ? Skin{370, 371, 372, 369, 562} : Skin{352, 357, 372, 369, 562};
}

std::vector<Row> RoundedBottomRows(int width, int bodyBottom)
{
    static const int kLeftInset[7] = {0, 1, 1, 2, 3, 4, 6};
    static const int kRightInset[7] = {1, 1, 2, 3, 4, 5, 6};
    std::vector<Row> rows;
    for (int i = 0; i < 7; ++i)
        rows.push_back({kLeftInset[i], width - kRightInset[i], bodyBottom + i});
    return rows;
}

PlacementRect CenteredIn(const WorkArea& work, Size window)
{
    return {work.left + (work.width - window.width) / 2, work.top + (work.height - window.height) / 2, window.width,
            window.height};
}

bool FitsOn(const WorkArea& work, Size window)
{
    return work.width >= window.width && work.height >= window.height;
}

void ClampToWorkArea(const WorkArea& work, Size window, int& x, int& y)
{
    const int right = work.left + work.width;
    const int bottom = work.top + work.height;
    if (x + window.width > right)
        x = right - window.width;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    if (y + window.height > bottom)
        y = bottom - window.height;
}

PlacementRect EnlargedVideoPlacement(int resState, bool smallScreen, Size window)
{
    if (resState == 2)
        return smallScreen ? PlacementRect{0, 26, window.width, 475} : PlacementRect{0, 34, window.width, 617};
    return {0, 0, window.width, window.height};
}

unsigned ResolutionMenuItem(int resState)
{
    static const unsigned kItems[5] = {ID_RES_320X240, ID_RES_640X480, ID_RES_1280X720, ID_RES_1280X800,
                                       ID_RES_1280X1024};
    return InRange(resState) ? kItems[resState] : 0;
}

int StateOfMenuItem(unsigned command)
{
    for (int state = 0; state <= 4; ++state) {
        if (ResolutionMenuItem(state) == command)
            return state;
    }
    return -1;
}

bool StateMayRecord(int resState)
{
    return resState != 3 && resState != 4;
}

} // namespace preview
