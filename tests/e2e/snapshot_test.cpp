// Snapshots from the preview's button: numbered pictures in each format, numbering on from the pictures a
// folder holds, the date stamp in the corner, the folder and disk refusals, and the picture opened afterwards.
#include "E2eSupport.h"

#include "support/Poll.h"
#include "support/Restore.h"
#include "support/Simctl.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kPicture[] = L"Software\\Norvane\\Quillo\\Settings\\Picture";
constexpr int kSnapshotButton = 1003;

void SetPictureNumber(const wchar_t* name, DWORD value)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPicture, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

void SetPictureText(const wchar_t* name, const std::wstring& text)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPicture, name, REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
}

// The picture decoded by GDI+: its size and the colours at a few points.
struct Decoded
{
    UINT width = 0, height = 0;
    std::vector<Gdiplus::ARGB> pixels; // row by row
    Gdiplus::ARGB At(UINT x, UINT y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Decoded Decode(const std::wstring& path)
{
    using namespace Gdiplus::DllExports;
    static ULONG_PTR token = [] {
        ULONG_PTR t = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&t, &input, nullptr);
        return t;
    }();
    (void)token;
    Decoded decoded;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok)
        return decoded;
    GdipGetImageWidth(reinterpret_cast<Gdiplus::GpImage*>(bitmap), &decoded.width);
    GdipGetImageHeight(reinterpret_cast<Gdiplus::GpImage*>(bitmap), &decoded.height);
    decoded.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    for (UINT y = 0; y < decoded.height; ++y)
        for (UINT x = 0; x < decoded.width; ++x)
            GdipBitmapGetPixel(bitmap, x, y, &decoded.pixels[static_cast<size_t>(y) * decoded.width + x]);
    GdipDisposeImage(reinterpret_cast<Gdiplus::GpImage*>(bitmap));
    return decoded;
}

bool Reddish(Gdiplus::ARGB c)
{
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r > 180 && g < 90 && b < 90;
}

class Snapshot : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override { (void)e2e::ResetScene(); }

    // Starts Quillo with its preview and waits until the snapshot button takes presses (2 s after the start).
    void Open()
    {
        m_preview = e2e::StartWithReadyPreview(m_quillo);
        ASSERT_NE(m_preview, nullptr);
    }
    // Presses the snapshot button and waits until the file is there (or the time is up).
    bool Snap(const std::wstring& expected)
    {
        SendMessageW(m_preview, WM_COMMAND, MAKEWPARAM(kSnapshotButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_preview, kSnapshotButton)));
        return testsupport::WaitFor([&] { return Exists(expected); }, 10000);
    }
    void Close() { EXPECT_TRUE(e2e::ExitQuillo(m_quillo)); }

    e2e::Process m_quillo;
    HWND m_preview = nullptr;
};

TEST_F(Snapshot, NumbersRunOnPerFormatFromWhatTheFolderHolds)
{
    const std::wstring folder = e2e::ScenePictures();
    Touch(folder + L"IMG0007.bmp");
    Touch(folder + L"IMG0003.bmp");
    Touch(folder + L"img0004.jpg");  // a lower-case prefix does not count
    Touch(folder + L"IMG10345.png"); // reads as 345
    SetPictureNumber(L"ExportFile", 1);
    Open();
    EXPECT_TRUE(Snap(folder + L"IMG0000.jpg"));
    EXPECT_TRUE(Snap(folder + L"IMG0001.jpg"));
    Close();

    SetPictureNumber(L"ExportFile", 0);
    Open();
    EXPECT_TRUE(Snap(folder + L"IMG0008.bmp"));
    Close();
    SetPictureNumber(L"ExportFile", 2);
    Open();
    EXPECT_TRUE(Snap(folder + L"IMG0346.png")) << "the PNG sequence is its own";
    Close();
    EXPECT_TRUE(Exists(folder + L"img0004.jpg")) << "a file of the user's is never written over";
    EXPECT_FALSE(Exists(folder + L"IMG_ori.bmp")) << "the grabbed frame is removed";
}

TEST_F(Snapshot, APictureHasThePreviewsSizeTheCamerasColoursAndTheDateInTheCorner)
{
    // A folder written with forward slashes and without a final separator is used as written.
    const std::wstring slashed = L"C:/QuilloScene/Pictures";
    SetPictureText(L"My Pictures", slashed);
    SetPictureNumber(L"DateStamp", 1);
    SetPictureNumber(L"ExportFile", 0);
    Open();
    const std::wstring picture = e2e::ScenePictures() + L"IMG0000.bmp";
    ASSERT_TRUE(Snap(picture));
    Close();
    const Decoded decoded = Decode(picture);
    ASSERT_EQ(decoded.width, 640u);
    ASSERT_EQ(decoded.height, 480u);
    // Another program reads it the same: ImageMagick on the host (BMP3: the classic Windows header).
    EXPECT_EQ(e2e::RunOnHost("identify -format '%m %w %h' \"" + e2e::HostPath(picture) + "\""), "BMP3 640 480");
    // The test picture's bars: white at the left, blue in the seventh eighth (below the frame marker's rows).
    const Gdiplus::ARGB white = decoded.At(40, 200), blue = decoded.At(6 * 80 + 40, 200);
    EXPECT_GT((white >> 16) & 0xFF, 200u);
    EXPECT_GT(blue & 0xFF, 180u);
    EXPECT_LT((blue >> 16) & 0xFF, 60u);
    // The date is drawn in red inside the 100 x 50 box of the lower right corner; the rows beside the box (the
    // test picture's grey band) stay free of it.
    int inside = 0, beside = 0;
    for (UINT y = 430; y < decoded.height; ++y)
        for (UINT x = 0; x < decoded.width; ++x)
            (x >= 540 ? inside : beside) += Reddish(decoded.At(x, y)) ? 1 : 0;
    EXPECT_GT(inside, 20);
    EXPECT_EQ(beside, 0);
}

TEST_F(Snapshot, ThePictureOpensInTheProgramOfItsKind)
{
    // A program of the test's own stands for the user's picture viewer: it notes the file it was given.
    const std::wstring noted = L"C:\\QuilloScene\\opened.txt";
    testsupport::RegistryValue kind(HKEY_CLASSES_ROOT, L".bmp", L"");
    ASSERT_EQ(kind.SetText(L"QuilloTestPicture"), ERROR_SUCCESS);
    testsupport::RegistryValue command(HKEY_CLASSES_ROOT, L"QuilloTestPicture\\shell\\open\\command", L"");
    ASSERT_EQ(command.SetText(L"C:\\windows\\system32\\cmd.exe /c echo %1> " + noted), ERROR_SUCCESS);
    DeleteFileW(noted.c_str());
    SetPictureNumber(L"ExportFile", 0);
    SetPictureNumber(L"ShowImageAfterSnapshot", 1);
    Open();
    ASSERT_TRUE(Snap(e2e::ScenePictures() + L"IMG0000.bmp"));
    // The viewer notes the picture's path once it runs.
    EXPECT_TRUE(testsupport::WaitFor(
        [&] { return testsupport::ReadWholeFile(noted).find("Pictures\\IMG0000.bmp") != std::string::npos; }, 15000))
        << "the viewer noted: " << testsupport::ReadWholeFile(noted);
    Close();
}

TEST_F(Snapshot, AFolderThatCannotBeWrittenIsToldAndNothingIsWritten)
{
    SetPictureText(L"My Pictures", L"C:\\QuilloScene\\no such folder");
    Open();
    SendMessageTimeoutW(m_preview, WM_COMMAND, MAKEWPARAM(kSnapshotButton, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(m_preview, kSnapshotButton)), SMTO_NORMAL, 200, nullptr);
    HWND box = e2e::WaitForWindow(L"#32770", L"Error!", 10000, m_quillo.Pid());
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"The folder is forbidden to be accessed, please select another one.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Close();
}

} // namespace
