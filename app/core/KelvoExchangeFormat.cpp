#include "app/core/KelvoExchangeFormat.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace exchange {

namespace {

std::int32_t ReadInt32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

void WriteInt32(std::uint8_t* p, std::int32_t value) {
    const auto v = std::uint32_t(value);
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

constexpr std::uint8_t ExifTag[4] = {'E', 'X', 'I', 'F'};

// What completes the APP1 segment to a baseline JPEG an image decoder accepts: all-ones quantisation
// tables, an 8 x 8 three-component frame without subsampling, Huffman tables of one code each (DC: the
// 8-bit code 00000000 for difference 0; AC: the 1-bit code 0 for end of block), the scan header, and
// three blocks of 9 zero bits padded with ones to 4 bytes. 249 bytes with the end-of-image marker.
constexpr std::array<std::uint8_t, 249> JpegTail = [] {
    std::array<std::uint8_t, 249> t{};
    std::size_t n = 0;
    auto put = [&](std::initializer_list<std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) t[n++] = b;
    };
    put({0xFF, 0xDB, 0x00, 0x84});  // two quantisation tables of 64 ones
    for (std::uint8_t table = 0; table < 2; ++table) {
        put({table});
        for (int i = 0; i < 64; ++i) put({1});
    }
    put({0xFF, 0xC0, 0x00, 0x11, 8, 0x00, 0x08, 0x00, 0x08, 3,  // frame: 8 bits, 8 x 8, 3 components
         1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1});
    put({0xFF, 0xC4, 0x00, 0x4A});  // four Huffman tables
    for (std::uint8_t table : {0x00, 0x10, 0x01, 0x11}) {
        const bool dc = (table & 0x10) == 0;
        put({table});
        for (int length = 1; length <= 16; ++length) put({std::uint8_t((dc ? length == 8 : length == 1) ? 1 : 0)});
        put({0x00});
    }
    put({0xFF, 0xDA, 0x00, 0x0C, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});  // scan of all three
    put({0x00, 0x00, 0x00, 0x1F});
    put({0xFF, 0xD9});
    if (n != t.size()) throw "the tail must fill its 249 bytes";  // fails the build, never runs
    return t;
}();

}  // namespace

void WriteHeader(std::uint8_t* dest, const THeader& header) {
    std::memcpy(dest, Magic, 4);
    const std::int32_t fields[8] = {header.headerSize, header.imageMode, header.left,     header.top,
                                    header.width,      header.height,    header.rowBytes, header.planes};
    for (int i = 0; i < 8; ++i) WriteInt32(dest + 4 + 4 * i, fields[i]);
}

TCheck CheckHeader(const std::uint8_t* bytes, std::uint64_t available, std::uint64_t fileSize, THeader& header) {
    if (bytes == nullptr || available < PixelOffset || fileSize < PixelOffset) return TCheck::NotExchange;
    if (std::memcmp(bytes, Magic, 4) != 0) return TCheck::NotExchange;
    THeader h;
    h.headerSize = ReadInt32(bytes + 4);
    h.imageMode = ReadInt32(bytes + 8);
    h.left = ReadInt32(bytes + 12);
    h.top = ReadInt32(bytes + 16);
    h.width = ReadInt32(bytes + 20);
    h.height = ReadInt32(bytes + 24);
    h.rowBytes = ReadInt32(bytes + 28);
    h.planes = ReadInt32(bytes + 32);
    header = h;
    if (h.headerSize != HeaderSize || h.width < 1 || h.height < 1 || h.planes < 3) return TCheck::BadLayout;
    // Each factor is below 2^31, so no product below overflows 64 bits.
    if (std::int64_t(h.rowBytes) < std::int64_t(h.width) * h.planes) return TCheck::BadLayout;
    if (PixelOffset + RowsSize(h) > fileSize) return TCheck::BadLayout;
    return TCheck::Valid;
}

void RowsToBGR(const std::uint8_t* rows, const THeader& header, std::uint8_t* dest, std::size_t destStride) {
    for (std::int32_t y = 0; y < header.height; ++y) {
        const std::uint8_t* s = rows + std::size_t(y) * std::size_t(header.rowBytes);
        std::uint8_t* d = dest + std::size_t(y) * destStride;
        for (std::int32_t x = 0; x < header.width; ++x, s += header.planes, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
}

void BGRToRows(const std::uint8_t* source, std::size_t sourceStride, const THeader& header, std::uint8_t* rows) {
    for (std::int32_t y = 0; y < header.height; ++y) {
        const std::uint8_t* s = source + std::size_t(y) * sourceStride;
        std::uint8_t* d = rows + std::size_t(y) * std::size_t(header.rowBytes);
        for (std::int32_t x = 0; x < header.width; ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
}

void RowsToHost(const std::uint8_t* rows, const THeader& header, std::uint8_t* host, std::int64_t hostRowBytes,
                std::int32_t hostPlanes) {
    for (std::int32_t y = 0; y < header.height; ++y) {
        const std::uint8_t* s = rows + std::size_t(y) * std::size_t(header.rowBytes);
        std::uint8_t* d = host + y * hostRowBytes;
        if (hostPlanes == header.planes) {
            std::memcpy(d, s, std::size_t(header.width) * std::size_t(header.planes));
            continue;
        }
        for (std::int32_t x = 0; x < header.width; ++x, s += header.planes, d += hostPlanes) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

bool FindExifTrailer(const std::uint8_t* file, std::uint64_t fileSize, const THeader& header, std::uint64_t& exifOffset,
                     std::int32_t& exifLength) {
    const std::uint64_t rowsEnd = PixelOffset + RowsSize(header);
    // The end of the rows counted from offset 4, plus 500, must lie before the end of the file.
    if (rowsEnd - 4 + 500 >= fileSize) return false;
    if (std::memcmp(file + rowsEnd, ExifTag, 4) != 0) return false;
    const std::int32_t length = ReadInt32(file + rowsEnd + 4);
    if (length < 0 || length > MaxExifLength || rowsEnd + 8 + std::uint64_t(length) > fileSize) return false;
    exifOffset = rowsEnd + 8;
    exifLength = length;
    return true;
}

std::vector<std::uint8_t> WrapExifAsJpeg(const std::uint8_t* exif, std::int32_t length) {
    length = std::clamp(length, 0, MaxExifLength);
    std::vector<std::uint8_t> jpeg;
    jpeg.reserve(std::size_t(length) + 261);
    const std::uint32_t segment = std::uint32_t(length) + 6;
    const std::uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE1, std::uint8_t(segment >> 8), std::uint8_t(segment), 'E', 'x',
                                 'i',  'f',  0,    0};
    jpeg.insert(jpeg.end(), std::begin(head), std::end(head));
    if (length > 0) jpeg.insert(jpeg.end(), exif, exif + length);
    jpeg.insert(jpeg.end(), JpegTail.begin(), JpegTail.end());
    return jpeg;
}

}  // namespace exchange
