#include "classlib/core/IconFormat.h"

#include <cstdlib>

#include "classlib/core/Exceptions.h"

namespace {
constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Icon image is not valid"); }

std::uint16_t U16(const Byte* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const Byte* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// The depth of an image whose directory entry leaves it out: from its bitmap header (PNG images count as 32).
int DepthOfImage(const Byte* image, std::size_t size) {
    if (size >= 8 && image[0] == 0x89 && image[1] == 'P' && image[2] == 'N' && image[3] == 'G') return 32;
    if (size >= 16 && U32(image) >= 16) return U16(image + 14);
    return 0;
}
}  // namespace

std::vector<TIconDirEntry> ReadIconDirectory(const Byte* data, std::size_t size) {
    if (size < kDirHeaderSize || U16(data) != 0 || U16(data + 2) != 1) Invalid();
    std::size_t count = U16(data + 4);
    if (count == 0 || (size - kDirHeaderSize) / kDirEntrySize < count) Invalid();
    std::vector<TIconDirEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Byte* e = data + kDirHeaderSize + i * kDirEntrySize;
        TIconDirEntry& entry = entries[i];
        entry.Width = e[0] == 0 ? 256 : e[0];
        entry.Height = e[1] == 0 ? 256 : e[1];
        entry.Size = U32(e + 8);
        entry.Offset = U32(e + 12);
        if (entry.Size == 0 || entry.Offset > size || entry.Size > size - entry.Offset) Invalid();
        entry.BitCount = U16(e + 6);
        if (entry.BitCount == 0) entry.BitCount = DepthOfImage(data + entry.Offset, entry.Size);
    }
    return entries;
}

std::size_t ChooseIconEntry(const std::vector<TIconDirEntry>& entries, int width, int height) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const TIconDirEntry& a = entries[i];
        const TIconDirEntry& b = entries[best];
        int distanceA = std::abs(a.Width - width) + std::abs(a.Height - height);
        int distanceB = std::abs(b.Width - width) + std::abs(b.Height - height);
        if (distanceA < distanceB || (distanceA == distanceB && a.BitCount > b.BitCount)) best = i;
    }
    return best;
}
