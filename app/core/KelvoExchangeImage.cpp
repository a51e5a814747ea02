#include "app/core/KelvoExchangeImage.h"

bool ReadExchangeImage(const std::uint8_t* file, std::uint64_t size, TKelvoPixelBuffer& working,
                       std::vector<std::uint8_t>* exifJpeg) {
    exchange::THeader header;
    if (exchange::CheckHeader(file, size, size, header) != exchange::TCheck::Valid) return false;
    if (header.imageMode != exchange::ModeRGB) return false;
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, header.width, header.height));
    exchange::RowsToBGR(file + exchange::PixelOffset, header, pixels.Bits(), std::size_t(pixels.Stride()));
    if (exifJpeg != nullptr) {
        std::uint64_t offset = 0;
        std::int32_t length = 0;
        exifJpeg->clear();
        if (exchange::FindExifTrailer(file, size, header, offset, length))
            *exifJpeg = exchange::WrapExifAsJpeg(file + offset, length);
    }
    working.Swap(pixels);
    return true;
}

exchange::THeader ExchangeHeaderFor(const TKelvoPixels& working) {
    exchange::THeader header;
    header.width = working.Width();
    header.height = working.Height();
    header.rowBytes = working.Stride();
    header.planes = 3;
    return header;
}

std::uint64_t ExchangeFileSize(const exchange::THeader& header) {
    return exchange::PixelOffset + exchange::RowsSize(header);
}

void WriteExchangeImage(const TKelvoPixels& working, std::uint8_t* file) {
    const exchange::THeader header = ExchangeHeaderFor(working);
    exchange::WriteHeader(file, header);
    exchange::BGRToRows(working.Bits(), std::size_t(working.Stride()), header, file + exchange::PixelOffset);
}
