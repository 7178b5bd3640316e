#include "ui/ButtonPictures.h"

#include "res/resource.h"

#include <gtest/gtest.h>

TEST(ImageTextButtonPicture, TwoPicturesHaveNoHoverPictureThreeDo)
{
    // pictures: 0 normal, 1 pressed, 2 hover
    EXPECT_EQ(skin::ImageTextButtonPicture(false, true, 2), 0);
    EXPECT_EQ(skin::ImageTextButtonPicture(true, false, 2), 1);
    EXPECT_EQ(skin::ImageTextButtonPicture(false, true, 3), 2);
    EXPECT_EQ(skin::ImageTextButtonPicture(true, true, 3), 1);
    EXPECT_EQ(skin::ImageTextButtonPicture(false, false, 3), 0);
    EXPECT_EQ(skin::ImageTextButtonPicture(true, true, 1), 0);
    EXPECT_TRUE(skin::ImageTextButtonUsesHoverColour(false, true));
    EXPECT_FALSE(skin::ImageTextButtonUsesHoverColour(true, true));
    EXPECT_FALSE(skin::ImageTextButtonUsesHoverColour(false, false));
}

TEST(HoverPictures, TheLockHoldsBackOnlyTheRecordButton)
{
    skin::HoverPictures record = {};
    ASSERT_TRUE(skin::HoverPicturesFor(IDC_PREVIEW_RECORD, false, record));
    EXPECT_EQ(record.hover, static_cast<unsigned>(IDB_PREVIEW_RECORD_HOVER));
    EXPECT_EQ(record.pressed, static_cast<unsigned>(IDB_PREVIEW_RECORD_PRESSED));

    skin::HoverPictures untouched = {7, 7};
    EXPECT_FALSE(skin::HoverPicturesFor(IDC_PREVIEW_RECORD, true, untouched));
    EXPECT_EQ(untouched.hover, 7u);

    // The snapshot button beside it keeps its hover pictures whatever the flag says.
    skin::HoverPictures snapshot = {};
    EXPECT_TRUE(skin::HoverPicturesFor(IDC_PREVIEW_SNAPSHOT, true, snapshot));
    EXPECT_EQ(snapshot.hover, static_cast<unsigned>(IDB_PREVIEW_SNAPSHOT_HOVER));
    // A control without hover pictures (the video area) gets none.
    EXPECT_FALSE(skin::HoverPicturesFor(IDC_PREVIEW_VIDEO, false, untouched));
}
