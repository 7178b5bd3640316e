// GDI wrappers free what they own and put back what they select; image lists keep their pictures;
// the wait cursor restores the previous cursor.
#include "fx/Gdi.h"
#include "fx/ImageList.h"
#include "fx/WaitCursor.h"
#include "fx_test_resource.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(Gdi, OwnedObjectsAreDeletedWithTheirWrapper)
{
    HGDIOBJ handles[5] = {};
    {
        fx::Bitmap bitmap;
        ASSERT_TRUE(bitmap.Load(IDB_FX_RED));
        EXPECT_EQ(bitmap.Size().cx, 8);
        fx::Font font;
        ASSERT_TRUE(font.Create(L"Tahoma", 16, FW_BOLD));
        fx::Brush brush;
        ASSERT_TRUE(brush.CreateSolid(RGB(207, 209, 212)));
        fx::Pen pen;
        ASSERT_TRUE(pen.Create(PS_SOLID, 1, RGB(1, 2, 3)));
        fx::Region region;
        ASSERT_TRUE(region.CreateRect(0, 0, 4, 4));
        handles[0] = bitmap;
        handles[1] = font;
        handles[2] = brush;
        handles[3] = pen;
        handles[4] = region;
        for (HGDIOBJ handle : handles)
            EXPECT_NE(GetObjectType(handle), 0u);
    }
    for (HGDIOBJ handle : handles)
        EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(Gdi, ReplacingMovingAndDetachingHandOverOwnership)
{
    fx::Brush first;
    ASSERT_TRUE(first.CreateSolid(RGB(1, 1, 1)));
    HBRUSH firstHandle = first;
    ASSERT_TRUE(first.CreateSolid(RGB(2, 2, 2)));
    EXPECT_EQ(GetObjectType(firstHandle), 0u);

    fx::Brush moved(std::move(first));
    EXPECT_FALSE(first);
    HBRUSH movedHandle = moved;
    HBRUSH detached = moved.Detach();
    EXPECT_EQ(detached, movedHandle);
    EXPECT_FALSE(moved);
    EXPECT_NE(GetObjectType(detached), 0u);
    DeleteObject(detached);
}

TEST(Gdi, SelectGuardPutsThePreviousObjectBackSoTheSelectedOneCanBeFreed)
{
    fx::MemoryDC dc;
    ASSERT_TRUE(dc.Get());
    HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
    HBITMAP selectedHandle = nullptr;
    {
        fx::Bitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatible(dc, 4, 4));
        selectedHandle = bitmap;
        fx::SelectObjectGuard guard(dc, bitmap);
        EXPECT_TRUE(guard.Selected());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), static_cast<HGDIOBJ>(bitmap.Get()));
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
    EXPECT_EQ(GetObjectType(selectedHandle), 0u);
}

TEST(Gdi, MemoryDCIsDeleted)
{
    HDC handle = nullptr;
    {
        fx::MemoryDC dc;
        handle = dc;
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(Gdi, RegionGrowsByRectanglesFromEmpty)
{
    fx::Region region;
    ASSERT_TRUE(region.AddRect(0, 0, 10, 1));
    ASSERT_TRUE(region.AddRect(5, 1, 8, 2));
    EXPECT_TRUE(region.Contains(9, 0));
    EXPECT_TRUE(region.Contains(5, 1));
    EXPECT_FALSE(region.Contains(4, 1));
    EXPECT_FALSE(region.Contains(8, 1));
    HRGN handle = region.Detach();
    EXPECT_NE(GetObjectType(handle), 0u);
    DeleteObject(handle);
}

TEST(Gdi, ImageListKeepsCopiesOfItsPicturesAndDrawsThem)
{
    fx::ImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLORDDB, 1, 2));
    {
        fx::Bitmap red;
        fx::Bitmap green;
        ASSERT_TRUE(red.Load(IDB_FX_RED));
        ASSERT_TRUE(green.Load(IDB_FX_GREEN));
        EXPECT_EQ(list.Add(red), 0);
        EXPECT_EQ(list.Add(green), 1);
    }
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(list.GetImageSize().cx, 8);
    fx::ClientDC screen(nullptr);
    fx::MemoryDC dc(screen);
    fx::Bitmap surface;
    ASSERT_TRUE(surface.CreateCompatible(screen, 8, 8));
    fx::SelectObjectGuard selected(dc, surface);
    ASSERT_TRUE(list.Draw(1, dc, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 255, 0));
    EXPECT_FALSE(list.Draw(2, dc, 0, 0));
}

TEST(WaitCursor, ShowsTheHourglassAndRestoresThePreviousCursor)
{
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    {
        fx::WaitCursor wait;
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
