// A list of points (copies) used by the geometry tools.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoGeometry.h"

class TKelvoPointList {
public:
    // Stores a copy; returns its index.
    std::int32_t Add(const TKelvoPoint& point);
    // A copy of the point; a bad index raises EListError.
    TKelvoPoint GetPoint(std::int32_t index) const;
    void Delete(std::int32_t index);
    void Clear() { points_.clear(); }
    std::int32_t Count() const { return std::int32_t(points_.size()); }

private:
    void Check(std::int32_t index) const;
    std::vector<TKelvoPoint> points_;
};
