// The image layouts of the three transfers, platform-free: a packed DIB handed over by a source (native
// transfer), a BMP file written by a source (file transfer), the bitmap info of a buffered-memory image, the grey
// ramp and the final row order and byte order.
//
// Threat model: every byte comes from the data source, a third-party DLL, or from a file it wrote. Header sizes,
// dimensions, depths, table counts, biSizeImage, bfSize and bfOffBits are checked against the real size of the
// block or file; whatever does not fit is refused (the transfer fails), never read past. Images are bounded by
// kMaxImageBytes of bits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"

namespace twn {

constexpr std::size_t kBitmapInfoHeaderSize = 40;
constexpr std::size_t kBitmapCoreHeaderSize = 12;
constexpr std::size_t kBitmapFileHeaderSize = 14;
// 300 pixels per inch, the resolution of an image that does not say.
constexpr std::int32_t kDefaultPelsPerMeter = 11811;
// Upper bound of the bits of one image (1 GiB).
constexpr std::uint64_t kMaxImageBytes = std::uint64_t(1) << 30;

// Units (ICAP_UNITS values).
constexpr std::int32_t TWUN_INCHES = 0;
constexpr std::int32_t TWUN_CENTIMETERS = 1;
constexpr std::int32_t TWUN_PICAS = 2;
constexpr std::int32_t TWUN_POINTS = 3;
constexpr std::int32_t TWUN_TWIPS = 4;
// Pixel flavour in which 0 is white.
constexpr std::int32_t TWPF_VANILLA = 1;

// A DIB laid out for a DIB section: its bitmap info (a 40-byte header with biClrUsed 0, a table of the full
// 2^bits entries for depths up to 8, zero-padded past the entries the image holds) and where its bits lie in the
// block or file it came from.
struct TTwnDibLayout {
    std::vector<Byte> info;
    std::size_t bitsOffset = 0;
    std::size_t bitsSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative for a top-down image
};

// Bytes of one row of width pixels at bits per pixel, rounded up to 4 bytes; 0 when the width is not positive or
// the row is beyond kMaxImageBytes.
std::size_t DibStride(std::int64_t width, int bitsPerPixel);

// Lays out a packed DIB (header, colour table, bits) of size bytes. The header is read by its own size (12, 40,
// 52, 56, 108 or 124 bytes); only uncompressed images of 1, 4, 8, 16, 24 or 32 bits in one plane are taken. A
// table of biClrUsed entries (when not 0) precedes the bits also at 16 to 32 bits, where it is skipped. False when
// the header, the table or the bits do not fit in size.
bool LayoutPackedDib(const Byte* data, std::size_t size, TTwnDibLayout& layout);
// Lays out a BMP file of size bytes: "BM", a bfSize inside the file, a packed DIB after the 14-byte file header
// and the bits at bfOffBits (right after the table when 0), all inside bfSize.
bool LayoutBmpFile(const Byte* data, std::size_t size, TTwnDibLayout& layout);
// The packed DIB of a layout: its bitmap info followed by its bits, taken from data.
std::vector<Byte> PackedDib(const TTwnDibLayout& layout, const Byte* data);

// The 40-byte header of a bottom-up uncompressed DIB, with biSizeImage and the resolution given.
std::vector<Byte> BitmapInfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                   std::uint32_t sizeImage, std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter,
                                   std::uint32_t clrUsed);

// A buffered-memory image as its image info announces it.
struct TTwnMemoryLayout {
    std::size_t stride = 0;
    std::size_t size = 0;
    std::size_t entries = 0;  // colour entries: 2^bits up to 8 bits, else 0
};
// False for a width or length that is not positive (-1, "length unknown", included), a depth other than 1, 2, 4,
// 8, 16, 24 or 32, or bits beyond kMaxImageBytes.
bool MemoryLayout(std::int32_t width, std::int32_t length, std::int32_t bitsPerPixel, TTwnMemoryLayout& layout);

// Pixels per metre of a resolution given in pixels per unit; kDefaultPelsPerMeter for an unknown unit or a value
// out of range.
std::int32_t PelsPerMeter(std::int32_t units, double resolution);

// The grey ramp of n entries (1 to 256; empty otherwise) as RGBQUADs: value i = round(255 x i / (n - 1)), and
// 255 - value with the vanilla flavour (0 white).
std::vector<Byte> GreyRamp(std::size_t n, bool vanilla);

// Exchanges the rows: the first with the last, pairwise to the middle.
void FlipRows(Byte* bits, std::size_t stride, std::size_t rows);
// Exchanges bytes 0 and 2 of each 3-byte group of the first bytes of every row.
void SwapRedBlue(Byte* bits, std::size_t stride, std::size_t bytesPerRow, std::size_t rows);

}  // namespace twn
