#include "tools/core/SampleRow.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

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
// The weight table laid out for the vector loop: per entry and neighbourhood row, the pair w0 w1 four times,
// then the pair w2 w3 four times (64 values an entry).
const std::int16_t* LaneWeights() {
    static const std::vector<std::int16_t> table = [] {
        constexpr int entries = (BicubicSteps + 1) * (BicubicSteps + 1);
        std::vector<std::int16_t> t(std::size_t(entries) * 64);
        const std::int16_t* w = &BicubicWeights().Weights[0][0][0];
        for (int e = 0; e < entries; ++e)
            for (int k = 0; k < 4; ++k)
                for (int lane = 0; lane < 4; ++lane)
                    for (int half = 0; half < 2; ++half) {
                        std::int16_t* v = &t[std::size_t(e) * 64 + k * 16 + half * 8 + lane * 2];
                        v[0] = w[e * 16 + k * 4 + half * 2];
                        v[1] = w[e * 16 + k * 4 + half * 2 + 1];
                    }
        return t;
    }();
    return table.data();
}

// Each neighbourhood row of 4 pixels is rearranged into 16-bit pairs per channel (pixels 0 and 1, then
// 2 and 3) and multiplied with the matching weight pairs, so one multiply-add gives three channel sums.
// A shuffle index of -1 gives a zero byte.
struct TSse41Sampler {
    const TKelvoPixels& Source;
    std::int32_t L, T, R, B;
    const Byte* Origin;  // the pixel at (L, T)
    std::intptr_t Stride;
    // Offset from Origin of the last neighbourhood a 16-byte load per row may start at (12 bytes are needed):
    // the loads must not pass the end of the last row's pixels.
    std::intptr_t LastWide;
    const std::int16_t* Weights;
    const std::int16_t* Lanes;
    // Positions from (XLo, YLo) up to, not including, (XHi, YHi) are non-negative and have their whole 4x4
    // neighbourhood inside the source.
    double XLo, XHi, YLo, YHi;

    explicit TSse41Sampler(const TKelvoPixels& source)
        : Source(source),
          L(source.Left()),
          T(source.Top()),
          R(source.Left() + source.Width()),
          B(source.Top() + source.Height()),
          Origin(source.Bits()),
          Stride(source.Stride()),
          LastWide(std::intptr_t(source.Height() - 4) * source.Stride() + std::intptr_t(source.Width()) * 3 - 16),
          Weights(&BicubicWeights().Weights[0][0][0]),
          Lanes(LaneWeights()),
          XLo(L + 1.0 > 0.0 ? L + 1.0 : 0.0),
          XHi(R - 2.0),
          YLo(T + 1.0 > 0.0 ? T + 1.0 : 0.0),
          YHi(B - 2.0) {}

    // The weighted sums of the neighbourhood starting at row (its top-left pixel) with weights w, in lanes 0-2
    // (blue, green, red; lane 3 is 0).
    __attribute__((target("sse4.1"))) static __m128i Sums(const Byte* row, std::intptr_t stride,
                                                          const std::int16_t* w) {
        const __m128i pairLo = _mm_setr_epi8(0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1);
        const __m128i pairHi = _mm_setr_epi8(6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1);
        auto weights = [w](int k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 8 * k)); };
        auto row4 = [](const Byte* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
        // Written out row by row: the builds without loop unrolling would keep a loop here.
        const __m128i p0 = row4(row), p1 = row4(row + stride), p2 = row4(row + 2 * stride), p3 = row4(row + 3 * stride);
        __m128i sum = _mm_madd_epi16(_mm_shuffle_epi8(p0, pairLo), weights(0));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p0, pairHi), weights(1)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p1, pairLo), weights(2)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p1, pairHi), weights(3)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p2, pairLo), weights(4)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p2, pairHi), weights(5)));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p3, pairLo), weights(6)));
        return _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(p3, pairHi), weights(7)));
    }

    // Division by the scale with truncation toward zero, then clamping to a byte, as the portable loop: a sum
    // (below 2^24 in magnitude) is exact as float, and its product with the inverse scale truncates to the
    // quotient; a negative quotient saturates to 0 in the first pack, one above 255 to 255 in the second. Gives
    // 16-bit values: lanes 0-2 from a, 4-6 from b, 3 and 7 zero.
    __attribute__((target("sse4.1"))) static __m128i Quotients(__m128i a, __m128i b) {
        const __m128 inverse = _mm_set1_ps(BicubicInverseScale);
        const __m128i qa = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(a), inverse));
        const __m128i qb = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(b), inverse));
        return _mm_packus_epi32(qa, qb);
    }

    // Offset from Origin of the top-left pixel of the neighbourhood of integer position (xi, yi).
    std::intptr_t Corner(std::int32_t xi, std::int32_t yi) const {
        return std::intptr_t(yi - 1 - T) * Stride + std::intptr_t(xi - 1 - L) * 3;
    }

    // A position of the fast range, alone; writes 3 bytes.
    __attribute__((target("sse4.1"))) void One(double x, double y, Byte* out) const {
        const __m128d xy = _mm_set_pd(y, x);
        const __m128d f = _mm_floor_pd(xy);  // the integer parts (the position is not negative)
        const __m128d frac = _mm_round_pd(_mm_mul_pd(_mm_sub_pd(xy, f), _mm_set1_pd(BicubicSteps)),
                                          _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        const __m128i i = _mm_cvttpd_epi32(f);
        const __m128i k = _mm_cvttpd_epi32(frac);
        const std::int32_t xi = _mm_cvtsi128_si32(i), yi = _mm_extract_epi32(i, 1);
        const int tx = _mm_cvtsi128_si32(k), ty = _mm_extract_epi32(k, 1);
        const std::intptr_t corner = Corner(xi, yi);
        const Byte* row = Origin + corner;
        const int entry = ty * (BicubicSteps + 1) + tx;
        if (corner > LastWide) {
            bicubic_detail::Combine(Weights + entry * 16, row, row + Stride, row + 2 * Stride, row + 3 * Stride, out);
            return;
        }
        const __m128i q = _mm_packus_epi16(Quotients(Sums(row, Stride, Lanes + entry * 64), _mm_setzero_si128()),
                                           _mm_setzero_si128());
        const std::uint32_t bgr = static_cast<std::uint32_t>(_mm_cvtsi128_si32(q));
        out[0] = Byte(bgr);
        out[1] = Byte(bgr >> 8);
        out[2] = Byte(bgr >> 16);
    }

    // True when both positions (x0, y0) and (x1, y1) lie from (xlo, ylo) up to, not including, (xhi, yhi);
    // false for positions that are not numbers.
    __attribute__((target("sse4.1"))) static bool BothWithin(__m128d x, __m128d y, __m128d xlo, __m128d xhi,
                                                             __m128d ylo, __m128d yhi) {
        const __m128d inside = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(x, xlo), _mm_cmplt_pd(x, xhi)),
                                          _mm_and_pd(_mm_cmpge_pd(y, ylo), _mm_cmplt_pd(y, yhi)));
        return _mm_movemask_pd(inside) == 3;
    }

    // The nearest pixel, as SampleSourceAt takes it for quality 0; writes 3 bytes.
    __attribute__((target("sse4.1"))) void NearestOne(double x, double y, Byte* out) const {
        if (x > L - 1.0 && x < R + 1.0 && y > T - 1.0 && y < B + 1.0) {
            const __m128i r =
                _mm_cvttpd_epi32(_mm_round_pd(_mm_set_pd(y, x), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
            const std::int32_t ix = _mm_cvtsi128_si32(r), iy = _mm_extract_epi32(r, 1);
            if (ix >= L && ix < R && iy >= T && iy < B) {
                std::memcpy(out, Origin + std::intptr_t(iy - T) * Stride + std::intptr_t(ix - L) * 3, 3);
                return;
            }
        }
        out[0] = out[1] = out[2] = 0xFF;
    }

    // The nearest pixels in pairs: where both positions round into the source (the usual case), they are rounded
    // and checked together.
    __attribute__((target("sse4.1"))) void Nearest(const double* X, const double* Y, int n, Byte* out) const {
        // Above L - 1 and T - 1: from the next double on.
        const __m128d xlo = _mm_set1_pd(std::nextafter(L - 1.0, R)), xhi = _mm_set1_pd(R + 1.0);
        const __m128d ylo = _mm_set1_pd(std::nextafter(T - 1.0, B)), yhi = _mm_set1_pd(B + 1.0);
        // Rounded positions x0 x1 y0 y1 must lie from (L, T) to (R - 1, B - 1).
        const __m128i lowest = _mm_setr_epi32(L, L, T, T), highest = _mm_setr_epi32(R - 1, R - 1, B - 1, B - 1);
        int i = 0;
        for (; i + 2 <= n; i += 2, out += 6) {
            const __m128d x = _mm_loadu_pd(X + i);
            const __m128d y = _mm_loadu_pd(Y + i);
            if (BothWithin(x, y, xlo, xhi, ylo, yhi)) {
                const __m128i r = _mm_unpacklo_epi64(
                    _mm_cvttpd_epi32(_mm_round_pd(x, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC)),
                    _mm_cvttpd_epi32(_mm_round_pd(y, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC)));
                const __m128i outside = _mm_or_si128(_mm_cmplt_epi32(r, lowest), _mm_cmpgt_epi32(r, highest));
                if (_mm_movemask_epi8(outside) == 0) {
                    const std::int32_t x0 = _mm_cvtsi128_si32(r), x1 = _mm_extract_epi32(r, 1);
                    const std::int32_t y0 = _mm_extract_epi32(r, 2), y1 = _mm_extract_epi32(r, 3);
                    std::memcpy(out, Origin + std::intptr_t(y0 - T) * Stride + std::intptr_t(x0 - L) * 3, 3);
                    std::memcpy(out + 3, Origin + std::intptr_t(y1 - T) * Stride + std::intptr_t(x1 - L) * 3, 3);
                    continue;
                }
            }
            NearestOne(X[i], Y[i], out);
            NearestOne(X[i + 1], Y[i + 1], out + 3);
        }
        if (i < n) NearestOne(X[i], Y[i], out);
    }

    bool Fast(double x, double y) const { return x >= XLo && x < XHi && y >= YLo && y < YHi; }

    // Any position: the fast path where it applies, else the portable one.
    __attribute__((target("sse4.1"))) void Any(double x, double y, Byte* out) const {
        if (Fast(x, y))
            One(x, y, out);
        else
            SampleSourceAt(Source, x, y, 2, out);
    }

    // Positions in pairs: where both are in the fast range (the usual case), their table positions are worked
    // out together and their sums converted together.
    __attribute__((target("sse4.1"))) void Row(const double* X, const double* Y, int n, Byte* out) const {
        const __m128d xlo = _mm_set1_pd(XLo), xhi = _mm_set1_pd(XHi), ylo = _mm_set1_pd(YLo), yhi = _mm_set1_pd(YHi);
        const __m128d steps = _mm_set1_pd(BicubicSteps);
        // Bytes 0-2 and 4-6 of the packed quotients: the two pixels one after the other.
        const __m128i join = _mm_setr_epi8(0, 1, 2, 4, 5, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
        int i = 0;
        for (; i + 2 <= n; i += 2, out += 6) {
            const __m128d x = _mm_loadu_pd(X + i);
            const __m128d y = _mm_loadu_pd(Y + i);
            if (!BothWithin(x, y, xlo, xhi, ylo, yhi)) {
                Any(X[i], Y[i], out);
                Any(X[i + 1], Y[i + 1], out + 3);
                continue;
            }
            const __m128d fx = _mm_floor_pd(x), fy = _mm_floor_pd(y);
            const __m128i tx = _mm_cvttpd_epi32(
                _mm_round_pd(_mm_mul_pd(_mm_sub_pd(x, fx), steps), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
            const __m128i ty = _mm_cvttpd_epi32(
                _mm_round_pd(_mm_mul_pd(_mm_sub_pd(y, fy), steps), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
            const __m128i xi = _mm_cvttpd_epi32(fx), yi = _mm_cvttpd_epi32(fy);
            // Table entries ty * 65 + tx, for both positions.
            const __m128i entry = _mm_add_epi32(_mm_mullo_epi32(ty, _mm_set1_epi32(BicubicSteps + 1)), tx);
            const std::intptr_t cornerA = Corner(_mm_cvtsi128_si32(xi), _mm_cvtsi128_si32(yi));
            const std::intptr_t cornerB = Corner(_mm_extract_epi32(xi, 1), _mm_extract_epi32(yi, 1));
            if (cornerA > LastWide || cornerB > LastWide) {
                Any(X[i], Y[i], out);
                Any(X[i + 1], Y[i + 1], out + 3);
                continue;
            }
            const std::int16_t* wA = Lanes + _mm_cvtsi128_si32(entry) * 64;
            const std::int16_t* wB = Lanes + _mm_extract_epi32(entry, 1) * 64;
            const __m128i q = Quotients(Sums(Origin + cornerA, Stride, wA), Sums(Origin + cornerB, Stride, wB));
            const __m128i bytes = _mm_shuffle_epi8(_mm_packus_epi16(q, q), join);
            if (i + 2 < n) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);  // bytes 6 and 7 are the next pixel's
            } else {
                Byte last[16];
                _mm_storeu_si128(reinterpret_cast<__m128i*>(last), bytes);
                std::memcpy(out, last, 6);
            }
        }
        if (i < n) Any(X[i], Y[i], out);
    }
};

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
    if (source.Height() > 0 && source.Stride() >= std::int64_t(source.Width()) * 3 && HasSse41()) {
        const TSse41Sampler sampler(source);
        if (quality == 0)
            sampler.Nearest(X, Y, n, out);
        else
            sampler.Row(X, Y, n, out);
    } else
        SampleSourceRowPortable(source, X, Y, n, quality, out);
}
#else
bool SampleSourceRowIsVectorised() { return false; }

void SampleSourceRow(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality, Byte* out) {
    SampleSourceRowPortable(source, X, Y, n, quality, out);
}
#endif
