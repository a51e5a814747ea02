#include "app/core/KelvoGraphicsRules.h"
#include "app/core/KelvoTextIds.h"

#include <cstring>
#include <string_view>

#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"

namespace {

const TKelvoFileFormat FormatRows[KelvoGraphicsFormatCount] = {
    {KelvoFormatJPEG, u"JPEG", u"*.jpg;*.jpeg", u".jpg"}, {KelvoFormatTIFF, u"TIFF", u"*.tif;*.tiff", u".tif"},
    {KelvoFormatPNG, u"PNG", u"*.png", u".png"},          {KelvoFormatBMP, u"BMP", u"*.bmp;*.rle;*.dib", u".bmp"},
    {KelvoFormatKVI, u"KVI", u"*.kvi", u".kvi"},
};

struct RawFormatName {
    TGUID Raw;
    std::int32_t Id;
    const char16_t* Name;
};

// EXIF is a raw format GDI+ may report for camera files; it has a type name but no format id of its own.
constexpr RawFormatName RawFormats[] = {
    {RawFormatJPEG, KelvoFormatJPEG, u"JPEG"},  {RawFormatTIFF, KelvoFormatTIFF, u"TIFF"},
    {RawFormatPNG, KelvoFormatPNG, u"PNG"},     {RawFormatBMP, KelvoFormatBMP, u"BMP"},
    {RawFormatEXIF, KelvoFormatOther, u"EXIF"},
};

std::u16string Decimal(std::int32_t v) { return WidenBytes(std::to_string(v)); }

}  // namespace

const TKelvoFileFormat* GraphicsFormatRow(std::int32_t index) {
    if (index < 0 || index >= KelvoGraphicsFormatCount) return nullptr;
    return &FormatRows[index];
}

std::u16string GraphicsEncoderMime(std::int32_t id) {
    switch (id) {
        case KelvoFormatJPEG:
        case KelvoFormatKVI: return u"image/jpeg";
        case KelvoFormatTIFF: return u"image/tiff";
        case KelvoFormatPNG: return u"image/png";
        case KelvoFormatBMP: return u"image/bmp";
        default: return {};
    }
}

std::int32_t ClampJpegQuality(std::int32_t quality) { return quality < 0 ? 0 : quality > 100 ? 100 : quality; }

bool IsPlainJpegHeader(const Byte* h) {
    return h[0] == 0xFF && h[1] == 0xD8 && h[2] == 0xFF && (h[8] == 'I' || h[8] == 'i') && (h[9] == 'F' || h[9] == 'f');
}

void ComplementKVIHeader(Byte* header) {
    for (std::size_t i = 0; i < KVIHeaderBytes; ++i) header[i] = Byte(header[i] ^ 0xFF);
}

bool RestoreKVIHeader(Byte* bytes, std::size_t size) {
    if (size < KVIMinFileBytes) return false;
    Byte header[KVIHeaderBytes];
    std::memcpy(header, bytes, KVIHeaderBytes);
    ComplementKVIHeader(header);
    if (!IsPlainJpegHeader(header)) return false;
    std::memcpy(bytes, header, KVIHeaderBytes);
    return true;
}

bool ScrambleKVIHeader(Byte* bytes, std::size_t size) {
    if (size < KVIMinFileBytes || !IsPlainJpegHeader(bytes)) return false;
    ComplementKVIHeader(bytes);
    return true;
}

std::int32_t FormatIdFromRawFormat(const TGUID& raw) {
    for (const RawFormatName& f : RawFormats)
        if (f.Raw == raw) return f.Id;
    return KelvoFormatOther;
}

std::u16string RawFormatTypeName(const TGUID& raw) {
    for (const RawFormatName& f : RawFormats)
        if (f.Raw == raw) return f.Name;
    return {};
}

bool GetOrientation(const TKelvoCustomProperties& properties, std::uint16_t& value) {
    const TKelvoPropertyItem* item = nullptr;
    if (!properties.FindItem(TagOrientation, item) || item->Type != PropertyTypeShort || item->Data.size() < 2)
        return false;
    value = std::uint16_t(item->Data[0] | (item->Data[1] << 8));
    return true;
}

std::int32_t RotateFlipForOrientation(std::uint16_t orientation) {
    switch (orientation) {
        case 3: return 2;  // Rotate180FlipNone
        case 6: return 1;  // Rotate90FlipNone
        case 8: return 3;  // Rotate270FlipNone
        default: return 0;
    }
}

bool OrientationSwapsSides(std::uint16_t orientation) { return orientation == 6 || orientation == 8; }

bool SetOrientationNormal(TKelvoCustomProperties& properties) {
    std::uint16_t value = 0;
    if (!GetOrientation(properties, value)) return false;
    const TKelvoPropertyItem* item = nullptr;
    properties.FindItem(TagOrientation, item);
    std::vector<Byte> data = item->Data;
    data[0] = 1;
    data[1] = 0;
    properties.SetValue(TagOrientation, PropertyTypeShort, std::uint32_t(data.size()), data.data());
    return true;
}

bool IsThumbnailTag(std::int32_t tag) { return (tag >= 0x5012 && tag <= 0x5019) || (tag >= 0x501B && tag <= 0x503B); }

void RemoveThumbnailTags(TKelvoCustomProperties& properties) {
    for (std::int32_t i = properties.GetCount() - 1; i >= 0; --i) {
        const std::int32_t id = properties.GetItem(i).Id;
        if (IsThumbnailTag(id)) properties.Delete(id);
    }
}

std::int32_t ImportPropertyItems(const Byte* buffer, std::size_t size, std::uint32_t count,
                                 TKelvoCustomProperties& properties) {
    if (buffer == nullptr || count == 0 || count > size / sizeof(TKelvoRawPropertyItem)) return 0;
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t end = begin + size;
    std::int32_t taken = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        TKelvoRawPropertyItem item;
        std::memcpy(&item, buffer + std::size_t(i) * sizeof(item), sizeof(item));
        const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(item.Value);
        if (item.Length > 0 && (value < begin || value > end || item.Length > end - value)) continue;
        if (item.Id > std::uint32_t(INT32_MAX)) continue;
        properties.SetValue(std::int32_t(item.Id), item.Type, item.Length, item.Length > 0 ? item.Value : nullptr);
        ++taken;
    }
    return taken;
}

std::u16string PropertyText(const TKelvoCustomProperties& properties, std::int32_t tag) {
    const TKelvoPropertyItem* item = nullptr;
    if (!properties.FindItem(tag, item) || item->Type != PropertyTypeASCII) return {};
    std::string_view bytes(reinterpret_cast<const char*>(item->Data.data()), item->Data.size());
    bytes = bytes.substr(0, bytes.find('\0'));
    std::u16string text = AnsiToWide(bytes);
    for (char16_t& c : text)
        if (c < 0x20 || c == 0x7F) c = u' ';
    return Trim(text);
}

std::u16string GraphicsFileInfoText(const TKelvoImageFacts& facts, const TKelvoCustomProperties& properties,
                                    TKelvoTextSource texts) {
    std::u16string info;
    const auto line = [&](std::int32_t label, const std::u16string& value) {
        if (!info.empty()) info += u'\n';
        info += KelvoText(texts, label) + u": " + value;
    };
    const std::u16string type = RawFormatTypeName(facts.RawFormat);
    if (!type.empty()) line(KelvoTextFileType, type);
    line(KelvoTextFileSize, Decimal(facts.Width) + u" x " + Decimal(facts.Height));
    const std::u16string date = PropertyText(properties, TagDateTime);
    if (!date.empty()) line(KelvoTextFileDate, date);
    std::uint16_t orientation = 0;
    if (GetOrientation(properties, orientation)) {
        switch (orientation) {
            case 1: line(KelvoTextFileOrientation, u"0\u00B0"); break;
            case 3: line(KelvoTextFileOrientation, u"180\u00B0"); break;
            case 6: line(KelvoTextFileOrientation, u"90\u00B0"); break;
            case 8: line(KelvoTextFileOrientation, u"270\u00B0"); break;
            default: break;
        }
    }
    const std::u16string camera = Trim(PropertyText(properties, TagMake) + u" " + PropertyText(properties, TagModel));
    if (!camera.empty()) line(KelvoTextFileCamera, camera);
    return info;
}
