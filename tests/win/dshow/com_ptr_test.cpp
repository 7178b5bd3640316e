// ComPtr keeps exact reference counts: copies add one, moves and Attach take one over, Put releases
// what was held before an out-parameter fills it.
#include "dshow/ComPtr.h"

#include <gtest/gtest.h>

#include <utility>

struct ICountingFake : IUnknown
{
};
__CRT_UUID_DECL(ICountingFake, 0x6f1d3c41, 0x2b7a, 0x4c55, 0x9e, 0x35, 0x1f, 0x3a, 0x0b, 0x6c, 0x9d, 0x01)

namespace {

using dshow::ComPtr;

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
        ComPtr<ICountingFake> ptr;
        ptr.Assign(&a);
        EXPECT_EQ(a.refs, 2u);
        ptr.Assign(&b);
        EXPECT_EQ(a.refs, 1u);
        EXPECT_EQ(b.refs, 2u);
        ptr.Assign(&b); // assigning the same object keeps one reference
        EXPECT_EQ(b.refs, 2u);
        ComPtr<ICountingFake> copy = ptr;
        EXPECT_EQ(b.refs, 3u);
        ComPtr<ICountingFake> moved = std::move(copy);
        EXPECT_EQ(b.refs, 3u);
        EXPECT_FALSE(copy);
        copy = moved; // copy-assignment adds one
        EXPECT_EQ(b.refs, 4u);
        moved = std::move(copy); // move-assignment releases what it held, takes one over
        EXPECT_EQ(b.refs, 3u);
    }
    EXPECT_EQ(a.refs, 1u);
    EXPECT_EQ(b.refs, 1u);
}

TEST(ComPtr, AttachTakesOverAndDetachHandsOverWithoutCounting)
{
    CountingFake fake;
    fake.AddRef(); // the reference that Attach takes over
    ComPtr<ICountingFake> ptr;
    ptr.Attach(&fake);
    EXPECT_EQ(fake.refs, 2u);
    ICountingFake* raw = ptr.Detach();
    EXPECT_EQ(raw, &fake);
    EXPECT_FALSE(ptr);
    EXPECT_EQ(fake.refs, 2u);
    raw->Release();
    EXPECT_EQ(fake.refs, 1u);
}

TEST(ComPtr, PutReleasesTheHeldReferenceFirst)
{
    CountingFake held;
    CountingFake produced;
    ComPtr<IUnknown> ptr(&held);
    EXPECT_EQ(held.refs, 2u);
    // As an out-parameter: what it held is released before the call fills it.
    EXPECT_EQ(produced.QueryInterface(IID_IUnknown, ptr.PutVoid()), S_OK);
    EXPECT_EQ(held.refs, 1u);
    EXPECT_EQ(produced.refs, 2u);
    ptr.Reset();
    EXPECT_EQ(produced.refs, 1u);
}

TEST(ComPtr, AsFillsOnSuccessAndLeavesEmptyOnFailure)
{
    CountingFake fake;
    ComPtr<IUnknown> unknown(&fake);
    ComPtr<ICountingFake> counting;
    EXPECT_EQ(unknown.As(counting), S_OK);
    EXPECT_EQ(counting.Get(), &fake);
    EXPECT_EQ(fake.refs, 3u);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(unknown.As(factory), E_NOINTERFACE);
    EXPECT_FALSE(factory);
    ComPtr<IUnknown> empty;
    EXPECT_EQ(empty.As(counting), E_POINTER);
    EXPECT_EQ(fake.refs, 3u) << "a failed As on an empty pointer leaves the target alone";
    counting.Reset();
    EXPECT_EQ(fake.refs, 2u);
}

TEST(ComPtr, CopyToHandsOutAReferenceOfItsOwn)
{
    CountingFake fake;
    ComPtr<ICountingFake> ptr(&fake);
    ICountingFake* out = nullptr;
    EXPECT_EQ(ptr.CopyTo(&out), S_OK);
    EXPECT_EQ(out, &fake);
    EXPECT_EQ(fake.refs, 3u);
    out->Release();
    EXPECT_EQ(ptr.CopyTo(nullptr), E_POINTER);
}

} // namespace
