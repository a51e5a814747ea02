#include "scan/core/TTwnStripAssembler.h"

#include <algorithm>
#include <cstring>

std::uint32_t TTwnStripAssembler::NextLength(std::uint32_t preferred) const {
    return std::uint32_t(std::min<std::uint64_t>(preferred, size_ - offset_));
}

bool TTwnStripAssembler::Accept(Byte* bits, std::uint32_t bytesPerRow, std::uint32_t rows, std::uint32_t bytesWritten,
                                std::uint32_t length) {
    const std::size_t left = size_ - offset_;
    if (bytesWritten > length || length > left) return false;
    if (bytesPerRow == stride_) {
        offset_ += bytesWritten;
        return true;
    }
    const std::uint64_t written = std::uint64_t(bytesPerRow) * rows;
    const std::uint64_t spread = std::uint64_t(stride_) * rows;
    if (written > length || spread > left) return false;
    Byte* strip = bits + offset_;
    if (bytesPerRow < stride_) {
        // Each row moves to a higher place; from the last row down nothing is overwritten before it moved.
        for (std::size_t i = rows; i-- > 0;) {
            std::memmove(strip + i * stride_, strip + i * bytesPerRow, bytesPerRow);
            std::memset(strip + i * stride_ + bytesPerRow, 0, stride_ - bytesPerRow);
        }
    } else {
        // Each row moves to a lower place; from the first row up.
        for (std::size_t i = 1; i < rows; ++i) std::memmove(strip + i * stride_, strip + i * bytesPerRow, stride_);
    }
    offset_ += std::size_t(spread);
    return true;
}
