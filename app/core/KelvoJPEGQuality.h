// The JPEG quality as the options dialog shows it: a number 0..100 typed into an edit box, one of five named
// presets, and the rule that tells a typed text from a quality.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr std::int32_t KelvoJPEGQualityMax = 100;
// Low, Medium, High, Very High, Maximum.
inline constexpr std::array<std::int32_t, 5> KelvoJPEGPresets{10, 30, 60, 80, 100};

// The highest preset index whose quality is <= value; 0 below the lowest preset.
std::int32_t JPEGPresetIndex(std::int32_t value);

// The trimmed text as a decimal integer: an optional sign, then digits only, within int32. Anything else
// (empty, letters, hexadecimal, a fraction, beyond int32) is no number.
std::optional<std::int32_t> ParseJPEGQualityText(std::u16string_view text);
// Whether the text is a quality the dialog accepts: a number in 0..100.
bool IsJPEGQualityText(std::u16string_view text);
// What the dialog puts in place of a text it refused: the number clamped to 0..100, 0 when there is none.
std::int32_t ClampJPEGQualityText(std::u16string_view text);
