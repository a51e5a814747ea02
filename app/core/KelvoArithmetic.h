// Integer helpers of the editor. Every product here is checked and raises EIntOverflow instead of wrapping.
#pragma once
#include <cstdint>

// (high << 16) | (low & 0xFFFF).
std::int32_t MakeLong(std::int32_t low, std::int32_t high);
// a x b / c rounded towards minus infinity; a zero c raises EDivByZero.
std::int32_t MulDivFloor(std::int32_t a, std::int32_t b, std::int32_t c);
