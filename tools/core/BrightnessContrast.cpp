#include "tools/core/BrightnessContrast.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/core/TKelvoPointList.h"
#include "classlib/core/Exceptions.h"

std::int32_t ClampBrightnessContrast(std::int32_t v) {
    return std::clamp(v, BrightnessContrastMin, BrightnessContrastMax);
}

TToneLine BrightnessContrastLine(std::int32_t brightness, std::int32_t contrast) {
    const std::int32_t b = ClampBrightnessContrast(brightness);
    const std::int32_t c = ClampBrightnessContrast(contrast);
    TToneLine line{MakePoint(-b, 0), MakePoint(255 - b, 255)};
    if (c >= 0) {
        line.P1.X += c;
        line.P2.X -= c;
    } else {
        line.P1.Y -= c;
        line.P2.Y += c;
    }
    return line;
}

TAutoLevels ScanAutoLevels(const TKelvoPixels& source) {
    std::int32_t dmin = 255, smin = 765, dmax = 0, smax = 0;
    const TKelvoRect r = source.GetBounds();
    for (std::int32_t y = r.Top; y < r.Bottom; ++y)
        for (std::int32_t x = r.Left; x < r.Right; ++x) {
            const std::uint8_t* p = source.PixelAddress(x, y);
            const std::int32_t s = p[0] + p[1] + p[2];
            if (s > 0 && s < smin) {
                for (int k = 2; k >= 0; --k)
                    if (p[k] != 0 && p[k] < dmin) dmin = p[k];
                smin = s;
            }
            if (s < 765 && s > smax) {
                for (int k = 2; k >= 0; --k)
                    if (p[k] < 255 && p[k] > dmax) dmax = p[k];
                smax = s;
            }
        }
    return TAutoLevels{dmin == 255 ? 0 : dmin, dmax == 0 ? 255 : dmax};
}

TAutoCorrection AutoCorrection(TAutoLevels levels) {
    if (levels.Dmin >= levels.Dmax) return TAutoCorrection{0, 0, BrightnessContrastLine(0, 0)};
    return TAutoCorrection{ClampBrightnessContrast(127 - (levels.Dmin + levels.Dmax) / 2),
                           ClampBrightnessContrast((256 - (levels.Dmax - levels.Dmin)) / 2),
                           TToneLine{MakePoint(levels.Dmin, 0), MakePoint(levels.Dmax, 255)}};
}

TKelvoToneTable ToneTableOfLine(const TToneLine& line) {
    TKelvoPointList points;
    points.Add(line.P1);
    points.Add(line.P2);
    TKelvoToneTable table;
    if (BuildToneTable(points, 255, table) != ToneTableOk) {
        table.resize(256);
        for (std::size_t i = 0; i < table.size(); ++i) table[i] = std::uint16_t(i);
    }
    return table;
}

namespace {

// From this many bytes on, an image maps two bytes at a time through a table of every byte pair, which takes
// about a third off; filling the pair table's 65536 entries costs about what mapping that many bytes singly
// does, a few per cent of a megabyte's work, so smaller images map one byte at a time.
constexpr std::size_t PairTableFrom = std::size_t(1) << 20;

// Maps n bytes through lut one at a time; s may equal d.
void MapBytes(const std::uint8_t* s, std::uint8_t* d, std::size_t n, const std::uint8_t* lut) {
    for (std::size_t i = 0; i < n; ++i) d[i] = lut[s[i]];
}

// Maps n bytes two at a time through pairs (entry b0 + 256 b1 holds lut[b0] + 256 lut[b1]), a word of four
// read whole before it is written, so s may equal d; lut maps the odd bytes at the end.
void MapBytePairs(const std::uint8_t* s, std::uint8_t* d, std::size_t n, const std::uint16_t* pairs,
                  const std::uint8_t* lut) {
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint32_t v;
        std::memcpy(&v, s + i, 4);
        // Little-endian: the first byte is the low one of the word and of each pair.
        const std::uint32_t m = std::uint32_t(pairs[v & 0xFFFF]) | std::uint32_t(pairs[v >> 16]) << 16;
        std::memcpy(d + i, &m, 4);
    }
    MapBytes(s + i, d + i, n - i, lut);
}

}  // namespace

void ApplyToneTable(const TKelvoPixels& source, const TKelvoPixels& dest, const TKelvoToneTable& table) {
    if (table.size() != 256) throw ERangeError("a tone table of 256 entries is needed");
    // The table's entries as the bytes they become.
    std::uint8_t lut[256];
    for (std::size_t i = 0; i < 256; ++i) lut[i] = std::uint8_t(table[i]);
    const TKelvoRect r = IntersectRects(source.GetBounds(), dest.GetBounds());
    if (r.IsEmpty()) return;
    const std::size_t width = std::size_t(r.Right - r.Left), height = std::size_t(r.Bottom - r.Top);
    if (source.BytesPerPixel() != 3 || dest.BytesPerPixel() != 3) {
        // Pixels wider than their colour: the other bytes stay as they are.
        for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
            const std::uint8_t* s = source.PixelAddress(r.Left, y);
            std::uint8_t* d = dest.PixelAddress(r.Left, y);
            for (std::size_t x = 0; x < width; ++x, s += source.BytesPerPixel(), d += dest.BytesPerPixel())
                for (int k = 0; k < 3; ++k) d[k] = lut[s[k]];
        }
        return;
    }
    // Three colour bytes a pixel and nothing between them: each row's pixels are one run of bytes.
    const std::size_t run = width * 3;
    std::vector<std::uint16_t> pairs;
    if (run * height >= PairTableFrom) {
        pairs.resize(65536);
        for (std::size_t i = 0; i < pairs.size(); ++i) pairs[i] = std::uint16_t(lut[i & 0xFF] | lut[i >> 8] << 8);
    }
    for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
        const std::uint8_t* s = source.PixelAddress(r.Left, y);
        std::uint8_t* d = dest.PixelAddress(r.Left, y);
        if (pairs.empty())
            MapBytes(s, d, run, lut);
        else
            MapBytePairs(s, d, run, pairs.data(), lut);
    }
}
