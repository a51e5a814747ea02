#include "tools/core/BrightnessContrast.h"

#include <algorithm>

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

void ApplyToneTable(const TKelvoPixels& source, const TKelvoPixels& dest, const TKelvoToneTable& table) {
    if (table.size() != 256) throw ERangeError("a tone table of 256 entries is needed");
    const TKelvoRect r = IntersectRects(source.GetBounds(), dest.GetBounds());
    for (std::int32_t y = r.Top; y < r.Bottom; ++y)
        for (std::int32_t x = r.Left; x < r.Right; ++x) {
            const std::uint8_t* s = source.PixelAddress(x, y);
            std::uint8_t* d = dest.PixelAddress(x, y);
            for (int k = 2; k >= 0; --k) d[k] = std::uint8_t(table[s[k]]);
        }
}
