// The Setting dialog's size lists against the resolution states: what a VGA module offers, which entries show a
// state, how the video list follows the picture list, and what OK and Cancel make of the lists.
#include <gtest/gtest.h>

#include <string>

#include "ui/SettingSizeRules.h"

namespace {

using namespace sizelist;

TEST(SettingSizeLists, VgaModuleOffersTwoSizesAndShowsLargeStatesAs640)
{
    EXPECT_EQ(PictureEntryCount(true), 2);
    EXPECT_EQ(PictureEntryCount(false), 4);
    EXPECT_EQ(std::wstring(PictureEntryText(3)), L"1280 X 1024");
    EXPECT_EQ(PictureEntryText(4), nullptr);
    EXPECT_EQ(PictureEntryOfState(3, true), 1);
    EXPECT_EQ(PictureEntryOfState(4, true), 1);
    EXPECT_EQ(PictureEntryOfState(4, false), 3);
    EXPECT_EQ(PictureEntryOfState(3, false), 2);
    EXPECT_EQ(PictureEntryOfState(2, false), 1) << "1280 X 720 has no entry";
}

TEST(SettingSizeLists, VideoListFollowsThePictureList)
{
    EXPECT_EQ(StateOfPictureEntry(3), 4);
    EXPECT_EQ(VideoEntryOfPictureEntry(3), 1) << "1280 X 1024 records at 640 X 480";
    EXPECT_EQ(VideoEntryOfPictureEntry(0), 0);
    EXPECT_EQ(VideoEntryOfState(4), 1);
    EXPECT_EQ(VideoEntryOfState(0), 0);
    EXPECT_EQ(std::wstring(VideoEntryText(0)), L"320 X 240");
    EXPECT_EQ(VideoEntryText(2), nullptr);
}

TEST(SettingSizeLists, OkStoresTheVideoChoiceWhenOnlyTheVideoListChanged)
{
    // Opened at 640 X 480 (video entry 1); the user picks 320 X 240 in the video list only.
    EXPECT_EQ(StoredState(1, 0, 1), 0);
    // The picture list's 1280 X 1024 with the video list untouched stays 1280 X 1024.
    EXPECT_EQ(StoredState(4, 1, 1), 4);
}

TEST(SettingSizeLists, CancelSwitchesBackWhenTheListsLeftTheSavedState)
{
    EXPECT_FALSE(CancelSwitchesBack(1, 1, 1));
    EXPECT_TRUE(CancelSwitchesBack(0, 0, 1));
    EXPECT_TRUE(CancelSwitchesBack(4, 1, 4)) << "the video list never shows 4";
}

} // namespace
