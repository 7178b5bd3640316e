// BMP and ICO encoders for the skin generator.
#include "res/skin/ImageFiles.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint8_t To8(float v)
{
    return static_cast<uint8_t>(std::lround(std::min(1.0f, std::max(0.0f, v)) * 255.0f));
}

// BITMAPINFOHEADER without compression, palette or resolution.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bitsPerPixel, uint32_t imageBytes)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

} // namespace

Rgb8 FilePixel(const Canvas& canvas, int x, int y)
{
    if (canvas.IsSeeThrough(x, y)) {
        return kSeeThrough;
    }
    const Color c = canvas.Pixel(x, y);
    Rgb8 p{To8(c.r * c.a), To8(c.g * c.a), To8(c.b * c.a)};
    if (p == kSeeThrough) {
        p.r = 254;
    }
    if (p.r == p.g && p.g == p.b && (p.r == 128 || p.r == 192 || p.r == 223)) {
        p.b = static_cast<uint8_t>(p.b + 1);
    }
    return p;
}

std::vector<uint8_t> EncodeBmp24(const Canvas& canvas)
{
    const int width = canvas.Width(), height = canvas.Height();
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(height);
    const uint32_t offset = 14 + 40;
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, width, height, 24, imageBytes);
    for (int y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const Rgb8 p = FilePixel(canvas, x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images)
{
    std::vector<std::vector<uint8_t>> bodies;
    for (const Canvas& image : images) {
        const int size = image.Width();
        const uint32_t maskStride = ((static_cast<uint32_t>(size) + 31) / 32) * 4;
        const uint32_t colourBytes = static_cast<uint32_t>(size * size * 4);
        const uint32_t maskBytes = maskStride * static_cast<uint32_t>(size);
        std::vector<uint8_t> body;
        PutInfoHeader(body, size, size * 2, 32, colourBytes + maskBytes);
        for (int y = size - 1; y >= 0; --y) {
            for (int x = 0; x < size; ++x) {
                const Color c = image.Pixel(x, y);
                const uint8_t alpha = To8(c.a);
                body.push_back(alpha ? To8(c.b) : 0);
                body.push_back(alpha ? To8(c.g) : 0);
                body.push_back(alpha ? To8(c.r) : 0);
                body.push_back(alpha);
            }
        }
        for (int y = size - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < size; ++x) {
                if (image.Pixel(x, y).a < 0.5f) {
                    row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
                }
            }
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(body));
    }

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].Width();
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0); // no palette
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, 32); // bits per pixel
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

} // namespace skin
