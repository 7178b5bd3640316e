// The shell's folder browser as the Setting pages use it, driven from a second thread the way a user would: the
// initial folder selected with its path as status text, another folder chosen and confirmed, an item without a
// file-system path, and a cancelled browse.
#include "UiTestSupport.h"

#include "ui/FolderDialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

std::wstring TextOf(HWND window)
{
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(window, text, MAX_PATH);
    return text;
}

// The browser window the UI thread shows, once it is there.
HWND WaitForBrowser(DWORD uiThread, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND found = nullptr;
        EnumThreadWindows(
            uiThread,
            [](HWND window, LPARAM data) -> BOOL {
                if (IsWindowVisible(window) && FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr)) {
                    *reinterpret_cast<HWND*>(data) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found)
            return found;
        Sleep(20);
    }
    return nullptr;
}

// Whether one of the browser's statics shows `text` within the time; *shown gets the statics' texts otherwise.
bool StatusShows(HWND browser, const std::wstring& text, DWORD timeoutMs, std::wstring* shown = nullptr)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        std::wstring all;
        for (HWND child = FindWindowExW(browser, nullptr, L"Static", nullptr); child;
             child = FindWindowExW(browser, child, L"Static", nullptr)) {
            if (IsWindowVisible(child) && TextOf(child) == text)
                return true;
            all += L"[" + TextOf(child) + L"]";
        }
        if (shown)
            *shown = all;
        Sleep(20);
    }
    return false;
}

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Runs the browse on this thread while `drive` acts on the browser from another one; `drive` answers whether it
// ended the browse.
INT_PTR BrowseWhile(CFolderDialog& dialog, std::function<bool(HWND browser, HWND tree)> drive,
                    std::atomic<bool>& driven)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND browser = WaitForBrowser(uiThread, 15000);
        const bool ended = browser && drive(browser, FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr));
        driven = browser != nullptr;
        // A browse the driver could not end must still end for the test to go on.
        if (!ended && browser)
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
    });
    const INT_PTR result = dialog.DoModal();
    driver.join();
    return result;
}

class FolderDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        wchar_t temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        m_outer = std::wstring(temp) + L"quillo-browse-" + std::to_wstring(GetCurrentProcessId());
        m_inner = m_outer + L"\\inner";
        CreateDirectoryW(m_outer.c_str(), nullptr);
        ASSERT_TRUE(CreateDirectoryW(m_inner.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override
    {
        RemoveDirectoryW(m_inner.c_str());
        RemoveDirectoryW(m_outer.c_str());
        CoUninitialize();
    }

    std::wstring m_outer, m_inner;
};

TEST_F(FolderDialog, OpensAtTheInitialFolderAndReturnsTheFolderTheUserConfirms)
{
    CFolderDialog dialog(L"C:", m_inner.c_str(), nullptr, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    std::atomic<bool> driven{false}, initialShown{false}, parentShown{false};
    std::wstring shown;
    const INT_PTR result = BrowseWhile(
        dialog,
        [&](HWND browser, HWND tree) {
            initialShown = StatusShows(browser, m_inner, 10000, &shown);
            // The user moves up one folder in the tree and confirms.
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                         reinterpret_cast<LPARAM>(Next(tree, TVGN_PARENT, Next(tree, TVGN_CARET, nullptr))));
            parentShown = StatusShows(browser, m_outer, 10000);
            SendMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
            return true;
        },
        driven);
    ASSERT_TRUE(driven);
    EXPECT_TRUE(initialShown) << "the initial folder is selected and its path is the status text; the browser shows "
                              << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(parentShown);
    EXPECT_EQ(result, CFolderDialog::kChosen);
    EXPECT_EQ(dialog.FolderPath(), m_outer);
}

TEST_F(FolderDialog, AnItemWithoutAFileSystemPathIsNotAFolder)
{
    CFolderDialog dialog(L"C:", nullptr, nullptr, 0);
    std::atomic<bool> driven{false}, picked{false};
    const INT_PTR result = BrowseWhile(
        dialog,
        [&](HWND browser, HWND tree) {
            // "My Computer" below the desktop is a shell item, not a folder on a disk.
            const DWORD start = GetTickCount();
            while (!picked && GetTickCount() - start < 10000) {
                HTREEITEM root = Next(tree, TVGN_ROOT, nullptr);
                for (HTREEITEM item = Next(tree, TVGN_CHILD, root); item; item = Next(tree, TVGN_NEXT, item)) {
                    if (ItemText(tree, item) == L"My Computer") {
                        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                        picked = true;
                        break;
                    }
                }
                Sleep(20);
            }
            if (picked)
                SendMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
            return picked.load();
        },
        driven);
    ASSERT_TRUE(driven);
    ASSERT_TRUE(picked);
    EXPECT_EQ(result, CFolderDialog::kNoFileSystemPath);
    EXPECT_TRUE(dialog.FolderPath().empty());
}

TEST_F(FolderDialog, CancelChoosesNothing)
{
    CFolderDialog dialog(L"C:", m_inner.c_str(), nullptr, BIF_RETURNONLYFSDIRS);
    std::atomic<bool> driven{false};
    const INT_PTR result = BrowseWhile(
        dialog,
        [](HWND browser, HWND) {
            SendMessageW(GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
            return true;
        },
        driven);
    ASSERT_TRUE(driven);
    EXPECT_EQ(result, CFolderDialog::kCancelled);
    EXPECT_TRUE(dialog.FolderPath().empty());
}

} // namespace
