#include "tools/core/TKelvoCurveSegment.h"

#include <cmath>
#include <limits>

std::uint16_t ClampLevel(std::uint16_t maxValue, double v) {
    if (v > maxValue) return maxValue;
    if (!(v >= 0.0)) return 0;
    return static_cast<std::uint16_t>(std::nearbyint(v));
}

void TKelvoCurveSegment::SetStartPoint(const TRealPoint& p) {
    start_ = p;
    Prepare();
}

void TKelvoCurveSegment::SetEndPoint(const TRealPoint& p) {
    end_ = p;
    Prepare();
}

bool TKelvoLineSegment::Prepare() {
    const double dx = end_.X - start_.X;
    if (dx != 0.0) {
        Slope = (end_.Y - start_.Y) / dx;
        Intercept = start_.Y - Slope * start_.X;
        return true;
    }
    Slope = std::numeric_limits<double>::infinity();
    Intercept = -std::numeric_limits<double>::infinity();
    return false;
}

void TKelvoLineSegment::FillTable(std::uint16_t maxValue, TKelvoToneTable& table, double toX, double fromX) const {
    if (!std::isfinite(Slope) || !std::isfinite(Intercept) || table.empty()) return;
    const double last = static_cast<double>(table.size() - 1);
    const double first = std::ceil(fromX);
    if (!(first <= toX) || !(toX >= 0.0) || !(first <= last)) return;
    const auto from = static_cast<std::size_t>(first < 0.0 ? 0.0 : first);
    const auto to = static_cast<std::size_t>(toX > last ? last : std::floor(toX));
    for (std::size_t i = from; i <= to; ++i)
        table[i] = ClampLevel(maxValue, static_cast<double>(i) * Slope + Intercept);
}

std::int32_t BuildToneTable(const TKelvoPointList& points, std::int32_t maxIndex, TKelvoToneTable& table) {
    table.clear();
    if (points.Count() != 2 || maxIndex < 0 || maxIndex > 65535) return ToneTableFailed;
    const TKelvoPoint p0 = points.GetPoint(0);
    const TKelvoPoint p1 = points.GetPoint(1);
    TKelvoLineSegment line;
    line.SetStartPoint(TRealPoint{double(p0.X), double(p0.Y)});
    line.SetEndPoint(TRealPoint{double(p1.X), double(p1.Y)});
    // Two points of one input level describe no mapping of levels; filling the table from them anyway would
    // give an all-black image and report success, so the build fails and the caller keeps its old table.
    if (!line.Prepare()) return ToneTableFailed;
    table.assign(static_cast<std::size_t>(maxIndex) + 1, 0);
    line.FillTable(static_cast<std::uint16_t>(maxIndex), table, maxIndex, 0);
    return ToneTableOk;
}
