#include "tools/core/SampleRow.h"

#include <cstdint>
#include <cstring>

#include "tools/core/Bicubic.h"
#include "tools/core/TKelvoCorrectionMapping.h"

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <immintrin.h>
#define KELVO_X86_SAMPLER 1
#else
#define KELVO_X86_SAMPLER 0
#endif

void SampleSourceRowPortable(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality,
                             Byte* out) {
    for (int i = 0; i < n; ++i, out += 3) SampleSourceAt(source, X[i], Y[i], quality, out);
}

#if KELVO_X86_SAMPLER
namespace {
__attribute__((target("sse4.1"))) inline double RoundEvenSse(double v) {
    return _mm_cvtsd_f64(_mm_round_sd(_mm_setzero_pd(), _mm_set_sd(v), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
}

// Each neighbourhood row of 4 pixels is rearranged into 16-bit pairs per channel (pixels 0 and 1, then
// 2 and 3) and multiplied with the matching weight pairs, so one multiply-add gives three channel sums.
// A shuffle index of -1 gives a zero byte.
__attribute__((target("sse4.1"))) void SampleRowSse41(const TKelvoPixels& source, const double* X, const double* Y,
                                                      int n, Byte quality, Byte* out) {
    const std::int32_t l = source.Left();
    const std::int32_t t = source.Top();
    const std::int32_t r = l + source.Width();
    const std::int32_t b = t + source.Height();
    const double left = l, top = t, right = r, bottom = b;
    const std::intptr_t stride = source.Stride();
    // End of the pixels of the last row: a 16-byte load (12 bytes needed) must not pass it. Loads in
    // earlier rows end at most 4 bytes into the next row.
    const Byte* end = source.Row(b - 1) + std::intptr_t(source.Width()) * 3;
    const auto& table = BicubicWeights();

    const __m128i pairLo = _mm_setr_epi8(0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1);
    const __m128i pairHi = _mm_setr_epi8(6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1);
    const __m128 inverse = _mm_set1_ps(BicubicInverseScale);
    const __m128i q0 = _mm_setzero_si128();

    for (int i = 0; i < n; ++i, out += 3) {
        const double x = X[i];
        const double y = Y[i];
        if (!(x > left - 1.0 && x < right + 1.0 && y > top - 1.0 && y < bottom + 1.0)) {
            out[0] = out[1] = out[2] = 0xFF;
            continue;
        }
        const auto ix = static_cast<std::int32_t>(RoundEvenSse(x));
        const auto iy = static_cast<std::int32_t>(RoundEvenSse(y));
        if (ix < l || ix >= r || iy < t || iy >= b) {
            out[0] = out[1] = out[2] = 0xFF;
            continue;
        }
        if (quality == 0 || x < 0.0 || y < 0.0) {
            const Byte* p = source.PixelAddress(ix, iy);
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
            continue;
        }
        const auto txi = static_cast<std::int32_t>(x);
        const auto tyi = static_cast<std::int32_t>(y);
        const int ty = static_cast<int>(RoundEvenSse((y - tyi) * BicubicSteps));
        const int tx = static_cast<int>(RoundEvenSse((x - txi) * BicubicSteps));
        const std::int64_t x0 = std::int64_t(txi) - 1;
        const std::int64_t y0 = std::int64_t(tyi) - 1;
        if (!(x0 >= l && x0 + 3 < r && y0 >= t && y0 + 3 < b)) {
            bicubic_detail::SampleAt(source, tyi, txi, ty, tx, out);
            continue;
        }
        const Byte* row = source.PixelAddress(std::int32_t(x0), std::int32_t(y0));
        if (row + 3 * stride + 16 > end) {
            // A wide load at the end of the last row would pass the image memory.
            bicubic_detail::Combine(table.Weights[ty][tx], row, row + stride, row + 2 * stride, row + 3 * stride, out);
            continue;
        }
        const std::int16_t* w = table.Weights[ty][tx];
        const __m128i w01 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));      // rows 0 and 1
        const __m128i w23 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 8));  // rows 2 and 3
        // Weight pairs w0 w1 and w2 w3 of a row, repeated over the lanes (the fourth lane meets zero bytes).
        const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        __m128i sum = _mm_madd_epi16(_mm_shuffle_epi8(p0, pairLo), _mm_shuffle_epi32(w01, 0x00));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p0, pairHi), _mm_shuffle_epi32(w01, 0x55)));
        const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + stride));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p1, pairLo), _mm_shuffle_epi32(w01, 0xAA)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p1, pairHi), _mm_shuffle_epi32(w01, 0xFF)));
        const __m128i p2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 2 * stride));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p2, pairLo), _mm_shuffle_epi32(w23, 0x00)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p2, pairHi), _mm_shuffle_epi32(w23, 0x55)));
        const __m128i p3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 3 * stride));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p3, pairLo), _mm_shuffle_epi32(w23, 0xAA)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p3, pairHi), _mm_shuffle_epi32(w23, 0xFF)));
        // Truncation toward zero, then clamping to a byte, as the portable loop: negative sums give 0 either
        // way; the rest (below 2^23) is exact as float, and its product with the inverse scale truncates to the
        // quotient; the packs saturate at 255.
        const __m128 q = _mm_mul_ps(_mm_cvtepi32_ps(_mm_max_epi32(sum, _mm_setzero_si128())), inverse);
        const __m128i bytes = _mm_packus_epi16(_mm_packus_epi32(_mm_cvttps_epi32(q), q0), q0);
        const std::uint32_t bgr = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
        if (i + 1 < n) {
            std::memcpy(out, &bgr, 4);  // the fourth byte is overwritten by the next pixel
        } else {
            out[0] = Byte(bgr);
            out[1] = Byte(bgr >> 8);
            out[2] = Byte(bgr >> 16);
        }
    }
}

bool HasSse41() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("sse4.1") != 0;
    }();
    return has;
}
}  // namespace

bool SampleSourceRowIsVectorised() { return HasSse41(); }

void SampleSourceRow(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality, Byte* out) {
    if (source.Height() > 0 && source.Stride() >= std::int64_t(source.Width()) * 3 && HasSse41())
        SampleRowSse41(source, X, Y, n, quality, out);
    else
        SampleSourceRowPortable(source, X, Y, n, quality, out);
}
#else
bool SampleSourceRowIsVectorised() { return false; }

void SampleSourceRow(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality, Byte* out) {
    SampleSourceRowPortable(source, X, Y, n, quality, out);
}
#endif
