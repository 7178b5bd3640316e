// CFolderDialog: the shell's folder browser (SHBrowseForFolderW) for one choice of a folder. DoModal answers 1
// when the user chose a folder with a file-system path (then in FolderPath()), -1 when the chosen item has no
// such path, 2 when the user cancelled. An initial folder is selected when the browser opens; with
// BIF_STATUSTEXT the browser shows the selected folder's path as its status text.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

class CFolderDialog
{
public:
    static constexpr INT_PTR kChosen = IDOK;
    static constexpr INT_PTR kNoFileSystemPath = -1;
    static constexpr INT_PTR kCancelled = IDCANCEL;

    // `title` is shown above the tree (not copied: it must outlive the dialog); `initialFolder` may be null.
    CFolderDialog(const wchar_t* title, const wchar_t* initialFolder, HWND parent, UINT flags);
    virtual ~CFolderDialog();
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    // The browser's root: null for the desktop (true), else the folder parsed by the desktop (true when it parsed).
    bool SetRootFolder(const wchar_t* path);
    INT_PTR DoModal();
    const std::wstring& FolderPath() const { return m_folder; }
    // The chosen item's display name (as the browser reports it).
    std::wstring DisplayName() const { return m_displayName; }

protected:
    // The browser's callback messages; the browser window is valid while they run.
    virtual void OnInitialized();
    virtual void OnSelChanged(PCIDLIST_ABSOLUTE item);
    // Typed text that names no folder: the beep; non-zero keeps the browser open.
    virtual int OnValidateFailed(const wchar_t* text);
    virtual void OnIUnknown(IUnknown* site);
    HWND BrowserWindow() const { return m_browser; }

private:
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data);
    static void CALLBACK RetrySelection(HWND browser, UINT message, UINT_PTR timer, DWORD time);
    HWND PreModal() const;
    void SelectInitialFolder() const;
    void NoteSelection(PCIDLIST_ABSOLUTE item);

    BROWSEINFOW m_info = {};
    PIDLIST_ABSOLUTE m_root = nullptr;
    wchar_t m_displayName[MAX_PATH] = {}; // 520 bytes, as the browser expects
    std::wstring m_initialFolder;
    std::wstring m_folder;
    HWND m_parent;
    HWND m_browser = nullptr;
    bool m_initialSelected = false;
    int m_selectionRetries = 0;
};
