#include "classlib/core/BmpFormat.h"

#include <cstring>

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/PixelPlumbing.h"

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

[[noreturn]] void Invalid(const char* what) { throw EInvalidGraphic(AnsiString("Bitmap image is not valid: ") + what); }

std::uint16_t U16(const Byte* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const Byte* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::int32_t I32(const Byte* p) { return static_cast<std::int32_t>(U32(p)); }

void Put16(std::vector<Byte>& out, std::uint32_t v) {
    out.push_back(Byte(v));
    out.push_back(Byte(v >> 8));
}
void Put32(std::vector<Byte>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool SupportedDepth(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// One channel of a BI_BITFIELDS pixel scaled to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;
    std::uint32_t mask = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
        // Masks must be contiguous runs of bits.
        if ((m >> shift) != (bits == 32 ? 0xFFFFFFFFu : ((1u << bits) - 1))) Invalid("colour mask");
    }
    Byte Extract(std::uint32_t pixel) const {
        if (!mask) return 0;
        std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return Byte(v >> (bits - 8));
        std::uint32_t max = (1u << bits) - 1;
        return Byte((v * 255 + max / 2) / max);
    }
};

// info points at the info header, size bytes from there to the end of the data; pixelOffset is the offset
// of the pixels from info (0: straight after the colour table).
TDibImage ReadDib(const Byte* info, std::size_t size, std::size_t pixelOffset) {
    if (size < 4) Invalid("truncated header");
    std::uint32_t headerSize = U32(info);
    TDibImage image;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    bool topDown = false;
    std::size_t paletteEntrySize = 4;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    bool masksInHeader = false;
    if (headerSize == 12) {
        if (size < 12) Invalid("truncated header");
        image.Width = U16(info + 4);
        image.Height = U16(info + 6);
        if (U16(info + 8) != 1) Invalid("planes");
        image.BitCount = U16(info + 10);
        paletteEntrySize = 3;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        if (size < headerSize) Invalid("truncated header");
        image.Width = I32(info + 4);
        std::int32_t height = I32(info + 8);
        if (U16(info + 12) != 1) Invalid("planes");
        image.BitCount = U16(info + 14);
        compression = U32(info + 16);
        colorsUsed = U32(info + 32);
        if (height == INT32_MIN) Invalid("height");
        topDown = height < 0;
        image.Height = topDown ? -height : height;
        if (headerSize >= 52) {
            masksInHeader = true;
            for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i) masks[i] = U32(info + 40 + 4 * i);
        }
    } else {
        Invalid("unknown header");
    }
    if (!SupportedDepth(image.BitCount)) Invalid("colour depth");
    if (image.Width <= 0 || image.Height <= 0 || image.Width > kMaxDibDimension || image.Height > kMaxDibDimension)
        Invalid("size");
    if (compression != kBiRgb && !(compression == kBiBitfields && image.BitCount == 32)) Invalid("compression");

    std::size_t pos = headerSize;
    if (compression == kBiBitfields && !masksInHeader) {
        if (size - pos < 12) Invalid("truncated colour masks");
        for (int i = 0; i < 3; ++i) masks[i] = U32(info + pos + 4 * i);
        pos += 12;
    }

    if (image.BitCount <= 8) {
        std::uint32_t maxColors = 1u << image.BitCount;
        std::uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
        if (count > maxColors) Invalid("colour table");
        std::size_t tableBytes = std::size_t(count) * paletteEntrySize;
        if (size - pos < tableBytes) Invalid("truncated colour table");
        image.Palette.resize(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const Byte* e = info + pos + i * paletteEntrySize;
            image.Palette[i] = std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
        }
        pos += tableBytes;
    } else if (colorsUsed != 0 && headerSize != 12) {
        // A colour table may follow the header of a true-colour image as a hint; it is skipped.
        std::size_t tableBytes = std::size_t(CheckedMul<std::uint64_t>(colorsUsed, 4));
        if (size - pos < tableBytes) Invalid("truncated colour table");
        pos += tableBytes;
    }

    if (pixelOffset != 0) {
        if (pixelOffset < pos || pixelOffset > size) Invalid("pixel offset");
        pos = pixelOffset;
    }
    std::size_t stride = image.Stride();
    std::uint64_t pixelBytes = std::uint64_t(stride) * std::uint64_t(image.Height);
    if (pixelBytes > size - pos) Invalid("truncated pixels");

    image.Pixels.resize(std::size_t(pixelBytes));
    const Byte* source = info + pos;
    for (std::int32_t y = 0; y < image.Height; ++y) {
        std::int32_t sourceRow = topDown ? y : image.Height - 1 - y;
        std::memcpy(image.Row(y), source + std::size_t(sourceRow) * stride, stride);
    }

    if (compression == kBiBitfields) {
        Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
        for (std::int32_t y = 0; y < image.Height; ++y) {
            Byte* p = image.Row(y);
            for (std::int32_t x = 0; x < image.Width; ++x, p += 4) {
                std::uint32_t v = U32(p);
                p[0] = blue.Extract(v);
                p[1] = green.Extract(v);
                p[2] = red.Extract(v);
                p[3] = alpha.Extract(v);
            }
        }
    }
    return image;
}
}  // namespace

std::size_t DibRowStride(std::int32_t width, int bitCount) {
    if (width < 0 || !SupportedDepth(bitCount)) Invalid("row size");
    const std::uint64_t stride = DibRowBytes(std::uint64_t(width), std::uint64_t(bitCount));
    if (stride > 0x7FFFFFFF) Invalid("row size");
    return std::size_t(stride);
}

std::size_t TDibImage::Stride() const { return DibRowStride(Width, BitCount); }

std::uint32_t BmpFileSize(const Byte* data, std::size_t size) {
    if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') return 0;
    return U32(data + 2);
}

TDibImage ReadBmpFile(const Byte* data, std::size_t size) {
    if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') Invalid("no bitmap file header");
    std::uint32_t offset = U32(data + 10);
    std::size_t pixelOffset = 0;
    if (offset != 0) {
        if (offset < kFileHeaderSize || offset > size) Invalid("pixel offset");
        pixelOffset = offset - kFileHeaderSize;
    }
    return ReadDib(data + kFileHeaderSize, size - kFileHeaderSize, pixelOffset);
}

TDibImage ReadPackedDib(const Byte* data, std::size_t size) { return ReadDib(data, size, 0); }

std::vector<Byte> WriteBmpFile(const TDibImage& image) {
    if (!SupportedDepth(image.BitCount) || image.Width < 0 || image.Height < 0) Invalid("image");
    std::size_t stride = image.Stride();
    std::uint64_t pixelBytes = std::uint64_t(stride) * std::uint64_t(image.Height);
    if (image.Pixels.size() != pixelBytes) Invalid("pixel buffer size");
    std::size_t paletteCount = image.BitCount <= 8 ? image.Palette.size() : 0;
    if (paletteCount > (std::size_t(1) << image.BitCount)) Invalid("colour table");
    std::uint64_t offset = kFileHeaderSize + 40 + paletteCount * 4;
    std::uint64_t total = offset + pixelBytes;
    if (total > 0xFFFFFFFFu) Invalid("image too large");

    std::vector<Byte> out;
    out.reserve(std::size_t(total));
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(total));
    Put32(out, 0);
    Put32(out, std::uint32_t(offset));
    Put32(out, 40);
    Put32(out, std::uint32_t(image.Width));
    Put32(out, std::uint32_t(image.Height));
    Put16(out, 1);
    Put16(out, std::uint32_t(image.BitCount));
    Put32(out, kBiRgb);
    Put32(out, std::uint32_t(pixelBytes));
    Put32(out, 2835);  // 72 dots per inch, in dots per metre
    Put32(out, 2835);
    Put32(out, std::uint32_t(paletteCount));
    Put32(out, 0);
    for (std::size_t i = 0; i < paletteCount; ++i) Put32(out, image.Palette[i] & 0xFFFFFF);
    for (std::int32_t y = image.Height - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + stride);
    return out;
}
