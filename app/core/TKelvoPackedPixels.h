// The pixels of a rectangle kept deflated (zlib, fastest level): an undo snapshot costs what its content
// compresses to instead of its full size, so that many more full-image steps fit into the address space of
// the 32-bit program. Unpacking gives back exactly the pixels that were packed.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/TKelvoPixelBuffer.h"

class TKelvoPackedPixels {
public:
    // Packs the part of source inside rect (clipped to the source). When the memory cannot be had it raises
    // EOutOfMemory and holds what it held before.
    void Pack(const TKelvoPixels& source, const TKelvoRect& rect);
    // The packed pixels into buffer, which takes their format and bounds; raises EOutOfMemory without memory.
    void Unpack(TKelvoPixelBuffer& buffer) const;

    const TKelvoRect& GetBounds() const { return bounds_; }
    std::uint16_t Format() const { return format_; }
    // The bytes it keeps.
    std::int64_t MemorySize() const;

private:
    // Bands of whole rows, packed side by side on several threads: a full photo packs in a fraction of the time.
    TKelvoRect bounds_;
    std::uint16_t format_ = 0;
    std::vector<std::vector<Byte>> bands_;
};
