// Loads Tessel's resources (this test links Tessel.rc): the dialog that the main program finds by its title
// "Tessel" while it stays hidden, and the version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

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
    EXPECT_STREQ(title, L"Tessel");
    EXPECT_EQ(FindWindowW(nullptr, L"Tessel"), dlg);
    EXPECT_NE(GetDlgItem(dlg, IDOK), nullptr);
    EXPECT_NE(GetDlgItem(dlg, IDCANCEL), nullptr);
    EXPECT_NE(GetDlgItem(dlg, IDC_TESSEL_TEXT), nullptr);
    EXPECT_EQ(GetParent(dlg), nullptr) << "a top-level window";
    DestroyWindow(dlg);
    EXPECT_EQ(FindWindowW(nullptr, L"Tessel"), nullptr);
}

TEST(TesselResources, VersionResourceNamesQuilloVersion1001)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    wchar_t* name = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\OriginalFilename",
                               reinterpret_cast<void**>(&name), &len));
    EXPECT_STREQ(name, L"Tessel.exe");
}

TEST(TesselResources, IconIsLinkedIn)
{
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSEL), IMAGE_ICON, 16, 16, 0);
    EXPECT_NE(icon, nullptr);
    if (icon)
        DestroyIcon(static_cast<HICON>(icon));
}

} // namespace
