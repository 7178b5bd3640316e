// GDI wrappers: creation helpers of the owned objects.
#include "fx/Gdi.h"

#include "fx/App.h"

namespace fx {

bool Bitmap::Load(UINT id, UINT loadFlags)
{
    HANDLE image = LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, loadFlags);
    Attach(static_cast<HBITMAP>(image));
    return image != nullptr;
}

bool Bitmap::CreateCompatible(HDC dc, int width, int height)
{
    Attach(CreateCompatibleBitmap(dc, width, height));
    return m_handle != nullptr;
}

SIZE Bitmap::Size() const
{
    BITMAP info = {};
    if (!m_handle || !GetObjectW(m_handle, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

bool Font::Create(const wchar_t* face, int height, int weight, BYTE charset)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    if (face)
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateIndirect(font);
}

bool Font::CreateIndirect(const LOGFONTW& font)
{
    Attach(CreateFontIndirectW(&font));
    return m_handle != nullptr;
}

bool Brush::CreateSolid(COLORREF colour)
{
    Attach(CreateSolidBrush(colour));
    return m_handle != nullptr;
}

bool Pen::Create(int style, int width, COLORREF colour)
{
    Attach(CreatePen(style, width, colour));
    return m_handle != nullptr;
}

bool Region::CreateRect(int left, int top, int right, int bottom)
{
    Attach(CreateRectRgn(left, top, right, bottom));
    return m_handle != nullptr;
}

bool Region::AddRect(int left, int top, int right, int bottom)
{
    if (!m_handle)
        return CreateRect(left, top, right, bottom);
    HRGN piece = CreateRectRgn(left, top, right, bottom);
    if (!piece)
        return false;
    const int combined = CombineRgn(m_handle, m_handle, piece, RGN_OR);
    DeleteObject(piece);
    return combined != ERROR;
}

bool Region::Contains(int x, int y) const
{
    return m_handle && PtInRegion(m_handle, x, y);
}

} // namespace fx
