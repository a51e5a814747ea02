// A photographed rectangle for the four-point correction's tests: a dark quadrilateral on white, and the
// measure of how straight and parallel its edges come out of a correction.
#pragma once
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/core/TKelvoPixels.h"
#include "tools/core/Geometry.h"

namespace persp4test {

// A facade seen from below and from the side on a 400 x 300 photograph: both pairs of edges converge.
inline const TRealPoint kTL{130, 50}, kTR{270, 70}, kBL{60, 250}, kBR{340, 230};

// Paints the quadrilateral tl, tr, br, bl (clockwise on the screen) black on white, its edges smoothed as a
// camera shows them: each pixel is as dark as the part of it (in 8 x 8 samples) that lies inside.
inline void DrawQuadrilateral(TKelvoPixels& image, const TRealPoint& tl, const TRealPoint& tr, const TRealPoint& br,
                              const TRealPoint& bl) {
    const TRealPoint q[4] = {tl, tr, br, bl};
    const auto inside = [&](double x, double y) {
        for (int i = 0; i < 4; ++i) {
            const TRealPoint a = q[i], b = q[(i + 1) % 4];
            if ((b.X - a.X) * (y - a.Y) - (b.Y - a.Y) * (x - a.X) < 0) return false;
        }
        return true;
    };
    for (int y = image.Top(); y < image.Top() + image.Height(); ++y) {
        for (int x = image.Left(); x < image.Left() + image.Width(); ++x) {
            int covered = 0;
            for (int sy = 0; sy < 8; ++sy)
                for (int sx = 0; sx < 8; ++sx) covered += inside(x - 0.4375 + sx / 8.0, y - 0.4375 + sy / 8.0);
            Byte* p = image.PixelAddress(x, y);
            p[0] = p[1] = p[2] = Byte(255 - covered * 255 / 64);
        }
    }
}

// The dark shape's extent along each row and column of an image: where the first and the last pixel darker
// than mid-grey lie (-1 on a line without one).
struct TShapeEdges {
    std::vector<int> Left, Right;  // per row
    std::vector<int> Top, Bottom;  // per column
};

inline TShapeEdges MeasureShape(const TKelvoPixels& image) {
    TShapeEdges e;
    const int w = image.Width(), h = image.Height();
    e.Left.assign(h, -1), e.Right.assign(h, -1), e.Top.assign(w, -1), e.Bottom.assign(w, -1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Byte* p = image.PixelAddress(image.Left() + x, image.Top() + y);
            if ((p[0] + p[1] + p[2]) / 3 >= 128) continue;
            if (e.Left[y] < 0) e.Left[y] = x;
            e.Right[y] = x;
            if (e.Top[x] < 0) e.Top[x] = y;
            e.Bottom[x] = y;
        }
    }
    return e;
}

// The largest spread (max - min) of the values in [first, last] of lines that hold the shape.
inline int Spread(const std::vector<int>& values, int first, int last) {
    int lo = 1 << 30, hi = -1;
    for (int i = std::max(first, 0); i <= last && i < int(values.size()); ++i) {
        if (values[i] < 0) return 1 << 30;  // a gap in the shape
        lo = std::min(lo, values[i]);
        hi = std::max(hi, values[i]);
    }
    return hi < 0 ? 1 << 30 : hi - lo;
}

// True when the shape is an axis-parallel rectangle within a pixel: away from its corners (margin pixels), every
// row starts and ends in the same column and every column in the same row, give or take one.
inline bool IsUprightRectangle(const TKelvoPixels& image, int margin = 4) {
    const TShapeEdges e = MeasureShape(image);
    const auto firstOf = [](const std::vector<int>& v) {
        return int(std::find_if(v.begin(), v.end(), [](int i) { return i >= 0; }) - v.begin());
    };
    const auto lastOf = [](const std::vector<int>& v) {
        return int(v.rend() - std::find_if(v.rbegin(), v.rend(), [](int i) { return i >= 0; })) - 1;
    };
    const int top = firstOf(e.Left), bottom = lastOf(e.Left), left = firstOf(e.Top), right = lastOf(e.Top);
    if (bottom - top < 4 * margin || right - left < 4 * margin) return false;
    return Spread(e.Left, top + margin, bottom - margin) <= 1 && Spread(e.Right, top + margin, bottom - margin) <= 1 &&
           Spread(e.Top, left + margin, right - margin) <= 1 && Spread(e.Bottom, left + margin, right - margin) <= 1;
}

}  // namespace persp4test
