#include "DialogScene.h"

#include "support/Poll.h"
#include "support/Simctl.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <functional>

namespace scene {

namespace {

constexpr wchar_t kProductKey[] = L"Software\\Norvane\\Quillo";

std::wstring KeyPath(const wchar_t* subkey)
{
    return std::wstring(kProductKey) + L"\\" + subkey;
}

void ListValues(HKEY key, const std::wstring& path, std::vector<std::wstring>& out)
{
    for (DWORD i = 0;; ++i) {
        wchar_t name[256] = {};
        DWORD nameChars = 256, type = 0, bytes = 0;
        BYTE data[1024] = {};
        bytes = sizeof data;
        if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, data, &bytes) != ERROR_SUCCESS)
            break;
        std::wstring line = path + L"\\" + name + L"=" + std::to_wstring(type) + L":";
        for (DWORD b = 0; b < bytes; ++b)
            line += std::to_wstring(data[b]) + L",";
        out.push_back(line);
    }
    for (DWORD i = 0;; ++i) {
        wchar_t sub[256] = {};
        DWORD subChars = 256;
        if (RegEnumKeyExW(key, i, sub, &subChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, sub, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            ListValues(child, path + L"\\" + sub, out);
            RegCloseKey(child);
        }
    }
}

struct WindowSearch
{
    DWORD pid;
    std::function<bool(HWND)> match;
    HWND found;
};

BOOL CALLBACK SearchTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && search->match(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD pid, std::function<bool(HWND)> match)
{
    WindowSearch search = {pid, std::move(match), nullptr};
    EnumWindows(SearchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Memory in another process for the tree view's item requests.
class RemoteBuffer
{
public:
    RemoteBuffer(DWORD pid, size_t bytes)
        : m_process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)), m_bytes(bytes)
    {
        if (m_process)
            m_memory = VirtualAllocEx(m_process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_memory)
            VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Ready() const { return m_memory != nullptr; }
    BYTE* Address() const { return static_cast<BYTE*>(m_memory); }
    bool Write(size_t offset, const void* data, size_t bytes) const
    {
        return offset + bytes <= m_bytes &&
               WriteProcessMemory(m_process, Address() + offset, data, bytes, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t bytes) const
    {
        return offset + bytes <= m_bytes &&
               ReadProcessMemory(m_process, Address() + offset, data, bytes, nullptr) != FALSE;
    }

private:
    HANDLE m_process;
    size_t m_bytes;
    void* m_memory = nullptr;
};

std::wstring RemoteItemText(HWND tree, const RemoteBuffer& buffer, HTREEITEM item)
{
    constexpr size_t kTextOffset = 256, kChars = 260;
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = reinterpret_cast<wchar_t*>(buffer.Address() + kTextOffset);
    tv.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    if (!buffer.Write(0, &tv, sizeof tv) || !buffer.Write(kTextOffset, text, sizeof text))
        return L"";
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.Address()));
    if (!buffer.Read(kTextOffset, text, sizeof text))
        return L"";
    text[kChars - 1] = L'\0';
    return text;
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

double Linear(double channel)
{
    channel /= 255.0;
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t rgb)
{
    return 0.2126 * Linear((rgb >> 16) & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) + 0.0722 * Linear(rgb & 0xFF);
}

} // namespace

bool ReadDword(const wchar_t* subkey, const wchar_t* name, DWORD& value)
{
    DWORD bytes = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) ==
           ERROR_SUCCESS;
}

bool ReadText(const wchar_t* subkey, const wchar_t* name, std::wstring& text)
{
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
        ERROR_SUCCESS)
        return false;
    text = buffer;
    return true;
}

bool WriteDword(const wchar_t* subkey, const wchar_t* name, DWORD value)
{
    return RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), name, REG_DWORD, &value, sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteText(const wchar_t* subkey, const wchar_t* name, const std::wstring& text)
{
    return RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), name, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::vector<std::wstring> ProductValues()
{
    std::vector<std::wstring> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ListValues(key, L"", values);
        RegCloseKey(key);
    }
    return values;
}

bool Quillo::Start(bool withPreview)
{
    m_process = e2e::Start(L"Quillo.exe", withPreview ? L"" : L"/s");
    if (!m_process.Valid())
        return false;
    m_bar = e2e::WaitForWindow(nullptr, L"Quillo_1", 30000, m_process.Pid());
    return m_bar != nullptr;
}

HWND Quillo::Window(const wchar_t* title, DWORD timeoutMs) const
{
    HWND found = nullptr;
    testsupport::WaitFor(
        [&] {
            found = FindTopLevel(Pid(), [&](HWND window) { return Text(window) == title; });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool Quillo::WindowGone(const wchar_t* title, DWORD timeoutMs) const
{
    return testsupport::WaitFor(
        [&] { return !FindTopLevel(Pid(), [&](HWND window) { return Text(window) == title; }); }, timeoutMs);
}

void Quillo::Command(UINT id) const
{
    PostMessageW(m_bar, WM_COMMAND, id, 0);
}

::testing::AssertionResult Quillo::Exit()
{
    return e2e::ExitQuillo(m_process, 30000);
}

HWND Page(HWND dialog, UINT uniqueControlId)
{
    struct Search
    {
        UINT id;
        HWND found;
    } search = {uniqueControlId, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (static_cast<UINT>(GetDlgCtrlID(window)) == s->id) {
                s->found = GetParent(window);
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Control(HWND parent, UINT id)
{
    return GetDlgItem(parent, static_cast<int>(id));
}

void Click(HWND button)
{
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void AltKey(HWND control, UINT key)
{
    // Context bit 29: Alt is held.
    PostMessageW(control, WM_SYSKEYDOWN, key, 0x20000001);
    PostMessageW(control, WM_SYSKEYUP, key, static_cast<LPARAM>(0xE0000001u));
}

int ComboCount(HWND combo)
{
    return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

std::wstring ComboText(HWND combo, int index)
{
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length < 0 || length > 255)
        return L"";
    wchar_t text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text)) == CB_ERR)
        return L"";
    return text;
}

void ChooseComboEntry(HWND combo, int index)
{
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::wstring Text(HWND window)
{
    // WM_GETTEXT, not GetWindowText: for another process's edit control the latter answers its creation text.
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    text[1023] = L'\0';
    return text;
}

void SetText(HWND edit, const std::wstring& text)
{
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

SliderState Slider(HWND slider)
{
    SliderState state;
    state.minimum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
    state.maximum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
    state.position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    state.enabled = IsWindowEnabled(slider) != FALSE;
    return state;
}

void MoveSlider(HWND slider, int position)
{
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    PostMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(slider));
    PostMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

RECT SliderThumbOnScreen(HWND slider, DWORD pid)
{
    RECT thumb = {};
    RemoteBuffer buffer(pid, sizeof thumb);
    if (!buffer.Ready())
        return thumb;
    SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(buffer.Address()));
    if (!buffer.Read(0, &thumb, sizeof thumb))
        return RECT{};
    MapWindowPoints(slider, nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    return thumb;
}

RECT RectIn(HWND window, HWND reference)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool RunUnix(const std::wstring& command)
{
    // The command's exit code comes back as the last line of what it printed.
    const std::string marker = "quillo-exit=";
    const std::string answer = e2e::RunOnHost(testsupport::Narrow(command) + "; echo " + marker + "$?", 30000);
    const size_t at = answer.rfind(marker);
    return at != std::string::npos && answer.compare(at + marker.size(), 2, "0\n") == 0;
}

bool Xdotool(const std::wstring& arguments)
{
    return RunUnix(L"xdotool " + arguments);
}

UnwritableFolder::UnwritableFolder()
{
    // An immutable folder: not even an administrator may create a file in it (Wine hides the kernel's own
    // read-only folders from its listings, so they cannot be browsed to).
    const std::wstring name = L"quillo-locked-" + std::to_wstring(GetCurrentProcessId());
    m_unixPath = L"/tmp/" + name;
    if (RunUnix(L"mkdir -p " + m_unixPath + L" && chattr +i " + m_unixPath))
        m_path = L"Z:\\tmp\\" + name;
}

std::vector<std::wstring> UnwritableFolder::TreePath() const
{
    return {L"My Computer", L"Z:", L"tmp", m_unixPath.substr(5)};
}

UnwritableFolder::~UnwritableFolder()
{
    (void)RunUnix(L"chattr -i " + m_unixPath + L"; rmdir " + m_unixPath);
}

HWND MessageBoxWithText(DWORD pid, const std::wstring& text, DWORD timeoutMs)
{
    HWND found = nullptr;
    testsupport::WaitFor(
        [&] {
            found = FindTopLevel(pid, [&](HWND window) {
                wchar_t className[32] = {};
                GetClassNameW(window, className, 32);
                return std::wcscmp(className, L"#32770") == 0 && Text(GetDlgItem(window, 0xFFFF)) == text;
            });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND FolderBrowser(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    testsupport::WaitFor(
        [&] {
            found =
                FindTopLevel(pid, [](HWND window) { return FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr); });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool ChooseInFolderBrowser(HWND browser, DWORD pid, const std::vector<std::wstring>& path, std::wstring* seen)
{
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    RemoteBuffer buffer(pid, 4096);
    if (!tree || !buffer.Ready())
        return false;
    HTREEITEM parent = NextItem(tree, TVGN_ROOT, nullptr);
    for (const std::wstring& name : path) {
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        HTREEITEM match = nullptr;
        std::wstring texts;
        testsupport::WaitFor(
            [&] {
                texts.clear();
                for (HTREEITEM item = NextItem(tree, TVGN_CHILD, parent); item && !match;
                     item = NextItem(tree, TVGN_NEXT, item)) {
                    const std::wstring text = RemoteItemText(tree, buffer, item);
                    texts += L"[" + text + L"]";
                    if (text.find(name) != std::wstring::npos)
                        match = item;
                }
                return match != nullptr;
            },
            10000);
        if (!match) {
            if (seen)
                *seen = L"no " + name + L" among " + texts;
            return false;
        }
        parent = match;
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
    PostMessageW(browser, WM_COMMAND, IDOK, 0);
    return true;
}

CameraValue ReadCamera(int property)
{
    CameraValue camera;
    const testsupport::RunResult result = testsupport::Simctl(L"get 0 image " + std::to_wstring(property));
    if (result.Succeeded())
        std::sscanf(result.output.c_str(), "value=%ld flags=%*d min=%ld max=%ld default=%ld", &camera.value,
                    &camera.minimum, &camera.maximum, &camera.factory);
    return camera;
}

std::string SimDump()
{
    return testsupport::Simctl(L"dump 0").output;
}

double ContrastRatio(uint32_t rgb1, uint32_t rgb2)
{
    double a = Luminance(rgb1), b = Luminance(rgb2);
    if (a < b)
        std::swap(a, b);
    return (a + 0.05) / (b + 0.05);
}

} // namespace scene
