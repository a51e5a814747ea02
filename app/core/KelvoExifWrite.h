// A document's property items written into a file the system's encoder saved without them: an APP1 "Exif"
// segment in a JPEG (after its SOI and JFIF APP0), entries of the first directory and its EXIF and GPS
// sub-IFDs in a TIFF. Nothing is written when the file carries any of the items already (the encoder wrote
// them, as GDI+ does on Windows).
//
// What is written: every item of a GDI+ type whose size is a whole number of values, except the thumbnail and
// GDI+'s other 0x5000.. tags, the directory pointers, and the tags that describe a file's layout (size,
// samples, compression, strips, tiles, the JPEG tables): those are the encoder's. The orientation is written as
// 1, for the pixels are saved upright. A JPEG's block is little-endian; a TIFF keeps the byte order it has.
//
// The saved file is the encoder's output, read back: its bytes are checked like anyone's (ReadTiffMetadata,
// LocateJpegMetadata), and a file that cannot be understood gets nothing written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/TKelvoProperties.h"
#include "classlib/core/Types.h"

// The bytes an APP1 segment holds after its length: "Exif\0\0" and the TIFF structure.
inline constexpr std::size_t ExifMaxSegmentPayload = 65533;

// True for the tag of an item the writer puts into a file.
bool IsWrittenExifTag(std::int32_t tag);

// How a saved file becomes one with the metadata: its first Head bytes, Insert, the file from Head + Skip to its
// end, then Append.
struct TKelvoFileSplice {
    std::size_t Head = 0, Skip = 0;
    std::vector<Byte> Insert, Append;
};

// The TIFF structure of an EXIF block (little-endian; IFD0 with the EXIF and GPS sub-IFDs it needs) of the
// properties' written items. While it would pass maxBytes, the maker note, then the largest item, is left out;
// empty when no item is left.
std::vector<Byte> BuildExifTiff(const TKelvoCustomProperties& properties, std::size_t maxBytes);

// For a JPEG whose start is given (its segments up to the first scan must lie within): the splice that puts
// the properties' EXIF segment behind the SOI and the JFIF APP0, leaving out an "Exif" segment the encoder
// wrote. False when there is nothing to write or the bytes are no JPEG.
bool PlanJpegExif(const Byte* start, std::size_t size, const TKelvoCustomProperties& properties,
                  TKelvoFileSplice& splice);

// For a TIFF: the splice that puts a new first directory (the file's entries with the properties' items
// merged in by tag, and new EXIF and GPS sub-IFDs) behind the file's end and points the header at it; the
// file's own entries win over an item of the same tag. False when there is nothing to write or the file is
// no TIFF.
bool PlanTiffExif(const TKelvoTiffSource& file, const TKelvoCustomProperties& properties, TKelvoFileSplice& splice);

// The spliced bytes.
std::vector<Byte> ApplySplice(const Byte* bytes, std::size_t size, const TKelvoFileSplice& splice);
