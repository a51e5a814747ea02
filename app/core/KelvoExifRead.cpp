#include "app/core/KelvoExifRead.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct ThumbnailTag {
    std::uint16_t Ifd1;
    std::uint16_t Id;
};
// IFD1's tags under the ids GDI+ gives them.
constexpr ThumbnailTag ThumbnailTags[] = {
    {256, 0x5020}, {257, 0x5021}, {258, 0x5022}, {259, 0x5023}, {262, 0x5024}, {270, 0x5025},
    {271, 0x5026}, {272, 0x5027}, {273, 0x5028}, {274, 0x5029}, {277, 0x502A}, {278, 0x502B},
    {279, 0x502C}, {282, 0x502D}, {283, 0x502E}, {284, 0x502F}, {296, 0x5030}, {301, 0x5031},
    {305, 0x5032}, {306, 0x5033}, {315, 0x5034}, {318, 0x5035}, {319, 0x5036}, {513, 0x0201},
    {514, 0x0202}, {529, 0x5037}, {530, 0x5038}, {531, 0x5039}, {532, 0x503A}, {33432, 0x503B},
};

constexpr std::uint16_t JpegThumbnailOffset = 513;
constexpr std::uint16_t JpegThumbnailLength = 514;

class Reader {
public:
    Reader(const TKelvoTiffSource& source, TKelvoCustomProperties& properties)
        : source_(source), properties_(properties) {}

    bool Header(std::uint32_t& first) {
        Byte h[8];
        if (!source_.Read(0, 8, h)) return false;
        if (h[0] == 'I' && h[1] == 'I') {
            little_ = true;
        } else if (h[0] == 'M' && h[1] == 'M') {
            little_ = false;
        } else {
            return false;
        }
        if (U16(h + 2) != 42) return false;
        first = U32(h + 4);
        return true;
    }

    // Reads one directory's entries. Each is handed to take(tag, type, count, value bytes as stored, field)
    // except those of a type or size that cannot be had. Answers the offset of the next directory (0 = none).
    template <class Take>
    std::uint32_t Directory(std::uint32_t offset, Take take) {
        Byte countBytes[2];
        if (offset < 8 || !source_.Read(offset, 2, countBytes)) return 0;
        const std::uint32_t count = U16(countBytes);
        const std::uint64_t end = std::uint64_t(offset) + 2 + std::uint64_t(count) * 12 + 4;
        if (count == 0 || count > ExifMaxDirectoryEntries || end > source_.Size()) return 0;
        for (const auto& [from, to] : read_)
            if (offset < to && from < end) return 0;  // a loop, or two pointers to one directory
        read_.push_back({offset, end});
        std::vector<Byte> entries(std::size_t(count) * 12 + 4);
        if (!source_.Read(offset + 2, entries.size(), entries.data())) return 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            const Byte* e = entries.data() + std::size_t(i) * 12;
            take(U16(e), U16(e + 2), U32(e + 4), e + 8);
        }
        return U32(entries.data() + std::size_t(count) * 12);
    }

    // The value of an entry in little-endian order; false when it does not lie within the source, is empty,
    // is of a type GDI+ does not give, or would pass the limits.
    bool Value(std::uint16_t type, std::uint32_t count, const Byte* field, std::vector<Byte>& value) {
        const std::uint32_t unit = PropertyTypeBytes(type);
        if (unit == 0 || count == 0 || count > ExifMaxValueBytes / unit) return false;
        const std::size_t size = std::size_t(count) * unit;
        if (size > ExifMaxValueBytes - kept_) return false;
        value.resize(size);
        if (size <= 4) {
            std::memcpy(value.data(), field, size);
        } else if (!source_.Read(U32(field), size, value.data())) {
            return false;
        }
        if (!little_) ToLittleEndian(type, value);
        return true;
    }

    // Adds the item unless its id is held already or the limits are reached.
    void Add(std::int32_t id, std::int32_t type, const std::vector<Byte>& value) {
        if (added_ >= ExifMaxItems || value.size() > ExifMaxValueBytes - kept_ || properties_.Exists(id)) return;
        properties_.SetValue(id, type, std::uint32_t(value.size()), value.data());
        kept_ += value.size();
        ++added_;
    }

    // Copies the bytes at offset (the thumbnail's JPEG stream) as a BYTE item.
    void AddBytes(std::int32_t id, std::uint32_t offset, std::uint32_t size) {
        if (size == 0 || size > ExifMaxValueBytes - kept_) return;
        std::vector<Byte> value(size);
        if (source_.Read(offset, size, value.data())) Add(id, 1, value);
    }

    std::uint32_t Field32(std::uint16_t type, std::uint32_t count, const Byte* field) const {
        if (count != 1) return 0;
        if (type == 3) return U16(field);
        return type == 4 || type == 13 ? U32(field) : 0;
    }

    std::int32_t Added() const { return added_; }
    bool Little() const { return little_; }

private:
    std::uint16_t U16(const Byte* p) const {
        return little_ ? std::uint16_t(p[0] | p[1] << 8) : std::uint16_t(p[0] << 8 | p[1]);
    }
    std::uint32_t U32(const Byte* p) const {
        return little_ ? std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                             std::uint32_t(p[3]) << 24
                       : std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
                             std::uint32_t(p[3]);
    }
    // Rationals are two 32-bit numbers: they turn like LONGs.
    static void ToLittleEndian(std::uint16_t type, std::vector<Byte>& value) {
        const std::size_t step = type == 3 ? 2 : type == 4 || type == 5 || type == 9 || type == 10 ? 4 : 1;
        for (std::size_t i = 0; step > 1 && i + step <= value.size(); i += step)
            for (std::size_t a = i, b = i + step - 1; a < b; ++a, --b) std::swap(value[a], value[b]);
    }

    const TKelvoTiffSource& source_;
    TKelvoCustomProperties& properties_;
    bool little_ = true;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> read_;
    std::size_t kept_ = 0;
    std::int32_t added_ = 0;
};

std::uint16_t Big16(const Byte* p) { return std::uint16_t(p[0] << 8 | p[1]); }

// The value of a RATIONAL item (little-endian), when it has a non-zero denominator.
bool RationalOf(const TKelvoCustomProperties& properties, std::int32_t tag, double& value) {
    const TKelvoPropertyItem* item = nullptr;
    if (!properties.FindItem(tag, item) || item->Type != 5 || item->Size() < 8) return false;
    std::uint32_t n = 0, d = 0;
    std::memcpy(&n, item->Data.data(), 4);
    std::memcpy(&d, item->Data.data() + 4, 4);
    if (d == 0) return false;
    value = double(n) / double(d);
    return true;
}

}  // namespace

bool IsExifSubIfdTag(std::int32_t tag) {
    return tag == 0x829A || tag == 0x829D || (tag >= 0x8822 && tag <= 0x8835 && tag != TagGpsPointer) ||
           (tag >= 0x9000 && tag <= 0x9FFF) || (tag >= 0xA000 && tag <= 0xA4FF);
}

bool IsGpsTag(std::int32_t tag) { return tag >= 0 && tag <= 0x1F; }

std::int32_t ThumbnailTagOf(std::uint16_t ifd1Tag) {
    for (const ThumbnailTag& t : ThumbnailTags)
        if (t.Ifd1 == ifd1Tag) return t.Id;
    return 0;
}

std::uint32_t PropertyTypeBytes(std::int32_t type) {
    switch (type) {
        case 1:
        case 2:
        case 7: return 1;
        case 3: return 2;
        case 4:
        case 9: return 4;
        case 5:
        case 10: return 8;
        default: return 0;
    }
}

bool TKelvoMemoryTiffSource::Read(std::uint64_t offset, std::size_t size, Byte* out) const {
    if (offset > size_ || size > size_ - offset) return false;
    if (size > 0) std::memcpy(out, bytes_ + offset, size);
    return true;
}

std::int32_t ReadTiffMetadata(const TKelvoTiffSource& source, bool withThumbnail, TKelvoCustomProperties& properties) {
    Reader reader(source, properties);
    std::uint32_t ifd0 = 0;
    if (!reader.Header(ifd0)) return 0;
    std::uint32_t exif = 0, gps = 0;
    std::vector<Byte> value;
    const auto item = [&](std::int32_t id, std::uint16_t type, std::uint32_t count, const Byte* field) {
        if (type == 13) type = 4;  // a directory's offset: GDI+ gives it as a LONG
        if (!properties.Exists(id) && reader.Value(type, count, field, value)) reader.Add(id, type, value);
    };
    const std::uint32_t ifd1 =
        reader.Directory(ifd0, [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Byte* field) {
            if (tag == TagExifPointer) exif = reader.Field32(type, count, field);
            if (tag == TagGpsPointer) gps = reader.Field32(type, count, field);
            item(tag, type, count, field);
        });
    if (exif != 0)
        reader.Directory(exif, [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Byte* field) {
            item(tag, type, count, field);
        });
    if (gps != 0)
        reader.Directory(gps, [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Byte* field) {
            if (IsGpsTag(tag)) item(tag, type, count, field);
        });
    if (withThumbnail && ifd1 != 0) {
        std::uint32_t jpegAt = 0, jpegSize = 0;
        reader.Directory(ifd1, [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Byte* field) {
            if (tag == JpegThumbnailOffset) jpegAt = reader.Field32(type, count, field);
            if (tag == JpegThumbnailLength) jpegSize = reader.Field32(type, count, field);
            if (const std::int32_t id = ThumbnailTagOf(tag)) item(id, type, count, field);
        });
        if (jpegAt != 0) reader.AddBytes(TagThumbnailData, jpegAt, jpegSize);
    }
    return reader.Added();
}

bool ReadFirstTiffDirectory(const TKelvoTiffSource& source, TKelvoTiffDirectory& directory) {
    directory = TKelvoTiffDirectory{};
    TKelvoProperties unused;
    Reader reader(source, unused);
    if (!reader.Header(directory.Offset)) return false;
    directory.LittleEndian = reader.Little();
    directory.Next = reader.Directory(
        directory.Offset, [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Byte* field) {
            TKelvoTiffEntry& e = directory.Entries.emplace_back();
            e.Tag = tag;
            e.Type = type;
            e.Count = count;
            std::memcpy(e.Field, field, 4);
        });
    return !directory.Entries.empty();
}

bool LocateJpegMetadata(const Byte* bytes, std::size_t size, TKelvoJpegMetadata& found) {
    found = TKelvoJpegMetadata{};
    if (bytes == nullptr || size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    std::size_t at = 2;
    bool first = true;
    while (at + 4 <= size) {
        if (bytes[at] != 0xFF) break;
        const Byte marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        // Start of scan, end of image, or a marker without a length: the metadata lie before.
        if (marker == 0xDA || marker == 0xD9 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) break;
        const std::size_t length = Big16(bytes + at + 2);
        if (length < 2 || length > size - at - 2) break;
        const Byte* payload = bytes + at + 4;
        const std::size_t payloadSize = length - 2;
        if (marker == 0xE0 && first && payloadSize >= 12 && std::memcmp(payload, "JFIF\0", 5) == 0) {
            found.DensityUnit = payload[7];
            found.DensityX = Big16(payload + 8);
            found.DensityY = Big16(payload + 10);
            found.InsertOffset = at + 2 + length;
        }
        if (marker == 0xE1 && found.ExifSegmentSize == 0 && payloadSize >= 6 &&
            std::memcmp(payload, "Exif\0", 5) == 0) {
            found.ExifSegmentOffset = at;
            found.ExifSegmentSize = length + 2;
            found.TiffOffset = at + 4 + 6;
            found.TiffSize = payloadSize - 6;
        }
        first = false;
        at += 2 + length;
    }
    return true;
}

std::int32_t ReadJpegMetadata(const Byte* bytes, std::size_t size, TKelvoCustomProperties& properties) {
    TKelvoJpegMetadata found;
    if (!LocateJpegMetadata(bytes, size, found) || found.TiffSize == 0) return 0;
    return ReadTiffMetadata(TKelvoMemoryTiffSource(bytes + found.TiffOffset, found.TiffSize), true, properties);
}

bool StatedResolution(const TKelvoJpegMetadata* jfif, const TKelvoCustomProperties& properties, double& dpiX,
                      double& dpiY) {
    if (jfif && (jfif->DensityUnit == 1 || jfif->DensityUnit == 2) && jfif->DensityX > 0 && jfif->DensityY > 0) {
        const double perInch = jfif->DensityUnit == 2 ? 2.54 : 1.0;
        dpiX = jfif->DensityX * perInch;
        dpiY = jfif->DensityY * perInch;
        return true;
    }
    double x = 0, y = 0;
    if (!RationalOf(properties, TagXResolution, x) || !RationalOf(properties, TagYResolution, y)) return false;
    std::uint16_t unit = 2;
    properties.GetValue(TagResolutionUnit, &unit, 3, 2);
    if (unit == 3) {
        x *= 2.54;
        y *= 2.54;
    } else if (unit != 2) {
        return false;  // 1 = no unit: only an aspect ratio
    }
    if (!std::isfinite(x) || !std::isfinite(y) || x <= 0 || y <= 0) return false;
    dpiX = x;
    dpiY = y;
    return true;
}
