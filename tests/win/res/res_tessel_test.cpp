// Loads Tessel's resources (this test links Tessel.rc): the dialog that the main program finds by the helper's
// title while it stays hidden, and the version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include "ProgramVersion.h"
#include "common/SensorHelperProtocol.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(TesselResources, HiddenDialogIsFoundByItsTitle)
{
    HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TESSEL), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg)) << "the template must not show the window by itself";
    wchar_t title[32] = {};
    GetWindowTextW(dlg, title, 32);
    EXPECT_STREQ(title, kSensorHelperTitle);
    EXPECT_EQ(FindWindowW(nullptr, kSensorHelperTitle), dlg);
    EXPECT_NE(GetDlgItem(dlg, IDOK), nullptr);
    EXPECT_NE(GetDlgItem(dlg, IDCANCEL), nullptr);
    EXPECT_NE(GetDlgItem(dlg, IDC_TESSEL_TEXT), nullptr);
    EXPECT_EQ(GetParent(dlg), nullptr) << "a top-level window";
    DestroyWindow(dlg);
    EXPECT_EQ(FindWindowW(nullptr, kSensorHelperTitle), nullptr);
}

TEST(TesselResources, VersionResourceNamesQuilloVersion1001)
{
    ExpectVersion1001WithText(L"OriginalFilename", L"Tessel.exe");
}

TEST(TesselResources, IconIsLinkedIn)
{
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSEL), IMAGE_ICON, 16, 16, 0);
    EXPECT_NE(icon, nullptr);
    if (icon)
        DestroyIcon(static_cast<HICON>(icon));
}

} // namespace
