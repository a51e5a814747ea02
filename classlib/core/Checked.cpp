#include "classlib/core/Checked.h"

#include <cmath>
#include <string>

void RaiseIntOverflow() { throw EIntOverflow("Integer overflow"); }

void RaiseRangeError(std::int64_t index, std::int64_t count) {
    throw ERangeError("Range check error: index " + std::to_string(index) + " outside 0.." + std::to_string(count - 1));
}

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    std::int64_t num = std::int64_t(a) * b;
    std::int64_t den = c;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t half = den / 2;
    const std::int64_t r = num >= 0 ? (num + half) / den : (num - half) / den;
    if (r > 2147483647LL || r < -2147483647LL) return -1;
    return std::int32_t(r);
}

std::int32_t RoundEven(double value) {
    if (!std::isfinite(value)) throw ERangeError("Invalid floating point value");
    const double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0) throw ERangeError("Floating point value out of integer range");
    return std::int32_t(r);
}
