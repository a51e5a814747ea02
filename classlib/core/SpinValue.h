// The number rules of a spin edit: its text is read as a whole number, and the value is held inside the
// edit's range unless the range is empty (minimum equal to maximum), which allows any number.
#pragma once
#include <optional>

#include "classlib/core/Types.h"

// The integer in text (spaces and tabs around it allowed, an optional sign); nothing for anything else,
// numbers outside the 32-bit range included.
std::optional<int> ParseSpinValue(const AnsiString& text);
// value held inside min..max, or value itself when min == max.
int ClampSpinValue(int value, int min, int max);
// What a spin edit shows for text: its number, minValue when it has none, clamped as above.
int SpinValueOf(const AnsiString& text, int minValue, int maxValue);
// value + delta, saturated at the ends of the 32-bit range, then clamped as above.
int StepSpinValue(int value, long long delta, int minValue, int maxValue);
