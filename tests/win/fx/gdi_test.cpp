// GDI wrappers free what they own and put back what they select; image lists keep their pictures;
// ComPtr keeps exact reference counts; the wait cursor restores the previous cursor.
#include "fx/ComPtr.h"
#include "fx/Gdi.h"
#include "fx/ImageList.h"
#include "fx/WaitCursor.h"
#include "fx_test_resource.h"

#include <gtest/gtest.h>

#include <utility>

struct ICountingFake : IUnknown
{
};
__CRT_UUID_DECL(ICountingFake, 0x6f1d3c41, 0x2b7a, 0x4c55, 0x9e, 0x35, 0x1f, 0x3a, 0x0b, 0x6c, 0x9d, 0x01)

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

// A COM object that counts its references and answers one other interface.
class CountingFake : public ICountingFake
{
public:
    ULONG refs = 1; // the creator's reference
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(ICountingFake)) {
            *out = static_cast<ICountingFake*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComPtr, AssignAddsAReferenceAndReleasesTheOldOne)
{
    CountingFake a;
    CountingFake b;
    {
        fx::ComPtr<ICountingFake> ptr;
        ptr.Assign(&a);
        EXPECT_EQ(a.refs, 2u);
        ptr.Assign(&b);
        EXPECT_EQ(a.refs, 1u);
        EXPECT_EQ(b.refs, 2u);
        ptr.Assign(&b); // assigning the same object keeps one reference
        EXPECT_EQ(b.refs, 2u);
        fx::ComPtr<ICountingFake> copy = ptr;
        EXPECT_EQ(b.refs, 3u);
        fx::ComPtr<ICountingFake> moved = std::move(copy);
        EXPECT_EQ(b.refs, 3u);
        EXPECT_FALSE(copy);
    }
    EXPECT_EQ(a.refs, 1u);
    EXPECT_EQ(b.refs, 1u);
}

TEST(ComPtr, AttachTakesOverAndDetachHandsOverWithoutCounting)
{
    CountingFake fake;
    fake.AddRef(); // the reference that Attach takes over
    fx::ComPtr<ICountingFake> ptr;
    ptr.Attach(&fake);
    EXPECT_EQ(fake.refs, 2u);
    ICountingFake* raw = ptr.Detach();
    EXPECT_EQ(raw, &fake);
    EXPECT_FALSE(ptr);
    EXPECT_EQ(fake.refs, 2u);
    raw->Release();
    EXPECT_EQ(fake.refs, 1u);
}

TEST(ComPtr, AddressOfReleasesTheHeldReferenceFirst)
{
    CountingFake held;
    CountingFake produced;
    fx::ComPtr<IUnknown> ptr(&held);
    EXPECT_EQ(held.refs, 2u);
    // As an out-parameter: what it held is released before the call fills it.
    HRESULT hr = produced.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ptr));
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(held.refs, 1u);
    EXPECT_EQ(produced.refs, 2u);
    ptr.Release();
    EXPECT_EQ(produced.refs, 1u);
}

TEST(ComPtr, QueryInterfaceFillsOnSuccessAndLeavesEmptyOnFailure)
{
    CountingFake fake;
    fx::ComPtr<IUnknown> unknown(&fake);
    fx::ComPtr<ICountingFake> counting;
    EXPECT_EQ(unknown.QueryInterface(counting), S_OK);
    EXPECT_EQ(counting.Get(), &fake);
    EXPECT_EQ(fake.refs, 3u);
    fx::ComPtr<IClassFactory> factory;
    EXPECT_EQ(unknown.QueryInterface(IID_IClassFactory, factory), E_NOINTERFACE);
    EXPECT_FALSE(factory);
    fx::ComPtr<IUnknown> empty;
    EXPECT_EQ(empty.QueryInterface(counting), E_POINTER);
    EXPECT_FALSE(counting);
    EXPECT_EQ(fake.refs, 2u);
}

} // namespace
