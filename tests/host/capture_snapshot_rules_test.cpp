// Picture folders, volumes, full disks and the date stamp.
#include <gtest/gtest.h>

#include "capture/SnapshotRules.h"

namespace {

using namespace snapshot;

TEST(SnapshotRules, FoldersGetOneSeparatorAndLieOnTheirVolume)
{
    EXPECT_EQ(WithFinalSeparator(L"C:\\Pics"), L"C:\\Pics\\");
    EXPECT_EQ(WithFinalSeparator(L"C:/Pics/"), L"C:/Pics/") << "a forward slash counts";
    EXPECT_EQ(WithFinalSeparator(L"D:\\"), L"D:\\");
    EXPECT_EQ(VolumeRoot(L"E:\\Photos\\2024\\"), L"E:\\");
    EXPECT_EQ(VolumeRoot(L"\\\\nas\\share\\Photos\\"), L"\\\\nas\\share\\");
}

TEST(SnapshotRules, AFolderMustLeaveRoomForTheLongestFileNameInAPath)
{
    EXPECT_TRUE(FolderFitsFileNames(L"C:\\QuilloScene\\Pictures\\"));
    // 242 characters of folder, "IMG2147483647.jpg" (the largest number) and the terminator fill 260 exactly.
    const std::wstring longest = std::wstring(260 - 17 - 1 - 3, L'p') + L"\\";
    EXPECT_TRUE(FolderFitsFileNames(L"C:\\" + longest.substr(1)));
    EXPECT_FALSE(FolderFitsFileNames(L"C:\\" + longest));
    EXPECT_FALSE(FolderFitsFileNames(L"C:\\" + std::wstring(300, L'v') + L"\\"));
}

TEST(SnapshotRules, ASnapshotNeeds50MegabytesARecording1200)
{
    EXPECT_TRUE(TooFullForSnapshot(-1)) << "an unmeasured disk counts as full";
    EXPECT_TRUE(TooFullForSnapshot(50 * 1024 - 1));
    EXPECT_FALSE(TooFullForSnapshot(50 * 1024));
    EXPECT_TRUE(TooFullForRecording(1199 * 1024 + 1023));
    EXPECT_FALSE(TooFullForRecording(1200 * 1024));
    EXPECT_FALSE(TooFullForSnapshot(int64_t(3) << 40)) << "a disk of several terabytes";
}

TEST(SnapshotRules, TheDateStampSitsInTheLowerRightCorner)
{
    EXPECT_EQ(DateStampText(2024, 7, 4), L"2024 7 4");
    EXPECT_EQ(DateStampText(2026, 12, 31), L"2026 12 31");
    EXPECT_EQ(DateStampFontHeight(0), 16);
    EXPECT_EQ(DateStampFontHeight(3), 20);
    EXPECT_EQ(DateStampFontHeight(4), 24);
    EXPECT_EQ(DateStampFontHeight(9), 16);
    const Box box = DateStampBox(320, 240);
    EXPECT_EQ(box.left, 220);
    EXPECT_EQ(box.top, 190);
    EXPECT_EQ(box.right, 320);
    EXPECT_EQ(box.bottom, 240);
}

} // namespace
