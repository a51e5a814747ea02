#include "themed/core/SkinItemLayout.h"

#include <algorithm>

namespace skin {

bool GlyphOnTop(TSkinItemLayout layout, bool imageAboveCaption, bool verticalView) {
    switch (layout) {
        case sklGlyphLeft: return false;
        case sklGlyphTop: return true;
        case sklAuto: break;
    }
    return imageAboveCaption || verticalView;
}

bool SkinImageShown(int imageIndex, int displayMode, bool toolbarStyle) {
    if (imageIndex < 0) return false;
    return displayMode == 0 || displayMode == 3 || (displayMode == 2 && toolbarStyle);
}

namespace {

// The arrow a toolbar button carries and on which side.
int ArrowExtra(const TSkinItemSizeInput& in) {
    if (in.splitButton) return in.splitArrowWidth;
    if (in.dropdownArrow) return in.dropdownArrowWidth + in.dropdownArrowSpace;
    return 0;
}

bool ArrowBelow(const TSkinItemSizeInput& in) { return !in.splitButton && in.dropdownArrow && in.verticalView; }

TSize ToolbarContent(const TSkinItemSizeInput& in) {
    const TSize image = in.imageShown ? in.imageSize : TSize{0, 0};
    const TSize text = in.captionShown ? in.captionSize : TSize{0, 0};
    const bool both = in.imageShown && in.captionShown;
    if (in.glyphOnTop) return TSize{std::max(image.cx, text.cx), image.cy + text.cy + (both ? kGlyphCaptionGap : 0)};
    return TSize{image.cx + text.cx + (both ? kGlyphCaptionGap : 0), std::max(image.cy, text.cy)};
}

int MenuCaptionLeft(const TSkinItemSizeInput& in) {
    return in.popupMargin + in.menuFrame + in.imageTextSpace + in.leftCaptionMargin;
}

}  // namespace

TSize SkinItemSize(const TSkinItemSizeInput& in) {
    TSize size;
    if (in.toolbarStyle) {
        const TSize content = ToolbarContent(in);
        size.cx = 6 + in.margins.Left + in.margins.Right + content.cx;
        size.cy = 6 + in.margins.Top + in.margins.Bottom + content.cy;
        if (ArrowBelow(in))
            size.cy += ArrowExtra(in);
        else
            size.cx += ArrowExtra(in);
    } else {
        const int imageHeight = in.imageShown ? in.imageSize.cy + 2 * in.menuFrame : 0;
        const int textHeight = in.captionShown ? in.captionSize.cy : 0;
        size.cy = std::max(imageHeight, textHeight) + in.margins.Top + in.margins.Bottom;
        size.cx = MenuCaptionLeft(in) + (in.captionShown ? in.captionSize.cx : 0) +
                  (in.shortCutWidth > 0 ? kShortCutGap + in.shortCutWidth : 0) + in.rightCaptionMargin +
                  in.menuArrowWidth + in.margins.Left + in.margins.Right;
    }
    size.cx = std::max(size.cx, in.minWidth);
    size.cy = std::max(size.cy, in.minHeight);
    return size;
}

TRect SkinButtonPart(const TRect& item, const TSkinItemSizeInput& in) {
    TRect r = item;
    if (in.splitButton) r.Right -= in.splitArrowWidth;
    return r;
}

namespace {

// The area inside a toolbar button that holds image and caption.
TRect ToolbarContentRect(const TRect& item, const TSkinItemSizeInput& in) {
    TRect r = SkinButtonPart(item, in);
    if (!in.splitButton && in.dropdownArrow) {
        if (in.verticalView)
            r.Bottom -= in.dropdownArrowWidth + in.dropdownArrowSpace;
        else
            r.Right -= in.dropdownArrowWidth + in.dropdownArrowSpace;
    }
    r.Left += in.margins.Left;
    r.Top += in.margins.Top;
    r.Right -= in.margins.Right;
    r.Bottom -= in.margins.Bottom;
    return r;
}

}  // namespace

TRect SkinCaptionRect(const TRect& item, const TSkinItemSizeInput& in) {
    if (!in.toolbarStyle) {
        TRect r = item;
        r.Left += MenuCaptionLeft(in);
        r.Right -= in.rightCaptionMargin + in.menuArrowWidth;
        return r;
    }
    TRect r = ToolbarContentRect(item, in);
    if (in.imageShown) {
        if (in.glyphOnTop)
            r.Top = (r.Top + r.Bottom - ToolbarContent(in).cy) / 2 + in.imageSize.cy + kGlyphCaptionGap;
        else
            r.Left = (r.Left + r.Right - ToolbarContent(in).cx) / 2 + in.imageSize.cx + kGlyphCaptionGap;
    }
    return r;
}

TPoint SkinImagePosition(const TRect& item, const TSkinItemSizeInput& in) {
    if (!in.toolbarStyle) {
        const int column = in.popupMargin;
        return TPoint{item.Left + (column - in.imageSize.cx) / 2, item.Top + (item.Height() - in.imageSize.cy) / 2};
    }
    const TRect r = ToolbarContentRect(item, in);
    const TSize content = ToolbarContent(in);
    if (!in.captionShown)
        return TPoint{(r.Left + r.Right - in.imageSize.cx) / 2, (r.Top + r.Bottom - in.imageSize.cy) / 2};
    if (in.glyphOnTop) return TPoint{(r.Left + r.Right - in.imageSize.cx) / 2, (r.Top + r.Bottom - content.cy) / 2};
    return TPoint{(r.Left + r.Right - content.cx) / 2, (r.Top + r.Bottom - in.imageSize.cy) / 2};
}

int SkinPopupMargin(int imageWidth) { return std::max(imageWidth, 16) + 2 * kMenuImagePadding; }

int SkinSeparatorSize(int itemSize, int themeMetric, int frameworkSize) {
    if (itemSize >= 0) return itemSize;
    return themeMetric == -1 ? frameworkSize : themeMetric;
}

TSize SkinSeparatorExtent(int itemSize, bool toolbarStyle, int thickness, int baseWidth) {
    if (toolbarStyle) return TSize{thickness, thickness};
    return TSize{itemSize >= 0 ? 0 : baseWidth, thickness};
}

TSkinItemInfo SkinItemInfoFor(const TSkinItemState& s) {
    TSkinItemInfo info;
    info.ViewType = s.viewType;
    if (s.toolbarStyle) info.ItemOptions |= ioToolbarStyle;
    if (s.submenu) info.ItemOptions |= ioSubmenu;
    if (s.combo) info.ItemOptions |= ioCombo;
    if (s.radio) info.ItemOptions |= ioRadio;
    if (s.designing) info.ItemOptions |= ioDesigning;
    if (s.appActive) info.ItemOptions |= ioAppActive;
    info.Enabled = s.itemEnabled || s.customizing;
    // A combo item shows pushed only while its view holds the mouse.
    info.Pushed = s.pushed && (!s.combo || s.viewHasCapture);
    if (s.selected) {
        if (info.Enabled)
            info.HoverKind = hkHot;
        else if (!s.mouseOverSelected)
            info.HoverKind = hkDisabledKeyboard;
    }
    info.Selected = s.checked;
    const bool image = s.imageShown && s.imageSize.cx >= 1 && s.imageSize.cy >= 1;
    info.ImageShown = image;
    info.ImageWidth = image ? s.imageSize.cx : 0;
    info.ImageHeight = image ? s.imageSize.cy : 0;
    info.IsVertical = s.toolbarStyle && s.verticalView;
    info.ComboPart = s.comboPart;
    info.PopupMargin = s.popupMargin;
    return info;
}

std::uint8_t ChevronHoverKind(bool hot, bool enabled, bool mouseOverSelected) {
    if (!hot) return hkNone;
    if (enabled) return hkHot;
    return mouseOverSelected ? hkNone : hkDisabledKeyboard;
}

}  // namespace skin
