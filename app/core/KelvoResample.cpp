#include "app/core/KelvoResample.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__GNUC__) && defined(__SSE2__) && (defined(__i386__) || defined(__x86_64__))
#include <immintrin.h>
#define KELVO_X86_RESAMPLE 1
#else
#define KELVO_X86_RESAMPLE 0
#endif

#include "classlib/core/Checked.h"
#include "classlib/core/PixelPlumbing.h"

namespace {

std::int32_t ClampIndex(std::int64_t j, std::int32_t lo, std::int32_t hi) {
    if (j < lo) return lo;
    if (j > hi) return hi;
    return std::int32_t(j);
}

// Gives the middle entry of a list whatever the rounding left over, so that the list sums to 256.
void Balance(TKelvoMappingTable& t, std::size_t first) {
    std::int32_t sum = 0;
    for (std::size_t k = first; k < t.Weight.size(); ++k) sum += t.Weight[k];
    const std::size_t entries = t.Weight.size() - first;
    t.Weight[first + (entries - 1) / 2] += 256 - sum;
}

// A sum carries 16 fractional bits; the negative lobes of the kernel may take it below 0 or above 255.
inline Byte StoreSum(std::int32_t sum) { return ClampByte(sum >> 16); }

// One destination row's vertical pass: acc[b] = sum over the taps of weight[k] x rows[k][b], for b from first
// up to count.
using TVerticalPass = void (*)(std::int32_t* acc, std::size_t first, std::size_t count, const Byte* const* rows,
                               const std::int32_t* weight, std::int32_t taps);
// One destination row's horizontal pass: width 3-byte pixels at d, pixel x the sums over its taps entries of
// weight x the three accumulators at acc + offset (blue, green, red). Every pixel has the same number of entries
// (the short lists are padded with weight 0), so that the loop over them runs the same count for every pixel and
// the processor never mispredicts its end. The entries of pixels 2p and 2p + 1 are interleaved: entry k of pixel
// x is at PairEntry(x, k, taps), so that the two-pixel loop reads both pixels' weights of a tap as one pair.
using THorizontalPass = void (*)(Byte* d, const std::int32_t* acc, const std::int32_t* offset,
                                 const std::int32_t* weight, std::int32_t taps, std::int32_t width);

// The plain loops: the reference every vector loop below gives byte for byte. The loop bodies here and below are
// written once and compiled into each pass for its instruction set: a pass that mixes the 256-bit instructions
// with the older 128-bit encoding pays for every switch between them (it made the AVX2 pass slower than none).
[[gnu::always_inline]] inline void VerticalScalar(std::int32_t* acc, std::size_t first, std::size_t count,
                                                  const Byte* const* rows, const std::int32_t* weight,
                                                  std::int32_t taps) {
    for (std::size_t b = first; b < count; ++b) acc[b] = weight[0] * std::int32_t(rows[0][b]);
    for (std::int32_t k = 1; k < taps; ++k) {
        const Byte* s = rows[k];
        const std::int32_t w = weight[k];
        for (std::size_t b = first; b < count; ++b) acc[b] += w * std::int32_t(s[b]);
    }
}

void VerticalPortable(std::int32_t* acc, std::size_t first, std::size_t count, const Byte* const* rows,
                      const std::int32_t* weight, std::int32_t taps) {
    VerticalScalar(acc, first, count, rows, weight, taps);
}

std::size_t PairEntry(std::int32_t x, std::int32_t k, std::int32_t taps) {
    return (std::size_t(x / 2) * std::size_t(taps) + std::size_t(k)) * 2 + std::size_t(x % 2);
}

void HorizontalPortable(Byte* d, const std::int32_t* acc, const std::int32_t* offset, const std::int32_t* weight,
                        std::int32_t taps, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, d += 3) {
        std::int32_t s0 = 0, s1 = 0, s2 = 0;
        const std::size_t first = PairEntry(x, 0, taps);
        for (std::size_t k = first; k < first + 2 * std::size_t(taps); k += 2) {
            const std::int32_t* p = acc + offset[k];
            const std::int32_t w = weight[k];
            s0 += w * p[0];
            s1 += w * p[1];
            s2 += w * p[2];
        }
        d[0] = StoreSum(s0);
        d[1] = StoreSum(s1);
        d[2] = StoreSum(s2);
    }
}

#if KELVO_X86_RESAMPLE
// The vector loops multiply bytes by weights as 16-bit pairs: two taps' bytes interleaved, times the two weights,
// summed in one multiply-add into 32 bits, exactly as the plain loop sums them. A weight pair is the first weight
// in the low half, the second in the high half (0 when the taps are odd in number).
inline std::int32_t WeightPair(const std::int32_t* weight, std::int32_t k, std::int32_t taps) {
    const std::int32_t second = k + 1 < taps ? weight[k + 1] : 0;
    return std::int32_t((std::uint32_t(second) << 16) | (std::uint32_t(weight[k]) & 0xFFFF));
}

// Blocks of 16 accumulators from first on, all taps summed in registers before one store; returns where the
// blocks end.
[[gnu::always_inline]] inline std::size_t VerticalBlocks16(std::int32_t* acc, std::size_t first, std::size_t count,
                                                           const Byte* const* rows, const std::int32_t* weight,
                                                           std::int32_t taps) {
    const __m128i zero = _mm_setzero_si128();
    std::size_t b = first;
    for (; b + 16 <= count; b += 16) {
        __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (std::int32_t k = 0; k < taps; k += 2) {
            const __m128i w = _mm_set1_epi32(WeightPair(weight, k, taps));
            const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + b));
            const __m128i r1 = k + 1 < taps ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + b)) : zero;
            const __m128i lo0 = _mm_unpacklo_epi8(r0, zero), hi0 = _mm_unpackhi_epi8(r0, zero);
            const __m128i lo1 = _mm_unpacklo_epi8(r1, zero), hi1 = _mm_unpackhi_epi8(r1, zero);
            s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(lo0, lo1), w));
            s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(lo0, lo1), w));
            s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(hi0, hi1), w));
            s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(hi0, hi1), w));
        }
        __m128i* out = reinterpret_cast<__m128i*>(acc + b);
        _mm_storeu_si128(out, s0);
        _mm_storeu_si128(out + 1, s1);
        _mm_storeu_si128(out + 2, s2);
        _mm_storeu_si128(out + 3, s3);
    }
    return b;
}

void VerticalSse2(std::int32_t* acc, std::size_t first, std::size_t count, const Byte* const* rows,
                  const std::int32_t* weight, std::int32_t taps) {
    const std::size_t b = VerticalBlocks16(acc, first, count, rows, weight, taps);
    VerticalScalar(acc, b, count, rows, weight, taps);
}

// Blocks of 32 accumulators. Widening keeps each 128-bit half's bytes in their half, so the sums of a register
// come out as elements 0-3 and 8-11 (or 4-7 and 12-15); they are put in order once, at the store.
[[gnu::target("avx2")]] void VerticalAvx2(std::int32_t* acc, std::size_t first, std::size_t count,
                                          const Byte* const* rows, const std::int32_t* weight, std::int32_t taps) {
    const __m256i zero = _mm256_setzero_si256();
    std::size_t b = first;
    for (; b + 32 <= count; b += 32) {
        __m256i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (std::int32_t k = 0; k < taps; k += 2) {
            const __m256i w = _mm256_set1_epi32(WeightPair(weight, k, taps));
            const Byte* p0 = rows[k] + b;
            const __m256i a0 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p0)));
            const __m256i c0 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p0 + 16)));
            __m256i a1 = zero, c1 = zero;
            if (k + 1 < taps) {
                const Byte* p1 = rows[k + 1] + b;
                a1 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p1)));
                c1 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + 16)));
            }
            s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi16(a0, a1), w));
            s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi16(a0, a1), w));
            s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi16(c0, c1), w));
            s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi16(c0, c1), w));
        }
        __m256i* out = reinterpret_cast<__m256i*>(acc + b);
        _mm256_storeu_si256(out, _mm256_permute2x128_si256(s0, s1, 0x20));
        _mm256_storeu_si256(out + 1, _mm256_permute2x128_si256(s0, s1, 0x31));
        _mm256_storeu_si256(out + 2, _mm256_permute2x128_si256(s2, s3, 0x20));
        _mm256_storeu_si256(out + 3, _mm256_permute2x128_si256(s2, s3, 0x31));
    }
    b = VerticalBlocks16(acc, b, count, rows, weight, taps);
    VerticalScalar(acc, b, count, rows, weight, taps);
    _mm256_zeroupper();
}

// A pixel's three sums in one vector: the accumulators of a tap are read as four (the fourth belongs to the next
// pixel or to the padding after the row, and is not used), times the tap's weight. Shifting and two saturating
// packs give the clamped bytes. All but the row's last pixel are written as 4 bytes, the fourth overwritten by
// the next pixel.
[[gnu::target("sse4.1"), gnu::always_inline]] inline void HorizontalPixel(Byte* d, const std::int32_t* acc,
                                                                          const std::int32_t* offset,
                                                                          const std::int32_t* weight, std::int32_t taps,
                                                                          bool last) {
    __m128i s = _mm_setzero_si128();
    for (std::int32_t k = 0; k < 2 * taps; k += 2) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(acc + offset[k]));
        s = _mm_add_epi32(s, _mm_mullo_epi32(p, _mm_set1_epi32(weight[k])));
    }
    const __m128i shifted = _mm_srai_epi32(s, 16);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(shifted, shifted), shifted);
    const std::uint32_t bgr = std::uint32_t(_mm_cvtsi128_si32(bytes));
    if (!last) {
        std::memcpy(d, &bgr, 4);
    } else {
        d[0] = Byte(bgr);
        d[1] = Byte(bgr >> 8);
        d[2] = Byte(bgr >> 16);
    }
}

[[gnu::target("sse4.1")]] void HorizontalSse41(Byte* d, const std::int32_t* acc, const std::int32_t* offset,
                                               const std::int32_t* weight, std::int32_t taps, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, d += 3) {
        const std::size_t first = PairEntry(x, 0, taps);
        HorizontalPixel(d, acc, offset + first, weight + first, taps, x + 1 == width);
    }
}

// Two pixels at once, one in each 128-bit half: the halves take their own accumulators and their own pixel's
// weight, so each sums exactly what the single-pixel loop sums.
[[gnu::target("avx2")]] void HorizontalAvx2(Byte* d, const std::int32_t* acc, const std::int32_t* offset,
                                            const std::int32_t* weight, std::int32_t taps, std::int32_t width) {
    const __m256i halves = _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1);
    std::int32_t x = 0;
    for (; x + 2 <= width; x += 2, d += 6, offset += 2 * taps, weight += 2 * taps) {
        __m256i s = _mm256_setzero_si256();
        for (std::int32_t k = 0; k < 2 * taps; k += 2) {
            const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(acc + offset[k]));
            const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(acc + offset[k + 1]));
            const __m256i p = _mm256_inserti128_si256(_mm256_castsi128_si256(p0), p1, 1);
            const __m128i pair = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(weight + k));
            const __m256i w = _mm256_permutevar8x32_epi32(_mm256_castsi128_si256(pair), halves);
            s = _mm256_add_epi32(s, _mm256_mullo_epi32(p, w));
        }
        const __m256i shifted = _mm256_srai_epi32(s, 16);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(shifted, shifted), shifted);
        const std::uint32_t first = std::uint32_t(_mm256_cvtsi256_si32(bytes));
        const std::uint32_t second = std::uint32_t(_mm256_extract_epi32(bytes, 4));
        std::memcpy(d, &first, 4);
        if (x + 2 < width) {
            std::memcpy(d + 3, &second, 4);
        } else {
            d[3] = Byte(second);
            d[4] = Byte(second >> 8);
            d[5] = Byte(second >> 16);
        }
    }
    if (x < width) HorizontalPixel(d, acc, offset, weight, taps, true);
    _mm256_zeroupper();
}

bool HasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

bool HasSse41() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse4.1") != 0;
}
#endif

struct TResampleLoops {
    TVerticalPass Vertical;
    THorizontalPass Horizontal;
};

TResampleLoops PortableLoops() { return {VerticalPortable, HorizontalPortable}; }

TResampleLoops FastestLoops() {
#if KELVO_X86_RESAMPLE
    static const TResampleLoops loops = [] {
        if (HasAvx2()) return TResampleLoops{VerticalAvx2, HorizontalAvx2};
        if (HasSse41()) return TResampleLoops{VerticalSse2, HorizontalSse41};
        return TResampleLoops{VerticalSse2, HorizontalPortable};
    }();
    return loops;
#else
    return PortableLoops();
#endif
}

}  // namespace

TKelvoMappingTable BuildMappingTable(std::int32_t destLo, std::int32_t destHi, std::int32_t clipLo, std::int32_t clipHi,
                                     std::int32_t sourceLo, std::int32_t sourceHi, const TPixelResampler& resampler) {
    TKelvoMappingTable t;
    const std::int64_t sourceSpan = std::int64_t(sourceHi) - sourceLo;
    const std::int64_t destSpan = std::int64_t(destHi) - destLo;
    const std::int64_t count = std::int64_t(clipHi) - clipLo;
    // An empty destination span would make the scale 0 and its inverse infinite: nothing maps there.
    if (sourceSpan <= 0 || destSpan <= 0 || count <= 0) return t;

    t.Start.reserve(std::size_t(count) + 1);
    t.Start.push_back(0);
    const std::int32_t lastSource = sourceHi - 1;
    if (sourceSpan == 1) {
        // The single source pixel (sourceLo) everywhere.
        for (std::int64_t i = 0; i < count; ++i) {
            t.Index.push_back(sourceLo);
            t.Weight.push_back(256);
            t.Start.push_back(CheckedCast<std::int32_t>(t.Index.size()));
        }
        return t;
    }

    const double f = double(destSpan) / double(sourceSpan);
    const double g = 1.0 / f;
    const double e = resampler.GetWidth();
    const double support = f >= 1.0 ? e : g * e;
    const double offset = double(clipLo) - double(destLo) + 0.5;
    for (std::int64_t i = 0; i < count; ++i) {
        const double c = double(sourceLo) - 0.5 + g * (double(i) + offset);
        const std::size_t first = t.Index.size();
        const std::int64_t jLo = std::int64_t(std::floor(c - support));
        const std::int64_t jHi = std::int64_t(std::ceil(c + support));
        for (std::int64_t j = jLo; j <= jHi; ++j) {
            const double d = c - double(j);
            const double weight = f >= 1.0 ? resampler.Filter(d) : f * resampler.Filter(f * d);
            const std::int32_t w = RoundEven(weight * 256.0);
            if (w != 0) {
                t.Index.push_back(ClampIndex(j, sourceLo, lastSource));
                t.Weight.push_back(w);
            }
        }
        if (t.Index.size() == first) {
            // Clamped like every other entry: a clip beyond the destination span must not read outside.
            t.Index.push_back(ClampIndex(std::int64_t(std::floor(c)), sourceLo, lastSource));
            t.Weight.push_back(256);
        }
        Balance(t, first);
        t.Start.push_back(CheckedCast<std::int32_t>(t.Index.size()));
    }
    return t;
}

namespace {

void ResampleWith(const TResampleLoops& loops, TKelvoPixels& destination, const TKelvoRect& destRect,
                  const TKelvoRect& destClip, const TPixelResampler& resampler, const TKelvoRect& sourceRect,
                  const TKelvoPixels& source) {
    if (destination.Format() != KelvoFormatBGR24 || source.Format() != KelvoFormatBGR24) return;
    if (destination.Bits() == nullptr || source.Bits() == nullptr) return;
    const TKelvoRect clip = IntersectRects(destination.GetBounds(), destClip);
    if (clip.IsEmpty()) return;
    const TKelvoRect available = IntersectRects(sourceRect, source.GetBounds());
    if (available.IsEmpty()) return;

    TKelvoMappingTable xt = BuildMappingTable(destRect.Left, destRect.Right, clip.Left, clip.Right, sourceRect.Left,
                                              sourceRect.Right, resampler);
    TKelvoMappingTable yt = BuildMappingTable(destRect.Top, destRect.Bottom, clip.Top, clip.Bottom, sourceRect.Top,
                                              sourceRect.Bottom, resampler);
    if (xt.Count() == 0 || yt.Count() == 0) return;
    // A source rectangle reaching past the source's memory repeats its edge instead of reading beyond.
    for (auto& j : xt.Index) j = std::clamp(j, available.Left, available.Right - 1);
    for (auto& j : yt.Index) j = std::clamp(j, available.Top, available.Bottom - 1);

    const auto [minIt, maxIt] = std::minmax_element(xt.Index.begin(), xt.Index.end());
    const std::int32_t colLo = *minIt;
    const std::int32_t columns = *maxIt - colLo + 1;
    const std::size_t rowValues = std::size_t(columns) * 3;
    // Offsets of the accumulators, in values, so the horizontal pass does no index arithmetic.
    for (auto& j : xt.Index) j = (j - colLo) * 3;

    // The vector loops take weights as 16-bit halves; the lists of any sane kernel stay far inside them, others
    // take the plain vertical loop.
    TVerticalPass vertical = loops.Vertical;
    for (const std::int32_t w : yt.Weight)
        if (w < -32768 || w > 32767) vertical = VerticalPortable;

    // The horizontal lists padded to one length: a padding entry reads the pixel's first accumulators, weight 0
    // (an odd last pixel's partner is all padding).
    std::int32_t columnTaps = 0;
    for (std::int32_t x = 0; x < xt.Count(); ++x) columnTaps = std::max(columnTaps, xt.Entries(x));
    std::vector<std::int32_t> offset(std::size_t(xt.Count() + 1) / 2 * 2 * std::size_t(columnTaps), 0);
    std::vector<std::int32_t> weight(offset.size(), 0);
    for (std::int32_t x = 0; x < xt.Count(); ++x) {
        for (std::int32_t k = 0; k < columnTaps; ++k) {
            const bool real = k < xt.Entries(x);
            offset[PairEntry(x, k, columnTaps)] = xt.Index[xt.Start[x] + (real ? k : 0)];
            if (real) weight[PairEntry(x, k, columnTaps)] = xt.Weight[xt.Start[x] + k];
        }
    }

    // One value more than the row: the horizontal vector loop reads a fourth accumulator beside the last pixel's.
    std::vector<std::int32_t> acc(rowValues + 1);
    std::vector<const Byte*> rows;
    const std::int32_t width = std::int32_t(clip.Width());
    const std::int32_t height = std::int32_t(clip.Height());
    for (std::int32_t r = 0; r < height; ++r) {
        // Vertical pass: one weighted sum of whole source rows, contiguous in memory.
        const std::int32_t first = yt.Start[r], taps = yt.Start[r + 1] - first;
        rows.resize(std::size_t(taps));
        for (std::int32_t k = 0; k < taps; ++k) rows[std::size_t(k)] = source.PixelAddress(colLo, yt.Index[first + k]);
        vertical(acc.data(), 0, rowValues, rows.data(), yt.Weight.data() + first, taps);
        // Horizontal pass over the accumulators.
        loops.Horizontal(destination.PixelAddress(clip.Left, clip.Top + r), acc.data(), offset.data(), weight.data(),
                         columnTaps, width);
    }
}

}  // namespace

void Resample(TKelvoPixels& destination, const TKelvoRect& destRect, const TKelvoRect& destClip,
              const TPixelResampler& resampler, const TKelvoRect& sourceRect, const TKelvoPixels& source) {
    ResampleWith(FastestLoops(), destination, destRect, destClip, resampler, sourceRect, source);
}

void ResamplePortable(TKelvoPixels& destination, const TKelvoRect& destRect, const TKelvoRect& destClip,
                      const TPixelResampler& resampler, const TKelvoRect& sourceRect, const TKelvoPixels& source) {
    ResampleWith(PortableLoops(), destination, destRect, destClip, resampler, sourceRect, source);
}

bool ResampleIsVectorised() {
    const TResampleLoops loops = FastestLoops();
    return loops.Vertical != VerticalPortable || loops.Horizontal != HorizontalPortable;
}
