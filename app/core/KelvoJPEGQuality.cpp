#include "app/core/KelvoJPEGQuality.h"

#include <algorithm>

#include "classlib/core/StringUtils.h"

std::int32_t JPEGPresetIndex(std::int32_t value) {
    std::int32_t index = 0;
    for (std::size_t i = 0; i < KelvoJPEGPresets.size(); ++i)
        if (KelvoJPEGPresets[i] <= value) index = std::int32_t(i);
    return index;
}

std::optional<std::int32_t> ParseJPEGQualityText(std::u16string_view text) {
    const WideString trimmed = Trim(text);
    std::u16string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == u'+' || digits.front() == u'-')) {
        negative = digits.front() == u'-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    // Accumulated negatively so that INT32_MIN fits.
    std::int64_t value = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < INT32_MIN) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > INT32_MAX) return std::nullopt;
    }
    return std::int32_t(value);
}

bool IsJPEGQualityText(std::u16string_view text) {
    const std::optional<std::int32_t> value = ParseJPEGQualityText(text);
    return value && *value >= 0 && *value <= KelvoJPEGQualityMax;
}

std::int32_t ClampJPEGQualityText(std::u16string_view text) {
    return std::clamp(ParseJPEGQualityText(text).value_or(0), 0, KelvoJPEGQualityMax);
}
