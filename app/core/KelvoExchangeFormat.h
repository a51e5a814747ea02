// The byte layout of the exchange file through which the filter plug-in hands a host image to the program
// and gets the corrected pixels back. Both deliverables compile this unit: it uses nothing but the
// standard library (no class library, no system headers), so the plug-in can carry it as it carries its
// own copy of the file mapping.
//
// Layout (little-endian int32 fields):
//   0  "PSPF"            4  header size (32)   8  image mode (3 = RGB)   12 left   16 top
//   20 width             24 height             28 row bytes               32 planes (bytes per pixel)
//   36 height rows of row bytes each, top row first; each pixel starts with R, G, B
//   after the rows, optionally: "EXIF", int32 length L, L bytes (read by the program only)
//
// Threat model: the file lives in the user's temporary folder, so another process may have changed it,
// and the plug-in reads it back inside the host's process. Every field is checked before use: the rows a
// header describes must lie inside the file (64-bit arithmetic, no overflow), each row must hold width
// pixels of planes bytes, and a pixel has at least the three colour bytes the copies read. A header that
// fails is reported, never followed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace exchange {

constexpr std::uint8_t Magic[4] = {'P', 'S', 'P', 'F'};
// The value of the header-size field: the eight int32 fields after the magic.
constexpr std::int32_t HeaderSize = 32;
// Where the first pixel row starts.
constexpr std::uint64_t PixelOffset = 4 + HeaderSize;
constexpr std::int32_t ModeRGB = 3;

struct THeader {
    std::int32_t headerSize = HeaderSize;
    std::int32_t imageMode = ModeRGB;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rowBytes = 0;
    std::int32_t planes = 0;
};

enum class TCheck {
    Valid,
    NotExchange,  // shorter than the header or without the magic
    BadLayout,    // the magic is there, but the fields do not describe rows inside the file
};

// Writes the magic and the header into the first PixelOffset bytes of dest.
void WriteHeader(std::uint8_t* dest, const THeader& header);

// Checks the first bytes of a file of fileSize bytes (available of them at bytes) and fills header.
// Valid needs: the magic; header size 32 (the only layout either side writes; the two readers would
// disagree on where the rows of any other start); width and height at least 1; planes at least 3;
// row bytes at least width x planes; PixelOffset + row bytes x height at most fileSize.
TCheck CheckHeader(const std::uint8_t* bytes, std::uint64_t available, std::uint64_t fileSize, THeader& header);

// Bytes the rows of a checked header take.
inline std::uint64_t RowsSize(const THeader& header) {
    return std::uint64_t(header.rowBytes) * std::uint64_t(header.height);
}

// The program's side. Exchange rows (R, G, B first in each pixel of planes bytes) to top-down rows of
// 24-bit blue, green, red, destStride bytes apart.
void RowsToBGR(const std::uint8_t* rows, const THeader& header, std::uint8_t* dest, std::size_t destStride);
// Top-down 24-bit blue, green, red rows to exchange rows of 3 planes, header.rowBytes apart. The padding
// at the end of each row is left as it is.
void BGRToRows(const std::uint8_t* source, std::size_t sourceStride, const THeader& header, std::uint8_t* rows);

// The plug-in's side: exchange rows into a host buffer of hostPlanes interleaved planes, hostRowBytes
// apart, for header.width x header.height pixels. With equal plane counts every pixel is copied whole;
// otherwise the three colour bytes of each pixel are, and the host's further planes keep their values.
// Only pixels are written, never the padding between the host's rows.
void RowsToHost(const std::uint8_t* rows, const THeader& header, std::uint8_t* host, std::int64_t hostRowBytes,
                std::int32_t hostPlanes);

// The EXIF trailer after the rows, when the file has one: looked for only when, counting from offset 4
// as the format always has, more than 500 bytes follow the end of the rows; then "EXIF" and a length L
// with 0 <= L <= MaxExifLength and L bytes inside the file. exifOffset receives the offset of the first
// of the L bytes.
constexpr std::int32_t MaxExifLength = 0xFFFF - 6;  // the APP1 segment's 16-bit length is L + 6
bool FindExifTrailer(const std::uint8_t* file, std::uint64_t fileSize, const THeader& header, std::uint64_t& exifOffset,
                     std::int32_t& exifLength);

// The trailer's L bytes wrapped into a complete baseline JPEG of L + 261 bytes (start of image, an APP1
// "Exif" segment holding the bytes, then a fixed tail that encodes an 8 x 8 grey image), so that an image
// decoder reads the trailer as the picture's metadata. The APP1 length written is L + 6, which counts two
// bytes less than the segment then holds; so a trailer holds its EXIF block followed by two fill bytes
// 0xFF 0xFF, which a decoder skips before the next marker (L is the block's length plus 2).
std::vector<std::uint8_t> WrapExifAsJpeg(const std::uint8_t* exif, std::int32_t length);

}  // namespace exchange
