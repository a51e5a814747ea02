// How themed items are measured and what their information record says, decided from plain facts: the
// theme's margins and metrics come in as numbers, the caption's extent as measured by the caller.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "themed/core/DefaultThemeRules.h"
#include "themed/core/SkinItemInfo.h"

namespace skin {

enum TSkinItemLayout { sklAuto, sklGlyphLeft, sklGlyphTop };

// The glyph goes on top for sklGlyphTop, and for sklAuto when the item has tboImageAboveCaption or the
// view is vertical.
bool GlyphOnTop(TSkinItemLayout layout, bool imageAboveCaption, bool verticalView);

// An image shows for an index of 0 or more when the display mode is the default (0) or image-and-text (3),
// or text-only-in-menus (2) while the item is drawn toolbar style.
bool SkinImageShown(int imageIndex, int displayMode, bool toolbarStyle);

// Room between the parts of a toolbar button and of a menu row.
constexpr int kGlyphCaptionGap = 4;
constexpr int kMenuImagePadding = 3;  // on each side of the image in a menu's image column
constexpr int kShortCutGap = 12;

// The theme's answers items are measured with, asked once per theme change.
struct TSkinItemMetrics {
    TMargins itemMargins;        // margins 1
    TMargins menuMargins;        // margins 2
    int splitArrowWidth = 11;    // integer metric 10
    int dropdownArrowWidth = 8;  // 20
    int dropdownArrowSpace = 3;  // 21
    int menuFrame = 1;           // 32
    int leftCaptionMargin = 2;   // 33
    int rightCaptionMargin = 2;  // 34
    int imageTextSpace = 4;      // 37
    int menuSeparator = -1;      // 35
    int toolbarSeparator = 6;    // 50
};

struct TSkinItemSizeInput {
    bool toolbarStyle = false;
    bool glyphOnTop = false;
    bool verticalView = false;
    bool imageShown = false;
    TSize imageSize{16, 16};
    bool captionShown = false;
    TSize captionSize;           // the caption's extent in the view's (adjusted) font
    TMargins margins;            // theme margins 1 (toolbar style) or 2 (menus): left, top, right, bottom
    bool splitButton = false;    // a combo item: a separate arrow part
    bool dropdownArrow = false;  // an arrow inside the button (tboDropdownArrow, or a toolbar submenu)
    int splitArrowWidth = 11;    // integer metric 10
    int dropdownArrowWidth = 8;  // integer metric 20
    int dropdownArrowSpace = 3;  // integer metric 21
    // Menus.
    int popupMargin = 0;         // the view's image column
    int menuFrame = 1;           // integer metric 32
    int leftCaptionMargin = 2;   // integer metric 33
    int rightCaptionMargin = 2;  // integer metric 34
    int imageTextSpace = 4;      // integer metric 37
    int shortCutWidth = 0;       // 0: no shortcut text
    int menuArrowWidth = 13;     // the system's menu-check width, kept free for the submenu arrow
    int minWidth = 0, minHeight = 0;
};
TSize SkinItemSize(const TSkinItemSizeInput& in);

// Where the caption goes inside an item of the given rectangle (the same measures as SkinItemSize).
TRect SkinCaptionRect(const TRect& item, const TSkinItemSizeInput& in);
// Where the image's top-left corner goes.
TPoint SkinImagePosition(const TRect& item, const TSkinItemSizeInput& in);
// The button part of a toolbar item that has an arrow: split items leave their arrow part, plain drop-down
// items keep it all.
TRect SkinButtonPart(const TRect& item, const TSkinItemSizeInput& in);

// The width of a popup's image column for the widest image of its items (16 when none has a list).
int SkinPopupMargin(int imageWidth);

// A separator's thickness: the item's Size when 0 or more; else the theme's metric (50 on toolbars, 35 in
// menus); the framework's size when the theme answers -1.
int SkinSeparatorSize(int itemSize, int themeMetric, int frameworkSize);
// Toolbars: thickness square (the row stretches it). Menus: thickness high and as wide as the framework's
// separator (baseWidth), or 0 wide when the item's size is explicit.
TSize SkinSeparatorExtent(int itemSize, bool toolbarStyle, int thickness, int baseWidth);

// What a viewer knows when it paints.
struct TSkinItemState {
    std::int32_t viewType = 0;
    bool toolbarStyle = false;
    bool submenu = false;
    bool combo = false;
    bool designing = false;
    bool appActive = true;
    bool radio = false;
    bool itemEnabled = true;
    bool customizing = false;
    bool pushed = false;
    bool viewHasCapture = false;
    bool selected = false;           // the viewer is the view's selection
    bool mouseOverSelected = false;  // the view's pointer is over its selection
    bool checked = false;
    bool imageShown = false;
    TSize imageSize;
    bool verticalView = false;
    std::uint8_t comboPart = 0;
    int popupMargin = 0;
};
TSkinItemInfo SkinItemInfoFor(const TSkinItemState& state);

// Hover kind of a chevron: 0 not hot, 1 hot but disabled outside a mouse-selected view, 2 hot and enabled.
std::uint8_t ChevronHoverKind(bool hot, bool enabled, bool mouseOverSelected);

}  // namespace skin
