// Reading and writing Windows bitmap files and packed device-independent bitmaps (the form bitmaps take in
// resources), without the system: every size in a file is checked against the bytes there before anything
// is allocated or read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

// An uncompressed image in one of the bitmap depths: 1, 4, 8, 24 or 32 bits per pixel.
struct TDibImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    int BitCount = 24;
    // Colour table of a 1-, 4- or 8-bit image: 0x00RRGGBB per entry (at most 2^BitCount entries).
    std::vector<std::uint32_t> Palette;
    // Rows from the top, each DibRowStride(Width, BitCount) bytes; pixels as the system stores them
    // (blue, green, red[, alpha] for 24 and 32 bits).
    std::vector<Byte> Pixels;

    std::size_t Stride() const;
    Byte* Row(std::int32_t y) { return Pixels.data() + std::size_t(y) * Stride(); }
    const Byte* Row(std::int32_t y) const { return Pixels.data() + std::size_t(y) * Stride(); }
};

// Bytes per row for a width and depth, rounded up to 4 bytes. Raises EInvalidGraphic for a negative width, an
// unsupported depth, or a row that does not fit in 32 bits.
std::size_t DibRowStride(std::int32_t width, int bitCount);

// Largest width or height accepted from a file.
inline constexpr std::int32_t kMaxDibDimension = 65535;

// A whole bitmap file (it starts with "BM"). Headers of 12 (OS/2), 40, 52, 56, 108 and 124 bytes; bottom-up
// and top-down rows; BI_RGB and BI_BITFIELDS (32 bits, turned into the usual blue-green-red-alpha order).
// Anything else, or anything that does not fit in the data, raises EInvalidGraphic.
TDibImage ReadBmpFile(const Byte* data, std::size_t size);
// A packed DIB: the info header, the colour table and the pixels, without the file header.
TDibImage ReadPackedDib(const Byte* data, std::size_t size);
// The size the file header claims, or 0 when data does not start with a file header (needs 14 bytes).
std::uint32_t BmpFileSize(const Byte* data, std::size_t size);
// A bitmap file with a 40-byte header, bottom-up rows, BI_RGB.
std::vector<Byte> WriteBmpFile(const TDibImage& image);
