#include "themed/core/TFontSettings.h"

int skin::ScaleFontSize(int size, int percent) {
    const std::int64_t magnitude = size < 0 ? -static_cast<std::int64_t>(size) : size;
    const auto scaled = static_cast<int>((magnitude * percent + 50) / 100);
    return size < 0 ? -scaled : scaled;
}

namespace {

void ApplyTriState(TTriState state, bool& bit) {
    if (state == tsTrue) bit = true;
    else if (state == tsFalse) bit = false;
}

}  // namespace

bool TFontSettings::IsDefault() const {
    return bold_ == tsDefault && italic_ == tsDefault && underline_ == tsDefault && strikeOut_ == tsDefault &&
           size_ == 100 && color_ == KeepColor && name_.empty();
}

void TFontSettings::Apply(skin::TFontDescription& font) const {
    if (size_ != 100) font.Size = skin::ScaleFontSize(font.Size, size_);
    if (color_ != KeepColor) font.Color = color_;
    if (!name_.empty()) font.Name = name_.substr(0, skin::kLogFontNameLength);
    ApplyTriState(bold_, font.Bold);
    ApplyTriState(italic_, font.Italic);
    ApplyTriState(underline_, font.Underline);
    ApplyTriState(strikeOut_, font.StrikeOut);
}

void TFontSettings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFontSettings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    const bool differs = bold_ != other->bold_ || italic_ != other->italic_ || underline_ != other->underline_ ||
                         strikeOut_ != other->strikeOut_ || size_ != other->size_ || color_ != other->color_ ||
                         name_ != other->name_;
    bold_ = other->bold_;
    italic_ = other->italic_;
    underline_ = other->underline_;
    strikeOut_ = other->strikeOut_;
    size_ = other->size_;
    color_ = other->color_;
    name_ = other->name_;
    if (differs && OnChange) OnChange(this);
}
