#include "app/core/KelvoArithmetic.h"

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"

std::int32_t MakeLong(std::int32_t low, std::int32_t high) {
    return std::int32_t((std::uint32_t(high) << 16) | (std::uint32_t(low) & 0xFFFF));
}

std::int32_t MulDivFloor(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) throw EDivByZero("Division by zero");
    const std::int32_t p = CheckedMul(a, b);
    std::int64_t q = std::int64_t(p) / c;
    if (std::int64_t(p) % c != 0 && ((p < 0) != (c < 0))) --q;
    return CheckedCast<std::int32_t>(q);
}
