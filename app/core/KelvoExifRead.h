// A photo's own metadata read from its bytes, for where the system's decoder hands out none: the TIFF
// directories of an EXIF block (a JPEG's APP1 "Exif" segment, or a TIFF file itself) become property items with
// the ids, types and value bytes the GDI+ decoder gives on Windows, and a JPEG's JFIF density is found.
//
// Items: the tag number is the id (IFD0, the EXIF sub-IFD and the GPS sub-IFD; the pointers 0x8769, 0x8825 and
// 0xA005 are items too, as GDI+ lists them); the thumbnail directory IFD1 maps to GDI+'s 0x50xx thumbnail tags,
// its JPEG bytes to 0x501B, its offset and length to 0x0201 and 0x0202. The types are BYTE, ASCII, SHORT, LONG,
// RATIONAL, UNDEFINED, SLONG and SRATIONAL; entries of any other type are left out. Values are stored
// little-endian whatever the file's byte order, as GDI+ gives them.
//
// Threat model: the bytes are anyone's file. Every offset and count is checked against the bytes there are
// before anything is read or allocated; a directory at an offset already read, or overlapping one, is refused
// (no loops, no shared directories); an entry that does not fit is skipped, a directory that does not fit ends
// the read of that directory, and what was read before stays. The limits below bound what one file can cost.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/TKelvoProperties.h"
#include "classlib/core/Types.h"

// Items taken from one file, at most; the rest are left out.
inline constexpr std::int32_t ExifMaxItems = 1024;
// Value bytes taken from one file, at most: an item that would pass the sum is left out.
inline constexpr std::size_t ExifMaxValueBytes = std::size_t(4) << 20;
// Entries of one directory, at most: a directory that claims more is damaged and is not read.
inline constexpr std::uint32_t ExifMaxDirectoryEntries = 1000;

// Tag ids the reader and the writer use.
inline constexpr std::int32_t TagExifPointer = 0x8769;
inline constexpr std::int32_t TagGpsPointer = 0x8825;
inline constexpr std::int32_t TagInteropPointer = 0xA005;
inline constexpr std::int32_t TagMakerNote = 0x927C;
inline constexpr std::int32_t TagFocalLength = 0x920A;
inline constexpr std::int32_t TagXResolution = 282;
inline constexpr std::int32_t TagYResolution = 283;
inline constexpr std::int32_t TagResolutionUnit = 296;
inline constexpr std::int32_t TagThumbnailData = 0x501B;

// True for the tags of the EXIF sub-IFD (exposure, lens, dates of capture, maker note, ...).
bool IsExifSubIfdTag(std::int32_t tag);
// True for the tags of the GPS sub-IFD (0 .. 0x1F).
bool IsGpsTag(std::int32_t tag);
// The GDI+ id of a tag of the thumbnail directory IFD1; 0 for a tag GDI+ does not keep.
std::int32_t ThumbnailTagOf(std::uint16_t ifd1Tag);
// The size of one value of a GDI+ property type (1 BYTE .. 10 SRATIONAL); 0 for any other type.
std::uint32_t PropertyTypeBytes(std::int32_t type);

// Random access to a TIFF structure: offset 0 is its byte-order mark.
class TKelvoTiffSource {
public:
    virtual ~TKelvoTiffSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies size bytes from offset; false when they are not all there.
    virtual bool Read(std::uint64_t offset, std::size_t size, Byte* out) const = 0;
};

class TKelvoMemoryTiffSource : public TKelvoTiffSource {
public:
    TKelvoMemoryTiffSource(const Byte* bytes, std::size_t size) : bytes_(bytes), size_(bytes ? size : 0) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, std::size_t size, Byte* out) const override;

private:
    const Byte* bytes_;
    std::size_t size_;
};

// Reads IFD0 with its EXIF and GPS sub-IFDs and, when withThumbnail (an EXIF block, not a TIFF file whose
// second directory is a page), IFD1 into properties. Ids the properties hold already are kept as they are and
// not read again. Answers the number of items added; 0 for bytes that are no TIFF structure.
std::int32_t ReadTiffMetadata(const TKelvoTiffSource& source, bool withThumbnail, TKelvoCustomProperties& properties);

// One directory entry as stored: the field holds the value itself or its offset, in the file's byte order.
struct TKelvoTiffEntry {
    std::uint16_t Tag = 0, Type = 0;
    std::uint32_t Count = 0;
    Byte Field[4] = {};
};
struct TKelvoTiffDirectory {
    bool LittleEndian = true;
    std::uint32_t Offset = 0, Next = 0;
    std::vector<TKelvoTiffEntry> Entries;
};
// The byte order and the first directory of a TIFF structure with its entries as stored; false when there is
// none that can be read whole.
bool ReadFirstTiffDirectory(const TKelvoTiffSource& source, TKelvoTiffDirectory& directory);

// Where a JPEG keeps its metadata, found by walking its marker segments up to the first scan.
struct TKelvoJpegMetadata {
    // The first APP1 segment that starts "Exif\0": the whole segment from its marker, and the TIFF structure
    // inside it (size 0 when there is none).
    std::size_t ExifSegmentOffset = 0, ExifSegmentSize = 0;
    std::size_t TiffOffset = 0, TiffSize = 0;
    // Where a new APP1 segment goes: after the SOI and a JFIF APP0 right behind it.
    std::size_t InsertOffset = 2;
    // The JFIF density: unit 1 = dots per inch, 2 = dots per centimetre, 0 = only an aspect ratio, -1 = no JFIF.
    std::int32_t DensityUnit = -1;
    std::uint16_t DensityX = 0, DensityY = 0;
};
// False for bytes that do not start with a JPEG's SOI. Segments running past the bytes given end the walk.
bool LocateJpegMetadata(const Byte* bytes, std::size_t size, TKelvoJpegMetadata& found);
// The EXIF items of a JPEG (its APP1 "Exif" segment, IFD1 included) into properties, as ReadTiffMetadata.
std::int32_t ReadJpegMetadata(const Byte* bytes, std::size_t size, TKelvoCustomProperties& properties);

// The resolution a file states itself in dots per inch: the JFIF density when it has a unit (jfif may be null),
// else XResolution and YResolution of the properties with their ResolutionUnit (2 or absent = inch, 3 = cm).
// False when neither states a positive finite value.
bool StatedResolution(const TKelvoJpegMetadata* jfif, const TKelvoCustomProperties& properties, double& dpiX,
                      double& dpiY);
