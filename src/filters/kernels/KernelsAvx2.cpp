// AVX2 rows, used when the processor has them: 16 YUY2 pixels per step to 24-bit or 32-bit RGB, RGB24
// widened to 32-bit RGB with byte shuffles, and mirrored RGB24 rows reversed five pixels per shuffle. Only these
// functions use AVX2 instructions, so the rest of the program runs on any x86-64 processor.
#include "filters/kernels/KernelsInternal.h"

#if defined(QUILLO_KERNELS_X86)

#include <immintrin.h>

#if defined(__GNUC__)
#define QUILLO_AVX2 __attribute__((target("avx2")))
#define QUILLO_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#else
#define QUILLO_AVX2
#define QUILLO_AVX2_INLINE inline
#endif

namespace kernels {
namespace detail {
namespace {

QUILLO_AVX2_INLINE __m256i Splat16(int v)
{
    return _mm256_set1_epi16(static_cast<short>(static_cast<uint16_t>(v)));
}

// Sixteen YUY2 pixels to blue, green and red in 16-bit lanes, not yet clamped to 255. `order` picks the
// pairs (dwords) of the 32 loaded bytes for the eight dword positions; mirrored, the two pixels of each
// pair also swap.
template <bool Mirror> QUILLO_AVX2_INLINE void Colours16(__m256i s, __m256i& b, __m256i& g, __m256i& r)
{
    // Each lane holds four pairs Y0 U Y1 V; every 16-bit result word takes its sample in the high byte.
    const char z = -128;
    __m256i y;
    if (Mirror) {
        y = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 2, z, 0, z, 6, z, 4, z, 10, z, 8, z, 14, z, 12, //
                                                    z, 2, z, 0, z, 6, z, 4, z, 10, z, 8, z, 14, z, 12));
    } else {
        y = _mm256_slli_epi16(s, 8);
    }
    const __m256i u = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 1, z, 1, z, 5, z, 5, z, 9, z, 9, z, 13, z, 13, //
                                                              z, 1, z, 1, z, 5, z, 5, z, 9, z, 9, z, 13, z, 13));
    const __m256i v = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 3, z, 3, z, 7, z, 7, z, 11, z, 11, z, 15, z, 15, //
                                                              z, 3, z, 3, z, 7, z, 7, z, 11, z, 11, z, 15, z, 15));

    const __m256i yy = _mm256_mulhi_epu16(y, Splat16(kYMul));
    b = _mm256_srli_epi16(
        _mm256_subs_epu16(_mm256_add_epi16(yy, _mm256_mulhi_epu16(u, Splat16(kUBMul))), Splat16(kBiasB)), 6);
    g = _mm256_srli_epi16(_mm256_subs_epu16(_mm256_subs_epu16(_mm256_add_epi16(yy, Splat16(kBiasG)),
                                                              _mm256_mulhi_epu16(u, Splat16(kUGMul))),
                                            _mm256_mulhi_epu16(v, Splat16(kVGMul))),
                          6);
    r = _mm256_srli_epi16(
        _mm256_subs_epu16(_mm256_add_epi16(yy, _mm256_mulhi_epu16(v, Splat16(kVRMul))), Splat16(kBiasR)), 6);
}

// Sixteen YUY2 pixels to sixteen B G R triples (48 bytes). Mirrored, the last pixel comes first.
template <bool Mirror> QUILLO_AVX2_INLINE void Yuy2Block16(const uint8_t* src, uint8_t* dst)
{
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
    if (Mirror) {
        s = _mm256_permutevar8x32_epi32(s, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0)); // pairs last first
    }
    __m256i b, g, r;
    Colours16<Mirror>(s, b, g, r);

    // B G in one word and R in another; byte shuffles then lay out each lane's eight pixels as 24 bytes
    // B G R: the first 16 in `head`, the last 8 in `tail`. Lane 0 holds pixels 0-7, lane 1 pixels 8-15.
    const char z = -128;
    const __m256i max = Splat16(255);
    const __m256i bg = _mm256_or_si256(_mm256_min_epi16(b, max), _mm256_slli_epi16(_mm256_min_epi16(g, max), 8));
    const __m256i r8 = _mm256_min_epi16(r, max);
    const __m256i head =
        _mm256_or_si256(_mm256_shuffle_epi8(bg, _mm256_setr_epi8(0, 1, z, 2, 3, z, 4, 5, z, 6, 7, z, 8, 9, z, 10, //
                                                                 0, 1, z, 2, 3, z, 4, 5, z, 6, 7, z, 8, 9, z, 10)),
                        _mm256_shuffle_epi8(r8, _mm256_setr_epi8(z, z, 0, z, z, 2, z, z, 4, z, z, 6, z, z, 8, z, //
                                                                 z, z, 0, z, z, 2, z, z, 4, z, z, 6, z, z, 8, z)));
    const __m256i tail =
        _mm256_or_si256(_mm256_shuffle_epi8(bg, _mm256_setr_epi8(11, z, 12, 13, z, 14, 15, z, z, z, z, z, z, z, z, z, //
                                                                 11, z, 12, 13, z, 14, 15, z, z, z, z, z, z, z, z, z)),
                        _mm256_shuffle_epi8(r8, _mm256_setr_epi8(z, 10, z, z, 12, z, z, 14, z, z, z, z, z, z, z, z, //
                                                                 z, 10, z, z, 12, z, z, 14, z, z, z, z, z, z, z, z)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(head));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 16), _mm256_castsi256_si128(tail));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 24), _mm256_extracti128_si256(head, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 40), _mm256_extracti128_si256(tail, 1));
}

// Sixteen YUY2 pixels to sixteen B G R 0 pixels (64 bytes). Mirrored, the last pixel comes first.
// The same sums as Colours16, in signed 16-bit lanes: the biases go into the chroma terms, a sum below
// zero stays negative through the arithmetic shift and the signed-to-unsigned pack clamps it to 0, and a
// saturated 32767 still packs to 255, so every byte equals the plain path's.
template <bool Mirror> QUILLO_AVX2_INLINE void Yuy2Block16Rgb32(const uint8_t* src, uint8_t* dst)
{
    // The pairs are loaded as 0 1 4 5 | 2 3 6 7 (mirrored: 7 6 3 2 | 5 4 1 0), so that the in-lane
    // interleaves below leave pixels 0-7 in the first register and 8-15 in the second.
    const __m256i order =
        Mirror ? _mm256_setr_epi32(7, 6, 3, 2, 5, 4, 1, 0) : _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
    const __m256i s = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(src)), order);
    const char z = -128;
    __m256i y;
    if (Mirror) {
        y = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 2, z, 0, z, 6, z, 4, z, 10, z, 8, z, 14, z, 12, //
                                                    z, 2, z, 0, z, 6, z, 4, z, 10, z, 8, z, 14, z, 12));
    } else {
        y = _mm256_slli_epi16(s, 8);
    }
    const __m256i u = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 1, z, 1, z, 5, z, 5, z, 9, z, 9, z, 13, z, 13, //
                                                              z, 1, z, 1, z, 5, z, 5, z, 9, z, 9, z, 13, z, 13));
    const __m256i v = _mm256_shuffle_epi8(s, _mm256_setr_epi8(z, 3, z, 3, z, 7, z, 7, z, 11, z, 11, z, 15, z, 15, //
                                                              z, 3, z, 3, z, 7, z, 7, z, 11, z, 11, z, 15, z, 15));
    const __m256i yy = _mm256_mulhi_epu16(y, Splat16(kYMul));
    const __m256i ub = _mm256_sub_epi16(_mm256_mulhi_epu16(u, Splat16(kUBMul)), Splat16(kBiasB));
    const __m256i vr = _mm256_sub_epi16(_mm256_mulhi_epu16(v, Splat16(kVRMul)), Splat16(kBiasR));
    const __m256i b = _mm256_srai_epi16(_mm256_adds_epi16(yy, ub), 6);
    const __m256i r = _mm256_srai_epi16(_mm256_adds_epi16(yy, vr), 6);
    const __m256i g = _mm256_srai_epi16(_mm256_sub_epi16(_mm256_sub_epi16(_mm256_add_epi16(yy, Splat16(kBiasG)),
                                                                          _mm256_mulhi_epu16(u, Splat16(kUGMul))),
                                                         _mm256_mulhi_epu16(v, Splat16(kVGMul))),
                                        6);
    // Packs clamp to 0..255: B..B R..R and G..G 0..0 per lane, then interleaved to B G R 0.
    const __m256i br = _mm256_packus_epi16(b, r);
    const __m256i g0 = _mm256_packus_epi16(g, _mm256_setzero_si256());
    const __m256i bg = _mm256_unpacklo_epi8(br, g0);
    const __m256i r0 = _mm256_unpackhi_epi8(br, g0);
    __m256i* out = reinterpret_cast<__m256i*>(dst);
    _mm256_storeu_si256(out, _mm256_unpacklo_epi16(bg, r0));
    _mm256_storeu_si256(out + 1, _mm256_unpackhi_epi16(bg, r0));
}

} // namespace

QUILLO_AVX2 void Yuy2ToRgb24RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        const int blocks = width / 16;
        for (int i = 0; i < blocks; ++i) {
            Yuy2Block16<false>(src + 32 * i, dst + 48 * i);
        }
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
    for (int i = 0; i < blocks; ++i) {
        Yuy2Block16<true>(src + 2 * (width - 16 * (i + 1)), dst + 48 * i);
    }
    Yuy2ToRgb24RowScalar(src, dst + 48 * blocks, width - 16 * blocks, true);
}

QUILLO_AVX2 void Yuy2ToRgb32RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
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

QUILLO_AVX2 void Rgb24ToRgb32RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    // Eight pixels per register: bytes 0-15 feed lane 0 (pixels 0-3), bytes 8-23 lane 1 (pixels 4-7),
    // so no load reaches past the 24 bytes of the eight pixels.
    const char z = -128;
    const __m256i widen = _mm256_setr_epi8(0, 1, 2, z, 3, 4, 5, z, 6, 7, 8, z, 9, 10, 11, z, //
                                           4, 5, 6, z, 7, 8, 9, z, 10, 11, 12, z, 13, 14, 15, z);
    // Mirrored, lane 0 takes pixels 7-4 from bytes 8-23 and lane 1 pixels 3-0 from bytes 0-15.
    const __m256i reverse = _mm256_setr_epi8(13, 14, 15, z, 10, 11, 12, z, 7, 8, 9, z, 4, 5, 6, z, //
                                             9, 10, 11, z, 6, 7, 8, z, 3, 4, 5, z, 0, 1, 2, z);
    const int blocks = width / 8;
    for (int i = 0; i < blocks; ++i) {
        const uint8_t* in = mirror ? src + 3 * (width - 8 * (i + 1)) : src + 24 * i;
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8));
        const __m256i pixels = mirror ? _mm256_inserti128_si256(_mm256_castsi128_si256(high), low, 1)
                                      : _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 32 * i),
                            _mm256_shuffle_epi8(pixels, mirror ? reverse : widen));
    }
    const int done = 8 * blocks;
    Rgb24ToRgb32RowScalar(mirror ? src : src + 3 * done, dst + 4 * done, width - done, mirror);
}

QUILLO_AVX2 void Rgb24ToRgb24RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        Rgb24ToRgb24RowScalar(src, dst, width, false);
        return;
    }
    // Five pixels (15 bytes) per step: each step loads the 16 bytes that end with its five source pixels and
    // reverses them; the 16-byte store's last byte is scratch that the next store overwrites. A step
    // therefore needs one more output pixel after it and one more source byte before it: the last pixels
    // of a row go through the plain loop.
    const __m128i reverse = _mm_setr_epi8(13, 14, 15, 10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3, -128);
    int x = 0;
    for (; x + 10 < width; x += 10) {
        // Output pixels x..x+4 come from source pixels width-1-x down to width-5-x.
        const uint8_t* first = src + 3 * (width - 5 - x) - 1;
        const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first)), reverse);
        const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first - 15)), reverse);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * x), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * x + 15), b);
    }
    Rgb24ToRgb24RowScalar(src, dst + 3 * x, width - x, true);
}

} // namespace detail
} // namespace kernels

#endif
