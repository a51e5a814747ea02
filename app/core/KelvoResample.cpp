#include "app/core/KelvoResample.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "classlib/core/Checked.h"

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

inline Byte StoreSum(std::int32_t sum) {
    if (sum < 0) return 0;
    if (sum >= 0xFF0000) return 255;
    return Byte(sum >> 16);
}

// acc[b] = sum over the taps of weight x row byte b, for the rows (source y) in index.
void VerticalPass(std::int32_t* acc, std::size_t count, const TKelvoPixels& source, std::int32_t colLo,
                  const std::int32_t* index, const std::int32_t* weight, std::int32_t taps) {
    std::int32_t k = 0;
    std::size_t done = 0;
#if defined(__SSE2__)
    // Two taps at a time: the bytes of both rows interleaved as 16-bit pairs, multiplied by the weight pair
    // and summed in one step. Weights of a list stay far inside 16 bits; larger ones take the plain loop.
    bool small = true;
    for (std::int32_t t = 0; t < taps; ++t) small = small && weight[t] >= -32768 && weight[t] <= 32767;
    if (small) {
        const std::size_t vectorEnd = count & ~std::size_t(15);
        const __m128i zero = _mm_setzero_si128();
        for (; k < taps; k += 2) {
            const Byte* s0 = source.PixelAddress(colLo, index[k]);
            const bool pair = k + 1 < taps;
            const Byte* s1 = pair ? source.PixelAddress(colLo, index[k + 1]) : s0;
            const std::int32_t w1 = pair ? weight[k + 1] : 0;
            const __m128i w =
                _mm_set1_epi32(std::int32_t((std::uint32_t(w1) << 16) | (std::uint32_t(weight[k]) & 0xFFFF)));
            const bool first = k == 0;
            for (std::size_t b = 0; b < vectorEnd; b += 16) {
                const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s0 + b));
                const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s1 + b));
                const __m128i lo0 = _mm_unpacklo_epi8(r0, zero), hi0 = _mm_unpackhi_epi8(r0, zero);
                const __m128i lo1 = _mm_unpacklo_epi8(r1, zero), hi1 = _mm_unpackhi_epi8(r1, zero);
                __m128i v[4] = {
                    _mm_madd_epi16(_mm_unpacklo_epi16(lo0, lo1), w), _mm_madd_epi16(_mm_unpackhi_epi16(lo0, lo1), w),
                    _mm_madd_epi16(_mm_unpacklo_epi16(hi0, hi1), w), _mm_madd_epi16(_mm_unpackhi_epi16(hi0, hi1), w)};
                __m128i* out = reinterpret_cast<__m128i*>(acc + b);
                for (int q = 0; q < 4; ++q) {
                    if (!first) v[q] = _mm_add_epi32(v[q], _mm_loadu_si128(out + q));
                    _mm_storeu_si128(out + q, v[q]);
                }
            }
        }
        done = vectorEnd;
        k = 0;
    }
#endif
    // The rest of the row (or all of it without the vector path).
    if (done < count) {
        {
            const Byte* s = source.PixelAddress(colLo, index[0]);
            const std::int32_t w = weight[0];
            for (std::size_t b = done; b < count; ++b) acc[b] = w * std::int32_t(s[b]);
        }
        for (k = 1; k < taps; ++k) {
            const Byte* s = source.PixelAddress(colLo, index[k]);
            const std::int32_t w = weight[k];
            for (std::size_t b = done; b < count; ++b) acc[b] += w * std::int32_t(s[b]);
        }
    }
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

void Resample(TKelvoPixels& destination, const TKelvoRect& destRect, const TKelvoRect& destClip,
              const TPixelResampler& resampler, const TKelvoRect& sourceRect, const TKelvoPixels& source) {
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

    std::vector<std::int32_t> acc(rowValues);
    std::int32_t* const a = acc.data();
    const std::int32_t* const xStart = xt.Start.data();
    const std::int32_t* const xIndex = xt.Index.data();
    const std::int32_t* const xWeight = xt.Weight.data();
    const std::int32_t width = std::int32_t(clip.Width());
    const std::int32_t height = std::int32_t(clip.Height());

    for (std::int32_t r = 0; r < height; ++r) {
        // Vertical pass: one weighted sum of whole source rows, contiguous in memory.
        VerticalPass(a, rowValues, source, colLo, yt.Index.data() + yt.Start[r], yt.Weight.data() + yt.Start[r],
                     yt.Start[r + 1] - yt.Start[r]);
        // Horizontal pass over the accumulators.
        Byte* d = destination.PixelAddress(clip.Left, clip.Top + r);
        for (std::int32_t x = 0; x < width; ++x, d += 3) {
            std::int32_t s0 = 0, s1 = 0, s2 = 0;
            for (std::int32_t k = xStart[x]; k < xStart[x + 1]; ++k) {
                const std::int32_t* p = a + xIndex[k];
                const std::int32_t w = xWeight[k];
                s0 += w * p[0];
                s1 += w * p[1];
                s2 += w * p[2];
            }
            d[0] = StoreSum(s0);
            d[1] = StoreSum(s1);
            d[2] = StoreSum(s2);
        }
    }
}
