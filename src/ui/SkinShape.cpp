#include "ui/SkinShape.h"

#include "fx/App.h"
#include "fx/Gdi.h"
#include "settings/LangText.h"

#include <vector>

namespace skin {

HRGN CreateOutlineRegion(UINT bitmapId, OutlineKind kind)
{
    fx::Bitmap bitmap;
    if (!bitmap.Load(bitmapId, LR_CREATEDIBSECTION))
        return nullptr;
    return CreateOutlineRegion(bitmap.Get(), kind);
}

HRGN CreateOutlineRegion(HBITMAP bitmap, OutlineKind kind)
{
    BITMAP picture = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof picture, &picture))
        return nullptr;
    const SIZE size = {picture.bmWidth, picture.bmHeight < 0 ? -picture.bmHeight : picture.bmHeight};
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(size.cx) * 3 + 3) & ~static_cast<std::size_t>(3);
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(size.cy));
    fx::ClientDC screen(nullptr);
    if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS) != size.cy)
        return nullptr;

    PictureView view = {pixels.data(), static_cast<int>(size.cx), static_cast<int>(size.cy), stride};
    std::vector<OutlineRect> rects = kind == OutlineKind::Full ? FullOutline(view) : DialogOutline(view);

    // One ExtCreateRegion call instead of a union per run: the same region, built at once.
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    SetRectEmpty(&header->rcBound);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        SetRect(&out[i], rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        UnionRect(&header->rcBound, &header->rcBound, &out[i]);
    }
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

bool ApplyDialogOutline(HWND dialog, UINT bitmapId)
{
    HRGN region = CreateOutlineRegion(bitmapId, OutlineKind::Dialog);
    if (!region) {
        MessageBoxW(dialog, GetLangText(L"LoadBitmap", L"Error loading bitmap").c_str(), nullptr, MB_OK);
        return false;
    }
    if (!SetWindowRgn(dialog, region, TRUE)) {
        DeleteObject(region); // not taken over
        return false;
    }
    return true;
}

} // namespace skin
