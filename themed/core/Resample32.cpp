#include "themed/core/Resample32.h"

#include <algorithm>
#include <cmath>

#include "classlib/core/PixelPlumbing.h"
#include "themed/core/AlphaPixels.h"
#include "themed/core/EDIB32Error.h"

namespace themed {

std::vector<std::vector<TResampleWeight>> ResampleWeights(int sourceLength, int targetLength) {
    if (sourceLength <= 0 || targetLength <= 0) throw EDIB32Error("Invalid parameters");
    std::vector<std::vector<TResampleWeight>> result(static_cast<std::size_t>(targetLength));
    const double scale = double(targetLength) / double(sourceLength);
    if (scale > 1.0) {
        for (int t = 0; t < targetLength; ++t) {
            const double pos = (t + 0.5) / scale - 0.5;
            auto& list = result[std::size_t(t)];
            if (pos < 0.0) {
                list.push_back({0, 256});
            } else if (pos >= sourceLength - 1) {
                list.push_back({sourceLength - 1, 256});
            } else {
                const int m = int(std::floor(pos));
                const int f = int(std::nearbyint((pos - m) * 256.0));
                list.push_back({m, 256 - f});
                list.push_back({m + 1, f});
            }
        }
        return result;
    }
    const double span = 1.0 / scale;
    for (int t = 0; t < targetLength; ++t) {
        auto& list = result[std::size_t(t)];
        const double start = t / scale, end = start + span;
        double carry = 0.0;
        for (int j = int(std::floor(start)); j < end; ++j) {
            const double covered = std::min(double(j + 1), end) - std::max(double(j), start);
            if (covered <= 0.0) continue;
            const double exact = scale * 256.0 * covered + carry;
            const int weight = int(std::nearbyint(exact));
            carry = exact - weight;
            const int index = std::clamp(j, 0, sourceLength - 1);
            if (!list.empty() && list.back().index == index)
                list.back().weight += weight;
            else
                list.push_back({index, weight});
        }
        if (list.empty()) {
            list.push_back({std::clamp(int(start + span / 2), 0, sourceLength - 1), 256});
            continue;
        }
        int sum = 0;
        for (const auto& w : list) sum += w.weight;
        list[list.size() / 2].weight += 256 - sum;
    }
    return result;
}

void ResamplePixels(const std::uint32_t* source, int sourceWidth, int sourceHeight, std::uint32_t* target,
                    int targetWidth, int targetHeight, bool compose) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return;
    const std::size_t sw = std::size_t(sourceWidth), tw = std::size_t(targetWidth);
    if (sourceWidth == targetWidth && sourceHeight == targetHeight) {
        for (std::size_t y = 0; y < std::size_t(targetHeight); ++y) {
            if (compose)
                BlendRow(source + y * sw, target + y * tw, targetWidth, 255);
            else
                std::copy(source + y * sw, source + (y + 1) * sw, target + y * tw);
        }
        return;
    }
    const auto columns = ResampleWeights(sourceWidth, targetWidth);
    const auto rows = ResampleWeights(sourceHeight, targetHeight);
    std::vector<std::uint32_t> line(tw);
    for (std::size_t y = 0; y < std::size_t(targetHeight); ++y) {
        for (std::size_t x = 0; x < tw; ++x) {
            std::uint32_t sums[4] = {0, 0, 0, 0};  // blue, green, red, alpha; weights total 65536
            for (const auto& r : rows[y]) {
                const std::uint32_t* sourceRow = source + std::size_t(r.index) * sw;
                for (const auto& c : columns[x]) {
                    const std::uint32_t p = sourceRow[c.index];
                    const std::uint32_t w = std::uint32_t(r.weight * c.weight);
                    sums[0] += (p & 0xFF) * w;
                    sums[1] += ((p >> 8) & 0xFF) * w;
                    sums[2] += ((p >> 16) & 0xFF) * w;
                    sums[3] += (p >> 24) * w;
                }
            }
            std::uint32_t out = 0;
            for (int k = 0; k < 4; ++k)
                out |= std::uint32_t(ClampByte(std::int32_t((sums[k] + 32768) >> 16))) << (8 * k);
            line[x] = out;
        }
        if (compose)
            BlendRow(line.data(), target + y * tw, targetWidth, 255);
        else
            std::copy(line.begin(), line.end(), target + y * tw);
    }
}

}  // namespace themed
