// Video-window placement per resolution state and screen, full-window mode, and the resolution label.
#include <gtest/gtest.h>

#include <string>

#include "capture/VideoPlacement.h"

namespace {

struct PlacementCase
{
    int state;
    bool small;
    PlacementRect rect;
};

class VideoWindowRows : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(VideoWindowRows, PlacesTheWindowInTheVideoArea)
{
    const PlacementCase& c = GetParam();
    PlacementRect r{-99, -99, -99, -99};
    ASSERT_TRUE(VideoWindowPlacement(c.state, c.small, false, 800, 700, &r));
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    EXPECT_EQ(r.width, c.rect.width);
    EXPECT_EQ(r.height, c.rect.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VideoWindowRows,
    ::testing::Values(PlacementCase{0, false, {160, 120, 320, 240}}, PlacementCase{1, false, {0, 0, 640, 480}},
                      PlacementCase{2, false, {0, 60, 640, 360}}, PlacementCase{3, false, {0, 40, 640, 400}},
                      PlacementCase{4, false, {0, -16, 640, 512}}, PlacementCase{0, true, {126, 94, 320, 240}},
                      PlacementCase{1, true, {0, 0, 572, 429}}, PlacementCase{2, true, {0, 53, 572, 323}},
                      PlacementCase{3, true, {0, 36, 572, 358}}, PlacementCase{4, true, {0, -15, 572, 458}}));

TEST(VideoWindow, FullWindowFillsTheDialogWhateverTheState)
{
    for (int state : {0, 4, 7}) {
        PlacementRect r{};
        ASSERT_TRUE(VideoWindowPlacement(state, true, true, 1024, 768, &r));
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.width, 1024);
        EXPECT_EQ(r.height, 768);
    }
}

TEST(VideoWindow, StateOutsideTheTableLeavesThePlacementAsItIs)
{
    for (int state : {-1, 5}) {
        PlacementRect r{1, 2, 3, 4};
        EXPECT_FALSE(VideoWindowPlacement(state, false, false, 800, 600, &r));
        EXPECT_EQ(r.left, 1);
        EXPECT_EQ(r.height, 4);
    }
    EXPECT_FALSE(VideoWindowPlacement(1, false, false, 800, 600, nullptr));
}

TEST(ResolutionLabel, TextAndPlacePerState)
{
    const wchar_t* texts[] = {L"320 X 240", L"640 X 480", L"1280 X 720", L"1280 X 800", L"1280 X 1024"};
    const int normalLeft[] = {560, 560, 555, 555, 550};
    const int smallLeft[] = {490, 490, 490, 490, 480};
    const int width[] = {73, 73, 82, 82, 91};
    for (int state = 0; state < 5; ++state) {
        ASSERT_NE(ResolutionLabelText(state), nullptr);
        EXPECT_EQ(std::wstring(ResolutionLabelText(state)), texts[state]);
        PlacementRect normal{}, small{};
        ASSERT_TRUE(ResolutionLabelPlacement(state, false, &normal));
        ASSERT_TRUE(ResolutionLabelPlacement(state, true, &small));
        EXPECT_EQ(normal.left, normalLeft[state]);
        EXPECT_EQ(small.left, smallLeft[state]);
        EXPECT_EQ(normal.top, 577);
        EXPECT_EQ(small.top, 525);
        EXPECT_EQ(normal.width, width[state]);
        EXPECT_EQ(small.width, width[state]);
        EXPECT_EQ(normal.height, 18);
    }
    EXPECT_EQ(ResolutionLabelText(5), nullptr);
    PlacementRect r{};
    EXPECT_FALSE(ResolutionLabelPlacement(-1, false, &r));
}

} // namespace
