// Skinned dialogs cut to the outline of their background picture, seen on screen: the rounded top and
// bottom rows are cut, the body stays solid whatever it holds; a picture that does not load leaves the
// window whole and says so.
#include "UiTestSupport.h"

#include "fx/Gdi.h"
#include "fx/Wnd.h"
#include "ui/SkinShape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace uitest;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 434; // the dialog background's height: top rows 0-6, body to row 427, bottom rows
const COLORREF kWindowColour = RGB(0, 0, 255);

// A top-level window painted blue.
class BlueWindow : public fx::Wnd
{
public:
    BlueWindow()
    {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = ::DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = kClass;
        cls.hbrBackground = m_brush;
        RegisterClassW(&cls);
    }
    ~BlueWindow() override
    {
        if (IsWindow())
            DestroyWindow();
        UnregisterClassW(kClass, GetModuleHandleW(nullptr));
    }
    bool Create()
    {
        const RECT r = {300, 100, 300 + kWidth, 100 + kHeight};
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"outline", WS_POPUP, r, nullptr, 0))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        return UpdateWindow();
    }

private:
    static constexpr const wchar_t* kClass = L"QuilloOutlineTest";
    fx::Brush m_brush{CreateSolidBrush(kWindowColour)};
};

// A 24-bit top-down picture: grey, with magenta where `magenta(x, y)` says so.
template <class Magenta> fx::Bitmap OutlinePicture(Magenta magenta)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    fx::Bitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture)
        return picture;
    const int stride = (kWidth * 3 + 3) & ~3;
    for (int y = 0; y < kHeight; ++y) {
        auto* row = static_cast<BYTE*>(bits) + y * stride;
        for (int x = 0; x < kWidth; ++x) {
            const bool cut = magenta(x, y);
            row[3 * x] = cut ? 255 : 90;
            row[3 * x + 1] = cut ? 0 : 90;
            row[3 * x + 2] = cut ? 255 : 90;
        }
    }
    GdiFlush();
    return picture;
}

TEST(DialogOutline, CutsTheCornersAndKeepsABodyWithMagentaSolid)
{
    // Rounded corners in rows 0-2 and 431-433, and magenta across the body that must not cut holes.
    fx::Bitmap picture = OutlinePicture([](int x, int y) {
        const bool corner = (y < 3 || y >= kHeight - 3) && (x < 3 || x >= kWidth - 3);
        const bool bodyStripe = y == 100 || (y >= 200 && y < 300 && x >= 10 && x < 30) || y == 426;
        return corner || bodyStripe;
    });
    ASSERT_TRUE(picture);
    BlueWindow window;
    ASSERT_TRUE(window.Create());
    HRGN region = skin::CreateOutlineRegion(picture.Get(), skin::OutlineKind::Dialog);
    ASSERT_NE(region, nullptr);
    ASSERT_TRUE(SetWindowRgn(window, region, TRUE));

    const struct
    {
        int x, y;
        bool inside;
    } points[] = {
        {1, 1, false},
        {kWidth - 2, 1, false},
        {20, 1, true},
        {1, 5, true},
        {20, 100, true},
        {20, 250, true},
        {1, 426, true},
        {1, kHeight - 1, false},
        {kWidth - 2, kHeight - 2, false},
        {20, kHeight - 1, true},
    };
    for (const auto& p : points) {
        const bool shown = PumpUntil([&] { return (ShownAt(window, p.x, p.y) == kWindowColour) == p.inside; }, 2000);
        EXPECT_TRUE(shown) << "x=" << p.x << " y=" << p.y << " inside=" << p.inside << " colour=" << std::hex
                           << ShownAt(window, p.x, p.y);
    }
}

// The texts of the message box that the current thread shows, and a click on its OK button.
struct BoxWatcher
{
    static std::vector<std::wstring> texts;
    static BOOL CALLBACK CollectText(HWND child, LPARAM)
    {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        texts.push_back(text);
        return TRUE;
    }
    static BOOL CALLBACK FindBox(HWND window, LPARAM)
    {
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(window))
            return TRUE;
        EnumChildWindows(window, CollectText, 0);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (texts.empty())
            EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    }
};
std::vector<std::wstring> BoxWatcher::texts;

TEST(DialogOutline, MissingPictureSaysSoAndLeavesTheWindowWhole)
{
    BlueWindow window;
    ASSERT_TRUE(window.Create());
    BoxWatcher::texts.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, BoxWatcher::OnTimer);
    ASSERT_NE(timer, 0u);
    EXPECT_FALSE(skin::ApplyDialogOutline(window, 4711)); // returns once the box is answered
    KillTimer(nullptr, timer);
    EXPECT_NE(std::find(BoxWatcher::texts.begin(), BoxWatcher::texts.end(), L"Error loading bitmap"),
              BoxWatcher::texts.end());
    EXPECT_TRUE(PumpUntil([&] { return ShownAt(window, 0, 0) == kWindowColour; }, 2000));
    EXPECT_EQ(ShownAt(window, kWidth - 1, kHeight - 1), kWindowColour);
}

} // namespace
