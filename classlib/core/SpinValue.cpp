#include "classlib/core/SpinValue.h"

#include <algorithm>
#include <limits>

std::optional<int> ParseSpinValue(const AnsiString& text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == end) return std::nullopt;
    long long value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        // One past the largest int still fits the negative side; anything more cannot.
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

int ClampSpinValue(int value, int min, int max) {
    if (min == max) return value;
    return std::clamp(value, std::min(min, max), std::max(min, max));
}

int SpinValueOf(const AnsiString& text, int minValue, int maxValue) {
    const std::optional<int> parsed = ParseSpinValue(text);
    return ClampSpinValue(parsed ? *parsed : minValue, minValue, maxValue);
}

int StepSpinValue(int value, long long delta, int minValue, int maxValue) {
    const long long next = std::clamp<long long>(static_cast<long long>(value) + delta, std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max());
    return ClampSpinValue(static_cast<int>(next), minValue, maxValue);
}
