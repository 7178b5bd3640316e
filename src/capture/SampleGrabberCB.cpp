// The snapshot writer (see SampleGrabberCB.h).
#include "capture/SampleGrabberCB.h"

// WIN32_LEAN_AND_MEAN leaves out what GDI+ needs (PROPID and the COM stream types).
#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>

#include <cwchar>
#include <memory>
#include <new>
#include <vector>

#include "capture/GraphLock.h"
#include "capture/Preview.h"
#include "capture/SnapshotRules.h"
#include "settings/DebugLog.h"
#include "settings/FileNumbering.h"

using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpImage;
using Gdiplus::Ok;

ScratchBuffer cb;
CSampleGrabberCB g_SampleGrabberCB;

namespace {

constexpr long kScratchBytes = 1280 * 1024 * 3;

// GDI+ is started once, on the first picture, and stays up for the rest of the run.
bool GdiplusReady()
{
    static bool started = false;
    static ULONG_PTR token = 0;
    if (!started) {
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Ok;
    }
    return started;
}

// A GDI+ picture, disposed whatever path the caller takes.
class GdipPicture
{
public:
    ~GdipPicture()
    {
        if (m_bitmap)
            GdipDisposeImage(reinterpret_cast<GpImage*>(m_bitmap));
    }
    GpBitmap** Put() { return &m_bitmap; }
    GpBitmap* Get() const { return m_bitmap; }

private:
    GpBitmap* m_bitmap = nullptr;
};

// Draws the local date in red into the lower right corner of the picture; the stamped copy in *stamped.
bool StampDate(GpBitmap* picture, HWND window, int width, int height, int resState, HBITMAP* stamped)
{
    HBITMAP bitmap = nullptr;
    if (GdipCreateHBITMAPFromBitmap(picture, &bitmap, 0xFFFFFFFF) != Ok || !bitmap)
        return false;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    if (!memory) {
        ReleaseDC(window, windowDc);
        DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetMapMode(memory, MM_TEXT);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(255, 0, 0));
    HFONT font = CreateFontW(snapshot::DateStampFontHeight(resState), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0,
                             0, 0x10, L"Arial");
    HGDIOBJ oldFont = font ? SelectObject(memory, font) : nullptr;
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const std::wstring text = snapshot::DateStampText(now.wYear, now.wMonth, now.wDay);
    DebugLogW(L"CSampleGrabberCB::CopyBitmap dm=%s", text.c_str());
    const snapshot::Box box = snapshot::DateStampBox(width, height);
    RECT rect = {box.left, box.top, box.right, box.bottom};
    DrawTextW(memory, text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER);
    SelectObject(memory, oldBitmap);
    if (oldFont)
        SelectObject(memory, oldFont);
    DeleteDC(memory);
    if (font)
        DeleteObject(font);
    ReleaseDC(window, windowDc);
    *stamped = bitmap;
    return true;
}

// Saves the picture under a temporary name beside the target and moves it into place, so the folder holds
// either the whole picture or none; an existing file of that name is never replaced.
bool SaveWhole(GpImage* picture, const CLSID& encoder, const std::wstring& target)
{
    const std::wstring temporary = target + L".part";
    if (GdipSaveImageToFile(picture, temporary.c_str(), &encoder, nullptr) != Ok) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

CSampleGrabberCB::CSampleGrabberCB()
{
    cb.pBuffer = new (std::nothrow) BYTE[kScratchBytes];
    cb.lBufferSize = cb.pBuffer ? kScratchBytes : 0;
    if (!cb.pBuffer)
        DebugLog("CSampleGrabberCB::CSampleGrabberCB cb.pBuffer (E_OUTOFMEMORY)");
}

CSampleGrabberCB::~CSampleGrabberCB()
{
    delete[] cb.pBuffer;
    cb.pBuffer = nullptr;
    cb.lBufferSize = 0;
}

int GetEncoderClsid(const wchar_t* mimeType, CLSID* clsid)
{
    UINT count = 0, bytes = 0;
    if (!mimeType || !clsid || GdipGetImageEncodersSize(&count, &bytes) != Ok || bytes == 0)
        return -1;
    std::vector<BYTE> storage(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (GdipGetImageEncoders(count, bytes, encoders) != Ok)
        return -1;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

long CSampleGrabberCB::CopyBitmap(double, BYTE*, long)
{
    DebugLog("CSampleGrabberCB::CopyBitmap[IN]");
    Preview* owner = g_SnapshotState.owner;
    if (!owner || !owner->m_pSkinDlg || !GdiplusReady())
        return -1;
    SettingsRecord& record = owner->m_pSkinDlg->Settings();
    const int format = record.m_nExportFile;
    if (format < 0 || format > 2)
        return -1; // no picture format chosen: nothing is saved
    const std::wstring name = std::wstring(szPictureDir) + numbering::PictureFileName(format, owner->m_lSnapNumber);
    const int width = g_SnapshotState.frameWidth, height = g_SnapshotState.frameHeight;
    DebugLog("CSampleGrabberCB::CopyBitmap bih.biWidth=%d   bih.biHeight=%d", width, height);

    GdipPicture loaded;
    if (GdipCreateBitmapFromFile(szGrabPath, loaded.Put()) != Ok || !loaded.Get()) {
        DebugLog("CSampleGrabberCB::CopyBitmap[ERROR] the grabbed frame cannot be loaded");
        return -1;
    }
    DebugLog("CSampleGrabberCB::CopyBitmap pOwner->bPrintDate=%d", owner->bPrintDate ? 1 : 0);
    HBITMAP stampedBitmap = nullptr;
    GdipPicture stamped;
    GpImage* picture = reinterpret_cast<GpImage*>(loaded.Get());
    if (owner->bPrintDate &&
        StampDate(loaded.Get(), owner->Hwnd(), width, height, owner->m_nResState, &stampedBitmap) &&
        GdipCreateBitmapFromHBITMAP(stampedBitmap, nullptr, stamped.Put()) == Ok)
        picture = reinterpret_cast<GpImage*>(stamped.Get());

    owner->m_nExportFormat = format;
    static const wchar_t* const kMimeTypes[] = {L"image/bmp", L"image/jpeg", L"image/png"};
    CLSID encoder = {};
    const bool saved = GetEncoderClsid(kMimeTypes[format], &encoder) >= 0 && SaveWhole(picture, encoder, name);
    if (stampedBitmap)
        DeleteObject(stampedBitmap);
    if (!saved) {
        DebugLogW(L"CSampleGrabberCB::CopyBitmap[ERROR] %s not written", name.c_str());
        return -1;
    }
    // The number is used up only by a picture that was written.
    ++owner->m_lSnapNumber;
    int* counters[] = {&record.m_nBmpNumber, &record.m_nJpgNumber, &record.m_nPngNumber};
    ++*counters[format];
    wcsncpy(szLastPicture, name.c_str(), MAX_PATH - 1);
    szLastPicture[MAX_PATH - 1] = L'\0';
    DebugLog("CSampleGrabberCB::CopyBitmap[OUT]");
    return 0;
}
