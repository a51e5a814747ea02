#include "themed/core/TPNGReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "themed/core/TCompressionStream.h"

namespace {

constexpr Byte kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Chunk names compared with bit 5 of every letter masked off, so letter case does not matter.
constexpr std::uint32_t kCaseMask = 0xDFDFDFDFu;
constexpr std::uint32_t Tag(const char (&name)[5]) {
    return ((std::uint32_t(Byte(name[0])) << 24) | (std::uint32_t(Byte(name[1])) << 16) |
            (std::uint32_t(Byte(name[2])) << 8) | std::uint32_t(Byte(name[3]))) &
           kCaseMask;
}
constexpr std::uint32_t kIHDR = Tag("IHDR");
constexpr std::uint32_t kIDAT = Tag("IDAT");
constexpr std::uint32_t kIEND = Tag("IEND");
constexpr std::uint32_t kPLTE = Tag("PLTE");
constexpr std::uint32_t kGAMA = Tag("gAMA");
constexpr std::uint32_t kBKGD = Tag("bKGD");
constexpr std::uint32_t kTRNS = Tag("tRNS");

// The PNG format allows lengths and dimensions up to 2^31 - 1.
constexpr std::uint32_t kMaxPngValue = 0x7FFFFFFFu;

enum Kind { kPalette = 1, kGrey = 2, kGreyAlpha = 3, kTrueColour = 4, kTrueColourAlpha = 5 };

[[noreturn]] void Fail(const char* message) { throw EStreamError(message); }

std::uint32_t BigEndian32(const Byte* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
std::uint32_t BigEndian16(const Byte* p) { return (std::uint32_t(p[0]) << 8) | p[1]; }

// The inflate state, ended on every way out of the reader.
struct Inflater {
    z_stream z{};
    bool initialised = false;
    void Init() {
        const int rc = inflateInit(&z);
        if (rc != Z_OK) themed::RaiseZlibError(rc);
        initialised = true;
    }
    ~Inflater() {
        if (initialised) inflateEnd(&z);
    }
};

std::uint8_t PaethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    if (pa <= pb && pa <= pc) return std::uint8_t(a);
    if (pb <= pc) return std::uint8_t(b);
    return std::uint8_t(c);
}

// Undoes the row filter named by row[0] on row[1..n], in place; prev[1..n] is the row above.
void Unfilter(Byte* row, const Byte* prev, std::size_t n, std::size_t bpp) {
    Byte* r = row + 1;
    const Byte* p = prev + 1;
    switch (row[0]) {
        case 0: break;
        case 1:
            for (std::size_t i = bpp; i < n; ++i) r[i] = Byte(r[i] + r[i - bpp]);
            break;
        case 2:
            for (std::size_t i = 0; i < n; ++i) r[i] = Byte(r[i] + p[i]);
            break;
        case 3: {
            const std::size_t head = std::min(bpp, n);
            for (std::size_t i = 0; i < head; ++i) r[i] = Byte(r[i] + (p[i] >> 1));
            for (std::size_t i = bpp; i < n; ++i) r[i] = Byte(r[i] + ((unsigned(r[i - bpp]) + p[i]) >> 1));
            break;
        }
        case 4: {
            const std::size_t head = std::min(bpp, n);
            for (std::size_t i = 0; i < head; ++i) r[i] = Byte(r[i] + p[i]);
            for (std::size_t i = bpp; i < n; ++i) r[i] = Byte(r[i] + PaethPredictor(r[i - bpp], p[i], p[i - bpp]));
            break;
        }
        default:
            // An unknown filter leaves the bytes as they are.
            break;
    }
}

class Decoder {
public:
    Decoder(TStream& stream, std::uint64_t maxPixels) : s_(stream), maxPixels_(maxPixels) {}

    void Run(std::uint32_t& width, std::uint32_t& height, themed::TPixelArray& pixels, float& gamma, bool& interlaced,
             bool& hasBackground, std::uint32_t& background);

private:
    void ReadHeader();
    void ReadData(std::vector<Byte>& into);
    void SkipChunk();
    void SetFormat(Byte colourType, Byte depth);
    void ReadPalette();
    void ReadTransparency();
    void ReadBackground();
    void DecodeImage();
    bool NextInput();
    bool Fill(Byte* out, std::size_t n);
    void ConvertRow(const Byte* src, std::uint32_t* dst, std::size_t step, std::size_t count) const;
    std::size_t RowBytes(std::uint64_t pixelsInRow) const;

    TStream& s_;
    std::uint64_t maxPixels_;

    // Current chunk.
    std::uint32_t length_ = 0;
    Byte type_[4] = {};
    std::uint32_t tag_ = 0;
    uLong crc_ = 0;
    std::vector<Byte> data_;
    Inflater inflater_;

    // The compressed stream has ended; the inflater is fed whole IDAT chunks from data_.
    bool streamEnded_ = false;

    // Image format.
    std::uint32_t width_ = 0, height_ = 0;
    Byte colourType_ = 0;
    int kind_ = 0;
    int depth_ = 0;
    std::size_t stride_ = 1;
    bool interlaced_ = false;
    std::vector<std::uint32_t> palette_;
    bool keyPresent_ = false;
    std::uint32_t key8_ = 0;
    std::uint32_t key16_[3] = {};
    themed::TPixelArray* pixels_ = nullptr;
    std::uint32_t rowsDone_ = 0;  // rows of a non-interlaced image written so far

    float gamma_ = 0.0f;
    bool hasBackground_ = false;
    std::uint32_t background_ = 0;
};

void Decoder::ReadHeader() {
    Byte header[8];
    s_.ReadBuffer(header, 8);
    length_ = BigEndian32(header);
    std::memcpy(type_, header + 4, 4);
    tag_ = BigEndian32(type_) & kCaseMask;
    crc_ = crc32(0L, type_, 4);
    if (length_ > kMaxPngValue) Fail("Invalid format");
}

// Reads the current chunk's data and checks its CRC. The length is checked against what the stream
// still holds before any memory is taken for it.
void Decoder::ReadData(std::vector<Byte>& into) {
    if (std::int64_t(length_) + 4 > s_.Remaining()) throw EReadError("Stream read error");
    into.resize(length_);
    if (length_ > 0) s_.ReadBuffer(into.data(), std::int32_t(length_));
    Byte crcBytes[4];
    s_.ReadBuffer(crcBytes, 4);
    // crc32 answers 0 for a null buffer, so an empty chunk keeps the CRC of its type.
    const uLong crc = length_ > 0 ? crc32(crc_, into.data(), uInt(length_)) : crc_;
    if (std::uint32_t(crc) != BigEndian32(crcBytes)) Fail("CRC error");
}

// Passes over the data and CRC of the current chunk without checking them; never moves past the end.
void Decoder::SkipChunk() {
    const std::int64_t skip = std::min<std::int64_t>(std::int64_t(length_) + 4, s_.Remaining());
    s_.Seek(skip, soCurrent);
}

void Decoder::SetFormat(Byte colourType, Byte depth) {
    depth_ = depth;
    colourType_ = colourType;
    switch (colourType) {
        case 0:
            if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) Fail("Invalid color format");
            kind_ = kGrey;
            stride_ = (depth + 7) / 8;
            break;
        case 2:
            if (depth != 8 && depth != 16) Fail("Invalid color format");
            kind_ = kTrueColour;
            stride_ = 3 * depth / 8;
            break;
        case 3:
            if (depth != 1 && depth != 2 && depth != 4 && depth != 8) Fail("Invalid color format");
            kind_ = kPalette;
            stride_ = 1;
            break;
        case 4:
            if (depth != 8 && depth != 16) Fail("Invalid color format");
            kind_ = kGreyAlpha;
            stride_ = 2 * depth / 8;
            break;
        case 6:
            if (depth != 8 && depth != 16) Fail("Invalid color format");
            kind_ = kTrueColourAlpha;
            stride_ = 4 * depth / 8;
            break;
        default: Fail("Invalid color format");
    }
}

std::size_t Decoder::RowBytes(std::uint64_t n) const {
    std::uint64_t bytes = 0;
    switch (kind_) {
        case kPalette:
        case kGrey: bytes = (n * std::uint64_t(depth_) + 7) / 8; break;
        case kGreyAlpha: bytes = n * std::uint64_t(depth_) * 2 / 8; break;
        case kTrueColour: bytes = n * std::uint64_t(depth_) * 3 / 8; break;
        default: bytes = n * std::uint64_t(depth_) * 4 / 8; break;
    }
    // Width is capped by the pixel limit, so this holds for every accepted image; checked all the same.
    if (bytes >= kMaxPngValue) Fail("Invalid format");
    return std::size_t(bytes);
}

void Decoder::ReadPalette() {
    if (length_ % 3 != 0) Fail("Invalid palette");
    ReadData(data_);
    if (colourType_ != 3) return;
    palette_.resize(length_ / 3);
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const Byte* p = data_.data() + 3 * i;
        palette_[i] = 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
}

// A chunk too short for the colour type is ignored rather than read past.
void Decoder::ReadTransparency() {
    ReadData(data_);
    const Byte* d = data_.data();
    switch (kind_) {
        case kPalette: {
            const std::size_t n = std::min<std::size_t>(palette_.size(), length_);
            for (std::size_t i = 0; i < n; ++i) palette_[i] = (palette_[i] & 0x00FFFFFFu) | (std::uint32_t(d[i]) << 24);
            break;
        }
        case kGrey:
            if (length_ < 2) return;
            if (depth_ == 16)
                key16_[0] = BigEndian16(d);
            else if (depth_ == 2)
                key8_ = d[1] & 3u;
            else
                key8_ = d[1];
            keyPresent_ = true;
            break;
        case kTrueColour:
            if (length_ < 6) return;
            for (int i = 0; i < 3; ++i) key16_[i] = BigEndian16(d + 2 * i);
            if (depth_ == 8) key8_ = (std::uint32_t(d[1]) << 16) | (std::uint32_t(d[3]) << 8) | d[5];
            keyPresent_ = true;
            break;
        default: break;
    }
}

void Decoder::ReadBackground() {
    ReadData(data_);
    const Byte* d = data_.data();
    auto sample = [&](const Byte* p) -> std::uint32_t {
        const std::uint32_t v = BigEndian16(p);
        if (depth_ == 16) return v * 255 / 65535;
        return v & 0xFFu;
    };
    switch (kind_) {
        case kGrey:
        case kGreyAlpha: {
            if (length_ < 2) return;
            const std::uint32_t v = BigEndian16(d);
            background_ = depth_ == 2 ? v * 15 / 3 : sample(d);
            break;
        }
        case kTrueColour:
        case kTrueColourAlpha:
            if (length_ < 6) return;
            background_ = (sample(d) << 16) | (sample(d + 2) << 8) | sample(d + 4);
            break;
        default:
            if (length_ < 1) return;
            background_ = d[0];
            break;
    }
    hasBackground_ = true;
}

// Hands the inflater the next chunk of the IDAT run whole, after its CRC has been checked: damaged data is
// reported as a CRC error and never reaches the inflater. Empty chunks are passed over. Returns false when the
// run has ended; then the header of the chunk after it has been read.
bool Decoder::NextInput() {
    z_stream& z = inflater_.z;
    while (tag_ == kIDAT) {
        ReadData(data_);
        ReadHeader();
        if (!data_.empty()) {
            z.next_in = data_.data();
            z.avail_in = uInt(data_.size());
            return true;
        }
    }
    return false;
}

// Fills n bytes from the compressed data of the IDAT run. Returns false when the data runs out first (the
// rows it does not reach stay zero). A compressed stream that has ended while rows are still asked for, or that
// ends with input left over, is damaged.
bool Decoder::Fill(Byte* out, std::size_t n) {
    if (streamEnded_) Fail("Extra compressed data found");
    z_stream& z = inflater_.z;
    z.next_out = out;
    z.avail_out = uInt(n);
    while (z.avail_out > 0) {
        while (z.avail_in == 0)
            if (!NextInput()) return false;
        const int rc = inflate(&z, Z_PARTIAL_FLUSH);
        if (rc < 0) themed::RaiseZlibError(rc);
        if (rc == Z_STREAM_END) {
            streamEnded_ = true;
            if (z.avail_out > 0 || z.avail_in > 0) Fail("Extra compressed data found");
            break;
        }
        if (rc != Z_OK) Fail("Compression error");
    }
    return true;
}

void Decoder::ConvertRow(const Byte* src, std::uint32_t* dst, std::size_t step, std::size_t count) const {
    const std::uint32_t opaque = 0xFF000000u;
    switch (kind_) {
        case kPalette: {
            const std::uint32_t* pal = palette_.data();
            const std::size_t palCount = palette_.size();
            if (depth_ == 8) {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const unsigned idx = src[k];
                    if (idx >= palCount) Fail("Invalid palette index");
                    *dst = pal[idx];
                }
            } else {
                const unsigned mask = (1u << depth_) - 1;
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const std::size_t bit = k * std::size_t(depth_);
                    const unsigned idx = (src[bit >> 3] >> (8 - depth_ - (bit & 7))) & mask;
                    if (idx >= palCount) Fail("Invalid palette index");
                    *dst = pal[idx];
                }
            }
            break;
        }
        case kGrey:
            if (depth_ < 8) {
                const unsigned mask = (1u << depth_) - 1;
                const std::uint32_t unit = depth_ == 1 ? 0xFFFFFFu : depth_ == 2 ? 0x555555u : 0x111111u;
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const std::size_t bit = k * std::size_t(depth_);
                    const unsigned v = (src[bit >> 3] >> (8 - depth_ - (bit & 7))) & mask;
                    const std::uint32_t alpha = keyPresent_ && v == key8_ ? 0 : opaque;
                    *dst = alpha | (v * unit);
                }
            } else if (depth_ == 8) {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const std::uint32_t v = src[k];
                    const std::uint32_t alpha = keyPresent_ && v == key8_ ? 0 : opaque;
                    *dst = alpha | (v * 0x010101u);
                }
            } else {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const Byte* p = src + 2 * k;
                    const std::uint32_t alpha = keyPresent_ && BigEndian16(p) == key16_[0] ? 0 : opaque;
                    *dst = alpha | (std::uint32_t(p[0]) * 0x010101u);
                }
            }
            break;
        case kGreyAlpha: {
            const std::size_t bpp = depth_ == 8 ? 2 : 4;
            const std::size_t alphaAt = depth_ == 8 ? 1 : 2;
            for (std::size_t k = 0; k < count; ++k, dst += step) {
                const Byte* p = src + bpp * k;
                *dst = (std::uint32_t(p[alphaAt]) << 24) | (std::uint32_t(p[0]) * 0x010101u);
            }
            break;
        }
        case kTrueColour:
            if (depth_ == 8) {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const Byte* p = src + 3 * k;
                    const std::uint32_t rgb = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
                    *dst = (keyPresent_ && rgb == key8_ ? 0 : opaque) | rgb;
                }
            } else {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const Byte* p = src + 6 * k;
                    const bool keyed = keyPresent_ && BigEndian16(p) == key16_[0] && BigEndian16(p + 2) == key16_[1] &&
                                       BigEndian16(p + 4) == key16_[2];
                    *dst = (keyed ? 0 : opaque) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[2]) << 8) | p[4];
                }
            }
            break;
        default:
            if (depth_ == 8) {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const Byte* p = src + 4 * k;
                    *dst =
                        (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
                }
            } else {
                for (std::size_t k = 0; k < count; ++k, dst += step) {
                    const Byte* p = src + 8 * k;
                    *dst =
                        (std::uint32_t(p[6]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[2]) << 8) | p[4];
                }
            }
            break;
    }
}

// Decodes the rows from the IDAT run that starts with the current chunk; leaves the header of the first
// chunk after the run read. Rows that the compressed data does not reach stay zero (transparent black).
void Decoder::DecodeImage() {
    z_stream& z = inflater_.z;
    // Input left from an earlier run is not carried into this one.
    z.next_in = nullptr;
    z.avail_in = 0;
    std::uint32_t* pixels = pixels_->data();
    const std::size_t fullRow = RowBytes(width_);
    std::vector<Byte> bufA(fullRow + 1, 0), bufB(fullRow + 1, 0);
    Byte* cur = bufA.data();
    Byte* prev = bufB.data();

    if (!interlaced_) {
        for (std::uint32_t y = 0; y < height_; ++y) {
            if (!Fill(cur, fullRow + 1)) break;
            Unfilter(cur, prev, fullRow, stride_);
            ConvertRow(cur + 1, pixels + std::size_t(y) * width_, 1, width_);
            rowsDone_ = std::max(rowsDone_, y + 1);
            std::swap(cur, prev);
        }
    } else {
        static constexpr std::uint32_t startRow[7] = {0, 0, 4, 0, 2, 0, 1};
        static constexpr std::uint32_t rowStep[7] = {8, 8, 8, 4, 4, 2, 2};
        static constexpr std::uint32_t startCol[7] = {0, 4, 0, 2, 0, 1, 0};
        static constexpr std::uint32_t colStep[7] = {8, 8, 4, 4, 2, 2, 1};
        bool complete = true;
        for (int pass = 0; pass < 7 && complete; ++pass) {
            if (startCol[pass] >= width_) continue;
            const std::uint32_t passWidth = (width_ - startCol[pass] + colStep[pass] - 1) / colStep[pass];
            const std::size_t rowBytes = RowBytes(passWidth);
            std::memset(prev, 0, rowBytes + 1);
            for (std::uint64_t y = startRow[pass]; y < height_; y += rowStep[pass]) {
                if (!Fill(cur, rowBytes + 1)) {
                    complete = false;
                    break;
                }
                Unfilter(cur, prev, rowBytes, stride_);
                ConvertRow(cur + 1, pixels + std::size_t(y) * width_ + startCol[pass], colStep[pass], passWidth);
                std::swap(cur, prev);
            }
        }
    }
    // Skip the rest of the run, checking each chunk.
    do {
        z.next_in = nullptr;
        z.avail_in = 0;
    } while (NextInput());
}

void Decoder::Run(std::uint32_t& width, std::uint32_t& height, themed::TPixelArray& pixels, float& gamma,
                  bool& interlaced, bool& hasBackground, std::uint32_t& background) {
    Byte signature[8];
    s_.ReadBuffer(signature, 8);
    if (std::memcmp(signature, kSignature, 8) != 0) Fail("Invalid format");
    ReadHeader();
    if (tag_ != kIHDR) Fail("Invalid format");
    ReadData(data_);
    if (length_ < 13) Fail("Invalid format");
    const Byte* h = data_.data();
    const std::uint32_t w = BigEndian32(h);
    const std::uint32_t ht = BigEndian32(h + 4);
    const Byte depth = h[8], colourType = h[9], compression = h[10];
    const Byte interlace = h[12];
    if (w == 0 || ht == 0) return;
    if (w > kMaxPngValue || ht > kMaxPngValue) Fail("Invalid format");
    if (compression != 0) Fail("Unsupported compression scheme");
    SetFormat(colourType, depth);
    if (std::uint64_t(w) * ht > maxPixels_) Fail("Invalid format");
    width_ = w;
    height_ = ht;
    interlaced_ = interlace != 0;
    try {
        pixels.resize(std::size_t(w) * ht);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory");
    }
    // Rows are written as they are decoded; an interlaced image is spread over the whole array at once,
    // so it starts zeroed. A plain one has the rows that its data did not reach zeroed at the end.
    if (interlaced_) std::fill(pixels.begin(), pixels.end(), 0u);
    width = w;
    height = ht;
    interlaced = interlaced_;
    pixels_ = &pixels;
    inflater_.Init();

    ReadHeader();
    for (;;) {
        switch (tag_) {
            case kIDAT: DecodeImage(); break;  // the chunk after the run is passed over below, unread
            case kPLTE:
                ReadPalette();
                ReadHeader();
                continue;
            case kGAMA:
                ReadData(data_);
                if (length_ >= 4) gamma = float(BigEndian32(data_.data())) / 100000.0f;
                ReadHeader();
                continue;
            case kBKGD:
                ReadBackground();
                hasBackground = hasBackground_;
                background = background_;
                ReadHeader();
                continue;
            case kTRNS:
                ReadTransparency();
                ReadHeader();
                continue;
            default: break;
        }
        SkipChunk();
        if (tag_ == kIEND) {
            if (!interlaced_)
                std::fill(pixels.begin() + std::ptrdiff_t(std::size_t(rowsDone_) * width_), pixels.end(), 0u);
            return;
        }
        if ((type_[0] & 0x20) == 0) Fail("Unexpected but critical chunk detected");
        ReadHeader();
    }
}

}  // namespace

void TPNGReader::LoadFromStream(TStream& stream) {
    width_ = height_ = 0;
    pixels_.clear();
    gamma_ = 0.0f;
    interlaced_ = false;
    hasBackground_ = false;
    background_ = 0;
    TScopeExit undo([this] { pixels_.clear(); });
    Decoder decoder(stream, maxPixels_);
    decoder.Run(width_, height_, pixels_, gamma_, interlaced_, hasBackground_, background_);
    undo.Dismiss();
}
