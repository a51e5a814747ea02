// Separable two-pass resampling of 24-bit pixels with integer weights from a kernel (the photo resize uses
// Lanczos). The themed layer's stretched drawing of 32-bit alpha images (themed/core/Resample32) filters
// differently, two neighbours when enlarging and the covered area when reducing, so it has a resampler of its own.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixels.h"
#include "app/core/TPixelResampler.h"

// Weights of one axis: for destination pixel i of the clip, the entries Start[i] .. Start[i + 1] - 1 of
// Index (source pixel) and Weight (in 1/256; the entries of one pixel sum to exactly 256).
struct TKelvoMappingTable {
    std::vector<std::int32_t> Start;  // Count() + 1 offsets
    std::vector<std::int32_t> Index;
    std::vector<std::int32_t> Weight;

    std::int32_t Count() const { return Start.empty() ? 0 : std::int32_t(Start.size()) - 1; }
    std::int32_t Entries(std::int32_t i) const { return Start[i + 1] - Start[i]; }
};

// Maps the source span [sourceLo, sourceHi) onto [destLo, destHi) and makes the lists of the destination
// pixels clipLo .. clipHi - 1. Source indices are clamped to the source span, so edge pixels repeat.
// An empty source span, an empty destination span or an empty clip gives no lists.
TKelvoMappingTable BuildMappingTable(std::int32_t destLo, std::int32_t destHi, std::int32_t clipLo, std::int32_t clipHi,
                                     std::int32_t sourceLo, std::int32_t sourceHi, const TPixelResampler& resampler);

// Resamples sourceRect of source onto destRect of destination, writing only the part of destination
// inside destClip (and inside its own bounds). 24-bit pixels only: other formats are left alone. Source
// pixels are read only inside the source's bounds (the edge repeats beyond them).
void Resample(TKelvoPixels& destination, const TKelvoRect& destRect, const TKelvoRect& destClip,
              const TPixelResampler& resampler, const TKelvoRect& sourceRect, const TKelvoPixels& source);

// The same with the plain loops alone. Resample gives its bytes exactly, whatever vector loops the processor
// allows (SSE2, with SSE4.1 or AVX2 where present).
void ResamplePortable(TKelvoPixels& destination, const TKelvoRect& destRect, const TKelvoRect& destClip,
                      const TPixelResampler& resampler, const TKelvoRect& sourceRect, const TKelvoPixels& source);

// True when Resample runs a vector loop on this processor.
bool ResampleIsVectorised();
