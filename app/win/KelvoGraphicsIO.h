// Reading and writing images through GDI+ (JPEG, TIFF, PNG, BMP) and the program's own KVI, for the graphics
// document's Load and Save and for the open dialog's preview.
//
// Threat model: the files are anyone's. A KVI file is only ever read while it is opened (its header is put
// right in memory and GDI+ decodes from there); every size a decoder reports (width, height, property items)
// is checked before anything is allocated for it; a file that GDI+ cannot read, or whose pixels do not fit in
// memory, is a false answer, never an exception or a crash.
#pragma once
#include <cstdint>
#include <string>

#include "app/core/KelvoGraphicsRules.h"
#include "app/core/TKelvoBitmap.h"
#include "app/core/TKelvoProperties.h"
#include "app/win/KelvoGdiPlus.h"

struct TKelvoResolution {
    std::int32_t X = 0;  // dots per inch, rounded; 0 = unknown
    std::int32_t Y = 0;
};

// Largest file read into memory to be decoded (a KVI file).
inline constexpr std::int64_t KelvoMaxMemoryFileBytes = std::int64_t(512) << 20;

// A decoded GDI+ image of a file: KVI files through memory, any other straight from the file. Also tells
// whether the file was a KVI file.
bool OpenGdipImage(const std::u16string& fileName, TGdipImage& image, bool& wasKVI);

// Reads a file into working (24-bit BGR; GDI+ writes the pixels straight into its block), turned upright by its EXIF
// orientation (3, 6 and 8), with every property item (ReadImageMetadata; the orientation then reads 1) and the
// resolution (the file's own where GDI+ reports its 96 dpi default). formatId: 0..3 from the raw format, 4 for a KVI
// file, KelvoFormatOther (-2) for any other raw format (never -1, the exchange file's id). False when GDI+ cannot read
// the file or the image does not fit in memory; the outputs may then hold anything and are to be thrown away.
bool ReadGraphicsFile(const std::u16string& fileName, TKelvoLTBitmap& working, TKelvoCustomProperties& properties,
                      TKelvoResolution& resolution, std::int32_t& formatId);

// Writes the part imageRect (clipped to the pixels; an empty one means all) of 24- or 32-bit pixels as format
// 0..4. The thumbnail tags are removed from properties, every remaining item goes with the image (through the
// encoder, and for JPEG, KVI and TIFF written by the program where the encoder leaves them out), and a known
// resolution too. JPEG is written at jpegQuality (0..100), KVI at 100 with
// its header complemented before the file is written. False for any other format id and on any failure.
bool WriteGraphicsFile(const std::u16string& fileName, std::int32_t formatId, const TKelvoPixels& pixels,
                       const TKelvoRect& imageRect, TKelvoCustomProperties& properties,
                       const TKelvoResolution& resolution, std::int32_t jpegQuality);

// The property items and resolution of an image held in memory (the exchange file's EXIF trailer wrapped as
// a JPEG). False, with properties and resolution unchanged, when GDI+ cannot decode the bytes.
bool ReadMemoryImageProperties(const Byte* bytes, std::size_t size, TKelvoCustomProperties& properties,
                               TKelvoResolution& resolution);

// Every property item GDI+ gives of a decoded image of the file, and those of the file's own EXIF that it
// leaves out (a JPEG's, a TIFF's sub-IFDs: Wine's GDI+ gives none of them).
void ReadImageMetadata(const std::u16string& fileName, Gdiplus::GpImage* image, TKelvoCustomProperties& properties);

// The open dialog's description of a file; empty when GDI+ cannot read it.
std::u16string ReadGraphicsFileInfo(const std::u16string& fileName, TKelvoTextSource texts);
