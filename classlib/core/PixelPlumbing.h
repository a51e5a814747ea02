// The arithmetic every layer that touches pixel memory shares: the row size of a device-independent bitmap and
// the clamping of a channel value to a byte.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

// Bytes of one row of a device-independent bitmap: width pixels of bitsPerPixel bits, padded to a multiple of 4
// bytes. Worked out in 64 bits so that no width wraps; what a row too long means is the caller's to decide.
constexpr std::uint64_t DibRowBytes(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// 0 below 0, 255 above 255, else the value.
constexpr Byte ClampByte(std::int32_t value) {
    if (value < 0) return 0;
    if (value > 255) return 255;
    return Byte(value);
}
