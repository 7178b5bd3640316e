// Baseline JPEG encoder over YUY2 input.
#include "sim/model/MjpegEncoder.h"
#include <cmath>

namespace sim {
namespace {

constexpr int kQuant = 8;      // every coefficient is divided by this
constexpr int kDcSymbols = 12; // categories 0..11, four-bit codes
constexpr int kAcSymbols = 162;

struct Tables
{
    float cosine[8][8]; // cosine[u][x] with the DCT's scale factors
    int zigzag[64];     // natural index of each zig-zag position
    uint8_t acSymbols[kAcSymbols];
    uint8_t acCode[256]; // code of each AC symbol (all eight bits long)

    Tables()
    {
        const double pi = 3.14159265358979;
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x)
                cosine[u][x] =
                    static_cast<float>((u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * pi / 16));
        int n = 0;
        for (int s = 0; s < 15; ++s) {
            int lo = s > 7 ? s - 7 : 0, hi = s < 7 ? s : 7;
            if (s % 2 == 0)
                for (int row = hi; row >= lo; --row)
                    zigzag[n++] = row * 8 + (s - row);
            else
                for (int row = lo; row <= hi; ++row)
                    zigzag[n++] = row * 8 + (s - row);
        }
        n = 0;
        acSymbols[n++] = 0x00; // end of block
        acSymbols[n++] = 0xF0; // sixteen zeros
        for (int run = 0; run < 16; ++run)
            for (int size = 1; size <= 10; ++size)
                acSymbols[n++] = static_cast<uint8_t>(run << 4 | size);
        for (int i = 0; i < kAcSymbols; ++i)
            acCode[acSymbols[i]] = static_cast<uint8_t>(i);
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

class Writer
{
public:
    Writer(uint8_t* out, size_t capacity) : m_out(out), m_capacity(capacity) {}
    bool Ok() const { return m_ok; }
    size_t Size() const { return m_size; }

    void Byte(uint8_t b)
    {
        if (m_size < m_capacity)
            m_out[m_size++] = b;
        else
            m_ok = false;
    }
    void Word(uint16_t w)
    {
        Byte(static_cast<uint8_t>(w >> 8));
        Byte(static_cast<uint8_t>(w & 0xFF));
    }
    // Entropy-coded bits, most significant first, with 0xFF stuffing.
    void Bits(uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_acc = static_cast<uint8_t>(m_acc << 1 | ((value >> i) & 1));
            if (++m_used == 8) {
                Byte(m_acc);
                if (m_acc == 0xFF)
                    Byte(0);
                m_acc = 0;
                m_used = 0;
            }
        }
    }
    void FlushBits()
    {
        if (m_used)
            Bits(0x7F, 8 - m_used); // pad with ones
    }

private:
    uint8_t* m_out;
    size_t m_capacity;
    size_t m_size = 0;
    bool m_ok = true;
    uint8_t m_acc = 0;
    int m_used = 0;
};

int Category(int v)
{
    int a = v < 0 ? -v : v, c = 0;
    while (a) {
        ++c;
        a >>= 1;
    }
    return c;
}

uint32_t Magnitude(int v, int category)
{
    return static_cast<uint32_t>(v >= 0 ? v : v + (1 << category) - 1);
}

// Transforms, quantises and writes one 8x8 block; `predictor` is the component's last DC value.
void EncodeBlock(Writer& w, const float block[64], int& predictor)
{
    const Tables& t = GetTables();
    float rows[64];
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            float sum = 0;
            for (int x = 0; x < 8; ++x)
                sum += t.cosine[u][x] * block[y * 8 + x];
            rows[y * 8 + u] = sum;
        }
    int coefficient[64];
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            float sum = 0;
            for (int y = 0; y < 8; ++y)
                sum += t.cosine[v][y] * rows[y * 8 + u];
            coefficient[v * 8 + u] = static_cast<int>(std::lround(sum / kQuant));
        }
    int dc = coefficient[0], diff = dc - predictor, cat = Category(diff);
    predictor = dc;
    w.Bits(static_cast<uint32_t>(cat), 4);
    w.Bits(Magnitude(diff, cat), cat);
    int run = 0;
    for (int i = 1; i < 64; ++i) {
        int c = coefficient[t.zigzag[i]];
        if (c == 0) {
            ++run;
            continue;
        }
        while (run >= 16) {
            w.Bits(t.acCode[0xF0], 8);
            run -= 16;
        }
        int size = Category(c);
        w.Bits(t.acCode[run << 4 | size], 8);
        w.Bits(Magnitude(c, size), size);
        run = 0;
    }
    if (run)
        w.Bits(t.acCode[0x00], 8);
}

void WriteHeaders(Writer& w, int32_t width, int32_t height)
{
    const Tables& t = GetTables();
    w.Word(0xFFD8);
    w.Word(0xFFDB); // one quantisation table for all components
    w.Word(67);
    w.Byte(0);
    for (int i = 0; i < 64; ++i)
        w.Byte(kQuant);
    w.Word(0xFFC0); // baseline frame: Y 2x1, Cb and Cr 1x1
    w.Word(17);
    w.Byte(8);
    w.Word(static_cast<uint16_t>(height));
    w.Word(static_cast<uint16_t>(width));
    w.Byte(3);
    const uint8_t sampling[3] = {0x21, 0x11, 0x11};
    for (int c = 0; c < 3; ++c) {
        w.Byte(static_cast<uint8_t>(c + 1));
        w.Byte(sampling[c]);
        w.Byte(0);
    }
    w.Word(0xFFC4); // DC and AC tables shared by all components
    w.Word(static_cast<uint16_t>(2 + 17 + kDcSymbols + 17 + kAcSymbols));
    w.Byte(0x00);
    for (int length = 1; length <= 16; ++length)
        w.Byte(length == 4 ? kDcSymbols : 0);
    for (int i = 0; i < kDcSymbols; ++i)
        w.Byte(static_cast<uint8_t>(i));
    w.Byte(0x10);
    for (int length = 1; length <= 16; ++length)
        w.Byte(length == 8 ? kAcSymbols : 0);
    for (int i = 0; i < kAcSymbols; ++i)
        w.Byte(t.acSymbols[i]);
    w.Word(0xFFDA);
    w.Word(12);
    w.Byte(3);
    for (int c = 0; c < 3; ++c) {
        w.Byte(static_cast<uint8_t>(c + 1));
        w.Byte(0x00);
    }
    w.Byte(0);
    w.Byte(63);
    w.Byte(0);
}

} // namespace

size_t EncodeMjpeg(const uint8_t* yuy2, int32_t width, int32_t height, uint8_t* out, size_t capacity)
{
    if (!yuy2 || !out || width <= 0 || height <= 0 || width % 16 || height % 8 || width > 4096 || height > 4096)
        return 0;
    Writer w(out, capacity);
    WriteHeaders(w, width, height);
    int predictor[3] = {0, 0, 0};
    float block[64];
    const size_t stride = static_cast<size_t>(width) * 2;
    for (int32_t by = 0; by < height && w.Ok(); by += 8) {
        for (int32_t bx = 0; bx < width && w.Ok(); bx += 16) {
            const uint8_t* mcu = yuy2 + static_cast<size_t>(by) * stride + static_cast<size_t>(bx) * 2;
            for (int half = 0; half < 2; ++half) {
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        block[y * 8 + x] = mcu[y * stride + (half * 8 + x) * 2] - 128.0f;
                EncodeBlock(w, block, predictor[0]);
            }
            for (int plane = 0; plane < 2; ++plane) {
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        block[y * 8 + x] = mcu[y * stride + x * 4 + 1 + plane * 2] - 128.0f;
                EncodeBlock(w, block, predictor[1 + plane]);
            }
        }
    }
    w.FlushBits();
    w.Word(0xFFD9);
    return w.Ok() ? w.Size() : 0;
}

} // namespace sim
