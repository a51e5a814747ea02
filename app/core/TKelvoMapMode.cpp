#include "app/core/TKelvoMapMode.h"

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"

namespace {

// Floor((v - fromOrg) * toExt / fromExt) + toOrg, exact in integers.
std::int32_t Map(std::int32_t v, std::int32_t fromOrg, std::int32_t fromExt, std::int32_t toOrg, std::int32_t toExt) {
    if (fromExt == 0) throw EDivByZero("Division by zero");
    const std::int32_t product = CheckedMul(CheckedSub(v, fromOrg), toExt);
    std::int64_t q = std::int64_t(product) / fromExt;
    if ((std::int64_t(product) % fromExt != 0) && ((product < 0) != (fromExt < 0))) --q;
    return CheckedAdd(CheckedCast<std::int32_t>(q), toOrg);
}

}  // namespace

std::int32_t TKelvoMapMode::DeviceToLogicalX(std::int32_t d) const {
    return Map(d, ViewportOrgX, ViewportExtX, WindowOrgX, WindowExtX);
}
std::int32_t TKelvoMapMode::DeviceToLogicalY(std::int32_t d) const {
    return Map(d, ViewportOrgY, ViewportExtY, WindowOrgY, WindowExtY);
}
std::int32_t TKelvoMapMode::LogicalToDeviceX(std::int32_t l) const {
    return Map(l, WindowOrgX, WindowExtX, ViewportOrgX, ViewportExtX);
}
std::int32_t TKelvoMapMode::LogicalToDeviceY(std::int32_t l) const {
    return Map(l, WindowOrgY, WindowExtY, ViewportOrgY, ViewportExtY);
}

TKelvoPoint TKelvoMapMode::DeviceToLogicalPoint(const TKelvoPoint& p) const {
    return TKelvoPoint{DeviceToLogicalX(p.X), DeviceToLogicalY(p.Y)};
}
TKelvoPoint TKelvoMapMode::LogicalToDevicePoint(const TKelvoPoint& p) const {
    return TKelvoPoint{LogicalToDeviceX(p.X), LogicalToDeviceY(p.Y)};
}
TKelvoRect TKelvoMapMode::LogicalToDeviceRect(const TKelvoRect& r) const {
    return TKelvoRect{LogicalToDeviceX(r.Left), LogicalToDeviceY(r.Top), LogicalToDeviceX(r.Right),
                      LogicalToDeviceY(r.Bottom)};
}

double TKelvoMapMode::DeviceToLogicalXF(double d) const {
    return (d - ViewportOrgX) * WindowExtX / ViewportExtX + WindowOrgX;
}
double TKelvoMapMode::DeviceToLogicalYF(double d) const {
    return (d - ViewportOrgY) * WindowExtY / ViewportExtY + WindowOrgY;
}
double TKelvoMapMode::LogicalToDeviceXF(double l) const {
    return (l - WindowOrgX) * ViewportExtX / WindowExtX + ViewportOrgX;
}
double TKelvoMapMode::LogicalToDeviceYF(double l) const {
    return (l - WindowOrgY) * ViewportExtY / WindowExtY + ViewportOrgY;
}
