// The running numbers of pictures and recordings, from the names a folder lists.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/FileNumbering.h"

namespace {

using namespace numbering;

constexpr int kBmp = 0, kJpg = 1, kPng = 2;

NumberTaken Nothing()
{
    return [](int) { return false; };
}

TEST(FileNumbering, FirstPictureOfARunInAnEmptyFolderIsZero)
{
    SettingsRecord record;
    record.m_nExportFile = kJpg;
    EXPECT_FALSE(UpdatePictureNumber(record, kJpg, {}, Nothing()));
    EXPECT_EQ(record.m_nPictureNumber, 0);
    EXPECT_EQ(PictureFileName(kJpg, record.m_nPictureNumber), L"IMG0000.jpg");
}

TEST(FileNumbering, TheHighestNumberCountsWhateverTheListingOrder)
{
    SettingsRecord record;
    // A memory card lists in creation order: the last name is not the highest.
    EXPECT_TRUE(UpdatePictureNumber(record, kBmp, {{L"IMG0007.bmp", L"IMG0012.bmp", L"IMG0003.bmp"}}, Nothing()));
    EXPECT_EQ(record.m_nPictureNumber, 13);
    EXPECT_EQ(record.m_nBmpNumber, 13);
}

TEST(FileNumbering, OnlyNamesBeginningWithIMGCountAndFiveDigitsReadAsTheirLastFour)
{
    SettingsRecord record;
    EXPECT_FALSE(UpdatePictureNumber(record, kJpg, {{L"img0004.jpg", L"holiday.jpg"}}, Nothing()));
    EXPECT_EQ(record.m_nPictureNumber, 0) << "a folder without counting names starts at 0";
    EXPECT_TRUE(UpdatePictureNumber(record, kJpg, {{L"IMG10345.jpg"}}, Nothing()));
    EXPECT_EQ(record.m_nPictureNumber, 346);
    EXPECT_TRUE(UpdatePictureNumber(record, kJpg, {{L"IMG_ori.jpg"}}, Nothing()));
    EXPECT_EQ(record.m_nPictureNumber, 346) << "numbers only grow";
}

TEST(FileNumbering, EachFormatKeepsItsOwnSequence)
{
    SettingsRecord record;
    UpdatePictureNumber(record, kBmp, {{L"IMG0007.bmp"}}, Nothing());
    EXPECT_EQ(record.m_nPictureNumber, 8);
    // No PNG in the folder: the PNG sequence starts at 0.
    UpdatePictureNumber(record, kPng, {}, Nothing());
    EXPECT_EQ(record.m_nPictureNumber, 0);
    UpdatePictureNumber(record, kBmp, {}, Nothing());
    EXPECT_EQ(record.m_nPictureNumber, 8) << "the BMP counter of this run";
}

TEST(FileNumbering, ANumberWhoseFileExistsIsPassedOver)
{
    const std::set<int> present = {5, 6, 8};
    SettingsRecord record;
    UpdatePictureNumber(record, kJpg, {{L"IMG0004.jpg", L"IMG0005.jpg", L"IMG0006.jpg", L"IMG0008.jpg"}},
                        [&](int n) { return present.count(n) != 0; });
    EXPECT_EQ(record.m_nPictureNumber, 9);
    // The folder's listing missed files that are there (a name not matching the pattern's case rules).
    record = SettingsRecord();
    UpdatePictureNumber(record, kJpg, {{L"IMG0004.jpg"}}, [&](int n) { return present.count(n) != 0; });
    EXPECT_EQ(record.m_nPictureNumber, 7);
    EXPECT_EQ(record.m_nJpgNumber, 7) << "the counter follows the number handed out";
}

TEST(FileNumbering, RecordingsCountAVINamesAndRestartInAnEmptyFolder)
{
    SettingsRecord record;
    EXPECT_TRUE(UpdateVideoNumber(record, {{L"AVI0002.avi", L"AVI0010.AVI", L"clip.avi"}}, Nothing()));
    EXPECT_EQ(record.m_nVideoNumber, 11);
    EXPECT_EQ(VideoFileName(record.m_nVideoNumber), L"AVI0011.avi");
    EXPECT_FALSE(UpdateVideoNumber(record, {{L"clip.avi"}}, Nothing()));
    EXPECT_EQ(record.m_nVideoNumber, 11) << "names that do not count leave the number";
    EXPECT_FALSE(UpdateVideoNumber(record, {}, Nothing()));
    EXPECT_EQ(record.m_nVideoNumber, 0) << "a folder without recordings starts again";
}

} // namespace
