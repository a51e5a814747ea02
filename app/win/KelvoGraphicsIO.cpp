#include "app/win/KelvoGraphicsIO.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoExifWrite.h"
#include "app/core/KelvoImageHeader.h"
#include "app/win/KelvoEncoders.h"
#include "app/win/KelvoFiles.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Owned.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/WideChars.h"
#include "classlib/core/TFileStream.h"
#include "unicode/win/TUniFileStream.h"

using namespace Gdiplus;
using Gdiplus::DllExports::GdipBitmapLockBits;
using Gdiplus::DllExports::GdipBitmapUnlockBits;

static_assert(sizeof(PropertyItem) == sizeof(TKelvoRawPropertyItem) &&
                  offsetof(PropertyItem, id) == offsetof(TKelvoRawPropertyItem, Id) &&
                  offsetof(PropertyItem, length) == offsetof(TKelvoRawPropertyItem, Length) &&
                  offsetof(PropertyItem, type) == offsetof(TKelvoRawPropertyItem, Type) &&
                  offsetof(PropertyItem, value) == offsetof(TKelvoRawPropertyItem, Value),
              "the platform-free item record must match GDI+'s");

namespace {

// EncoderQuality {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}.
constexpr GUID QualityParameter = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
// Largest block of property items taken from one image: far more than any camera writes.
constexpr UINT MaxPropertyBytes = 64u << 20;
// File open modes of TUniFileStream: read, shared with everyone; and create.
constexpr std::uint16_t OpenReadShared = 0x0040;
constexpr std::uint16_t CreateNew = 0xFFFF;

void ReleaseStream(IStream* s) { s->Release(); }
using TStreamPtr = TOwned<IStream, ReleaseStream>;
using TGlobalMemory = TOwned<void, ::GlobalFree>;

// The whole of a KVI file in movable global memory with its header put right, as a stream GDI+ can decode.
// Null (and isKVI false) when the file is not a KVI file; null with isKVI true when it is one that cannot be
// read into memory. The file is opened for reading only.
TStreamPtr OpenKVIStream(const std::u16string& fileName, bool& isKVI) {
    isKVI = false;
    try {
        TUniFileStream file(fileName, OpenReadShared);
        const std::int64_t size = file.Size();
        if (size < std::int64_t(KVIMinFileBytes)) return nullptr;
        Byte header[KVIHeaderBytes];
        file.ReadBuffer(header, std::int32_t(KVIHeaderBytes));
        ComplementKVIHeader(header);
        if (!IsPlainJpegHeader(header)) return nullptr;
        isKVI = true;
        if (size > KelvoMaxMemoryFileBytes) return nullptr;

        TGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size)));
        if (!memory) return nullptr;
        {
            Byte* bytes = static_cast<Byte*>(::GlobalLock(memory.get()));
            if (!bytes) return nullptr;
            TScopeExit unlock([&] { ::GlobalUnlock(memory.get()); });
            std::memcpy(bytes, header, KVIHeaderBytes);
            file.ReadBuffer(bytes + KVIHeaderBytes, std::int32_t(size - std::int64_t(KVIHeaderBytes)));
        }
        IStream* stream = nullptr;
        if (::CreateStreamOnHGlobal(memory.get(), TRUE, &stream) != S_OK || !stream) return nullptr;
        memory.release();  // the stream frees it now
        return TStreamPtr(stream);
    } catch (const Exception&) {
        return nullptr;  // unreadable: GDI+ is not asked
    }
}
// How much of a file's start is read for its declared size and its metadata: frame headers lie behind the
// metadata segments, which cameras keep well below this (an APP1 segment holds at most 64 KiB).
constexpr std::int32_t HeaderProbeBytes = 256 << 10;

std::int32_t RoundedResolution(REAL dpi) {
    if (!std::isfinite(dpi) || dpi <= 0 || dpi > 1e6f) return 0;
    return std::int32_t(std::nearbyint(dpi));
}

// The start of a file, a KVI file's header put right; empty when the file cannot be read.
std::vector<Byte> ReadFileStart(const std::u16string& fileName) {
    try {
        TUniFileStream file(fileName, OpenReadShared);
        std::vector<Byte> start(std::size_t(std::min<std::int64_t>(file.Size(), HeaderProbeBytes)));
        file.ReadBuffer(start.data(), std::int32_t(start.size()));
        RestoreKVIHeader(start.data(), start.size());
        return start;
    } catch (const Exception&) {
        return {};  // unreadable here: the decoder reports it
    }
}

// A TIFF structure read from a file as it is asked for: a TIFF's directories may lie anywhere in it.
class TFileTiffSource : public TKelvoTiffSource {
public:
    explicit TFileTiffSource(TStream& file)
        : file_(file), size_(std::uint64_t(std::max<std::int64_t>(file.Size(), 0))) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, std::size_t size, Byte* out) const override {
        if (offset > size_ || size > size_ - offset || size > std::size_t(INT32_MAX)) return false;
        try {
            file_.Seek(std::int64_t(offset), soBeginning);
            file_.ReadBuffer(out, std::int32_t(size));
            return true;
        } catch (const Exception&) {
            return false;
        }
    }

private:
    TStream& file_;
    std::uint64_t size_;
};

bool HasExifSubIfdItem(const TKelvoCustomProperties& properties) {
    for (std::int32_t i = 0; i < properties.GetCount(); ++i)
        if (IsExifSubIfdTag(properties.GetItem(i).Id)) return true;
    return false;
}

// A JPEG's own EXIF (start holds its segments) where the decoder gave none of the EXIF sub-IFD's items.
void MergeJpegMetadata(const Byte* start, std::size_t size, TKelvoCustomProperties& properties) {
    if (!HasExifSubIfdItem(properties)) ReadJpegMetadata(start, size, properties);
}

// The metadata of a JPEG or TIFF file that the decoder left out (see KelvoExifRead.h), added to what it gave.
void MergeFileMetadata(const std::u16string& fileName, const std::vector<Byte>& start, std::int32_t rawId,
                       TKelvoCustomProperties& properties) {
    if (rawId == KelvoFormatJPEG) MergeJpegMetadata(start.data(), start.size(), properties);
    if (rawId != KelvoFormatTIFF || HasExifSubIfdItem(properties)) return;
    try {
        TUniFileStream file(fileName, OpenReadShared);
        ReadTiffMetadata(TFileTiffSource(file), false, properties);
    } catch (const Exception&) {
        // unreadable now: what the decoder gave stays
    }
}

// GDI+ reports 96 dpi for a file that states no resolution, and under Wine for every JPEG: the file's own
// statement then counts, a JPEG's JFIF density first.
void TakeStatedResolution(const Byte* start, std::size_t size, std::int32_t rawId,
                          const TKelvoCustomProperties& properties, TKelvoResolution& resolution) {
    if (resolution.X != 96 || resolution.Y != 96) return;
    TKelvoJpegMetadata found;
    const bool jfif = rawId == KelvoFormatJPEG && LocateJpegMetadata(start, size, found);
    double x = 0, y = 0;
    if ((rawId != KelvoFormatJPEG && rawId != KelvoFormatTIFF) ||
        !StatedResolution(jfif ? &found : nullptr, properties, x, y))
        return;
    const std::int32_t rx = RoundedResolution(REAL(x)), ry = RoundedResolution(REAL(y));
    if (rx > 0 && ry > 0) resolution = TKelvoResolution{rx, ry};
}

// Every property item of the image into properties. The sizes GDI+ reports are checked before the block is
// allocated; an image without items (or whose items cannot be had) simply has none.
void ReadProperties(GpImage* image, TKelvoCustomProperties& properties) {
    UINT total = 0, count = 0;
    if (DllExports::GdipGetPropertySize(image, &total, &count) != Ok || count == 0) return;
    if (total > MaxPropertyBytes || count > total / sizeof(PropertyItem)) return;
    // Items hold pointers: a block of them keeps pointer alignment.
    std::vector<std::uintptr_t> block((total + sizeof(std::uintptr_t) - 1) / sizeof(std::uintptr_t));
    auto* items = reinterpret_cast<PropertyItem*>(block.data());
    if (DllExports::GdipGetAllPropertyItems(image, total, count, items) != Ok) return;
    ImportPropertyItems(reinterpret_cast<const Byte*>(block.data()), total, count, properties);
}

// Copies the bitmap's pixels as 24-bit BGR into the working bitmap's own memory: straight into it when GDI+
// takes a caller's buffer, else through GDI+'s buffer row by row.
bool LockPixelsInto(GpBitmap* bitmap, TKelvoPixels& pixels) {
    GpRect rect(0, 0, pixels.Width(), pixels.Height());
    BitmapData data{};
    data.Width = UINT(pixels.Width());
    data.Height = UINT(pixels.Height());
    data.Stride = pixels.Stride();
    data.PixelFormat = PixelFormat24bppRGB;
    data.Scan0 = pixels.Bits();
    if (GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat24bppRGB, &data) ==
        Ok)
        return GdipBitmapUnlockBits(bitmap, &data) == Ok;

    BitmapData own{};
    if (GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead, PixelFormat24bppRGB, &own) != Ok) return false;
    TScopeExit unlock([&] { GdipBitmapUnlockBits(bitmap, &own); });
    if (own.Scan0 == nullptr || own.Width != UINT(pixels.Width()) || own.Height != UINT(pixels.Height()) ||
        std::abs(std::int64_t(own.Stride)) < std::int64_t(pixels.Width()) * 3)
        return false;
    const std::size_t rowBytes = std::size_t(pixels.Width()) * 3;
    for (std::int32_t y = 0; y < pixels.Height(); ++y)
        std::memcpy(pixels.Row(y), static_cast<const Byte*>(own.Scan0) + std::intptr_t(y) * own.Stride, rowBytes);
    return true;
}

TGUID RawFormatOf(GpImage* image) {
    GUID raw{};
    TGUID result;
    if (DllExports::GdipGetImageRawFormat(image, &raw) != Ok) return result;
    result.D1 = std::uint32_t(raw.Data1);
    result.D2 = raw.Data2;
    result.D3 = raw.Data3;
    std::copy(std::begin(raw.Data4), std::end(raw.Data4), result.D4.begin());
    return result;
}

bool ImageSize(GpImage* image, std::int32_t& width, std::int32_t& height) {
    UINT w = 0, h = 0;
    if (DllExports::GdipGetImageWidth(image, &w) != Ok || DllExports::GdipGetImageHeight(image, &h) != Ok) return false;
    if (w == 0 || h == 0 || w > UINT(INT32_MAX) || h > UINT(INT32_MAX)) return false;
    width = std::int32_t(w);
    height = std::int32_t(h);
    return true;
}

// Writes bytes to a new file of that name (replacing an old one).
bool WriteWholeFile(const std::u16string& fileName, const Byte* bytes, std::size_t size) {
    if (size > std::size_t(INT32_MAX)) return false;
    try {
        TUniFileStream file(fileName, CreateNew);
        file.WriteBuffer(bytes, std::int32_t(size));
    } catch (const Exception&) {
        return false;
    }
    return true;
}

// Saves the bitmap as a JPEG into memory, complements its header and writes the file: at no time is there a
// plain JPEG under the KVI name.
bool SaveKVI(GpBitmap* bitmap, const std::u16string& fileName, const CLSID& encoder,
             const EncoderParameters& parameters, const TKelvoCustomProperties& properties) {
    IStream* raw = nullptr;
    if (::CreateStreamOnHGlobal(nullptr, TRUE, &raw) != S_OK || !raw) return false;
    TStreamPtr stream(raw);
    if (DllExports::GdipSaveImageToStream(bitmap, stream.get(), &encoder, &parameters) != Ok) return false;
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (::GetHGlobalFromStream(stream.get(), &memory) != S_OK || stream->Stat(&stat, STATFLAG_NONAME) != S_OK)
        return false;
    const std::uint64_t size = stat.cbSize.QuadPart;
    if (size > ::GlobalSize(memory)) return false;
    Byte* bytes = static_cast<Byte*>(::GlobalLock(memory));
    if (!bytes) return false;
    TScopeExit unlock([&] { ::GlobalUnlock(memory); });
    // The metadata the encoder left out go in before the header is complemented.
    TKelvoFileSplice splice;
    std::vector<Byte> spliced;
    Byte* file = bytes;
    std::size_t fileSize = std::size_t(size);
    if (PlanJpegExif(bytes, fileSize, properties, splice)) {
        spliced = ApplySplice(bytes, fileSize, splice);
        file = spliced.data();
        fileSize = spliced.size();
    }
    if (!ScrambleKVIHeader(file, fileSize)) return false;
    return kelvo::ReplaceFileBy(fileName,
                                [&](const WideString& temporary) { return WriteWholeFile(temporary, file, fileSize); });
}

// Writes what the encoder left out of a JPEG or TIFF it saved (see KelvoExifWrite.h) into that file. True when
// the file is complete, with or without a change; false when it could not be changed.
bool AddMissingMetadata(const WideString& name, std::int32_t formatId, const TKelvoCustomProperties& properties) {
    if ((formatId != KelvoFormatJPEG && formatId != KelvoFormatTIFF) || properties.GetCount() == 0) return true;
    try {
        TUniFileStream file(name, fmOpenReadWrite | fmShareExclusive);
        const std::int64_t size = file.Size();
        TKelvoFileSplice splice;
        if (formatId == KelvoFormatTIFF) {
            if (!PlanTiffExif(TFileTiffSource(file), properties, splice)) return true;
            // In place: the new directories behind the end, then the header's pointer to them.
            file.Seek(size, soBeginning);
            file.WriteBuffer(splice.Append.data(), std::int32_t(splice.Append.size()));
            file.Seek(std::int64_t(splice.Head), soBeginning);
            file.WriteBuffer(splice.Insert.data(), std::int32_t(splice.Insert.size()));
            return true;
        }
        // The segments lie at the start: the whole file is read only when it is to change.
        std::vector<Byte> bytes(static_cast<std::size_t>(std::min<std::int64_t>(size, HeaderProbeBytes)));
        file.ReadBuffer(bytes.data(), std::int32_t(bytes.size()));
        if (!PlanJpegExif(bytes.data(), bytes.size(), properties, splice)) return true;
        if (size > KelvoMaxMemoryFileBytes) return false;
        const std::size_t head = bytes.size();
        bytes.resize(static_cast<std::size_t>(size));
        if (bytes.size() > head) file.ReadBuffer(bytes.data() + head, std::int32_t(bytes.size() - head));
        const std::vector<Byte> out = ApplySplice(bytes.data(), bytes.size(), splice);
        file.Seek(0, soBeginning);
        file.WriteBuffer(out.data(), std::int32_t(out.size()));
        file.SetSize(std::int64_t(out.size()));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

bool OpenGdipImage(const std::u16string& fileName, TGdipImage& image, bool& wasKVI) {
    TStreamPtr stream = OpenKVIStream(fileName, wasKVI);
    if (wasKVI) {
        if (!stream) return false;
        if (DllExports::GdipCreateBitmapFromStream(stream.get(), image.BitmapOut()) != Ok || !image) return false;
        image.HoldStream(stream.release());
        return true;
    }
    return DllExports::GdipCreateBitmapFromFile(WideCStr(fileName), image.BitmapOut()) == Ok && image;
}

bool ReadGraphicsFile(const std::u16string& fileName, TKelvoLTBitmap& working, TKelvoCustomProperties& properties,
                      TKelvoResolution& resolution, std::int32_t& formatId) {
    // An image the program cannot hold is refused before GDI+ spends time and memory decoding it.
    const std::vector<Byte> start = ReadFileStart(fileName);
    if (HeaderRefusesImage(start.data(), start.size())) return false;
    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) return false;
    TGdipImage image;
    bool wasKVI = false;
    if (!OpenGdipImage(fileName, image, wasKVI)) return false;

    // Before any turn: a turned image may report itself as a bitmap in memory.
    const std::int32_t rawId = FormatIdFromRawFormat(RawFormatOf(image.Get()));
    properties.Clear();
    ReadProperties(image.Get(), properties);
    MergeFileMetadata(fileName, start, rawId, properties);
    std::uint16_t orientation = 0;
    if (GetOrientation(properties, orientation)) {
        const std::int32_t turn = RotateFlipForOrientation(orientation);
        if (turn != 0 && DllExports::GdipImageRotateFlip(image.Get(), RotateFlipType(turn)) != Ok) return false;
        // The kept metadata says "normal": the pixels are upright now.
        SetOrientationNormal(properties);
    }

    std::int32_t width = 0, height = 0;
    if (!ImageSize(image.Get(), width, height)) return false;
    // SetSize checks the block's size before it allocates anything.
    if (!working.SetSize(width, height, KelvoFormatBGR24)) return false;
    if (!LockPixelsInto(image.Bitmap(), working.GetPixels())) return false;

    formatId = wasKVI ? KelvoFormatKVI : rawId;
    REAL dpiX = 0, dpiY = 0;
    DllExports::GdipGetImageHorizontalResolution(image.Get(), &dpiX);
    DllExports::GdipGetImageVerticalResolution(image.Get(), &dpiY);
    resolution = TKelvoResolution{RoundedResolution(dpiX), RoundedResolution(dpiY)};
    TakeStatedResolution(start.data(), start.size(), rawId, properties, resolution);
    return true;
}

bool WriteGraphicsFile(const std::u16string& fileName, std::int32_t formatId, const TKelvoPixels& pixels,
                       const TKelvoRect& imageRect, TKelvoCustomProperties& properties,
                       const TKelvoResolution& resolution, std::int32_t jpegQuality) {
    const std::u16string mime = GraphicsEncoderMime(formatId);
    const PixelFormat pixelFormat = ToGdiPlusPixelFormat(pixels.Format());
    if (mime.empty() || pixelFormat == 0) return false;
    const TKelvoRect area = imageRect.IsEmpty() ? pixels.GetBounds() : IntersectRects(imageRect, pixels.GetBounds());
    if (area.IsEmpty() || pixels.Bits() == nullptr) return false;

    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) return false;
    CLSID encoder{};
    if (GetEncoderClsid(mime, encoder) < 0) return false;

    // A GDI+ bitmap over the pixels themselves, no copy.
    TGdipImage bitmap;
    if (DllExports::GdipCreateBitmapFromScan0(INT(area.Width()), INT(area.Height()), pixels.Stride(), pixelFormat,
                                              pixels.PixelAddress(area.Left, area.Top), bitmap.BitmapOut()) != Ok ||
        !bitmap)
        return false;

    RemoveThumbnailTags(properties);
    for (std::int32_t i = 0; i < properties.GetCount(); ++i) {
        const TKelvoPropertyItem& item = properties.GetItem(i);
        // Only GDI+'s own value types (1 byte .. 10 signed rational) describe an image property.
        if (item.Type < 1 || item.Type > 10 || item.Id < 0) continue;
        PropertyItem p{};
        p.id = PROPID(item.Id);
        p.length = item.Size();
        p.type = WORD(item.Type);
        p.value = const_cast<Byte*>(item.Data.data());
        // An item the encoder refuses is left out; the image is saved all the same.
        DllExports::GdipSetPropertyItem(bitmap.Get(), &p);
    }
    if (resolution.X > 0 && resolution.Y > 0)
        DllExports::GdipBitmapSetResolution(bitmap.Bitmap(), REAL(resolution.X), REAL(resolution.Y));

    ULONG quality = ULONG(formatId == KelvoFormatKVI ? 100 : ClampJpegQuality(jpegQuality));
    EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = QualityParameter;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
    parameters.Parameter[0].Value = &quality;

    if (formatId == KelvoFormatKVI) return SaveKVI(bitmap.Bitmap(), fileName, encoder, parameters, properties);
    const EncoderParameters* withQuality = formatId == KelvoFormatJPEG ? &parameters : nullptr;
    // An encoder that fails part-way must not leave a damaged file where the old image was.
    return kelvo::ReplaceFileBy(fileName, [&](const WideString& temporary) {
        return DllExports::GdipSaveImageToFile(bitmap.Get(), WideCStr(temporary), &encoder, withQuality) == Ok &&
               AddMissingMetadata(temporary, formatId, properties);
    });
}

void ReadImageMetadata(const std::u16string& fileName, GpImage* image, TKelvoCustomProperties& properties) {
    ReadProperties(image, properties);
    const std::int32_t rawId = FormatIdFromRawFormat(RawFormatOf(image));
    if (rawId == KelvoFormatJPEG || rawId == KelvoFormatTIFF)
        MergeFileMetadata(fileName, rawId == KelvoFormatJPEG ? ReadFileStart(fileName) : std::vector<Byte>{}, rawId,
                          properties);
}

std::u16string ReadGraphicsFileInfo(const std::u16string& fileName, TKelvoTextSource texts) {
    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) return {};
    TGdipImage image;
    bool wasKVI = false;
    TKelvoImageFacts facts;
    if (!OpenGdipImage(fileName, image, wasKVI) || !ImageSize(image.Get(), facts.Width, facts.Height)) return {};
    facts.RawFormat = RawFormatOf(image.Get());
    TKelvoProperties properties;
    ReadImageMetadata(fileName, image.Get(), properties);
    return GraphicsFileInfoText(facts, properties, texts);
}

bool ReadMemoryImageProperties(const Byte* bytes, std::size_t size, TKelvoCustomProperties& properties,
                               TKelvoResolution& resolution) {
    if (!bytes || size == 0 || size > std::size_t(KelvoMaxMemoryFileBytes)) return false;
    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) return false;
    TGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size)));
    if (!memory) return false;
    {
        Byte* target = static_cast<Byte*>(::GlobalLock(memory.get()));
        if (!target) return false;
        std::memcpy(target, bytes, size);
        ::GlobalUnlock(memory.get());
    }
    IStream* raw = nullptr;
    if (::CreateStreamOnHGlobal(memory.get(), TRUE, &raw) != S_OK || !raw) return false;
    memory.release();  // the stream frees it now
    TStreamPtr stream(raw);
    TGdipImage image;
    if (DllExports::GdipCreateBitmapFromStream(stream.get(), image.BitmapOut()) != Ok || !image) return false;
    image.HoldStream(stream.release());
    TKelvoProperties read;
    ReadProperties(image.Get(), read);
    MergeJpegMetadata(bytes, size, read);
    REAL dpiX = 0, dpiY = 0;
    DllExports::GdipGetImageHorizontalResolution(image.Get(), &dpiX);
    DllExports::GdipGetImageVerticalResolution(image.Get(), &dpiY);
    properties.Assign(read);
    resolution = TKelvoResolution{RoundedResolution(dpiX), RoundedResolution(dpiY)};
    TakeStatedResolution(bytes, size, KelvoFormatJPEG, read, resolution);
    return true;
}
