// The shell's folder browser for one choice (see FolderDialog.h).
#include "ui/FolderDialog.h"

#include "dshow/ComPtr.h"
#include "fx/App.h"

namespace {

// The browser may not take the initial selection while it is still filling its tree (seen under Wine, about one
// time in eight): it is asked again every 100 ms until the folder shows as selected, for a second at most.
constexpr UINT_PTR kRetryTimer = 0x5153;
constexpr UINT kRetryMs = 100;
constexpr int kRetries = 10;
// The browse of this thread whose initial selection is being retried (browses are modal: one at a time).
thread_local CFolderDialog* t_retrying = nullptr;

bool SamePath(std::wstring a, std::wstring b)
{
    for (std::wstring* path : {&a, &b})
        while (path->size() > 3 && (path->back() == L'\\' || path->back() == L'/'))
            path->pop_back();
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

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
    m_initialSelected = false;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&m_info);
    if (t_retrying == this)
        t_retrying = nullptr;
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
        dialog->NoteSelection(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
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

void CFolderDialog::SelectInitialFolder() const
{
    ::SendMessageW(m_browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_initialFolder.c_str()));
}

void CFolderDialog::NoteSelection(PCIDLIST_ABSOLUTE item)
{
    wchar_t path[MAX_PATH] = {};
    if (!m_initialFolder.empty() && item && SHGetPathFromIDListW(item, path) && SamePath(path, m_initialFolder))
        m_initialSelected = true;
}

void CALLBACK CFolderDialog::RetrySelection(HWND browser, UINT, UINT_PTR timer, DWORD)
{
    CFolderDialog* dialog = t_retrying;
    if (!dialog || dialog->m_browser != browser || dialog->m_initialSelected || --dialog->m_selectionRetries < 0) {
        KillTimer(browser, timer);
        if (dialog && dialog->m_browser == browser)
            t_retrying = nullptr;
        return;
    }
    dialog->SelectInitialFolder();
}

void CFolderDialog::OnInitialized()
{
    if (m_initialFolder.empty())
        return;
    SelectInitialFolder();
    if (m_initialSelected)
        return;
    t_retrying = this;
    m_selectionRetries = kRetries;
    if (!SetTimer(m_browser, kRetryTimer, kRetryMs, &CFolderDialog::RetrySelection))
        t_retrying = nullptr; // without a timer the one attempt stands
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
