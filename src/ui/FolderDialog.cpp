// The shell's folder browser for one choice (see FolderDialog.h).
#include "ui/FolderDialog.h"

#include "dshow/ComPtr.h"
#include "fx/App.h"

CFolderDialog::CFolderDialog(const wchar_t* title, const wchar_t* initialFolder, HWND parent, UINT flags)
    : m_initialFolder(initialFolder ? initialFolder : L""), m_parent(parent)
{
    m_info.pidlRoot = nullptr;
    m_info.pszDisplayName = m_displayName;
    m_info.lpszTitle = title;
    m_info.ulFlags = flags;
    m_info.lpfn = &CFolderDialog::BrowseCallback;
    m_info.lParam = reinterpret_cast<LPARAM>(this);
}

CFolderDialog::~CFolderDialog()
{
    if (m_root)
        CoTaskMemFree(m_root);
}

bool CFolderDialog::SetRootFolder(const wchar_t* path)
{
    if (!path) {
        if (m_root)
            CoTaskMemFree(m_root);
        m_root = nullptr;
        m_info.pidlRoot = nullptr;
        return true;
    }
    dshow::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())) || !desktop)
        return false;
    std::wstring text(path); // ParseDisplayName wants a writable string
    PIDLIST_RELATIVE parsed = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &text[0], nullptr, &parsed, nullptr)) || !parsed)
        return false;
    if (m_root)
        CoTaskMemFree(m_root);
    m_root = reinterpret_cast<PIDLIST_ABSOLUTE>(parsed); // parsed from the desktop: absolute
    m_info.pidlRoot = m_root;
    return true;
}

HWND CFolderDialog::PreModal() const
{
    return fx::DefaultOwner(m_parent);
}

INT_PTR CFolderDialog::DoModal()
{
    m_info.hwndOwner = PreModal();
    m_folder.clear();
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&m_info);
    m_browser = nullptr;
    if (!chosen)
        return kCancelled;
    wchar_t path[MAX_PATH] = {};
    const bool hasPath = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!hasPath)
        return kNoFileSystemPath;
    path[MAX_PATH - 1] = L'\0';
    m_folder = path;
    return kChosen;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data)
{
    auto* dialog = reinterpret_cast<CFolderDialog*>(data);
    if (!dialog)
        return 0;
    dialog->m_browser = browser;
    switch (message) {
    case BFFM_INITIALIZED:
        dialog->OnInitialized();
        return 0;
    case BFFM_SELCHANGED:
        dialog->OnSelChanged(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
        return 0;
    case BFFM_VALIDATEFAILEDW:
        return dialog->OnValidateFailed(reinterpret_cast<const wchar_t*>(lParam));
    case BFFM_IUNKNOWN:
        dialog->OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        return 0;
    default:
        return 0;
    }
}

void CFolderDialog::OnInitialized()
{
    if (!m_initialFolder.empty())
        ::SendMessageW(m_browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_initialFolder.c_str()));
}

void CFolderDialog::OnSelChanged(PCIDLIST_ABSOLUTE item)
{
    if (!(m_info.ulFlags & BIF_STATUSTEXT) || !item)
        return;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(item, path))
        path[0] = L'\0'; // an item without a path shows no status
    ::SendMessageW(m_browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
}

int CFolderDialog::OnValidateFailed(const wchar_t*)
{
    MessageBeep(MB_ICONHAND);
    return 1;
}

void CFolderDialog::OnIUnknown(IUnknown*) {}
