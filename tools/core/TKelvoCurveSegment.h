// Curve segments that fill a range of a tone table (input level -> output level), and the tone table of
// the brightness and contrast tool: the straight line through two points.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/TKelvoPointList.h"
#include "tools/core/Geometry.h"

using TKelvoToneTable = std::vector<std::uint16_t>;

constexpr std::int32_t ToneTableOk = 0;                                          // S_OK
constexpr std::int32_t ToneTableFailed = static_cast<std::int32_t>(0x80004005);  // E_FAIL

// maxValue when v > maxValue, 0 when v < 0 (or not a number), else v rounded to the nearest integer
// (ties to even).
std::uint16_t ClampLevel(std::uint16_t maxValue, double v);

class TKelvoCurveSegment {
public:
    virtual ~TKelvoCurveSegment() = default;

    TRealPoint StartPoint() const { return start_; }
    TRealPoint EndPoint() const { return end_; }
    // Store the point and call Prepare.
    void SetStartPoint(const TRealPoint& p);
    void SetEndPoint(const TRealPoint& p);

    // Recomputes the segment's parameters after a point changed; false when the segment defines no values.
    virtual bool Prepare() { return true; }
    // Writes the segment's values for the integer inputs fromX .. toX into table (entries outside the
    // table are not written).
    virtual void FillTable(std::uint16_t maxValue, TKelvoToneTable& table, double toX, double fromX) const {}

protected:
    TRealPoint start_;
    TRealPoint end_;
};

class TKelvoLineSegment : public TKelvoCurveSegment {
public:
    double Slope = 0.0;
    double Intercept = 0.0;

    // Slope and intercept of the line through the two points; a vertical segment gets slope +infinity,
    // intercept -infinity and returns false.
    bool Prepare() override;
    // Nothing when the slope is infinite; else table[i] = ClampLevel(maxValue, i * Slope + Intercept).
    void FillTable(std::uint16_t maxValue, TKelvoToneTable& table, double toX, double fromX) const override;
};

// A table of maxIndex + 1 entries from the line through the two points of the list, with maxValue =
// maxIndex. ToneTableFailed with an empty table when the list does not hold exactly two points, when both
// points share their input level (no line maps the levels), or when maxIndex is outside 0 .. 65535.
std::int32_t BuildToneTable(const TKelvoPointList& points, std::int32_t maxIndex, TKelvoToneTable& table);
