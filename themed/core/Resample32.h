// Resampling of 32-bit images with weights out of 256 per axis: two neighbours when enlarging, the covered
// source span when reducing. This is the themed layer's stretched drawing of alpha images, and its filter is its
// own: app/core/KelvoResample is the photo resize, a kernel-driven (Lanczos) resampler of 24-bit pixels whose
// weights and rounding differ, so the two are not one.
#pragma once
#include <cstdint>
#include <vector>

namespace themed {

struct TResampleWeight {
    int index;   // source pixel
    int weight;  // out of 256
};

// For every target pixel along one axis, the source pixels it takes and their weights (summing to 256).
// Raises EDIB32Error "Invalid parameters" for a length of 0 or less.
std::vector<std::vector<TResampleWeight>> ResampleWeights(int sourceLength, int targetLength);

// Resamples a sourceWidth x sourceHeight image into target (targetWidth x targetHeight, rows of
// targetWidth pixels). With compose, each resampled pixel is blended over what target holds; otherwise it
// replaces it. Equal sizes copy (or compose at full alpha).
void ResamplePixels(const std::uint32_t* source, int sourceWidth, int sourceHeight, std::uint32_t* target,
                    int targetWidth, int targetHeight, bool compose);

}  // namespace themed
