#include "scan/core/TwnImages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/core/PixelPlumbing.h"

namespace twn {

namespace {

std::uint16_t U16(const Byte* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const Byte* p) { return std::uint32_t(U16(p)) | (std::uint32_t(U16(p + 2)) << 16); }
void PutU16(Byte* p, std::uint32_t v) {
    p[0] = Byte(v);
    p[1] = Byte(v >> 8);
}
void PutU32(Byte* p, std::uint32_t v) {
    PutU16(p, v & 0xFFFF);
    PutU16(p + 2, v >> 16);
}

bool IsHeaderSize(std::uint32_t size) {
    return size == kBitmapCoreHeaderSize || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsDibDepth(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A resolution the header gives, or the other axis's, or 300 per inch.
std::int32_t Resolution(std::int32_t own, std::int32_t other) {
    if (own >= 1) return own;
    return other >= 1 ? other : kDefaultPelsPerMeter;
}

}  // namespace

std::size_t DibStride(std::int64_t width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    const std::uint64_t stride = DibRowBytes(std::uint64_t(width), std::uint64_t(bitsPerPixel));
    return stride > kMaxImageBytes ? 0 : std::size_t(stride);
}

std::vector<Byte> BitmapInfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                   std::uint32_t sizeImage, std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter,
                                   std::uint32_t clrUsed) {
    std::vector<Byte> h(kBitmapInfoHeaderSize, 0);
    PutU32(&h[0], kBitmapInfoHeaderSize);
    PutU32(&h[4], std::uint32_t(width));
    PutU32(&h[8], std::uint32_t(height));
    PutU16(&h[12], 1);
    PutU16(&h[14], bitCount);
    PutU32(&h[20], sizeImage);
    PutU32(&h[24], std::uint32_t(xPelsPerMeter));
    PutU32(&h[28], std::uint32_t(yPelsPerMeter));
    PutU32(&h[32], clrUsed);
    return h;
}

namespace {

// Lays out the DIB of size bytes at data with its bits at bitsAt (0: right after the table).
bool LayoutDib(const Byte* data, std::size_t size, std::size_t bitsAt, TTwnDibLayout& layout) {
    if (size < 4) return false;
    const std::uint32_t headerSize = U32(data);
    if (!IsHeaderSize(headerSize) || headerSize > size) return false;
    const bool core = headerSize == kBitmapCoreHeaderSize;
    std::int64_t width, height;
    std::uint32_t planes, bits, compression = 0, clrUsed = 0;
    std::int32_t xPels = 0, yPels = 0;
    if (core) {
        width = U16(data + 4);
        height = U16(data + 6);
        planes = U16(data + 8);
        bits = U16(data + 10);
    } else {
        width = std::int32_t(U32(data + 4));
        height = std::int32_t(U32(data + 8));
        planes = U16(data + 12);
        bits = U16(data + 14);
        compression = U32(data + 16);
        xPels = std::int32_t(U32(data + 24));
        yPels = std::int32_t(U32(data + 28));
        clrUsed = U32(data + 32);
    }
    // Compressed images and bit-field masks would shift or change the bits; a source has no reason to send them.
    if (planes != 1 || !IsDibDepth(bits) || compression != 0) return false;
    if (height == 0 || height == INT32_MIN) return false;
    const std::size_t stride = DibStride(width, int(bits));
    const std::uint64_t rows = std::uint64_t(height < 0 ? -height : height);
    if (stride == 0 || stride * rows > kMaxImageBytes) return false;

    // Entries the block holds, and entries the section gets.
    const std::uint32_t full = bits <= 8 ? (1u << bits) : 0;
    if (bits <= 8 && clrUsed > full) return false;
    if (bits > 8 && clrUsed > 256) return false;
    const std::uint32_t held = bits <= 8 ? (clrUsed != 0 ? clrUsed : full) : clrUsed;
    const std::size_t entrySize = core ? 3 : 4;
    const std::uint64_t tableEnd = headerSize + std::uint64_t(held) * entrySize;
    if (bitsAt != 0 && bitsAt < tableEnd) return false;
    const std::uint64_t bitsOffset = bitsAt != 0 ? bitsAt : tableEnd;
    const std::uint64_t bitsSize = stride * rows;
    if (bitsOffset + bitsSize > size) return false;

    layout.width = std::int32_t(width);
    layout.height = std::int32_t(height);
    layout.bitsOffset = std::size_t(bitsOffset);
    layout.bitsSize = std::size_t(bitsSize);
    layout.info = BitmapInfoHeader(layout.width, layout.height, std::uint16_t(bits), std::uint32_t(bitsSize),
                                   Resolution(xPels, yPels), Resolution(yPels, xPels), 0);
    layout.info.resize(kBitmapInfoHeaderSize + std::size_t(full) * 4, 0);
    if (bits <= 8) {
        const Byte* table = data + headerSize;
        for (std::uint32_t i = 0; i < held; ++i)
            std::memcpy(&layout.info[kBitmapInfoHeaderSize + i * 4], table + i * entrySize, 3);
    }
    return true;
}

}  // namespace

bool LayoutPackedDib(const Byte* data, std::size_t size, TTwnDibLayout& layout) {
    return LayoutDib(data, size, 0, layout);
}

bool LayoutBmpFile(const Byte* data, std::size_t size, TTwnDibLayout& layout) {
    if (size < kBitmapFileHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t fileSize = U32(data + 2);
    const std::uint32_t offBits = U32(data + 10);
    if (fileSize > size || fileSize < kBitmapFileHeaderSize) return false;
    if (offBits != 0 && (offBits <= kBitmapFileHeaderSize || offBits > fileSize)) return false;
    const std::size_t bitsAt = offBits != 0 ? offBits - kBitmapFileHeaderSize : 0;
    if (!LayoutDib(data + kBitmapFileHeaderSize, fileSize - kBitmapFileHeaderSize, bitsAt, layout)) return false;
    layout.bitsOffset += kBitmapFileHeaderSize;
    return true;
}

std::vector<Byte> PackedDib(const TTwnDibLayout& layout, const Byte* data) {
    std::vector<Byte> dib(layout.info);
    dib.insert(dib.end(), data + layout.bitsOffset, data + layout.bitsOffset + layout.bitsSize);
    return dib;
}

bool MemoryLayout(std::int32_t width, std::int32_t length, std::int32_t bitsPerPixel, TTwnMemoryLayout& layout) {
    if (width <= 0 || length <= 0) return false;
    if (bitsPerPixel != 2 && !IsDibDepth(std::uint32_t(bitsPerPixel))) return false;
    const std::size_t stride = DibStride(width, bitsPerPixel);
    if (stride == 0 || std::uint64_t(stride) * std::uint64_t(length) > kMaxImageBytes) return false;
    layout.stride = stride;
    layout.size = stride * std::size_t(length);
    layout.entries = bitsPerPixel <= 8 ? std::size_t(1) << bitsPerPixel : 0;
    return true;
}

std::int32_t PelsPerMeter(std::int32_t units, double resolution) {
    double perCm;
    switch (units) {
        case TWUN_INCHES: perCm = resolution / 2.54; break;
        case TWUN_CENTIMETERS: perCm = resolution; break;
        case TWUN_PICAS: perCm = resolution / 2.54 * 6; break;
        case TWUN_POINTS: perCm = resolution / 2.54 * 72; break;
        case TWUN_TWIPS: perCm = resolution / 2.54 * 1440; break;
        default: return kDefaultPelsPerMeter;
    }
    const double perMeter = std::nearbyint(perCm * 100);
    if (!(perMeter >= 0 && perMeter <= 2147483647.0)) return kDefaultPelsPerMeter;
    return std::int32_t(perMeter);
}

std::vector<Byte> GreyRamp(std::size_t n, bool vanilla) {
    if (n < 1 || n > 256) return {};
    std::vector<Byte> table(n * 4, 0);
    for (std::size_t i = 0; i < n; ++i) {
        // Integer rounding of 255 x i / (n - 1), half up.
        int value = n == 1 ? 0 : int((510 * i + (n - 1)) / (2 * (n - 1)));
        if (vanilla) value = 255 - value;
        table[i * 4] = table[i * 4 + 1] = table[i * 4 + 2] = Byte(value);
    }
    return table;
}

void FlipRows(Byte* bits, std::size_t stride, std::size_t rows) {
    for (std::size_t top = 0, bottom = rows; top + 1 < bottom; ++top, --bottom)
        std::swap_ranges(bits + top * stride, bits + (top + 1) * stride, bits + (bottom - 1) * stride);
}

void SwapRedBlue(Byte* bits, std::size_t stride, std::size_t bytesPerRow, std::size_t rows) {
    for (std::size_t r = 0; r < rows; ++r) {
        Byte* row = bits + r * stride;
        for (std::size_t i = 0; i + 3 <= bytesPerRow; i += 3) std::swap(row[i], row[i + 2]);
    }
}

}  // namespace twn
