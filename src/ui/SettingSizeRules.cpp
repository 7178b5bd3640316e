// The Setting dialog's size lists (see SettingSizeRules.h).
#include "ui/SettingSizeRules.h"

namespace sizelist {

namespace {
constexpr const wchar_t* kPictureTexts[] = {L"320 X 240", L"640 X 480", L"1280 X 800", L"1280 X 1024"};
constexpr int kPictureStates[] = {0, 1, 3, 4};
constexpr int kAllPictureEntries = 4;
} // namespace

int PictureEntryCount(bool vgaModule)
{
    return vgaModule ? 2 : kAllPictureEntries;
}

const wchar_t* PictureEntryText(int index)
{
    return index >= 0 && index < kAllPictureEntries ? kPictureTexts[index] : nullptr;
}

const wchar_t* VideoEntryText(int index)
{
    return index >= 0 && index < kVideoEntryCount ? kPictureTexts[index] : nullptr;
}

int StateOfPictureEntry(int index)
{
    return index >= 0 && index < kAllPictureEntries ? kPictureStates[index] : -1;
}

int PictureEntryOfState(int state, bool vgaModule)
{
    for (int i = 0; i < PictureEntryCount(vgaModule); ++i)
        if (kPictureStates[i] == state)
            return i;
    return 1;
}

int VideoEntryOfState(int state)
{
    return state == 0 ? 0 : 1;
}

int VideoEntryOfPictureEntry(int index)
{
    return index == 0 ? 0 : 1;
}

int StateOfVideoEntry(int index)
{
    return index == 0 || index == 1 ? index : -1;
}

int StoredState(int chosenState, int videoEntry, int baselineVideoEntry)
{
    if (videoEntry != baselineVideoEntry && StateOfVideoEntry(videoEntry) >= 0)
        return StateOfVideoEntry(videoEntry);
    return chosenState;
}

bool CancelSwitchesBack(int chosenState, int videoEntry, int savedState)
{
    return chosenState != savedState || videoEntry != savedState;
}

} // namespace sizelist
