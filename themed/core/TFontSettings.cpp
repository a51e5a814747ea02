#include "themed/core/TFontSettings.h"

int skin::ScaleFontSize(int size, int percent) {
    const std::int64_t magnitude = size < 0 ? -static_cast<std::int64_t>(size) : size;
    const auto scaled = static_cast<int>((magnitude * percent + 50) / 100);
    return size < 0 ? -scaled : scaled;
}

namespace {

void ApplyTriState(TTriState state, bool& bit) {
    if (state == tsTrue)
        bit = true;
    else if (state == tsFalse)
        bit = false;
}

}  // namespace

bool TFontSettings::IsDefault() const { return v_ == TValues{}; }

void TFontSettings::Apply(skin::TFontDescription& font) const {
    if (v_.size != 100) font.Size = skin::ScaleFontSize(font.Size, v_.size);
    if (v_.color != KeepColor) font.Color = v_.color;
    if (!v_.name.empty()) font.Name = v_.name.substr(0, skin::kLogFontNameLength);
    ApplyTriState(v_.bold, font.Bold);
    ApplyTriState(v_.italic, font.Italic);
    ApplyTriState(v_.underline, font.Underline);
    ApplyTriState(v_.strikeOut, font.StrikeOut);
}

void TFontSettings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFontSettings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (v_ == other->v_) return;
    v_ = other->v_;
    if (OnChange) OnChange(this);
}
