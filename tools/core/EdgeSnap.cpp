#include "tools/core/EdgeSnap.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Points in the line's own frame: u along its main axis, v across it.
struct TFrame {
    bool Level;  // mostly horizontal: u = x, v = y
    TRealPoint ToImage(double u, double v) const { return Level ? TRealPoint{u, v} : TRealPoint{v, u}; }
    double U(const TRealPoint& p) const { return Level ? p.X : p.Y; }
    double V(const TRealPoint& p) const { return Level ? p.Y : p.X; }
};

// The colour byte c of the pixel at (u, v) of the frame; false outside the image.
bool Byte3(const TKelvoPixels& image, const TFrame& frame, std::int32_t u, std::int32_t v, const Byte*& pixel) {
    const std::int32_t x = frame.Level ? u : v;
    const std::int32_t y = frame.Level ? v : u;
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) return false;
    pixel = image.PixelAddress(x, y);
    return true;
}

double ScoreIn(const TKelvoPixels& image, const TFrame& frame, double u1, double v1, double u2, double v2) {
    if (u2 < u1) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const double from = std::nearbyint(u1), to = std::nearbyint(u2);
    if (!std::isfinite(from) || !std::isfinite(to) || to - from > 1e6) return 0;
    double score = 0;
    for (double u = from; u <= to; ++u) {
        const double v = u2 == u1 ? v1 : v1 + (u - u1) * (v2 - v1) / (u2 - u1);
        const double iv = std::nearbyint(v);
        double f = v - iv;
        std::int32_t first = std::int32_t(iv);
        if (f < 0) {
            first -= 1;
            f += 1;
        }
        const Byte *p0, *p1, *p2;
        const std::int32_t iu = std::int32_t(u);
        if (!Byte3(image, frame, iu, first, p0) || !Byte3(image, frame, iu, first + 1, p1) ||
            !Byte3(image, frame, iu, first + 2, p2))
            continue;
        for (int c = 0; c < 3; ++c) {
            const double d = (1 - f) * (double(p0[c]) - p1[c]) + f * (double(p1[c]) - p2[c]);
            score += d * d;
        }
    }
    return score;
}

}  // namespace

double EdgeScore(const TKelvoPixels& image, const TRealPoint& start, const TRealPoint& end) {
    const TFrame frame{std::abs(end.X - start.X) >= std::abs(end.Y - start.Y)};
    return ScoreIn(image, frame, frame.U(start), frame.V(start), frame.U(end), frame.V(end));
}

TSnappedLine SnapLineToEdge(const TKelvoPixels& image, const TRealPoint& start, const TRealPoint& end,
                            double halfRange) {
    TSnappedLine best{start, end};
    if (start == end || !std::isfinite(halfRange) || !(halfRange >= 0)) return best;
    for (double v : {start.X, start.Y, end.X, end.Y})
        if (!std::isfinite(v)) return best;
    const TFrame frame{std::abs(end.X - start.X) >= std::abs(end.Y - start.Y)};
    const double u1 = frame.U(start), u2 = frame.U(end);
    const double v1 = frame.V(start), v2 = frame.V(end);
    const double n = std::nearbyint(std::min(halfRange, 1000.0));
    double bestScore = 0;
    for (double l = -n; l <= n; ++l) {
        double a = v1 + l, b = v2 + l;
        double score = ScoreIn(image, frame, u1, a, u2, b);
        // Each end in turn: steps across the line while the score grows; a step that does not help is
        // reversed and halved.
        const std::pair<double*, double> ends[] = {{&a, v1}, {&b, v2}};
        for (const auto& [end, origin] : ends) {
            double step = 1;
            while (std::abs(step) >= 0.01) {
                const double moved = *end + step;
                const double saved = *end;
                if (std::abs(moved - origin) <= n) {
                    *end = moved;
                    const double s = ScoreIn(image, frame, u1, a, u2, b);
                    if (s > score) {
                        score = s;
                        continue;
                    }
                    *end = saved;
                }
                step = -step / 2;
            }
        }
        if (score > bestScore) {
            bestScore = score;
            best = {frame.ToImage(u1, a), frame.ToImage(u2, b)};
        }
    }
    return best;
}
