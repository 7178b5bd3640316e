// nvds.ax and nvpa.ax under Wine: interfaces and references, connections, pixels (mirror, flip, crop, colour),
// GrabFrame files read back with GDI+, hold and release, streaming into Smart Tee and a renderer, registration.
#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "TestFilters.h"
#include "common/ModulePath.h"
#include "dshow/Devices.h"
#include "dshow/Graph.h"
#include "filters/pauseaudio/PauseAudioApi.h"
#include "filters/scaler/DownScalerApi.h"
#include "support/Library.h"

using dshow::ComPtr;
using dshow::PixelLayout;
using namespace testfilters;

namespace {

// The filters straight from their modules beside the test, the way COM would make them after registration.
ComPtr<IBaseFilter> NewScaler()
{
    return CreateFromModule(PathBesideProgram(L"nvds.ax"), CLSID_NorvaneDownScaler);
}

ComPtr<IBaseFilter> NewPauseAudio()
{
    return CreateFromModule(PathBesideProgram(L"nvpa.ax"), CLSID_NorvanePauseAudio);
}

struct Rgb
{
    int r, g, b;
};

const Rgb kBand = {255, 0, 255}; // rows the 1280x800 crop must remove

// Test picture: four quadrants of distinct colours, and magenta bands over the 40 rows at top and bottom of an
// 800-row frame.
Rgb PictureColor(int x, int y, int w, int h)
{
    if (h == 800 && (y < 40 || y >= 760))
        return kBand;
    const bool left = x < w / 2, top = y < h / 2;
    if (top)
        return left ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
    return left ? Rgb{0, 0, 255} : Rgb{255, 255, 255};
}

// YUY2 pictures use grey levels per quadrant (limited-range Y): 235 -> 255, 16 -> 0, 126 -> 128, 71 -> 64.
int Yuy2Luma(int x, int y, int w, int h)
{
    if (h == 800 && (y < 40 || y >= 760))
        return 81; // a grey none of the quadrants has
    const bool left = x < w / 2, top = y < h / 2;
    if (top)
        return left ? 235 : 16;
    return left ? 126 : 71;
}

Rgb Yuy2Expected(int x, int y, int w, int h)
{
    const int luma = Yuy2Luma(x, y, w, h);
    const int v = luma == 235 ? 255 : luma == 16 ? 0 : luma == 126 ? 128 : luma == 71 ? 64 : 76;
    return Rgb{v, v, v};
}

void FillPicture(const AM_MEDIA_TYPE& mt, BYTE* data, long bytes, LONG)
{
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(mt);
    if (!vih)
        return;
    const int w = vih->bmiHeader.biWidth;
    const int h = vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
    if (IsEqualGUID(mt.subtype, MEDIASUBTYPE_YUY2)) {
        const size_t stride = dshow::RowBytes(PixelLayout::Yuy2, w);
        for (int y = 0; y < h && static_cast<long>((y + 1) * stride) <= bytes; ++y) {
            BYTE* row = data + y * stride;
            for (int x = 0; x < w; x += 2) {
                row[x * 2 + 0] = static_cast<BYTE>(Yuy2Luma(x, y, w, h));
                row[x * 2 + 1] = 128;
                row[x * 2 + 2] = static_cast<BYTE>(Yuy2Luma(x + 1, y, w, h));
                row[x * 2 + 3] = 128;
            }
        }
        return;
    }
    const bool bottomUp = vih->bmiHeader.biHeight > 0;
    const size_t stride = dshow::RowBytes(PixelLayout::Rgb24, w);
    for (int y = 0; y < h && static_cast<long>((y + 1) * stride) <= bytes; ++y) {
        BYTE* row = data + (bottomUp ? h - 1 - y : y) * stride;
        for (int x = 0; x < w; ++x) {
            const Rgb c = PictureColor(x, y, w, h);
            row[x * 3 + 0] = static_cast<BYTE>(c.b);
            row[x * 3 + 1] = static_cast<BYTE>(c.g);
            row[x * 3 + 2] = static_cast<BYTE>(c.r);
        }
    }
}

// Pixel (x, y) of a bottom-up RGB24 (or RGB32) picture, y counted from the top.
Rgb PixelAt(const std::vector<BYTE>& data, int w, int h, int x, int y, PixelLayout layout = PixelLayout::Rgb24)
{
    const size_t pixelBytes = layout == PixelLayout::Rgb32 ? 4 : 3;
    const size_t stride = dshow::RowBytes(layout, w);
    const size_t at = (h - 1 - y) * stride + x * pixelBytes;
    if (at + pixelBytes > data.size())
        return Rgb{-1, -1, -1};
    if (pixelBytes == 4 && data[at + 3] != 0)
        return Rgb{-2, -2, -2}; // the spare byte of 32-bit RGB stays 0
    return Rgb{data[at + 2], data[at + 1], data[at]};
}

bool Near(const Rgb& a, const Rgb& b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string Text(const Rgb& c)
{
    char s[40];
    std::snprintf(s, sizeof s, "(%d,%d,%d)", c.r, c.g, c.b);
    return s;
}

class FilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         m_graph.PutVoid()));
    }
    void TearDown() override
    {
        if (m_control)
            (void)m_control->Stop();
        m_control.Reset();
        if (m_graph) {
            EXPECT_EQ(0u, m_graph.Detach()->Release()) << "graph still referenced";
        }
        CoUninitialize();
    }

    // source -> filter -> sink, all added to the graph.
    void Chain(IBaseFilter* source, IBaseFilter* filter, IBaseFilter* sink)
    {
        ASSERT_EQ(S_OK, m_graph->AddFilter(source, L"Cap"));
        ASSERT_EQ(S_OK, m_graph->AddFilter(filter, L"Filter"));
        ASSERT_EQ(S_OK, m_graph->AddFilter(sink, L"Sink"));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), source, 0, filter, 0, nullptr, false));
        ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), filter, 0, sink, 0, nullptr, false));
    }
    void Run()
    {
        ASSERT_EQ(S_OK, m_graph->QueryInterface(IID_IMediaControl, m_control.PutVoid()));
        ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    }
    void Stop()
    {
        if (m_control) {
            EXPECT_EQ(S_OK, m_control->Stop());
        }
    }
    template <typename T> static ULONG Drop(ComPtr<T>& p) { return p.Detach()->Release(); }
    static const VIDEOINFOHEADER* OutputInfo(IBaseFilter* filter, AM_MEDIA_TYPE& mt)
    {
        ComPtr<IPin> out;
        if (FAILED(dshow::GetPin(filter, PINDIR_OUTPUT, 0, out.Put())) || out->ConnectionMediaType(&mt) != S_OK)
            return nullptr;
        return dshow::VideoInfoOf(mt);
    }

    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IMediaControl> m_control;
};

TEST_F(FilterTest, ScalerOffersItsInterfacesAndReleasesToZero)
{
    auto scaler = NewScaler();
    ASSERT_TRUE(scaler) << "nvds.ax not loadable";
    ComPtr<IDownScaler> down;
    ComPtr<IMirrorFlip> mirror;
    ComPtr<IPauseAudio> pause;
    EXPECT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
    EXPECT_EQ(S_OK, scaler->QueryInterface(IID_IMirrorFlip, mirror.PutVoid()));
    EXPECT_EQ(E_NOINTERFACE, scaler->QueryInterface(IID_IPauseAudio, pause.PutVoid()));
    ComPtr<IPin> in, out, none;
    EXPECT_EQ(S_OK, dshow::GetPin(scaler.Get(), PINDIR_INPUT, 0, in.Put()));
    EXPECT_EQ(S_OK, dshow::GetPin(scaler.Get(), PINDIR_OUTPUT, 0, out.Put()));
    EXPECT_EQ(E_FAIL, dshow::GetPin(scaler.Get(), PINDIR_OUTPUT, 1, none.Put()));
    CLSID clsid;
    EXPECT_EQ(S_OK, scaler->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_NorvaneDownScaler, clsid));
    BOOL mode = TRUE;
    EXPECT_EQ(S_OK, down->GetScaleMode(&mode));
    EXPECT_FALSE(mode);
    in.Reset();
    out.Reset();
    down.Reset();
    mirror.Reset();
    EXPECT_EQ(0u, Drop(scaler));

    auto audio = NewPauseAudio();
    ASSERT_TRUE(audio) << "nvpa.ax not loadable";
    EXPECT_EQ(S_OK, audio->QueryInterface(IID_IPauseAudio, pause.PutVoid()));
    EXPECT_EQ(E_NOINTERFACE, audio->QueryInterface(IID_IDownScaler, down.PutVoid()));
    pause.Reset();
    EXPECT_EQ(0u, Drop(audio));
}

TEST_F(FilterTest, ScalerRefusesInputsOtherThanYuy2AndRgb24)
{
    auto scaler = NewScaler();
    ASSERT_TRUE(scaler);
    ComPtr<IPin> in;
    ASSERT_EQ(S_OK, dshow::GetPin(scaler.Get(), PINDIR_INPUT, 0, in.Put()));
    dshow::MediaType mt;
    ASSERT_EQ(S_OK, dshow::BuildVideoType(mt, PixelLayout::Yuy2, 640, 480, 333333));
    EXPECT_EQ(S_OK, in->QueryAccept(&mt.Get()));
    ASSERT_EQ(S_OK, dshow::BuildVideoType(mt, PixelLayout::Rgb24, 640, -480, 333333));
    EXPECT_EQ(S_OK, in->QueryAccept(&mt.Get()));
    ASSERT_EQ(S_OK, dshow::BuildVideoType(mt, PixelLayout::Rgb32, 640, 480, 333333));
    EXPECT_EQ(S_FALSE, in->QueryAccept(&mt.Get()));
    ASSERT_EQ(S_OK, dshow::BuildMjpgType(mt, 1280, 720, 333333));
    EXPECT_EQ(S_FALSE, in->QueryAccept(&mt.Get()));
    ASSERT_EQ(S_OK, dshow::BuildWaveType(mt, 44100, 2, 16));
    EXPECT_EQ(S_FALSE, in->QueryAccept(&mt.Get()));
    // A format block too small for its type is refused, not read past its end.
    ASSERT_EQ(S_OK, dshow::BuildVideoType(mt, PixelLayout::Yuy2, 640, 480, 333333));
    mt.Get().cbFormat = sizeof(VIDEOINFOHEADER) - 8;
    EXPECT_EQ(S_FALSE, in->QueryAccept(&mt.Get()));
}

struct SizeCase
{
    PixelLayout layout;
    int inWidth, inHeight;
    bool scale;
    int outWidth, outHeight;
    PixelLayout out = PixelLayout::Rgb24; // what the downstream pin takes
};

class ScalerSizeTest : public FilterTest, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(ScalerSizeTest, OutputIsRgbBottomUpOfTheScaledSize)
{
    const SizeCase& c = GetParam();
    auto source = MakeVideoSource(c.layout, c.inWidth, c.inHeight, 30, &FillPicture);
    auto scaler = NewScaler();
    auto sink = MakeSink(MEDIATYPE_Video, dshow::SubtypeOf(c.out));
    ASSERT_TRUE(source && scaler && sink);
    ComPtr<IDownScaler> down;
    ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
    EXPECT_EQ(S_OK, down->SetScaleMode(c.scale));
    Chain(source.Get(), scaler.Get(), sink.Get());
    AM_MEDIA_TYPE mt = {};
    const VIDEOINFOHEADER* vih = OutputInfo(scaler.Get(), mt);
    ASSERT_NE(nullptr, vih);
    EXPECT_TRUE(IsEqualGUID(dshow::SubtypeOf(c.out), mt.subtype));
    EXPECT_EQ(c.outWidth, vih->bmiHeader.biWidth);
    EXPECT_EQ(c.outHeight, vih->bmiHeader.biHeight) << "positive: bottom-up rows";
    EXPECT_EQ(c.out == PixelLayout::Rgb32 ? 32 : 24, vih->bmiHeader.biBitCount);
    dshow::FreeMediaType(mt);

    Run();
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 2; }, 5000));
    Stop();
    EXPECT_EQ(static_cast<long>(dshow::FrameBytes(c.out, c.outWidth, c.outHeight)), sink->LastLength());
    if (c.inHeight == 800 && c.outHeight == 720) {
        // The bands are gone: the first and last rows belong to the picture (the top-left quadrant's
        // colour, the bottom-left one's), the same on both outputs.
        const std::vector<BYTE> data = sink->LastData();
        for (int x : {0, c.outWidth / 4}) {
            const int sourceTop = 40, sourceBottom = 759;
            const Rgb top = c.layout == PixelLayout::Yuy2 ? Yuy2Expected(x, sourceTop, c.inWidth, 800)
                                                          : PictureColor(x, sourceTop, c.inWidth, 800);
            const Rgb bottom = c.layout == PixelLayout::Yuy2 ? Yuy2Expected(x, sourceBottom, c.inWidth, 800)
                                                             : PictureColor(x, sourceBottom, c.inWidth, 800);
            EXPECT_TRUE(Near(PixelAt(data, c.outWidth, c.outHeight, x, 0, c.out), top)) << "top row at " << x;
            EXPECT_TRUE(Near(PixelAt(data, c.outWidth, c.outHeight, x, c.outHeight - 1, c.out), bottom))
                << "bottom row at " << x;
        }
    }
    down.Reset();
    EXPECT_EQ(S_OK, m_graph->RemoveFilter(scaler.Get()));
    EXPECT_EQ(0u, Drop(scaler));
}

INSTANTIATE_TEST_SUITE_P(Filters, ScalerSizeTest,
                         ::testing::Values(SizeCase{PixelLayout::Rgb24, 1280, 800, true, 1280, 720},
                                           SizeCase{PixelLayout::Rgb24, 1280, 800, false, 1280, 800},
                                           SizeCase{PixelLayout::Yuy2, 1280, 800, true, 1280, 720},
                                           SizeCase{PixelLayout::Yuy2, 1280, 800, true, 1280, 720, PixelLayout::Rgb32},
                                           SizeCase{PixelLayout::Rgb24, 1280, 800, true, 1280, 720, PixelLayout::Rgb32},
                                           SizeCase{PixelLayout::Yuy2, 640, 480, true, 640, 480},
                                           SizeCase{PixelLayout::Rgb24, 320, -240, false, 320, 240}));

struct PixelCase
{
    const char* name;
    PixelLayout layout;
    int height; // negative: top-down RGB24 input
    bool mirror;
    bool flip;
    PixelLayout out = PixelLayout::Rgb24; // what the downstream pin takes
};

class ScalerPixelTest : public FilterTest, public ::testing::WithParamInterface<PixelCase>
{
};

TEST_P(ScalerPixelTest, PictureIsMirroredFlippedAndColouredAsAsked)
{
    const PixelCase& c = GetParam();
    const int w = 64, h = c.height < 0 ? -c.height : c.height;
    auto source = MakeVideoSource(c.layout, w, c.height, 60, &FillPicture);
    auto scaler = NewScaler();
    auto sink = MakeSink(MEDIATYPE_Video, dshow::SubtypeOf(c.out));
    ASSERT_TRUE(source && scaler && sink);
    ComPtr<IMirrorFlip> orientation;
    ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IMirrorFlip, orientation.PutVoid()));
    Chain(source.Get(), scaler.Get(), sink.Get());
    Run();
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 1; }, 5000));
    // Orientation applies from the next frame on, while streaming.
    EXPECT_EQ(S_OK, orientation->SetMirrorFlip(c.mirror, c.flip));
    const LONG seen = sink->Received();
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= seen + 2; }, 5000));
    Stop();

    const std::vector<BYTE> data = sink->LastData();
    const int xs[] = {1, w / 4, 3 * w / 4, w - 2};
    const int ys[] = {1, h / 4, 3 * h / 4, h - 2};
    for (int x : xs) {
        for (int y : ys) {
            const int sx = c.mirror ? w - 1 - x : x;
            const int sy = c.flip ? h - 1 - y : y;
            const Rgb want = c.layout == PixelLayout::Yuy2 ? Yuy2Expected(sx, sy, w, h) : PictureColor(sx, sy, w, h);
            const Rgb got = PixelAt(data, w, h, x, y, c.out);
            EXPECT_TRUE(Near(want, got)) << c.name << " at " << x << "," << y << ": want " << Text(want) << " got "
                                         << Text(got);
        }
    }
    orientation.Reset();
}

// Every orientation and input on both outputs: 32-bit RGB (renderers) and 24-bit RGB (the AVI writer).
std::vector<PixelCase> PixelCases()
{
    const PixelCase inputs[] = {
        {"rgb_bottom_up", PixelLayout::Rgb24, 48, false, false},
        {"rgb_top_down", PixelLayout::Rgb24, -48, false, false},
        {"rgb_mirror", PixelLayout::Rgb24, 48, true, false},
        {"rgb_flip", PixelLayout::Rgb24, 48, false, true},
        {"rgb_top_down_both", PixelLayout::Rgb24, -48, true, true},
        {"yuy2_plain", PixelLayout::Yuy2, 48, false, false},
        {"yuy2_mirror", PixelLayout::Yuy2, 48, true, false},
        {"yuy2_flip", PixelLayout::Yuy2, 48, false, true},
        {"yuy2_both", PixelLayout::Yuy2, 48, true, true},
    };
    std::vector<PixelCase> cases;
    for (PixelLayout out : {PixelLayout::Rgb32, PixelLayout::Rgb24}) {
        for (PixelCase c : inputs) {
            c.out = out;
            cases.push_back(c);
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Filters, ScalerPixelTest, ::testing::ValuesIn(PixelCases()),
                         [](const ::testing::TestParamInfo<PixelCase>& info) {
                             return std::string(info.param.name) +
                                    (info.param.out == PixelLayout::Rgb32 ? "_to_rgb32" : "_to_rgb24");
                         });

// Width, height and a few pixels of a picture file, read with GDI+.
struct LoadedPicture
{
    bool ok = false;
    UINT width = 0, height = 0;
    Rgb topLeft{}, topRight{}, bottomLeft{}, bottomRight{};
};

LoadedPicture LoadWithGdiPlus(const std::wstring& path)
{
    LoadedPicture p;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return p;
    {
        Gdiplus::Bitmap bitmap(path.c_str());
        if (bitmap.GetLastStatus() == Gdiplus::Ok) {
            p.ok = true;
            p.width = bitmap.GetWidth();
            p.height = bitmap.GetHeight();
            auto at = [&](UINT x, UINT y) {
                Gdiplus::Color c;
                bitmap.GetPixel(x, y, &c);
                return Rgb{c.GetR(), c.GetG(), c.GetB()};
            };
            p.topLeft = at(1, 1);
            p.topRight = at(p.width - 2, 1);
            p.bottomLeft = at(1, p.height - 2);
            p.bottomRight = at(p.width - 2, p.height - 2);
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return p;
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(FilterTest, GrabFrameWritesTheNewestPictureAsABmpGdiPlusOpens)
{
    auto source = MakeVideoSource(PixelLayout::Rgb24, 1280, 800, 30, &FillPicture);
    auto scaler = NewScaler();
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
    ASSERT_TRUE(source && scaler && sink);
    ComPtr<IDownScaler> down;
    ComPtr<IMirrorFlip> orientation;
    ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
    ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IMirrorFlip, orientation.PutVoid()));
    ASSERT_EQ(S_OK, down->SetScaleMode(TRUE));
    ASSERT_EQ(S_OK, orientation->SetMirrorFlip(TRUE, FALSE));
    Chain(source.Get(), scaler.Get(), sink.Get());

    const std::wstring path = TempPath(L"IMG_ori.bmp");
    DeleteFileW(path.c_str());
    EXPECT_TRUE(FAILED(down->GrabFrame(nullptr, 0, path.c_str()))) << "no frame yet";
    EXPECT_FALSE(FileExists(path));

    Run();
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 2; }, 8000));
    // Null buffer, size 0: the file is still written, while streaming.
    ASSERT_EQ(S_OK, down->GrabFrame(nullptr, 0, path.c_str()));
    LoadedPicture p = LoadWithGdiPlus(path);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(1280u, p.width);
    EXPECT_EQ(720u, p.height);
    // Mirrored: the red top-left quadrant shows at the top right, the white one at the bottom left.
    EXPECT_TRUE(Near(Rgb{0, 255, 0}, p.topLeft)) << Text(p.topLeft);
    EXPECT_TRUE(Near(Rgb{255, 0, 0}, p.topRight)) << Text(p.topRight);
    EXPECT_TRUE(Near(Rgb{255, 255, 255}, p.bottomLeft)) << Text(p.bottomLeft);
    EXPECT_TRUE(Near(Rgb{0, 0, 255}, p.bottomRight)) << Text(p.bottomRight);

    // A buffer large enough gets the picture; one too small is left untouched beyond nothing at all.
    const size_t frame = dshow::FrameBytes(PixelLayout::Rgb24, 1280, 720);
    std::vector<BYTE> scratch(3932160, 0xEE);
    ASSERT_EQ(S_OK, down->GrabFrame(scratch.data(), static_cast<LONG>(scratch.size()), path.c_str()));
    EXPECT_NE(0xEE, scratch[0]);
    EXPECT_EQ(0xEE, scratch[frame]) << "nothing past the picture";
    std::vector<BYTE> small(64, 0xEE);
    ASSERT_EQ(S_OK, down->GrabFrame(small.data(), 16, path.c_str()));
    for (BYTE b : small)
        EXPECT_EQ(0xEE, b);
    EXPECT_TRUE(LoadWithGdiPlus(path).ok);
    Stop();

    // An unwritable path fails and leaves nothing behind.
    const std::wstring bad = TempPath(L"no_such_folder\\IMG_ori.bmp");
    EXPECT_TRUE(FAILED(down->GrabFrame(nullptr, 0, bad.c_str())));
    EXPECT_EQ(E_POINTER, down->GrabFrame(nullptr, 0, nullptr));
    DeleteFileW(path.c_str());
    down.Reset();
    orientation.Reset();
}

TEST_F(FilterTest, ScalerHoldDropsSamplesKeepsTheNewestFrameAndReleaseResumesFromZero)
{
    auto source = MakeVideoSource(PixelLayout::Yuy2, 160, 120, 50, &FillPicture);
    auto scaler = NewScaler();
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
    ASSERT_TRUE(source && scaler && sink);
    ComPtr<IDownScaler> down;
    ASSERT_EQ(S_OK, scaler->QueryInterface(IID_IDownScaler, down.PutVoid()));
    Chain(source.Get(), scaler.Get(), sink.Get());
    ASSERT_EQ(S_OK, down->SetHold(TRUE));
    Run();
    ASSERT_TRUE(WaitFor([&] { return source->Delivered() >= 8; }, 5000));
    EXPECT_EQ(0, sink->Received()) << "held: nothing downstream";
    const std::wstring path = TempPath(L"held.bmp");
    EXPECT_EQ(S_OK, down->GrabFrame(nullptr, 0, path.c_str())) << "the newest frame is kept while held";
    DeleteFileW(path.c_str());

    ASSERT_EQ(S_OK, down->SetHold(FALSE));
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 5; }, 5000));
    EXPECT_EQ(0, sink->FirstStart()) << "the delivered stream starts at the stream start";
    EXPECT_TRUE(sink->TimesIncreased());

    // A second hold. The frame that was inside the scaler when the hold came is through once the source has
    // handed on the next one; of the eight frames after that, none may arrive.
    ASSERT_EQ(S_OK, down->SetHold(TRUE));
    const LONG deliveredAtHold = source->Delivered();
    ASSERT_TRUE(WaitFor([&] { return source->Delivered() >= deliveredAtHold + 2; }, 5000));
    const LONG held = sink->Received();
    ASSERT_TRUE(WaitFor([&] { return source->Delivered() >= deliveredAtHold + 10; }, 5000));
    EXPECT_EQ(held, sink->Received()) << "frames were delivered while held";
    ASSERT_EQ(S_OK, down->SetHold(FALSE));
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= held + 3; }, 5000));
    EXPECT_TRUE(sink->TimesIncreased()) << "times continue after a second hold";
    Stop();
    down.Reset();
}

TEST_F(FilterTest, PauseAudioPassesAudioUnchangedAndHolds)
{
    auto source = MakeAudioSource();
    auto pause = NewPauseAudio();
    auto sink = MakeSink(MEDIATYPE_Audio, MEDIASUBTYPE_PCM);
    ASSERT_TRUE(source && pause && sink);
    ComPtr<IPauseAudio> control;
    ASSERT_EQ(S_OK, pause->QueryInterface(IID_IPauseAudio, control.PutVoid()));
    Chain(source.Get(), pause.Get(), sink.Get());
    AM_MEDIA_TYPE in = {}, out = {};
    ComPtr<IPin> inPin, outPin;
    ASSERT_EQ(S_OK, dshow::GetPin(pause.Get(), PINDIR_INPUT, 0, inPin.Put()));
    ASSERT_EQ(S_OK, dshow::GetPin(pause.Get(), PINDIR_OUTPUT, 0, outPin.Put()));
    ASSERT_EQ(S_OK, inPin->ConnectionMediaType(&in));
    ASSERT_EQ(S_OK, outPin->ConnectionMediaType(&out));
    EXPECT_TRUE(dshow::MediaTypesEqual(in, out));
    dshow::FreeMediaType(in);
    dshow::FreeMediaType(out);
    dshow::MediaType video;
    ASSERT_EQ(S_OK, dshow::BuildVideoType(video, PixelLayout::Rgb24, 32, 32, 0));
    EXPECT_EQ(S_FALSE, inPin->QueryAccept(&video.Get()));

    ASSERT_EQ(S_OK, control->SetHold(TRUE));
    Run();
    ASSERT_TRUE(WaitFor([&] { return source->Delivered() >= 3; }, 5000));
    EXPECT_EQ(0, sink->Received());
    ASSERT_EQ(S_OK, control->SetHold(FALSE));
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 3; }, 5000));
    EXPECT_EQ(0, sink->FirstStart()) << "an AVI written after the hold starts at the stream start";
    EXPECT_TRUE(sink->TimesIncreased());
    const std::vector<BYTE> data = sink->LastData();
    ASSERT_EQ(8820u, data.size());
    for (BYTE b : data)
        ASSERT_EQ(data[0], b) << "samples pass unchanged";
    Stop();
    control.Reset();
    inPin.Reset();
    outPin.Reset();
}

// A renderer whose buffers are wider and top-down (a Direct3D surface) says so on the first sample only;
// the scaler keeps writing in that layout for every later sample.
TEST_F(FilterTest, ScalerKeepsTheRowLayoutARendererAnnouncesOnItsFirstSample)
{
    const int w = 64, h = 48, pitchPixels = 80;
    auto source = MakeVideoSource(PixelLayout::Rgb24, w, h, 60, &FillPicture);
    auto scaler = NewScaler();
    auto sink = MakeSink(MEDIATYPE_Video, MEDIASUBTYPE_RGB32);
    ASSERT_TRUE(source && scaler && sink);
    dshow::MediaType surface;
    ASSERT_EQ(S_OK, dshow::BuildVideoType(surface, PixelLayout::Rgb32, pitchPixels, -h, 0));
    auto allocator = testfilters::MakeFormatChangingAllocator(surface.Get());
    ASSERT_TRUE(allocator);
    ASSERT_EQ(S_OK, sink->InPin().NotifyAllocator(allocator.Get(), FALSE));
    Chain(source.Get(), scaler.Get(), sink.Get());
    Run();
    ASSERT_TRUE(WaitFor([&] { return sink->Received() >= 4; }, 5000));
    Stop();

    const size_t stride = static_cast<size_t>(pitchPixels) * 4;
    EXPECT_EQ(static_cast<long>(stride * h), sink->LastLength());
    const std::vector<BYTE> data = sink->LastData();
    ASSERT_GE(data.size(), stride * h);
    for (int y : {0, h / 3, h - 1}) {
        for (int x : {0, w / 2, w - 1}) {
            const BYTE* p = data.data() + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4;
            const Rgb got{p[2], p[1], p[0]};
            const Rgb want = PictureColor(x, y, w, h);
            EXPECT_TRUE(Near(want, got)) << "at " << x << "," << y << ": want " << Text(want) << " got " << Text(got);
        }
    }
}

TEST_F(FilterTest, ScalerStreamsThroughSmartTeeIntoTheVideoRenderer)
{
    auto source = MakeVideoSource(PixelLayout::Yuy2, 640, 480, 30, &FillPicture);
    auto scaler = NewScaler();
    auto capture = MakeSink(MEDIATYPE_Video, GUID_NULL);
    ASSERT_TRUE(source && scaler && capture);
    ComPtr<IBaseFilter> tee, renderer;
    ASSERT_EQ(S_OK, m_graph->AddFilter(source.Get(), L"Cap"));
    ASSERT_EQ(S_OK, m_graph->AddFilter(scaler.Get(), L"Norvane Down Scaler"));
    ASSERT_EQ(S_OK, m_graph->AddFilter(capture.Get(), L"Capture sink"));
    ASSERT_EQ(S_OK, dshow::AddFilterByClsid(m_graph.Get(), CLSID_SmartTee, L"SmartTee Filter", tee.Put()));
    ASSERT_EQ(S_OK, testfilters::CreateRealVmr9(renderer.Put()));
    ASSERT_EQ(S_OK, m_graph->AddFilter(renderer.Get(), L"VMR"));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), source.Get(), 0, scaler.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), scaler.Get(), 0, tee.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), tee.Get(), 0, capture.Get(), 0, nullptr, false));
    ASSERT_EQ(S_OK, dshow::ConnectFilters(m_graph.Get(), tee.Get(), 1, renderer.Get(), 0, nullptr, true));
    // The tee passes the scaler's first choice on: 32-bit RGB, which VMR-9 takes without a converter
    // (its Direct3D surfaces cannot hold 24-bit RGB).
    ComPtr<IPin> vmrIn;
    ASSERT_EQ(S_OK, dshow::GetPin(renderer.Get(), PINDIR_INPUT, 0, vmrIn.Put()));
    AM_MEDIA_TYPE vmrType = {};
    ASSERT_EQ(S_OK, vmrIn->ConnectionMediaType(&vmrType));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_RGB32, vmrType.subtype));
    dshow::FreeMediaType(vmrType);
    vmrIn.Reset();
    Run();
    EXPECT_TRUE(WaitFor([&] { return capture->Received() >= 10; }, 8000)) << capture->Received();
    Stop();
    dshow::RemoveDownstream(m_graph.Get(), source.Get());
    tee.Reset();
    renderer.Reset();
    EXPECT_EQ(0u, Drop(scaler)) << "the teardown released every reference to the scaler";
}

// Whether the filter mapper names the scaler among YUY2 -> RGB24 video filters of at least this merit.
bool MapperListsScaler(DWORD minimumMerit)
{
    ComPtr<IFilterMapper2> mapper;
    if (FAILED(
            CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.PutVoid())))
        return false;
    const GUID inTypes[2] = {MEDIATYPE_Video, MEDIASUBTYPE_YUY2};
    const GUID outTypes[2] = {MEDIATYPE_Video, MEDIASUBTYPE_RGB24};
    ComPtr<IEnumMoniker> found;
    if (FAILED(mapper->EnumMatchingFilters(found.Put(), 0, FALSE, minimumMerit, TRUE, 1, inTypes, nullptr, nullptr,
                                           FALSE, TRUE, 1, outTypes, nullptr, nullptr)) ||
        !found)
        return false;
    bool listed = false;
    ComPtr<IMoniker> moniker;
    while (!listed && found->Next(1, moniker.Put(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())))
            continue;
        std::wstring text;
        CLSID clsid;
        if (dshow::ReadBagText(bag.Get(), L"CLSID", text) && SUCCEEDED(CLSIDFromString(text.c_str(), &clsid)))
            listed = IsEqualCLSID(CLSID_NorvaneDownScaler, clsid);
    }
    return listed;
}

TEST_F(FilterTest, RegisteredFiltersAreCreatedByClassIdButNotOfferedToIntelligentConnect)
{
    for (const wchar_t* module : {L"nvds.ax", L"nvpa.ax"})
        EXPECT_EQ(S_OK, testsupport::RegisterModule(PathBesideProgram(module), true)) << module;
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NorvaneDownScaler, nullptr, CLSCTX_ALL, IID_IBaseFilter, filter.PutVoid()));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NorvanePauseAudio, nullptr, CLSCTX_ALL, IID_IBaseFilter, filter.PutVoid()));
    filter.Reset();

    // Intelligent connect asks the mapper for converters above "do not use": the scaler is never among them,
    // though the mapper lists it when asked for every merit.
    EXPECT_TRUE(MapperListsScaler(MERIT_DO_NOT_USE));
    EXPECT_FALSE(MapperListsScaler(MERIT_DO_NOT_USE + 1));
}

} // namespace
