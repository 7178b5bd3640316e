// Output size and BMP header of the scaler filter.
#include "filters/scaler/ScalerRules.h"

#include <cstring>

namespace scaler {

FrameSize OutputSizeFor(int inWidth, int inHeight, bool scaleMode)
{
    const int rows = inHeight < 0 ? -inHeight : inHeight;
    if (scaleMode && inWidth == 1280 && rows == 800)
        return FrameSize{1280, 720};
    return FrameSize{inWidth, rows};
}

static void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

static void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool MakeBmpHeader(int width, int height, size_t stride, uint8_t (&header)[kBmpHeaderBytes])
{
    if (width <= 0 || height <= 0 || stride < static_cast<size_t>(width) * 3)
        return false;
    const uint64_t imageBytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    const uint64_t fileBytes = imageBytes + kBmpHeaderBytes;
    if (fileBytes > 0xFFFFFFFFu)
        return false;
    std::memset(header, 0, kBmpHeaderBytes);
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, static_cast<uint32_t>(fileBytes));
    Put32(header + 10, kBmpHeaderBytes);               // offset of the pixels
    Put32(header + 14, 40);                            // BITMAPINFOHEADER size
    Put32(header + 18, static_cast<uint32_t>(width));  // biWidth
    Put32(header + 22, static_cast<uint32_t>(height)); // biHeight > 0: bottom-up rows
    Put16(header + 26, 1);                             // planes
    Put16(header + 28, 24);                            // bits per pixel
    Put32(header + 34, static_cast<uint32_t>(imageBytes));
    Put32(header + 38, 2835); // 72 dpi
    Put32(header + 42, 2835);
    return true;
}

} // namespace scaler
