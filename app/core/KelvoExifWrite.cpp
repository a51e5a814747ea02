#include "app/core/KelvoExifWrite.h"

#include <algorithm>
#include <cstring>

#include "app/core/KelvoGraphicsRules.h"

namespace {

// An entry to be written. Value holds the value little-endian; a Raw entry is one of the file's own, whose
// field is copied as it is stored.
struct Entry {
    std::uint16_t Tag = 0, Type = 0;
    std::uint32_t Count = 0;
    std::vector<Byte> Value;
    bool Raw = false;
    Byte Field[4] = {};
};

// Tags that describe how a file stores its pixels (and the thumbnail's place): the encoder's to write.
bool IsLayoutTag(std::int32_t tag) {
    switch (tag) {
        case 254:  // new subfile type
        case 255:
        case 256:
        case 257:
        case 258:
        case 259:
        case 262:
        case 266:  // fill order
        case 273:
        case 277:
        case 278:
        case 279:
        case 280:
        case 281:
        case 284:
        case 288:
        case 289:
        case 292:
        case 293:
        case 317:  // predictor
        case 320:  // colour map
        case 330:  // sub-IFDs
        case 338:  // extra samples
        case 339:  // sample format
        case 347:  // JPEG tables
        case 529:
        case 530: return true;
        default: return (tag >= 322 && tag <= 325) || (tag >= 512 && tag <= 521);  // tiles, old-style JPEG
    }
}

bool IsResolutionTag(std::int32_t tag) {
    return tag == TagXResolution || tag == TagYResolution || tag == TagResolutionUnit;
}

bool IsPointerTag(std::int32_t tag) {
    return tag == TagExifPointer || tag == TagGpsPointer || tag == TagInteropPointer;
}

std::vector<Entry> WrittenEntries(const TKelvoCustomProperties& properties) {
    std::vector<Entry> entries;
    for (std::int32_t i = 0; i < properties.GetCount(); ++i) {
        const TKelvoPropertyItem& item = properties.GetItem(i);
        const std::uint32_t unit = PropertyTypeBytes(item.Type);
        if (!IsWrittenExifTag(item.Id) || unit == 0 || item.Size() == 0 || item.Size() % unit != 0) continue;
        Entry& e = entries.emplace_back();
        e.Tag = std::uint16_t(item.Id);
        e.Type = std::uint16_t(item.Type);
        e.Count = item.Size() / unit;
        e.Value = item.Data;
        // The pixels are saved upright.
        if (e.Tag == TagOrientation && e.Type == PropertyTypeShort) {
            e.Value[0] = 1;
            e.Value[1] = 0;
        }
    }
    return entries;
}

std::size_t Even(std::size_t n) { return n + (n & 1); }

std::size_t DirectoryBytes(const std::vector<Entry>& entries) {
    std::size_t n = 2 + entries.size() * 12 + 4;
    for (const Entry& e : entries)
        if (!e.Raw && e.Value.size() > 4) n += Even(e.Value.size());
    return n;
}

class Writer {
public:
    Writer(std::vector<Byte>& out, bool little) : out_(out), little_(little) {}

    void U16(std::size_t at, std::uint32_t v) {
        out_[at + (little_ ? 0 : 1)] = Byte(v);
        out_[at + (little_ ? 1 : 0)] = Byte(v >> 8);
    }
    void U32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out_[at + (little_ ? i : 3 - i)] = Byte(v >> (8 * i));
    }
    // The little-endian value in the file's order.
    void Value(std::size_t at, const Entry& e) {
        std::memcpy(out_.data() + at, e.Value.data(), e.Value.size());
        const std::size_t step = e.Type == 3 ? 2 : e.Type == 1 || e.Type == 2 || e.Type == 7 ? 1 : 4;
        if (little_ || step == 1) return;
        for (std::size_t i = at; i + step <= at + e.Value.size(); i += step) std::reverse(&out_[i], &out_[i + step]);
    }
    // A directory at local offset at (file offset base + at), its long values behind it.
    void Directory(std::size_t at, std::uint32_t base, const std::vector<Entry>& entries, std::uint32_t next) {
        U16(at, std::uint32_t(entries.size()));
        std::size_t data = at + 2 + entries.size() * 12 + 4;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const std::size_t field = at + 2 + i * 12;
            U16(field, e.Tag);
            U16(field + 2, e.Type);
            U32(field + 4, e.Count);
            if (e.Raw) {
                std::memcpy(&out_[field + 8], e.Field, 4);
            } else if (e.Value.size() <= 4) {
                Value(field + 8, e);
            } else {
                U32(field + 8, base + std::uint32_t(data));
                Value(data, e);
                data += Even(e.Value.size());
            }
        }
        U32(at + 2 + entries.size() * 12, next);
    }

private:
    std::vector<Byte>& out_;
    bool little_;
};

Entry Pointer(std::uint16_t tag) {
    Entry e;
    e.Tag = tag;
    e.Type = 4;
    e.Count = 1;
    e.Value.assign(4, 0);
    return e;
}

// IFD0 with the EXIF and GPS sub-IFDs the entries need, laid out for file offset base (even): the bytes that
// go there.
std::vector<Byte> Directories(std::vector<Entry> ifd0, const std::vector<Entry>& exif, const std::vector<Entry>& gps,
                              std::uint64_t base, bool little, std::uint32_t next) {
    if (!exif.empty()) ifd0.push_back(Pointer(TagExifPointer));
    if (!gps.empty()) ifd0.push_back(Pointer(TagGpsPointer));
    const auto byTag = [](const Entry& a, const Entry& b) { return a.Tag < b.Tag; };
    std::stable_sort(ifd0.begin(), ifd0.end(), byTag);
    std::vector<Entry> exifSorted = exif, gpsSorted = gps;
    std::stable_sort(exifSorted.begin(), exifSorted.end(), byTag);
    std::stable_sort(gpsSorted.begin(), gpsSorted.end(), byTag);
    const std::size_t exifAt = DirectoryBytes(ifd0);
    const std::size_t gpsAt = exifAt + (exif.empty() ? 0 : DirectoryBytes(exifSorted));
    const std::size_t total = gpsAt + (gps.empty() ? 0 : DirectoryBytes(gpsSorted));
    if (base + total > UINT32_MAX) return {};
    for (Entry& e : ifd0) {
        if (e.Raw || !IsPointerTag(e.Tag)) continue;
        const std::uint32_t at = std::uint32_t(base + (e.Tag == TagExifPointer ? exifAt : gpsAt));
        e.Value = {Byte(at), Byte(at >> 8), Byte(at >> 16), Byte(at >> 24)};
    }
    std::vector<Byte> out(total);
    Writer w(out, little);
    w.Directory(0, std::uint32_t(base), ifd0, next);
    if (!exif.empty()) w.Directory(exifAt, std::uint32_t(base), exifSorted, 0);
    if (!gps.empty()) w.Directory(gpsAt, std::uint32_t(base), gpsSorted, 0);
    return out;
}

void Split(const std::vector<Entry>& all, std::vector<Entry>& ifd0, std::vector<Entry>& exif, std::vector<Entry>& gps) {
    for (const Entry& e : all) (IsGpsTag(e.Tag) ? gps : IsExifSubIfdTag(e.Tag) ? exif : ifd0).push_back(e);
}

// True when the file carries an item of the document that the writer would write (the resolution aside, which
// every encoder writes of its own): it was written by the encoder.
bool FileCarriesAny(const TKelvoCustomProperties& inFile, const std::vector<Entry>& written) {
    for (const Entry& e : written)
        if (!IsResolutionTag(e.Tag) && inFile.Exists(e.Tag)) return true;
    return false;
}

bool AnyBeyondResolution(const std::vector<Entry>& written) {
    return std::any_of(written.begin(), written.end(), [](const Entry& e) { return !IsResolutionTag(e.Tag); });
}

}  // namespace

bool IsWrittenExifTag(std::int32_t tag) {
    return tag >= 0 && tag <= 0xFFFF && !(tag >= 0x5000 && tag <= 0x5FFF) && !IsPointerTag(tag) && !IsLayoutTag(tag);
}

std::vector<Byte> BuildExifTiff(const TKelvoCustomProperties& properties, std::size_t maxBytes) {
    std::vector<Entry> all = WrittenEntries(properties);
    while (!all.empty()) {
        std::vector<Entry> ifd0, exif, gps;
        Split(all, ifd0, exif, gps);
        std::vector<Byte> block = Directories(ifd0, exif, gps, 8, true, 0);
        if (!block.empty() && block.size() + 8 <= maxBytes) {
            block.insert(block.begin(), {'I', 'I', 42, 0, 8, 0, 0, 0});
            return block;
        }
        auto drop = std::find_if(all.begin(), all.end(), [](const Entry& e) { return e.Tag == TagMakerNote; });
        if (drop == all.end())
            drop = std::max_element(all.begin(), all.end(),
                                    [](const Entry& a, const Entry& b) { return a.Value.size() < b.Value.size(); });
        all.erase(drop);
    }
    return {};
}

bool PlanJpegExif(const Byte* start, std::size_t size, const TKelvoCustomProperties& properties,
                  TKelvoFileSplice& splice) {
    splice = TKelvoFileSplice{};
    TKelvoJpegMetadata found;
    if (!LocateJpegMetadata(start, size, found)) return false;
    const std::vector<Entry> written = WrittenEntries(properties);
    if (!AnyBeyondResolution(written)) return false;
    if (found.TiffSize > 0) {
        TKelvoProperties inFile;
        ReadTiffMetadata(TKelvoMemoryTiffSource(start + found.TiffOffset, found.TiffSize), true, inFile);
        if (FileCarriesAny(inFile, written)) return false;
    }
    const std::vector<Byte> tiff = BuildExifTiff(properties, ExifMaxSegmentPayload - 6);
    if (tiff.empty()) return false;
    const std::size_t length = 2 + 6 + tiff.size();
    splice.Insert = {0xFF, 0xE1, Byte(length >> 8), Byte(length), 'E', 'x', 'i', 'f', 0, 0};
    splice.Insert.insert(splice.Insert.end(), tiff.begin(), tiff.end());
    // The encoder's own segment, which carries none of the items, gives way to this one.
    splice.Head = found.ExifSegmentSize > 0 ? found.ExifSegmentOffset : found.InsertOffset;
    splice.Skip = found.ExifSegmentSize;
    return true;
}

bool PlanTiffExif(const TKelvoTiffSource& file, const TKelvoCustomProperties& properties, TKelvoFileSplice& splice) {
    splice = TKelvoFileSplice{};
    TKelvoTiffDirectory directory;
    if (!ReadFirstTiffDirectory(file, directory)) return false;
    const std::vector<Entry> written = WrittenEntries(properties);
    if (!AnyBeyondResolution(written)) return false;
    TKelvoProperties inFile;
    ReadTiffMetadata(file, false, inFile);
    if (FileCarriesAny(inFile, written)) return false;

    std::vector<Entry> ifd0, exif, gps;
    for (const TKelvoTiffEntry& stored : directory.Entries) {
        if (IsPointerTag(stored.Tag)) continue;  // the file's own sub-IFDs are replaced by the new ones
        Entry& e = ifd0.emplace_back();
        e.Tag = stored.Tag;
        e.Type = stored.Type;
        e.Count = stored.Count;
        e.Raw = true;
        std::memcpy(e.Field, stored.Field, 4);
    }
    std::vector<Entry> mine, mineExif, mineGps;
    Split(written, mine, mineExif, mineGps);
    for (Entry& e : mine)
        if (std::none_of(ifd0.begin(), ifd0.end(), [&](const Entry& f) { return f.Tag == e.Tag; }))
            ifd0.push_back(std::move(e));
    const std::uint64_t base = file.Size() + (file.Size() & 1);
    std::vector<Byte> block = Directories(ifd0, mineExif, mineGps, base, directory.LittleEndian, directory.Next);
    if (block.empty()) return false;
    if (base != file.Size()) block.insert(block.begin(), 0);
    splice.Append = std::move(block);
    splice.Head = 4;
    splice.Skip = 4;
    const std::uint32_t at = std::uint32_t(base);
    splice.Insert = directory.LittleEndian ? std::vector<Byte>{Byte(at), Byte(at >> 8), Byte(at >> 16), Byte(at >> 24)}
                                           : std::vector<Byte>{Byte(at >> 24), Byte(at >> 16), Byte(at >> 8), Byte(at)};
    return true;
}

std::vector<Byte> ApplySplice(const Byte* bytes, std::size_t size, const TKelvoFileSplice& splice) {
    const std::size_t head = std::min(splice.Head, size);
    const std::size_t rest = std::min(size, head + splice.Skip);
    std::vector<Byte> out(bytes, bytes + head);
    out.insert(out.end(), splice.Insert.begin(), splice.Insert.end());
    out.insert(out.end(), bytes + rest, bytes + size);
    out.insert(out.end(), splice.Append.begin(), splice.Append.end());
    return out;
}
