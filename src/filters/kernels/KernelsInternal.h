// Shared between the conversion paths: the fixed-point colour arithmetic every fast path uses
// (identical results on all of them) and the row functions each path provides.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kernels {
namespace detail {

// BT.601 limited range to full-range RGB. Luma is stretched by 255/219, chroma by 255/224.
constexpr double kLumaScale = 255.0 / 219.0;
constexpr double kChromaScale = 255.0 / 224.0;
constexpr double kBlueFromU = 1.772 * kChromaScale;
constexpr double kRedFromV = 1.402 * kChromaScale;
constexpr double kGreenFromU = 0.114 * 1.772 / 0.587 * kChromaScale;
constexpr double kGreenFromV = 0.299 * 1.402 / 0.587 * kChromaScale;

// Fixed point: each sample is taken as sample * 256 (the byte in the high half of a 16-bit word) and
// multiplied by coefficient * 2^14, keeping the high 16 bits: the product carries 6 fraction bits.
// All sums stay within 0..65535, so the vector paths work on unsigned 16-bit lanes with saturating
// subtraction, which clamps negative colours to 0 for free.
constexpr int Q14(double c)
{
    return static_cast<int>(c * 16384.0 + 0.5);
}
constexpr int kYMul = Q14(kLumaScale);
constexpr int kUBMul = Q14(kBlueFromU);
constexpr int kVRMul = Q14(kRedFromV);
constexpr int kUGMul = Q14(kGreenFromU);
constexpr int kVGMul = Q14(kGreenFromV);

// Offsets in 1/64 units: the -16 luma and -128 chroma offsets, plus 32 to round the final shift.
constexpr double kYOffset = 16.0 * kYMul / 256.0;
constexpr int kBiasB = static_cast<int>(128.0 * kUBMul / 256.0 + kYOffset - 32.0 + 0.5);
constexpr int kBiasR = static_cast<int>(128.0 * kVRMul / 256.0 + kYOffset - 32.0 + 0.5);
constexpr int kBiasG = static_cast<int>(128.0 * (kUGMul + kVGMul) / 256.0 - kYOffset + 32.0 + 0.5);

static_assert(kYMul < 65536 && kUBMul < 65536 && kVRMul < 65536, "multipliers fit 16 bits");
static_assert(255 * kYMul / 256 + 255 * kUBMul / 256 < 65536, "blue sum fits 16 bits");
static_assert(255 * kYMul / 256 + kBiasG < 65536, "green sum fits 16 bits");

inline int MulHigh(int sample, int mul)
{
    return static_cast<int>((static_cast<uint32_t>(sample) * 256u * static_cast<uint32_t>(mul)) >> 16);
}

inline uint8_t ClampShift(int v)
{
    v = v < 0 ? 0 : v >> 6;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

// One pixel with the fixed-point arithmetic, written as blue, green, red.
inline void YuvToBgrFixed(int y, int u, int v, uint8_t* bgr)
{
    const int yy = MulHigh(y, kYMul);
    bgr[0] = ClampShift(yy + MulHigh(u, kUBMul) - kBiasB);
    bgr[1] = ClampShift(yy + kBiasG - MulHigh(u, kUGMul) - MulHigh(v, kVGMul));
    bgr[2] = ClampShift(yy + MulHigh(v, kVRMul) - kBiasR);
}

// A row function converts `width` pixels starting at `src` into `width` output pixels at `dst` (BGR
// triples, or BGR and a zero byte); with `mirror` the first output pixel is the last input pixel.
// Named <input>To<output>Row<path>.
using RowFunction = void (*)(const uint8_t* src, uint8_t* dst, int width, bool mirror);

void Yuy2ToRgb24RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Yuy2ToRgb32RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Rgb24ToRgb24RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Rgb24ToRgb32RowScalar(const uint8_t* src, uint8_t* dst, int width, bool mirror);

#if defined(__x86_64__) || defined(_M_X64)
#define QUILLO_KERNELS_X86 1
void Yuy2ToRgb24RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Yuy2ToRgb32RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Rgb24ToRgb32RowSse2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Yuy2ToRgb24RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Yuy2ToRgb32RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Rgb24ToRgb24RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
void Rgb24ToRgb32RowAvx2(const uint8_t* src, uint8_t* dst, int width, bool mirror);
#endif

} // namespace detail
} // namespace kernels
