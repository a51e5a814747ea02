#include "app/win/KelvoExchangeFile.h"

#include <limits>

#include "app/core/KelvoExchangeImage.h"
#include "app/win/TFileMapping.h"
#include "app/win/TMappedView.h"
#include "classlib/win/WideChars.h"

namespace {

constexpr std::uint64_t MaxMapped = std::numeric_limits<std::uint32_t>::max();

}  // namespace

bool ReadExchangeFile(const std::u16string& fileName, TKelvoPixelBuffer& working, std::vector<std::uint8_t>* exifJpeg) {
    const DWORD attributes = GetFileAttributesW(WideCStr(fileName));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    TFileMapping mapping(fileName);
    const std::int64_t size = mapping.GetSize();
    if (size < std::int64_t(exchange::PixelOffset) || std::uint64_t(size) > MaxMapped) return false;
    {
        TMappedView head(mapping, std::uint32_t(exchange::PixelOffset), FILE_MAP_READ);
        exchange::THeader header;
        if (exchange::CheckHeader(head.Bytes(), exchange::PixelOffset, std::uint64_t(size), header) !=
                exchange::TCheck::Valid ||
            header.imageMode != exchange::ModeRGB)
            return false;
    }
    TMappedView whole(mapping, std::uint32_t(size), FILE_MAP_READ);
    return whole.Bytes() != nullptr && ReadExchangeImage(whole.Bytes(), std::uint64_t(size), working, exifJpeg);
}

bool WriteExchangeFile(const std::u16string& fileName, const TKelvoPixels& working) {
    if (working.Format() != KelvoFormatBGR24 || working.Width() < 1 || working.Height() < 1) return false;
    const std::uint64_t size = ExchangeFileSize(ExchangeHeaderFor(working));
    if (size > MaxMapped) return false;
    TFileMapping mapping(fileName);
    if (!mapping.SetSize(std::uint32_t(size))) return false;
    TMappedView view(mapping, std::uint32_t(size), FILE_MAP_WRITE);
    if (view.Bytes() == nullptr) return false;
    WriteExchangeImage(working, view.Bytes());
    return true;
}
