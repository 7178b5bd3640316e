// Which typed or chosen folders the Setting dialog may store: full paths only, and no longer than the store keeps.
#include <gtest/gtest.h>

#include <string>

#include "ui/FolderText.h"

namespace {

TEST(StorableFolder, FullPathsOnDrivesAndSharesAreTaken)
{
    EXPECT_TRUE(folders::IsStorableFolder(L"C:\\Users\\me\\Pictures\\"));
    EXPECT_TRUE(folders::IsStorableFolder(L"z:/tmp"));
    EXPECT_TRUE(folders::IsStorableFolder(L"D:\\"));
    EXPECT_TRUE(folders::IsStorableFolder(L"\\\\server\\share\\photos"));
}

TEST(StorableFolder, EmptyRelativeAndOverlongTextsAreRefused)
{
    EXPECT_FALSE(folders::IsStorableFolder(L""));
    EXPECT_FALSE(folders::IsStorableFolder(L"photos")) << "would follow the program's current folder";
    EXPECT_FALSE(folders::IsStorableFolder(L"C:photos")) << "drive-relative";
    EXPECT_FALSE(folders::IsStorableFolder(L"\\photos")) << "the current drive's root";
    EXPECT_FALSE(folders::IsStorableFolder(L"\\\\\\x"));
    const std::wstring longest = L"C:\\" + std::wstring(251, L'a');
    EXPECT_TRUE(folders::IsStorableFolder(longest)) << "254 characters fit the store";
    EXPECT_FALSE(folders::IsStorableFolder(longest + L"a"));
}

} // namespace
