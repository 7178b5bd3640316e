// Chip-family table: every row's codes, upper-casing before the match, and first-match order.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "camera/ChipTable.h"

namespace {

struct RowCase
{
    const wchar_t* devicePath;
    int isp;
    int vgaModule;
    const char* log;
};

class ChipRowMatch : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(ChipRowMatch, GivesTheRowsCodes)
{
    const RowCase& c = GetParam();
    const ChipRow* row = MatchChipRow(UpperCaseAscii(c.devicePath));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->isp, c.isp);
    EXPECT_EQ(row->vgaModule, c.vgaModule);
    EXPECT_EQ(row->mjpegModule, 0);
    EXPECT_STREQ(row->logText, c.log);
}

// Paths as the driver reports them; some in lower case, some with the pair in the middle of other text.
INSTANTIATE_TEST_SUITE_P(
    KnownCameras, ChipRowMatch,
    ::testing::Values(
        RowCase{L"\\\\?\\usb#vid_0c45&pid_62c0&mi_00#6&1a2b&0&0000#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global", 0,
                1, "Camera::chkDeviceIdProceed FOUND!!! ==> SONIXDll"},
        RowCase{L"\\\\?\\USB#VID_0402&PID_7670#5&1&0#{x}", 1, 1, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
        RowCase{L"\\\\?\\usb#Vid_0402&Pid_7675#5", 1, 1, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
        RowCase{L"\\\\?\\usb#vid_0402&pid_9665#5", 1, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
        RowCase{L"\\\\?\\usb#vid_04fc&pid_2800&mi_00", 2, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> SUNPLUSDll"},
        RowCase{L"\\\\?\\usb#vid_04fc&pid_2801&mi_00", 3, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> SUNPLUSDll_KT4B"},
        RowCase{L"\\\\?\\usb#vid_058f&pid_b002&mi_00", 4, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> Alcor_KT4A"}));

TEST(ChipTable, UnknownOrNearMissPathsMatchNothing)
{
    for (const wchar_t* path : {L"", L"\\\\?\\USB#VID_046D&PID_0825#1", L"VID_0C45&PID_62C1", L"VID_0C45 PID_62C0",
                                L"VID_04FC&PID_280", L"ROOT#SIMCAM#0000"})
        EXPECT_EQ(MatchChipRow(UpperCaseAscii(path)), nullptr) << std::string(path, path + std::wcslen(path));
}

TEST(ChipTable, FirstRowWinsWhenAPathNamesTwo)
{
    // Row 5 (2800) comes before row 1 in the text, but row 1 comes first in the table.
    const ChipRow* row = MatchChipRow(L"VID_04FC&PID_2800#VID_0C45&PID_62C0");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->isp, 0);
    row = MatchChipRow(L"VID_058F&PID_B002 VID_04FC&PID_2801");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->isp, 3);
}

TEST(UpperCase, MapsOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCaseAscii(L"vid_0c45&pid_62c0#{abc}"), L"VID_0C45&PID_62C0#{ABC}");
    // Non-ASCII letters stay as they are, so no locale rule can turn them into a matching text.
    std::wstring text = L"\u00e9\u0131z";
    EXPECT_EQ(UpperCaseAscii(text), L"\u00e9\u0131Z");
}

} // namespace
