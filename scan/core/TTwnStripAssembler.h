// Assembles the strips of a buffered-memory transfer in the destination bits of one image. The source writes each
// strip straight into the destination at the current offset, into at most NextLength bytes; Accept then checks
// what the source says it wrote and brings the strip's rows to the image's stride.
//
// Threat model: BytesPerRow, Rows and BytesWritten come from the data source. A strip that claims more than the
// buffer it was given, or rows that would not fit in the rest of the image, is refused and the transfer fails; no
// byte is moved outside the destination.
//
// Usage:
//   TTwnStripAssembler strips(stride, size);
//   while (!strips.Complete()) { length = strips.NextLength(preferred); ...source writes at bits + Offset()...;
//                                if (!strips.Accept(bits, bytesPerRow, rows, bytesWritten, length)) fail; }
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/core/Types.h"

class TTwnStripAssembler {
public:
    TTwnStripAssembler(std::size_t stride, std::size_t size) : stride_(stride), size_(size) {}

    std::size_t Offset() const { return offset_; }
    bool Complete() const { return offset_ == size_; }
    // The buffer length offered for the next strip: the preferred length, but no more than the image has left.
    std::uint32_t NextLength(std::uint32_t preferred) const;
    // Takes the strip the source wrote at bits + Offset() into a buffer of length bytes. Rows of the stride move
    // the offset by BytesWritten; narrower rows are spread to the stride from the last row down, wider rows
    // compacted to it from the first row up (the bytes past the stride are dropped). False, and nothing moved,
    // for a strip that does not fit.
    bool Accept(Byte* bits, std::uint32_t bytesPerRow, std::uint32_t rows, std::uint32_t bytesWritten,
                std::uint32_t length);

private:
    std::size_t stride_;
    std::size_t size_;
    std::size_t offset_ = 0;
};
