// End to end: a 0402:7670 camera streams YUY2 640x480 (its default format) through a Sample Grabber into a
// Null Renderer while Tessel.exe, installed in C:\Quillo, receives the Brindle mirror command; the frames that
// follow show the test picture's "F" glyph turned left to right, and the command with lParam 0 turns it back.
#include "SimTestSupport.h"
#include "TesselWindow.h"

#include "common/SensorHelperProtocol.h"
#include "sim/model/TestPicture.h"
#include "support/ComEnvironment.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using testsupport::SimctlOk;
using testsupport::SimValue;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kFrameBytes = static_cast<size_t>(kWidth) * kHeight * 2;
constexpr wchar_t kInstalledTessel[] = L"C:\\Quillo\\Tessel.exe";

const auto* const g_com = ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment);

// How the glyph box of `frame` compares with that of `reference`: the share of luma samples that match at
// the same place and at the horizontally mirrored place (within a small tolerance).
struct GlyphMatch
{
    double same;
    double mirrored;
};

GlyphMatch CompareGlyph(const std::vector<uint8_t>& frame, const std::vector<uint8_t>& reference)
{
    sim::TestPicture picture;
    picture.Configure(kWidth, kHeight);
    const sim::PictureLayout& l = picture.Layout();
    int same = 0;
    int mirrored = 0;
    int total = 0;
    auto luma = [](const std::vector<uint8_t>& f, int x, int y) {
        return static_cast<int>(f[(static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)) * 2]);
    };
    for (int y = l.glyphY; y < l.glyphY + l.glyphSize; ++y) {
        for (int x = l.glyphX; x < l.glyphX + l.glyphSize; ++x) {
            const int want = luma(reference, x, y);
            same += std::abs(luma(frame, x, y) - want) <= 3 ? 1 : 0;
            mirrored += std::abs(luma(frame, kWidth - 1 - x, y) - want) <= 3 ? 1 : 0;
            ++total;
        }
    }
    return {static_cast<double>(same) / total, static_cast<double>(mirrored) / total};
}

class TesselMirrorEndToEnd : public TesselFixture
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SimctlOk(L"register")); }
    static void TearDownTestSuite() { EXPECT_TRUE(SimctlOk(L"reset")); }
};

TEST_F(TesselMirrorEndToEnd, MirrorCommandTurnsTheStreamedPictureAndTurnsItBack)
{
    ASSERT_NE(GetFileAttributesW(kInstalledTessel), INVALID_FILE_ATTRIBUTES)
        << "Tessel.exe is not installed in C:\\Quillo (scripts/prefix install <build>)";
    ASSERT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr);
    ASSERT_TRUE(SimctlOk(L"reset veyra7670"));

    simtest::GrabGraph g;
    ASSERT_EQ(g.Build(simtest::BindDevice(CLSID_VideoInputDeviceCategory, 0), MEDIATYPE_Video, MEDIASUBTYPE_YUY2),
              S_OK);
    ASSERT_TRUE(SUCCEEDED(g.control->Run()));
    std::vector<uint8_t> before;
    ASSERT_TRUE(g.Grab(before));
    ASSERT_EQ(before.size(), kFrameBytes);
    // The glyph is not symmetric: unturned, its box differs from its own mirror image.
    ASSERT_LT(CompareGlyph(before, before).mirrored, 0.9);

    m_tessel = testsupport::ChildProcess::Start(kInstalledTessel, L"");
    ASSERT_TRUE(m_tessel.Valid()) << "error " << m_tessel.StartError();
    m_window = WaitForTesselWindow(20000);
    ASSERT_NE(m_window, nullptr);

    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 1, 1));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e") & 0x20, 0x20);
    std::vector<uint8_t> after = g.GrabUntil(
        kFrameBytes, [&before](const std::vector<uint8_t>& f) { return CompareGlyph(f, before).mirrored > 0.98; });
    ASSERT_EQ(after.size(), kFrameBytes);
    GlyphMatch match = CompareGlyph(after, before);
    EXPECT_GT(match.mirrored, 0.98) << "the glyph moved to the mirrored place";
    EXPECT_LT(match.same, 0.9) << "the glyph left its unturned place";

    ASSERT_NO_FATAL_FAILURE(Send(kMsgBrindleMirror, 1, 0));
    EXPECT_EQ(SimValue(L"get 0 sensor 0x1e") & 0x20, 0);
    after = g.GrabUntil(kFrameBytes,
                        [&before](const std::vector<uint8_t>& f) { return CompareGlyph(f, before).same > 0.98; });
    ASSERT_EQ(after.size(), kFrameBytes);
    match = CompareGlyph(after, before);
    EXPECT_GT(match.same, 0.98) << "the glyph is back at its unturned place";
    EXPECT_LT(match.mirrored, 0.9);
}

} // namespace
