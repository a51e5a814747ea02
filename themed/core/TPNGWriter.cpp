#include "themed/core/TPNGWriter.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <limits>

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"
#include "themed/core/TCompressionStream.h"

namespace {

constexpr Byte kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

void PutBigEndian32(Byte* p, std::uint32_t v) {
    p[0] = Byte(v >> 24);
    p[1] = Byte(v >> 16);
    p[2] = Byte(v >> 8);
    p[3] = Byte(v);
}

void WriteChunk(TStream& stream, const char* type, const Byte* data, std::size_t length) {
    if (length > 0x7FFFFFFFu) throw EWriteError("Stream write error");
    Byte header[8];
    PutBigEndian32(header, std::uint32_t(length));
    std::memcpy(header + 4, type, 4);
    uLong crc = crc32(0L, header + 4, 4);
    if (length > 0) crc = crc32(crc, data, uInt(length));
    Byte crcBytes[4];
    PutBigEndian32(crcBytes, std::uint32_t(crc));
    stream.WriteBuffer(header, 8);
    if (length > 0) stream.WriteBuffer(data, std::int32_t(length));
    stream.WriteBuffer(crcBytes, 4);
}

// Distinct pixel values in order of first appearance, with their index found through a small hash table;
// holds at most 257 values.
class ColourTable {
public:
    static constexpr std::size_t kLimit = 257;
    ColourTable() { slots_.fill(kEmpty); }

    // Returns the value's index, adding it when new; -1 when the table is full and the value is new.
    int IndexOf(std::uint32_t value, bool add) {
        std::size_t h = Hash(value);
        for (;;) {
            const std::uint16_t slot = slots_[h];
            if (slot == kEmpty) break;
            if (values_[slot] == value) return slot;
            h = (h + 1) & (kSlots - 1);
        }
        if (!add || values_.size() >= kLimit) return -1;
        slots_[h] = std::uint16_t(values_.size());
        values_.push_back(value);
        return int(values_.size() - 1);
    }
    const std::vector<std::uint32_t>& Values() const { return values_; }

private:
    static constexpr std::size_t kSlots = 1024;
    static constexpr std::uint16_t kEmpty = 0xFFFF;
    static std::size_t Hash(std::uint32_t v) { return (v * 2654435761u) >> 22; }
    std::array<std::uint16_t, kSlots> slots_;
    std::vector<std::uint32_t> values_;
};

bool IsGrey(std::uint32_t p) {
    const std::uint32_t b = p & 0xFF;
    return ((p >> 8) & 0xFF) == b && ((p >> 16) & 0xFF) == b;
}

}  // namespace

TPNGWriter::TPNGWriter(std::int32_t width, const std::uint32_t* pixels, std::ptrdiff_t stride, std::int32_t height)
    : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw Exception("Invalid dimensions");
    const std::size_t count = CheckedMul<std::size_t>(std::size_t(width), std::size_t(height));
    pixels_.resize(count);
    if (stride == width) {
        std::memcpy(pixels_.data(), pixels, count * sizeof(std::uint32_t));
    } else {
        for (std::int32_t y = 0; y < height; ++y)
            std::memcpy(pixels_.data() + std::size_t(y) * std::size_t(width), pixels + std::ptrdiff_t(y) * stride,
                        std::size_t(width) * sizeof(std::uint32_t));
    }
}

void TPNGWriter::Analyse() {
    ColourTable table;
    bool tooMany = false;
    {
        bool first = true;
        std::uint32_t previous = 0;
        for (const std::uint32_t p : pixels_) {
            if (!first && p == previous) continue;
            first = false;
            previous = p;
            if (table.IndexOf(p, true) < 0) {
                tooMany = true;
                break;
            }
        }
        if (table.Values().size() > 256) tooMany = true;
    }
    palette_.clear();
    keyNeeded_ = false;
    transparencyNeeded_ = false;
    key_ = 0;

    if (tooMany) {
        depth_ = 8;
        bool alphaNeeded = false;
        bool key = false;
        std::uint32_t keyColour = 0;
        for (const std::uint32_t p : pixels_) {
            const std::uint32_t a = p >> 24;
            if (a == 0) {
                if (!key) {
                    key = true;
                    keyColour = p;
                } else if (p != keyColour) {
                    alphaNeeded = true;
                    key = false;
                    break;
                }
            } else if (a != 255) {
                alphaNeeded = true;
                key = false;
                break;
            }
        }
        // A key colour that an opaque pixel also has would make that pixel transparent when read back.
        if (key) {
            for (const std::uint32_t p : pixels_) {
                if ((p >> 24) == 255 && (p & 0xFFFFFFu) == (keyColour & 0xFFFFFFu)) {
                    alphaNeeded = true;
                    key = false;
                    break;
                }
            }
        }
        bool grey = true;
        for (const std::uint32_t p : pixels_) {
            if (!IsGrey(p)) {
                grey = false;
                break;
            }
        }
        kind_ = alphaNeeded ? (grey ? GreyAlpha : TrueColourAlpha) : (grey ? Grey : TrueColour);
        if (key) {
            keyNeeded_ = true;
            key_ = grey ? (keyColour & 0xFFu) : (keyColour & 0xFFFFFFu);
        }
        return;
    }

    const std::vector<std::uint32_t>& colours = table.Values();
    const std::size_t n = colours.size();
    depth_ = n > 16 ? 8 : n > 4 ? 4 : n > 2 ? 2 : 1;
    bool grey = depth_ == 1 || depth_ == 8;
    for (const std::uint32_t c : colours) {
        if (!IsGrey(c)) grey = false;
        // One bit holds only black and white exactly.
        if (depth_ == 1 && (c & 0xFFFFFFu) != 0 && (c & 0xFFFFFFu) != 0xFFFFFFu) grey = false;
    }
    if (grey) {
        int transparent = 0;
        std::uint32_t keyColour = 0;
        for (const std::uint32_t c : colours) {
            const std::uint32_t a = c >> 24;
            if (a == 0) {
                ++transparent;
                keyColour = c;
            } else if (a != 255) {
                grey = false;
            }
        }
        if (transparent > 1) grey = false;
        if (grey && transparent == 1) {
            for (const std::uint32_t c : colours)
                if ((c >> 24) == 255 && (c & 0xFFFFFFu) == (keyColour & 0xFFFFFFu)) grey = false;
        }
        if (grey) {
            kind_ = Grey;
            if (transparent == 1) {
                keyNeeded_ = true;
                key_ = keyColour & (depth_ == 1 ? 1u : 0xFFu);
            }
            return;
        }
    }
    kind_ = Palette;
    palette_ = colours;
    for (const std::uint32_t c : colours)
        if ((c >> 24) != 255) transparencyNeeded_ = true;

    indices_.resize(pixels_.size());
    bool first = true;
    std::uint32_t previous = 0;
    Byte previousIndex = 0;
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const std::uint32_t p = pixels_[i];
        if (first || p != previous) {
            previousIndex = Byte(table.IndexOf(p, false));
            previous = p;
            first = false;
        }
        indices_[i] = previousIndex;
    }
}

void TPNGWriter::WriteImageData(TStream& stream) {
    const std::size_t w = std::size_t(width_);
    std::size_t rowBytes = 0;
    std::size_t bpp = 1;
    switch (kind_) {
        case Palette:
        case Grey: rowBytes = (w * std::size_t(depth_) + 7) / 8; break;
        case GreyAlpha:
            rowBytes = CheckedMul<std::size_t>(w, 2);
            bpp = 2;
            break;
        case TrueColour:
            rowBytes = CheckedMul<std::size_t>(w, 3);
            bpp = 3;
            break;
        case TrueColourAlpha:
            rowBytes = CheckedMul<std::size_t>(w, 4);
            bpp = 4;
            break;
    }
    if (rowBytes >= 0x7FFFFFFFu) throw EWriteError("Stream write error");
    const bool filtered = kind_ != Palette && depth_ == 8;

    std::vector<Byte> raw(rowBytes, 0), previous(rowBytes, 0);
    std::vector<Byte> candidates[5];
    for (auto& c : candidates) c.resize(rowBytes + 1);

    TMemoryStream compressed;
    {
        TCompressionStream deflater(compressed);
        for (std::int32_t y = 0; y < height_; ++y) {
            const std::size_t rowStart = std::size_t(y) * w;
            const std::uint32_t* px = pixels_.data() + rowStart;
            Byte* r = raw.data();
            switch (kind_) {
                case Palette:
                case Grey: {
                    // Palette indices or grey levels (the blue byte); packed most significant bits first.
                    std::memset(r, 0, rowBytes);
                    if (depth_ == 8) {
                        if (kind_ == Palette)
                            std::memcpy(r, indices_.data() + rowStart, w);
                        else
                            for (std::size_t x = 0; x < w; ++x) r[x] = Byte(px[x]);
                    } else {
                        for (std::size_t x = 0; x < w; ++x) {
                            unsigned v = kind_ == Palette ? indices_[rowStart + x] : (px[x] & 1u);
                            const std::size_t bit = x * std::size_t(depth_);
                            r[bit >> 3] |= Byte(v << (8 - depth_ - (bit & 7)));
                        }
                    }
                    break;
                }
                case GreyAlpha:
                    for (std::size_t x = 0; x < w; ++x) {
                        r[2 * x] = Byte(px[x]);
                        r[2 * x + 1] = Byte(px[x] >> 24);
                    }
                    break;
                case TrueColour:
                    for (std::size_t x = 0; x < w; ++x) {
                        r[3 * x] = Byte(px[x] >> 16);
                        r[3 * x + 1] = Byte(px[x] >> 8);
                        r[3 * x + 2] = Byte(px[x]);
                    }
                    break;
                case TrueColourAlpha:
                    for (std::size_t x = 0; x < w; ++x) {
                        r[4 * x] = Byte(px[x] >> 16);
                        r[4 * x + 1] = Byte(px[x] >> 8);
                        r[4 * x + 2] = Byte(px[x]);
                        r[4 * x + 3] = Byte(px[x] >> 24);
                    }
                    break;
            }
            int chosen = 0;
            if (filtered) {
                const Byte* p = previous.data();
                Byte* f[5];
                for (int k = 0; k < 5; ++k) {
                    candidates[k][0] = Byte(k);
                    f[k] = candidates[k].data() + 1;
                }
                std::uint64_t sums[5] = {0, 0, 0, 0, 0};
                for (std::size_t i = 0; i < rowBytes; ++i) {
                    const int left = i >= bpp ? r[i - bpp] : 0;
                    const int up = p[i];
                    const int upLeft = i >= bpp ? p[i - bpp] : 0;
                    const int x = r[i];
                    const int pr = left + up - upLeft;
                    const int pa = pr > left ? pr - left : left - pr;
                    const int pb = pr > up ? pr - up : up - pr;
                    const int pc = pr > upLeft ? pr - upLeft : upLeft - pr;
                    const int paeth = (pa <= pb && pa <= pc) ? left : (pb <= pc ? up : upLeft);
                    f[0][i] = Byte(x);
                    f[1][i] = Byte(x - left);
                    f[2][i] = Byte(x - up);
                    f[3][i] = Byte(x - ((left + up) >> 1));
                    f[4][i] = Byte(x - paeth);
                    for (int k = 0; k < 5; ++k) sums[k] += f[k][i];
                }
                for (int k = 1; k < 5; ++k)
                    if (sums[k] < sums[chosen]) chosen = k;
            } else {
                candidates[0][0] = 0;
                std::memcpy(candidates[0].data() + 1, r, rowBytes);
            }
            deflater.WriteBuffer(candidates[chosen].data(), std::int32_t(rowBytes + 1));
            std::swap(raw, previous);
        }
        deflater.Finish();
    }
    if (compressed.Size() > 0x7FFFFFFF) throw EWriteError("Stream write error");
    WriteChunk(stream, "IDAT", static_cast<const Byte*>(compressed.Memory()), std::size_t(compressed.Size()));
}

void TPNGWriter::SaveToStream(TStream& stream) {
    stream.WriteBuffer(kSignature, 8);
    Analyse();

    static constexpr Byte kColourType[6] = {0, 3, 0, 4, 2, 6};
    Byte ihdr[13];
    PutBigEndian32(ihdr, std::uint32_t(width_));
    PutBigEndian32(ihdr + 4, std::uint32_t(height_));
    ihdr[8] = Byte(depth_);
    ihdr[9] = kColourType[kind_];
    ihdr[10] = 0;
    ihdr[11] = 0;
    ihdr[12] = 0;
    WriteChunk(stream, "IHDR", ihdr, 13);

    if (kind_ == Palette) {
        std::vector<Byte> plte(palette_.size() * 3);
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            plte[3 * i] = Byte(palette_[i] >> 16);
            plte[3 * i + 1] = Byte(palette_[i] >> 8);
            plte[3 * i + 2] = Byte(palette_[i]);
        }
        WriteChunk(stream, "PLTE", plte.data(), plte.size());
        if (transparencyNeeded_) {
            std::vector<Byte> alpha(palette_.size());
            for (std::size_t i = 0; i < palette_.size(); ++i) alpha[i] = Byte(palette_[i] >> 24);
            while (!alpha.empty() && alpha.back() == 255) alpha.pop_back();
            if (!alpha.empty()) WriteChunk(stream, "tRNS", alpha.data(), alpha.size());
        }
    } else if (keyNeeded_ && kind_ == Grey) {
        const Byte trns[2] = {0, Byte(key_)};
        WriteChunk(stream, "tRNS", trns, 2);
    } else if (keyNeeded_ && kind_ == TrueColour) {
        const Byte trns[6] = {0, Byte(key_ >> 16), 0, Byte(key_ >> 8), 0, Byte(key_)};
        WriteChunk(stream, "tRNS", trns, 6);
    }

    WriteImageData(stream);
    WriteChunk(stream, "IEND", nullptr, 0);
    indices_.clear();
    indices_.shrink_to_fit();
}
