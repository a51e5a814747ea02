#include "app/core/KelvoMessageBoxLayout.h"

#include <algorithm>

namespace {

// Margins of the box: 16 round the text and icon, 16 between icon and text, 34 from the buttons' top to
// the bottom edge (24 of button, 10 below it).
constexpr std::int32_t kMargin = 16;
constexpr std::int32_t kButtonsFromBottom = 34;
constexpr std::int32_t kBelowText = 66;  // text bottom margin, the buttons and the space between

}  // namespace

std::int32_t KelvoMessageBoxButtonsWidth(std::int32_t count) {
    if (count <= 0) return 0;
    return count * KelvoMessageBoxButtonWidth + (count - 1) * KelvoMessageBoxButtonGap;
}

TKelvoMessageBoxLayout KelvoLayoutMessageBox(const TKelvoMessageBoxMeasures& m) {
    TKelvoMessageBoxLayout layout;
    const std::int32_t count = std::max(m.ButtonCount, 0);
    const std::int32_t buttons = KelvoMessageBoxButtonsWidth(count);
    const std::int32_t checkBox = m.HasCheckBox ? m.CheckBoxHeight : 0;
    const std::int32_t w = m.TextWidth;
    const std::int32_t h = m.TextHeight;
    if (m.HasIcon) {
        const std::int32_t iw = m.IconWidth;
        const std::int32_t ih = m.IconHeight;
        const std::int32_t tallest = std::max(ih, h);
        layout.ClientWidth = iw + std::max(w, buttons) + 3 * kMargin;
        layout.ClientHeight = tallest + kBelowText + checkBox;
        layout.Icon = {kMargin, kMargin, kMargin + iw, kMargin + ih};
        const std::int32_t top = kMargin + (ih > h ? (ih - h) / 2 : 0);
        layout.Text = {iw + 2 * kMargin, top, iw + 2 * kMargin + w, top + h};
        layout.CheckBox = {iw + 2 * kMargin, tallest + 24};
    } else {
        layout.ClientWidth = std::max(w, buttons) + 2 * kMargin;
        layout.ClientHeight = h + kBelowText + checkBox;
        layout.Text = {kMargin, kMargin, kMargin + w, kMargin + h};
        layout.CheckBox = {kMargin, h + 20};
    }
    const std::int32_t top = layout.ClientHeight - kButtonsFromBottom;
    const std::int32_t left = (layout.ClientWidth - buttons) / 2;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t x = left + (KelvoMessageBoxButtonWidth + KelvoMessageBoxButtonGap) * i;
        layout.Buttons.push_back({x, top, x + KelvoMessageBoxButtonWidth, top + KelvoMessageBoxButtonHeight});
    }
    return layout;
}
