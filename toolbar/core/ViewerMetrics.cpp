#include "toolbar/core/ViewerMetrics.h"

#include <algorithm>
#include <cstdint>

#include "toolbar/core/Captions.h"

namespace tb {

namespace {

TPoint ToolbarViewerSize(const TViewerSizeInput& in) {
    int w = 6;
    int h = 6;
    if (in.captionShown) {
        if (in.rotated) {
            h += in.captionWidth + 6;
            w += in.textHeight;
        } else {
            h += in.textHeight;
            w += in.captionWidth + 6;
        }
    }
    if (in.imageShown && in.hasImageList) {
        if (in.rotated || in.imageAboveCaption) {
            h += in.imageSize.Y;
            w = std::max(w, in.imageSize.X + 7);
        } else {
            w += in.imageSize.X + 1;
            h = std::max(h, in.imageSize.Y + 6);
        }
    }
    if (in.submenu && in.combo) {
        w += kComboArrowWidth;
    } else if (in.submenu && in.dropdownArrow) {
        if (in.verticalView) {
            h += kDropdownArrowSize;
        } else {
            w += kDropdownArrowSize;
        }
    }
    return {w, h};
}

TPoint MenuViewerSize(const TViewerSizeInput& in) {
    const int caption = in.captionShown ? in.captionWidth : 0;
    int w = in.rotated ? in.textHeight : caption;
    int h = in.rotated ? caption : in.textHeight;
    h += in.externalLeading + 4;
    if (in.hasImageList) h = std::max(h, in.imageSize.Y + 3);
    w += MenuImageColumnWidth(h, in.hasImageList, in.imageSize) + 6;
    if (in.shortCutWidth >= 0) w += in.shortCutWidth + h - 6;
    w += h;
    return {w, h};
}

}  // namespace

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool negative = (p < 0) != (c < 0);
    const std::int64_t q = ((p < 0 ? -p : p) + half) / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    return static_cast<int>(negative ? -q : q);
}

int MenuImageColumnWidth(int rowHeight, bool hasImageList, TPoint imageSize) {
    if (!hasImageList) return rowHeight;
    return MulDivRound(imageSize.X + 3, rowHeight, imageSize.Y + 3);
}

TPoint ViewerSize(const TViewerSizeInput& in) { return in.toolbarStyle ? ToolbarViewerSize(in) : MenuViewerSize(in); }

TPoint SeparatorSize(bool toolbarStyle, int textHeight) {
    if (toolbarStyle) return {6, 6};
    return {0, DivRoundUp(2 * textHeight, 3)};
}

WideString ViewerCaptionText(std::u16string_view caption) { return WideString(caption.substr(0, caption.find(u'\t'))); }

WideString ViewerHintText(std::u16string_view hint, std::u16string_view caption, bool noAutoHint,
                          bool submenuWithCaptionShown) {
    WideString text = GetShortHintW(hint);
    if (text.empty() && !noAutoHint && !submenuWithCaptionShown) {
        text = StripAccelChars(StripTrailingPunctuationW(ViewerCaptionText(caption)));
    }
    return text;
}

WideString AppendShortCutToHint(const WideString& hint, bool hintShortCuts, std::u16string_view shortCutText) {
    if (hint.empty() || !hintShortCuts || shortCutText.empty()) return hint;
    return hint + u" (" + WideString(shortCutText) + u")";
}

}  // namespace tb
