// Decoder of PNG streams into 32-bit pixels (alpha in bits 24-31, red 16-23, green 8-15, blue 0-7),
// top row first. Every colour type and bit depth of the format is read, interlaced or not; gamma and
// background are kept but not applied.
#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "classlib/core/Stream.h"

namespace themed {

// Leaves new elements uninitialised: pixel arrays are written right after they are sized, and zeroing
// tens of megabytes first would cost as much as decoding them.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    using value_type = T;
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() noexcept = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
};

using TPixelArray = std::vector<std::uint32_t, UninitialisedAllocator<std::uint32_t>>;

}  // namespace themed

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
    const themed::TPixelArray& Pixels() const { return pixels_; }
    themed::TPixelArray TakePixels() { return std::move(pixels_); }

    float Gamma() const { return gamma_; }
    bool Interlaced() const { return interlaced_; }
    bool HasBackground() const { return hasBackground_; }
    std::uint32_t Background() const { return background_; }

    void SetMaxPixels(std::uint64_t maxPixels) { maxPixels_ = maxPixels; }

private:
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    themed::TPixelArray pixels_;
    float gamma_ = 0.0f;
    bool interlaced_ = false;
    bool hasBackground_ = false;
    std::uint32_t background_ = 0;
    std::uint64_t maxPixels_ = DefaultMaxPixels;
};
