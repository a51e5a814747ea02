// The platform-free rules of the graphics formats: the format table, the KVI header, the raw-format ids, the
// EXIF orientation, the thumbnail tags that are never saved, the property items taken from the decoder and
// the open dialog's file information text. The GDI+ calls that use them are in app/win/KelvoGraphicsIO.
//
// Threat model: every byte here comes from a file someone else made (the KVI header, the decoder's property
// items). Nothing is read outside the bytes given; item sizes and positions are checked before anything is
// copied; a value of the wrong type or size counts as absent.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/TKelvoFileFormats.h"
#include "app/core/TKelvoProperties.h"
#include "classlib/core/TGUID.h"
#include "classlib/core/Types.h"

// Format ids of the graphics editor.
inline constexpr std::int32_t KelvoFormatJPEG = 0;
inline constexpr std::int32_t KelvoFormatTIFF = 1;
inline constexpr std::int32_t KelvoFormatPNG = 2;
inline constexpr std::int32_t KelvoFormatBMP = 3;
inline constexpr std::int32_t KelvoFormatKVI = 4;
inline constexpr std::int32_t KelvoFormatExchange = -1;  // the plug-in exchange file
// An image GDI+ decodes that is none of the table's formats (GIF, icon, metafile): it has no row and no encoder,
// so it is saved only in a format of the table, and it is never taken for an exchange file (whose OK would write
// an exchange block over the user's file).
inline constexpr std::int32_t KelvoFormatOther = -2;

inline constexpr std::int32_t KelvoGraphicsFormatCount = 5;
// The row of index 0 .. 4 (index = format id); null outside.
const TKelvoFileFormat* GraphicsFormatRow(std::int32_t index);
// The MIME type of the GDI+ encoder of a format id (KVI is a JPEG); empty for any other id.
std::u16string GraphicsEncoderMime(std::int32_t id);

// The JPEG quality the format table starts with, and the range it is kept in.
inline constexpr std::int32_t KelvoDefaultJpegQuality = 80;
std::int32_t ClampJpegQuality(std::int32_t quality);

// KVI: a JPEG whose first 16 bytes are stored complemented (each byte XOR 0xFF).
inline constexpr std::size_t KVIHeaderBytes = 16;
inline constexpr std::size_t KVIMinFileBytes = 17;  // shorter files are never taken for KVI
// A plain JPEG header: FF D8 FF, and "I" or "i" at offset 8, "F" or "f" at offset 9 (of "JFIF" or "Exif").
bool IsPlainJpegHeader(const Byte* header16);
void ComplementKVIHeader(Byte* header16);
// When bytes hold a file of at least 17 bytes whose complemented header is a plain header, complements it in
// place (the bytes are a plain JPEG now) and answers true; otherwise leaves them alone.
bool RestoreKVIHeader(Byte* bytes, std::size_t size);
// When bytes hold a file of at least 17 bytes that starts with a plain header, complements it in place.
bool ScrambleKVIHeader(Byte* bytes, std::size_t size);

// GDI+ raw formats.
inline constexpr TGUID RawFormatBMP = TGUID::Parse("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");
inline constexpr TGUID RawFormatJPEG = TGUID::Parse("{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
inline constexpr TGUID RawFormatPNG = TGUID::Parse("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
inline constexpr TGUID RawFormatTIFF = TGUID::Parse("{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}");
inline constexpr TGUID RawFormatEXIF = TGUID::Parse("{B96B3CB2-0728-11D3-9D7B-0000F81EF32E}");
// JPEG 0, TIFF 1, PNG 2, BMP 3; any other KelvoFormatOther.
std::int32_t FormatIdFromRawFormat(const TGUID& raw);
// "BMP", "JPEG", "PNG", "TIFF", "EXIF"; empty for any other.
std::u16string RawFormatTypeName(const TGUID& raw);

// Property tags and the GDI+ property types the rules read.
inline constexpr std::int32_t TagMake = 271;
inline constexpr std::int32_t TagModel = 272;
inline constexpr std::int32_t TagOrientation = 274;
inline constexpr std::int32_t TagDateTime = 306;
inline constexpr std::int32_t PropertyTypeASCII = 2;
inline constexpr std::int32_t PropertyTypeShort = 3;

// The orientation value: an item of type SHORT with at least one value (little-endian). False otherwise.
bool GetOrientation(const TKelvoCustomProperties& properties, std::uint16_t& value);
// The GDI+ RotateFlip type that sets an image of that orientation upright: 3 -> 2 (180), 6 -> 1 (90 clockwise),
// 8 -> 3 (270 clockwise); every other value (the mirrored ones too) -> 0, nothing.
std::int32_t RotateFlipForOrientation(std::uint16_t orientation);
// True for 6 and 8, whose stored width and height are the upright image's height and width.
bool OrientationSwapsSides(std::uint16_t orientation);
// Sets the first value of a valid orientation item to 1 ("normal"); false when there is none.
bool SetOrientationNormal(TKelvoCustomProperties& properties);

// The embedded thumbnail's tags 0x5012 .. 0x5019 and 0x501B .. 0x503B (0x501A, the colour transfer function,
// is not one of them).
bool IsThumbnailTag(std::int32_t tag);
void RemoveThumbnailTags(TKelvoCustomProperties& properties);

// One property item as GDI+ hands it over (the layout of its PropertyItem record).
struct TKelvoRawPropertyItem {
    std::uint32_t Id;
    std::uint32_t Length;  // bytes of the value
    std::uint16_t Type;
    const void* Value;
};
// Copies count items that GDI+ wrote into buffer (size bytes: the item records first, their values behind)
// into properties, in order. An item whose value does not lie wholly inside the buffer is skipped. Answers the
// number of items taken; false-y 0 for a buffer too small for the records themselves.
std::int32_t ImportPropertyItems(const Byte* buffer, std::size_t size, std::uint32_t count,
                                 TKelvoCustomProperties& properties);

// What the open dialog shows of a file: one line per known fact, "label: value", lines joined by a line feed.
struct TKelvoImageFacts {
    TGUID RawFormat;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};
std::u16string GraphicsFileInfoText(const TKelvoImageFacts& facts, const TKelvoCustomProperties& properties,
                                    TKelvoTextSource texts);
// An ASCII item's text up to its first NUL, control characters as spaces, trimmed; empty when absent.
std::u16string PropertyText(const TKelvoCustomProperties& properties, std::int32_t tag);
