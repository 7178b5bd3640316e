// SSE2 rows, the baseline of every x86-64 processor: 16 YUY2 pixels per step become 48 bytes of BGR.
#include "filters/kernels/KernelsInternal.h"

#if defined(QUILLO_KERNELS_X86)

#include <emmintrin.h>

namespace kernels {
namespace detail {
namespace {

inline __m128i Splat16(int v)
{
    return _mm_set1_epi16(static_cast<short>(static_cast<uint16_t>(v)));
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
    const __m128i uv = _mm_and_si128(src, Splat16(0xFF00)); // U * 256 and V * 256 alternating
    const __m128i u = _mm_shufflehi_epi16(_mm_shufflelo_epi16(uv, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
    const __m128i v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(uv, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));

    const __m128i yy = _mm_mulhi_epu16(y, Splat16(kYMul));
    b = _mm_srli_epi16(_mm_subs_epu16(_mm_add_epi16(yy, _mm_mulhi_epu16(u, Splat16(kUBMul))), Splat16(kBiasB)), 6);
    g = _mm_srli_epi16(
        _mm_subs_epu16(_mm_subs_epu16(_mm_add_epi16(yy, Splat16(kBiasG)), _mm_mulhi_epu16(u, Splat16(kUGMul))),
                       _mm_mulhi_epu16(v, Splat16(kVGMul))),
        6);
    r = _mm_srli_epi16(_mm_subs_epu16(_mm_add_epi16(yy, _mm_mulhi_epu16(v, Splat16(kVRMul))), Splat16(kBiasR)), 6);
}

// Four B G R 0 pixels to twelve bytes B G R at the bottom of the register, zeros above.
inline __m128i Pack4Pixels(__m128i p)
{
    const __m128i low24 = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i six = _mm_or_si128(_mm_and_si128(p, low24), _mm_andnot_si128(low24, _mm_srli_epi64(p, 8)));
    return _mm_or_si128(_mm_move_epi64(six), _mm_slli_si128(_mm_srli_si128(six, 8), 6));
}

template <bool Mirror> inline void Yuy2Block16(const uint8_t* src, uint8_t* dst)
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
    const __m128i c0 = Pack4Pixels(_mm_unpacklo_epi16(bgLow, rLow));
    const __m128i c1 = Pack4Pixels(_mm_unpackhi_epi16(bgLow, rLow));
    const __m128i c2 = Pack4Pixels(_mm_unpacklo_epi16(bgHigh, rHigh));
    const __m128i c3 = Pack4Pixels(_mm_unpackhi_epi16(bgHigh, rHigh));

    __m128i* out = reinterpret_cast<__m128i*>(dst);
    _mm_storeu_si128(out, _mm_or_si128(c0, _mm_slli_si128(c1, 12)));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(c1, 4), _mm_slli_si128(c2, 8)));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c2, 8), _mm_slli_si128(c3, 4)));
}

} // namespace

void Yuy2RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
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

void Rgb24RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror)
{
    // Without a byte shuffle, reversing three-byte pixels gains nothing over the plain loop;
    // an unmirrored row is a straight copy on every path.
    Rgb24RowScalar(src, dst, width, mirror);
}

} // namespace detail
} // namespace kernels

#endif
