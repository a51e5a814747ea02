// Checked integer arithmetic: an overflow or a bad index raises instead of wrapping or reading past a buffer.
#pragma once
#include <cstdint>
#include <type_traits>

#include "classlib/core/Exceptions.h"

[[noreturn]] void RaiseIntOverflow();
[[noreturn]] void RaiseRangeError(std::int64_t index, std::int64_t count);

template <class T>
T CheckedAdd(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r;
    if (__builtin_add_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

template <class T>
T CheckedSub(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r;
    if (__builtin_sub_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

template <class T>
T CheckedMul(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r;
    if (__builtin_mul_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

// Converts to a narrower (or differently signed) integer type; raises EIntOverflow when the value does not fit.
template <class To, class From>
To CheckedCast(From v) {
    static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
    To r;
    if (__builtin_add_overflow(v, From(0), &r)) RaiseIntOverflow();
    return r;
}

// Returns index when 0 <= index < count, else raises ERangeError.
inline std::int64_t CheckedIndex(std::int64_t index, std::int64_t count) {
    if (index < 0 || index >= count) RaiseRangeError(index, count);
    return index;
}

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0 or the result does not fit,
// exactly as the system's MulDiv, so native and Windows builds agree.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

// Rounds to the nearest integer, ties to even; raises ERangeError for NaN, infinity or a value outside int32.
std::int32_t RoundEven(double value);
