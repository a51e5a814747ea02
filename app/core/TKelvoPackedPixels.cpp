#include "app/core/TKelvoPackedPixels.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <thread>

#include "classlib/core/Exceptions.h"

namespace {

// Below this a band is not worth a thread of its own.
constexpr std::int64_t kBandBytes = 4 << 20;
constexpr std::int32_t kMaxBands = 4;

std::int32_t BandCount(std::int64_t size, std::int32_t rows) {
    return std::max<std::int32_t>(1, std::min<std::int64_t>({kMaxBands, rows, size / kBandBytes}));
}

// Rows [first, last) of band index of count.
void BandRows(std::int32_t rows, std::int32_t count, std::int32_t index, std::int32_t& first, std::int32_t& last) {
    first = std::int32_t(std::int64_t(rows) * index / count);
    last = std::int32_t(std::int64_t(rows) * (index + 1) / count);
}

}  // namespace

std::int64_t TKelvoPackedPixels::MemorySize() const {
    std::int64_t total = 0;
    for (const auto& band : bands_) total += std::int64_t(band.capacity());
    return total;
}

void TKelvoPackedPixels::Pack(const TKelvoPixels& source, const TKelvoRect& rect) {
    const TKelvoRect bounds = IntersectRects(rect, source.GetBounds());
    TKelvoPixelBuffer plain;
    plain.SetFormatAndBounds(source.Format(), bounds);
    std::vector<std::vector<Byte>> bands;
    if (!bounds.IsEmpty()) {
        plain.CopyFrom(source);
        const std::int32_t rows = plain.Height();
        const std::int32_t count = BandCount(plain.MemorySize(), rows);
        std::vector<int> results(std::size_t(count), Z_OK);
        try {
            bands.resize(std::size_t(count));
            for (std::int32_t i = 0; i < count; ++i) {
                std::int32_t first, last;
                BandRows(rows, count, i, first, last);
                bands[std::size_t(i)].resize(compressBound(uLong(std::int64_t(last - first) * plain.Stride())));
            }
            const auto packBand = [&](std::int32_t i) {
                std::int32_t first, last;
                BandRows(rows, count, i, first, last);
                std::vector<Byte>& band = bands[std::size_t(i)];
                uLongf used = uLongf(band.size());
                results[std::size_t(i)] = compress2(band.data(), &used, plain.Row(plain.Top() + first),
                                                    uLong(std::int64_t(last - first) * plain.Stride()), Z_BEST_SPEED);
                band.resize(used);
            };
            std::vector<std::thread> helpers;
            for (std::int32_t i = 1; i < count; ++i) helpers.emplace_back(packBand, i);
            packBand(0);
            for (std::thread& t : helpers) t.join();
            for (auto& band : bands) band.shrink_to_fit();
        } catch (const std::bad_alloc&) {
            throw EOutOfMemory("Cannot pack the pixels");
        } catch (const std::system_error&) {
            throw EOutOfMemory("Cannot pack the pixels");
        }
        for (int r : results)
            if (r != Z_OK) throw EOutOfMemory("Cannot pack the pixels");
    }
    bounds_ = bounds;
    format_ = source.Format();
    bands_.swap(bands);
}

void TKelvoPackedPixels::Unpack(TKelvoPixelBuffer& buffer) const {
    TKelvoPixelBuffer plain;
    plain.SetFormatAndBounds(format_, bounds_);
    const std::int32_t count = std::int32_t(bands_.size());
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t first, last;
        BandRows(plain.Height(), count, i, first, last);
        const uLongf expected = uLongf(std::int64_t(last - first) * plain.Stride());
        uLongf size = expected;
        const std::vector<Byte>& band = bands_[std::size_t(i)];
        // Our own data always inflates to its size; anything else is a fault, not an input error.
        if (uncompress(plain.Row(plain.Top() + first), &size, band.data(), uLong(band.size())) != Z_OK ||
            size != expected)
            throw Exception("Packed pixels are damaged");
    }
    buffer.Swap(plain);
}
