#include "app/core/KelvoImageHeader.h"

#include <cstring>

namespace {

// A view of the bytes that answers false for anything outside them.
class TBytes {
public:
    TBytes(const Byte* bytes, std::size_t size) : bytes_(bytes), size_(bytes ? size : 0) {}
    bool Has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
    bool Starts(const char* magic, std::size_t count) const {
        return Has(0, count) && std::memcmp(bytes_, magic, count) == 0;
    }
    std::uint32_t U8(std::size_t at) const { return bytes_[at]; }
    std::uint32_t BE16(std::size_t at) const { return U8(at) << 8 | U8(at + 1); }
    std::uint32_t LE16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t BE32(std::size_t at) const { return BE16(at) << 16 | BE16(at + 2); }
    std::uint32_t LE32(std::size_t at) const { return LE16(at) | LE16(at + 2) << 16; }
    std::uint32_t U16(std::size_t at, bool bigEndian) const { return bigEndian ? BE16(at) : LE16(at); }
    std::uint32_t U32(std::size_t at, bool bigEndian) const { return bigEndian ? BE32(at) : LE32(at); }

private:
    const Byte* bytes_;
    std::size_t size_;
};

bool IsFrameHeader(std::uint32_t marker) {
    // SOF0 .. SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

TKelvoHeaderSize JpegSize(const TBytes& b, std::int64_t& width, std::int64_t& height) {
    std::size_t at = 2;
    for (;;) {
        if (!b.Has(at, 2) || b.U8(at) != 0xFF) return TKelvoHeaderSize::Unknown;
        // Fill bytes before a marker.
        while (b.Has(at + 1, 1) && b.U8(at + 1) == 0xFF) ++at;
        if (!b.Has(at, 2)) return TKelvoHeaderSize::Unknown;
        const std::uint32_t marker = b.U8(at + 1);
        at += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA) return TKelvoHeaderSize::Unknown;
        if (!b.Has(at, 2)) return TKelvoHeaderSize::Unknown;
        const std::size_t length = b.BE16(at);
        if (length < 2) return TKelvoHeaderSize::Unknown;
        if (IsFrameHeader(marker)) {
            if (length < 7 || !b.Has(at, 7)) return TKelvoHeaderSize::Unknown;
            height = b.BE16(at + 3);
            width = b.BE16(at + 5);
            // A height of 0 is given later, after the first scan: not known from the header.
            return height == 0 ? TKelvoHeaderSize::Unknown : TKelvoHeaderSize::Declared;
        }
        at += length;
    }
}

TKelvoHeaderSize PngSize(const TBytes& b, std::int64_t& width, std::int64_t& height) {
    if (!b.Has(8, 16)) return TKelvoHeaderSize::Unknown;
    if (b.U8(12) != 'I' || b.U8(13) != 'H' || b.U8(14) != 'D' || b.U8(15) != 'R') return TKelvoHeaderSize::Unknown;
    width = b.BE32(16);
    height = b.BE32(20);
    return TKelvoHeaderSize::Declared;
}

TKelvoHeaderSize BmpSize(const TBytes& b, std::int64_t& width, std::int64_t& height) {
    if (!b.Has(14, 4)) return TKelvoHeaderSize::Unknown;
    const std::uint32_t headerSize = b.LE32(14);
    if (headerSize == 12) {
        if (!b.Has(18, 4)) return TKelvoHeaderSize::Unknown;
        width = b.LE16(18);
        height = b.LE16(20);
        return TKelvoHeaderSize::Declared;
    }
    if (headerSize < 40 || !b.Has(18, 8)) return TKelvoHeaderSize::Unknown;
    width = std::int32_t(b.LE32(18));
    const std::int64_t declared = std::int32_t(b.LE32(22));
    height = declared < 0 ? -declared : declared;
    return TKelvoHeaderSize::Declared;
}

TKelvoHeaderSize TiffSize(const TBytes& b, bool bigEndian, std::int64_t& width, std::int64_t& height) {
    if (!b.Has(4, 4)) return TKelvoHeaderSize::Unknown;
    const std::size_t directory = b.U32(4, bigEndian);
    if (!b.Has(directory, 2)) return TKelvoHeaderSize::Unknown;
    const std::size_t count = b.U16(directory, bigEndian);
    bool haveWidth = false, haveHeight = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + i * 12;
        if (!b.Has(entry, 12)) return TKelvoHeaderSize::Unknown;
        const std::uint32_t tag = b.U16(entry, bigEndian);
        if (tag != 256 && tag != 257) continue;
        const std::uint32_t type = b.U16(entry + 2, bigEndian);
        if (b.U32(entry + 4, bigEndian) != 1) return TKelvoHeaderSize::Unknown;
        std::int64_t value = 0;
        if (type == 3)  // SHORT, left-justified in the value field
            value = b.U16(entry + 8, bigEndian);
        else if (type == 4)  // LONG
            value = b.U32(entry + 8, bigEndian);
        else
            return TKelvoHeaderSize::Unknown;
        (tag == 256 ? width : height) = value;
        (tag == 256 ? haveWidth : haveHeight) = true;
    }
    return haveWidth && haveHeight ? TKelvoHeaderSize::Declared : TKelvoHeaderSize::Unknown;
}

}  // namespace

TKelvoHeaderSize DeclaredImageSize(const Byte* bytes, std::size_t size, std::int64_t& width, std::int64_t& height) {
    const TBytes b(bytes, size);
    std::int64_t w = 0, h = 0;
    TKelvoHeaderSize result = TKelvoHeaderSize::Unknown;
    if (b.Starts("\xFF\xD8", 2))
        result = JpegSize(b, w, h);
    else if (b.Starts("\x89PNG\r\n\x1A\n", 8))
        result = PngSize(b, w, h);
    else if (b.Starts("BM", 2))
        result = BmpSize(b, w, h);
    else if (b.Starts("II*\0", 4))
        result = TiffSize(b, false, w, h);
    else if (b.Starts("MM\0*", 4))
        result = TiffSize(b, true, w, h);
    if (result == TKelvoHeaderSize::Declared) {
        width = w;
        height = h;
    }
    return result;
}

bool ImageSizeHoldable(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > KelvoMaxImageBytes || height > KelvoMaxImageBytes) return false;
    const std::int64_t stride = (width * 3 + 3) / 4 * 4;
    return stride <= KelvoMaxImageBytes / height;
}

bool HeaderRefusesImage(const Byte* bytes, std::size_t size) {
    std::int64_t width = 0, height = 0;
    return DeclaredImageSize(bytes, size, width, height) == TKelvoHeaderSize::Declared &&
           !ImageSizeHoldable(width, height);
}
