// AVX2 rows, used when the processor has them: 16 YUY2 pixels per step, and mirrored RGB24 rows
// reversed 16 pixels at a time with byte shuffles. Only these functions use AVX2 instructions, so
// the rest of the program runs on any x86-64 processor.
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

// Sixteen YUY2 pixels to sixteen B G R triples (48 bytes). Mirrored, the last pixel comes first.
template <bool Mirror> QUILLO_AVX2_INLINE void Yuy2Block16(const uint8_t* src, uint8_t* dst)
{
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
    if (Mirror) {
        s = _mm256_permutevar8x32_epi32(s, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0)); // pairs last first
    }
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
    const __m256i b = _mm256_srli_epi16(
        _mm256_subs_epu16(_mm256_add_epi16(yy, _mm256_mulhi_epu16(u, Splat16(kUBMul))), Splat16(kBiasB)), 6);
    const __m256i g = _mm256_srli_epi16(_mm256_subs_epu16(_mm256_subs_epu16(_mm256_add_epi16(yy, Splat16(kBiasG)),
                                                                            _mm256_mulhi_epu16(u, Splat16(kUGMul))),
                                                          _mm256_mulhi_epu16(v, Splat16(kVGMul))),
                                        6);
    const __m256i r = _mm256_srli_epi16(
        _mm256_subs_epu16(_mm256_add_epi16(yy, _mm256_mulhi_epu16(v, Splat16(kVRMul))), Splat16(kBiasR)), 6);

    // B G in one word and R in another; byte shuffles then lay out each lane's eight pixels as 24 bytes
    // B G R: the first 16 in `head`, the last 8 in `tail`. Lane 0 holds pixels 0-7, lane 1 pixels 8-15.
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

// Byte shuffles that reverse sixteen three-byte pixels held in three 16-byte registers:
// output register o takes, from input register i, the bytes picked by masks[o][i] (-128 = none).
struct MirrorMasks
{
    int8_t masks[3][3][16];
};

constexpr MirrorMasks MakeMirrorMasks()
{
    MirrorMasks m{};
    for (int o = 0; o < 48; ++o) {
        const int pixel = o / 3;
        const int sourceByte = 3 * (15 - pixel) + o % 3;
        for (int i = 0; i < 3; ++i) {
            m.masks[o / 16][i][o % 16] = static_cast<int8_t>(sourceByte / 16 == i ? sourceByte % 16 : -128);
        }
    }
    return m;
}

constexpr MirrorMasks kMirrorMasks = MakeMirrorMasks();

constexpr bool TakesNothing(int o, int i)
{
    for (int b = 0; b < 16; ++b) {
        if (kMirrorMasks.masks[o][i][b] != -128) {
            return false;
        }
    }
    return true;
}
static_assert(TakesNothing(0, 0) && TakesNothing(2, 2), "the row loop leaves these shuffles out");

QUILLO_AVX2_INLINE __m128i Mask(int o, int i)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(kMirrorMasks.masks[o][i]));
}

} // namespace

QUILLO_AVX2 void Yuy2RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        const int blocks = width / 16;
        for (int i = 0; i < blocks; ++i) {
            Yuy2Block16<false>(src + 32 * i, dst + 48 * i);
        }
        Yuy2RowScalar(src + 32 * blocks, dst + 48 * blocks, width - 16 * blocks, false);
        return;
    }
    if (width & 1) {
        // The lone last pixel comes first; the rest are whole pairs.
        Yuy2RowScalar(src + 4 * (width / 2), dst, 1, false);
        dst += 3;
        --width;
    }
    const int blocks = width / 16;
    for (int i = 0; i < blocks; ++i) {
        Yuy2Block16<true>(src + 2 * (width - 16 * (i + 1)), dst + 48 * i);
    }
    Yuy2RowScalar(src, dst + 48 * blocks, width - 16 * blocks, true);
}

QUILLO_AVX2 void Rgb24RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    if (!mirror) {
        Rgb24RowScalar(src, dst, width, false);
        return;
    }
    const int blocks = width / 16;
    for (int i = 0; i < blocks; ++i) {
        const uint8_t* in = src + 3 * (width - 16 * (i + 1));
        const __m128i s[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32))};
        // The first 16 output bytes come from the last 32 input bytes, the last 16 from the first 32.
        const __m128i out0 = _mm_or_si128(_mm_shuffle_epi8(s[1], Mask(0, 1)), _mm_shuffle_epi8(s[2], Mask(0, 2)));
        const __m128i out1 =
            _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(s[0], Mask(1, 0)), _mm_shuffle_epi8(s[1], Mask(1, 1))),
                         _mm_shuffle_epi8(s[2], Mask(1, 2)));
        const __m128i out2 = _mm_or_si128(_mm_shuffle_epi8(s[0], Mask(2, 0)), _mm_shuffle_epi8(s[1], Mask(2, 1)));
        __m128i* out = reinterpret_cast<__m128i*>(dst + 48 * i);
        _mm_storeu_si128(out, out0);
        _mm_storeu_si128(out + 1, out1);
        _mm_storeu_si128(out + 2, out2);
    }
    Rgb24RowScalar(src, dst + 48 * blocks, width - 16 * blocks, true);
}

} // namespace detail
} // namespace kernels

#endif
