// Logical (image) to device (window) coordinates by origins and extents on each side. A view keeps its
// scroll offset in the viewport origin and its zoom in the ratio of the extents.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"

class TKelvoMapMode {
public:
    // Extents 1/1, origins 0.
    TKelvoMapMode() = default;
    virtual ~TKelvoMapMode() = default;

    std::int32_t WindowOrgX = 0, WindowOrgY = 0;
    std::int32_t WindowExtX = 1, WindowExtY = 1;
    std::int32_t ViewportOrgX = 0, ViewportOrgY = 0;
    std::int32_t ViewportExtX = 1, ViewportExtY = 1;

    // Integer forms: the products are checked (EIntOverflow), the quotient is floored; a zero divisor extent
    // raises EDivByZero.
    std::int32_t DeviceToLogicalX(std::int32_t d) const;
    std::int32_t DeviceToLogicalY(std::int32_t d) const;
    std::int32_t LogicalToDeviceX(std::int32_t l) const;
    std::int32_t LogicalToDeviceY(std::int32_t l) const;
    TKelvoPoint DeviceToLogicalPoint(const TKelvoPoint& p) const;
    TKelvoPoint LogicalToDevicePoint(const TKelvoPoint& p) const;
    // Both corners mapped separately.
    TKelvoRect LogicalToDeviceRect(const TKelvoRect& r) const;

    // Floating forms, without flooring.
    double DeviceToLogicalXF(double d) const;
    double DeviceToLogicalYF(double d) const;
    double LogicalToDeviceXF(double l) const;
    double LogicalToDeviceYF(double l) const;
};

// The printer's mapping; no operations of its own.
class TKelvoHiMetric : public TKelvoMapMode {};
