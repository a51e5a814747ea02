// Both readers of the exchange file on arbitrary bytes: the program's (header checks, the conversion to
// 24-bit and the EXIF trailer) and the plug-in's read-back into a host buffer that is exactly as large
// as the host's pixels (its last row without padding), so any read or write outside either is caught.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/KelvoExchangeImage.h"
#include "plugin/core/FilterExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::int32_t hostPlanes = 3 + (data[0] & 1);
    const std::vector<std::uint8_t> file(data + 1, data + size);  // exactly the file's bytes

    TKelvoPixelBuffer working;
    std::vector<std::uint8_t> exif;
    try {
        ReadExchangeImage(file.data(), file.size(), working, &exif);
    } catch (...) {
        // Sizes beyond the pixel buffer's limit raise before anything is allocated.
    }

    exchange::THeader received;
    if (exchange::CheckHeader(file.data(), file.size(), file.size(), received) != exchange::TCheck::Valid) return 0;
    if (std::int64_t(received.width) * received.height > (std::int64_t(1) << 22)) return 0;
    exchange::THeader sent = received;
    sent.planes = hostPlanes;
    if (filterexchange::CheckReadBack(file.data(), file.size(), sent, received) != filterexchange::TReadBack::Ready)
        return 0;
    const std::int64_t hostRowBytes = std::int64_t(received.width) * hostPlanes + 1;
    std::vector<std::uint8_t> host(std::size_t(hostRowBytes * (received.height - 1) + received.width * hostPlanes));
    exchange::RowsToHost(file.data() + exchange::PixelOffset, received, host.data(), hostRowBytes, hostPlanes);
    return 0;
}
