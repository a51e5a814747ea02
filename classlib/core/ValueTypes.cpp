#include "classlib/core/ValueTypes.h"

#include <cmath>
#include <cstring>
#include <limits>

bool IsKnownValueType(std::uint8_t code) { return code <= vaCollection || (code >= vaWString && code <= vaUTF8String); }

namespace classlib::filer {

void DoubleToExtended(double value, Byte out[10]) {
    std::uint64_t mantissa = 0;
    std::uint16_t exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e);  // m in [0.5, 1)
        // 53 significant bits fit into the 64-bit mantissa exactly; the integer bit is explicit.
        mantissa = std::uint64_t(std::ldexp(m, 64));
        exponent = std::uint16_t(e - 1 + 16383);
    }
    std::memcpy(out, &mantissa, 8);  // little-endian on every target we build for
    const std::uint16_t top = std::uint16_t(exponent | (negative ? 0x8000 : 0));
    out[8] = Byte(top & 0xFF);
    out[9] = Byte(top >> 8);
}

double ExtendedToDouble(const Byte in[10]) {
    std::uint64_t mantissa;
    std::memcpy(&mantissa, in, 8);
    const std::uint16_t top = std::uint16_t(in[8] | (in[9] << 8));
    const bool negative = (top & 0x8000) != 0;
    const int exponent = top & 0x7FFF;
    double result;
    if (exponent == 0x7FFF) {
        result =
            (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        result = 0;
    } else {
        // The uint64 -> double conversion rounds to nearest even; ldexp then scales exactly (or to
        // infinity / towards zero at the ends of the range).
        result = std::ldexp(double(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    }
    return negative ? -result : result;
}

}  // namespace classlib::filer
