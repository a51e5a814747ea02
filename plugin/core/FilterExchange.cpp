#include "plugin/core/FilterExchange.h"

#include <cstring>

namespace filterexchange {

using hostfilter::TFilterRecord;
using hostfilter::TRect16;

namespace {

constexpr std::uint32_t RegistryText = 1;  // REG_SZ

bool IsEmpty(const TRect16& r) { return r.right <= r.left || r.bottom <= r.top; }

// Sets the header from the filter rectangle and the host's mode and planes; false for an empty rectangle
// or too few planes for an RGB pixel.
bool HeaderFromRecord(const TFilterRecord& record, exchange::THeader& header) {
    const TRect16& r = record.filterRect;
    if (IsEmpty(r) || record.planes < 3) return false;
    header = exchange::THeader();
    header.imageMode = record.imageMode;
    header.left = r.left;
    header.top = r.top;
    header.width = std::int32_t(r.right) - r.left;
    header.height = std::int32_t(r.bottom) - r.top;
    header.planes = record.planes;
    return true;
}

// Whether a buffer of rowBytes per row can hold the header's pixels.
bool HoldsPixels(const void* data, std::int32_t rowBytes, const exchange::THeader& header) {
    return data != nullptr && std::int64_t(rowBytes) >= std::int64_t(header.width) * header.planes;
}

}  // namespace

void ClearRects(TFilterRecord& record) {
    record.inRect = TRect16{};
    record.outRect = TRect16{};
    record.maskRect = TRect16{};
}

// The two sides are written out field by field: the record is packed, so its members are reached by name
// only (a pointer to a member would lose the packing and read pointers at 4-byte offsets as aligned).
bool RequestInput(TFilterRecord& record, exchange::THeader& header) {
    if (record.advanceState == nullptr || !HeaderFromRecord(record, header)) return false;
    record.maskRect = TRect16{};
    record.outRect = TRect16{};
    record.inRect = record.filterRect;
    record.inLoPlane = 0;
    record.inHiPlane = std::int16_t(record.planes - 1);
    if (record.advanceState() != hostfilter::NoError) return false;
    header.rowBytes = record.inRowBytes;
    return HoldsPixels(record.inData, record.inRowBytes, header);
}

bool RequestOutput(TFilterRecord& record, exchange::THeader& header) {
    if (record.advanceState == nullptr || !HeaderFromRecord(record, header)) return false;
    record.maskRect = TRect16{};
    record.inRect = TRect16{};
    record.outRect = record.filterRect;
    record.outLoPlane = 0;
    record.outHiPlane = std::int16_t(record.planes - 1);
    if (record.advanceState() != hostfilter::NoError) return false;
    header.rowBytes = record.outRowBytes;
    return HoldsPixels(record.outData, record.outRowBytes, header);
}

std::uint64_t FileSizeFor(const exchange::THeader& header) {
    return exchange::PixelOffset + exchange::RowsSize(header);
}

void WriteFile(std::uint8_t* file, const exchange::THeader& header, const std::uint8_t* host) {
    exchange::WriteHeader(file, header);
    const std::size_t pixelBytes = std::size_t(header.width) * std::size_t(header.planes);
    for (std::int32_t y = 0; y < header.height; ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(header.rowBytes);
        std::memcpy(file + exchange::PixelOffset + offset, host + offset, pixelBytes);
    }
}

TReadBack CheckReadBack(const std::uint8_t* file, std::uint64_t size, const exchange::THeader& sent,
                        exchange::THeader& fileHeader) {
    if (file != nullptr && size >= 4 && std::memcmp(file, exchange::Magic, 4) != 0) return TReadBack::WrongMagic;
    if (exchange::CheckHeader(file, size, size, fileHeader) != exchange::TCheck::Valid) return TReadBack::Unreadable;
    if (fileHeader.width != sent.width || fileHeader.height != sent.height || fileHeader.imageMode != sent.imageMode)
        return TReadBack::Unreadable;
    return TReadBack::Ready;
}

std::u16string ProgramPathFromValue(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    if (type != RegistryText || data == nullptr) return {};
    std::u16string text;
    for (std::uint32_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = char16_t(data[i] | data[i + 1] << 8);
        if (c == 0) break;
        text.push_back(c);
    }
    return text;
}

// The plug-in is built from a few files without the class library, so it cannot use the library's splitter; the
// working folder is the text before the last '\', which the library's splitter gives too for any path the host
// passes (a full path to the program).
std::u16string FolderOf(const std::u16string& path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

std::u16string CommandLine(const std::u16string& program, const std::u16string& file) {
    return u"\"" + program + u"\" \"" + file + u"\"";
}

}  // namespace filterexchange
