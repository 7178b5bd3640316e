// SSE2 rows, the baseline of every x86-64 processor: 16 pixels per step, YUY2 to 24-bit or 32-bit RGB and
// RGB24 widened to 32-bit RGB.
#include "filters/kernels/KernelsInternal.h"

#if defined(QUILLO_KERNELS_X86)

#include <emmintrin.h>

#include <cstring>

namespace kernels {
namespace detail {
namespace {

inline __m128i Splat16(int v)
{
    return _mm_set1_epi16(static_cast<short>(static_cast<uint16_t>(v)));
}

// Even lanes `even`, odd lanes `odd`.
inline __m128i Pairs16(int even, int odd)
{
    return _mm_set1_epi32(static_cast<int>(static_cast<uint32_t>(odd) << 16 | static_cast<uint32_t>(even)));
}

// Eight YUY2 pixels (four pairs) to blue, green and red in 16-bit lanes, not yet clamped to 255.
// Mirrored, the pixels come out last first.
template <bool Mirror> inline void ColoursOf8(__m128i src, __m128i& b, __m128i& g, __m128i& r)
{
    if (Mirror) {
        src = _mm_shuffle_epi32(src, _MM_SHUFFLE(0, 1, 2, 3));
    }
    __m128i y = _mm_slli_epi16(src, 8); // Y * 256 in every lane
    if (Mirror) {
        y = _mm_shufflehi_epi16(_mm_shufflelo_epi16(y, _MM_SHUFFLE(2, 3, 0, 1)), _MM_SHUFFLE(2, 3, 0, 1));
    }
    // Chroma terms once per pair (U * 256 and V * 256 alternate), then spread to both pixels of the pair.
    const __m128i uv = _mm_and_si128(src, Splat16(0xFF00));
    const __m128i blueRed = _mm_mulhi_epu16(uv, Pairs16(kUBMul, kVRMul));
    const __m128i ub =
        _mm_shufflehi_epi16(_mm_shufflelo_epi16(blueRed, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
    const __m128i vr =
        _mm_shufflehi_epi16(_mm_shufflelo_epi16(blueRed, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    const __m128i green = _mm_mulhi_epu16(uv, Pairs16(kUGMul, kVGMul));
    const __m128i ugvg = _mm_add_epi16(
        green, _mm_shufflehi_epi16(_mm_shufflelo_epi16(green, _MM_SHUFFLE(2, 3, 0, 1)), _MM_SHUFFLE(2, 3, 0, 1)));

    const __m128i yy = _mm_mulhi_epu16(y, Splat16(kYMul));
    b = _mm_srli_epi16(_mm_subs_epu16(_mm_add_epi16(yy, ub), Splat16(kBiasB)), 6);
    g = _mm_srli_epi16(_mm_subs_epu16(_mm_add_epi16(yy, Splat16(kBiasG)), ugvg), 6);
    r = _mm_srli_epi16(_mm_subs_epu16(_mm_add_epi16(yy, vr), Splat16(kBiasR)), 6);
}

// Four B G R 0 pixels to two runs of six bytes B G R B G R, at bytes 0 and 8 of the register.
inline __m128i PackPixelPairs(__m128i p)
{
    const __m128i low24 = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    return _mm_or_si128(_mm_and_si128(p, low24), _mm_andnot_si128(low24, _mm_srli_epi64(p, 8)));
}

// Writes the six-byte runs one after the other with 8-byte stores, each overwriting the two spare bytes
// of the one before: cheaper than gathering the runs into whole registers. With Overrun false the last
// run is written exactly, for a block that ends its row.
template <bool Overrun> inline void StorePixelPairs(uint8_t* dst, const __m128i (&runs)[4])
{
    for (int k = 0; k < 4; ++k) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 12 * k), runs[k]);
        if (Overrun || k < 3) {
            // movhps: stores the high eight bytes, any alignment.
            _mm_storeh_pi(reinterpret_cast<__m64*>(dst + 12 * k + 6), _mm_castsi128_ps(runs[k]));
        }
    }
    if (!Overrun) {
        const uint32_t first = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(runs[3], 8)));
        const uint16_t last = static_cast<uint16_t>(_mm_cvtsi128_si32(_mm_srli_si128(runs[3], 12)));
        std::memcpy(dst + 42, &first, 4);
        std::memcpy(dst + 46, &last, 2);
    }
}

// Sixteen YUY2 pixels to 48 bytes B G R; with Overrun, two more bytes after them are scratch.
template <bool Mirror, bool Overrun> inline void Yuy2Block16(const uint8_t* src, uint8_t* dst)
{
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    __m128i b0, g0, r0, b1, g1, r1;
    ColoursOf8<Mirror>(Mirror ? second : first, b0, g0, r0);
    ColoursOf8<Mirror>(Mirror ? first : second, b1, g1, r1);

    const __m128i zero = _mm_setzero_si128();
    const __m128i b = _mm_packus_epi16(b0, b1);
    const __m128i g = _mm_packus_epi16(g0, g1);
    const __m128i r = _mm_packus_epi16(r0, r1);
    const __m128i bgLow = _mm_unpacklo_epi8(b, g);
    const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i rLow = _mm_unpacklo_epi8(r, zero);
    const __m128i rHigh = _mm_unpackhi_epi8(r, zero);
    const __m128i runs[4] = {
        PackPixelPairs(_mm_unpacklo_epi16(bgLow, rLow)), PackPixelPairs(_mm_unpackhi_epi16(bgLow, rLow)),
        PackPixelPairs(_mm_unpacklo_epi16(bgHigh, rHigh)), PackPixelPairs(_mm_unpackhi_epi16(bgHigh, rHigh))};
    StorePixelPairs<Overrun>(dst, runs);
}

// Converts `blocks` blocks of 16 pixels; `pixelsAfter` output pixels follow them in the row.
template <bool Mirror> inline void Yuy2Blocks(const uint8_t* src, uint8_t* dst, int blocks, int width, bool pixelsAfter)
{
    for (int i = 0; i < blocks; ++i) {
        const uint8_t* in = Mirror ? src + 2 * (width - 16 * (i + 1)) : src + 32 * i;
        if (i + 1 < blocks || pixelsAfter) {
            Yuy2Block16<Mirror, true>(in, dst + 48 * i);
        } else {
            Yuy2Block16<Mirror, false>(in, dst + 48 * i);
        }
    }
}

// Sixteen YUY2 pixels to 64 bytes B G R 0.
template <bool Mirror> inline void Yuy2Block16Rgb32(const uint8_t* src, uint8_t* dst)
{
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    __m128i b0, g0, r0, b1, g1, r1;
    ColoursOf8<Mirror>(Mirror ? second : first, b0, g0, r0);
    ColoursOf8<Mirror>(Mirror ? first : second, b1, g1, r1);

    const __m128i zero = _mm_setzero_si128();
    const __m128i b = _mm_packus_epi16(b0, b1);
    const __m128i g = _mm_packus_epi16(g0, g1);
    const __m128i r = _mm_packus_epi16(r0, r1);
    const __m128i bgLow = _mm_unpacklo_epi8(b, g);
    const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i rLow = _mm_unpacklo_epi8(r, zero);
    const __m128i rHigh = _mm_unpackhi_epi8(r, zero);
    __m128i* out = reinterpret_cast<__m128i*>(dst);
    _mm_storeu_si128(out, _mm_unpacklo_epi16(bgLow, rLow));
    _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(bgLow, rLow));
    _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(bgHigh, rHigh));
    _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(bgHigh, rHigh));
}

// Four pixels B G R in the low twelve bytes of `p` to four B G R 0 pixels; mirrored, last first.
template <bool Mirror> inline __m128i Widen4(__m128i p)
{
    const __m128i pixel0 = _mm_set_epi32(0, 0, 0, 0x00FFFFFF);
    const __m128i pixel1 = _mm_slli_si128(pixel0, 4);
    const __m128i pixel2 = _mm_slli_si128(pixel0, 8);
    const __m128i pixel3 = _mm_slli_si128(pixel0, 12);
    const __m128i wide = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(p, pixel0), _mm_and_si128(_mm_slli_si128(p, 1), pixel1)),
        _mm_or_si128(_mm_and_si128(_mm_slli_si128(p, 2), pixel2), _mm_and_si128(_mm_slli_si128(p, 3), pixel3)));
    return Mirror ? _mm_shuffle_epi32(wide, _MM_SHUFFLE(0, 1, 2, 3)) : wide;
}

// Sixteen RGB24 pixels (exactly 48 bytes read) to 64 bytes B G R 0; mirrored, last first.
template <bool Mirror> inline void Rgb24Block16Rgb32(const uint8_t* src, uint8_t* dst)
{
    const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    const __m128i s2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
    // Pixels 0-3 are bytes 0-11, pixels 4-7 bytes 12-23, and so on.
    const __m128i groups[4] = {s0, _mm_or_si128(_mm_srli_si128(s0, 12), _mm_slli_si128(s1, 4)),
                               _mm_or_si128(_mm_srli_si128(s1, 8), _mm_slli_si128(s2, 8)), _mm_srli_si128(s2, 4)};
    __m128i* out = reinterpret_cast<__m128i*>(dst);
    for (int k = 0; k < 4; ++k) {
        _mm_storeu_si128(out + k, Widen4<Mirror>(groups[Mirror ? 3 - k : k]));
    }
}

} // namespace

void Yuy2ToRgb24RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        const int blocks = width / 16;
        Yuy2Blocks<false>(src, dst, blocks, width, width > 16 * blocks);
        Yuy2ToRgb24RowScalar(src + 32 * blocks, dst + 48 * blocks, width - 16 * blocks, false);
        return;
    }
    if (width & 1) {
        // The lone last pixel comes first; the rest are whole pairs.
        Yuy2ToRgb24RowScalar(src + 4 * (width / 2), dst, 1, false);
        dst += 3;
        --width;
    }
    const int blocks = width / 16;
    Yuy2Blocks<true>(src, dst, blocks, width, width > 16 * blocks);
    Yuy2ToRgb24RowScalar(src, dst + 48 * blocks, width - 16 * blocks, true);
}

void Yuy2ToRgb32RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        const int blocks = width / 16;
        for (int i = 0; i < blocks; ++i) {
            Yuy2Block16Rgb32<false>(src + 32 * i, dst + 64 * i);
        }
        Yuy2ToRgb32RowScalar(src + 32 * blocks, dst + 64 * blocks, width - 16 * blocks, false);
        return;
    }
    if (width & 1) {
        // The lone last pixel comes first; the rest are whole pairs.
        Yuy2ToRgb32RowScalar(src + 4 * (width / 2), dst, 1, false);
        dst += 4;
        --width;
    }
    const int blocks = width / 16;
    for (int i = 0; i < blocks; ++i) {
        Yuy2Block16Rgb32<true>(src + 2 * (width - 16 * (i + 1)), dst + 64 * i);
    }
    Yuy2ToRgb32RowScalar(src, dst + 64 * blocks, width - 16 * blocks, true);
}

void Rgb24ToRgb32RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    const int blocks = width / 16;
    if (!mirror) {
        for (int i = 0; i < blocks; ++i) {
            Rgb24Block16Rgb32<false>(src + 48 * i, dst + 64 * i);
        }
        Rgb24ToRgb32RowScalar(src + 48 * blocks, dst + 64 * blocks, width - 16 * blocks, false);
        return;
    }
    for (int i = 0; i < blocks; ++i) {
        Rgb24Block16Rgb32<true>(src + 3 * (width - 16 * (i + 1)), dst + 64 * i);
    }
    Rgb24ToRgb32RowScalar(src, dst + 64 * blocks, width - 16 * blocks, true);
}

} // namespace detail
} // namespace kernels

#endif
