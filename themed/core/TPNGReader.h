// Decoder of PNG streams into 32-bit pixels (alpha in bits 24-31, red 16-23, green 8-15, blue 0-7),
// top row first. Every colour type and bit depth of the format is read, interlaced or not; gamma and
// background are kept but not applied.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Stream.h"

class TPNGReader {
public:
    // The largest image the reader accepts, in pixels; a larger header is rejected before any memory is
    // taken for it. The program's own images are tiny; this leaves room for large pictures.
    static constexpr std::uint64_t DefaultMaxPixels = std::uint64_t(1) << 26;

    TPNGReader() = default;

    // Reads one PNG from the stream's position up to and including its IEND chunk. Errors raise
    // EStreamError (or EReadError for a stream that ends early, EZlibError for bad compressed data)
    // and leave no usable result.
    void LoadFromStream(TStream& stream);

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    // Width x height pixels; empty when nothing was decoded (a zero width or height).
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    std::vector<std::uint32_t> TakePixels() { return std::move(pixels_); }

    float Gamma() const { return gamma_; }
    bool Interlaced() const { return interlaced_; }
    bool HasBackground() const { return hasBackground_; }
    std::uint32_t Background() const { return background_; }

    void SetMaxPixels(std::uint64_t maxPixels) { maxPixels_ = maxPixels; }

private:
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::vector<std::uint32_t> pixels_;
    float gamma_ = 0.0f;
    bool interlaced_ = false;
    bool hasBackground_ = false;
    std::uint32_t background_ = 0;
    std::uint64_t maxPixels_ = DefaultMaxPixels;
};
