// Where a popup menu opens: its first position beside its parent item (or at a point), then kept inside the
// monitor's work area. A popup that does not fit below opens above its parent; a submenu that does not fit
// on the right opens on the left (and its own submenus then try the left first); nothing starts left of the
// area. The sides chosen also give the direction of the opening animation.
#pragma once
#include "classlib/core/Geometry.h"

namespace tb {

enum class TTBPopupKind {
    AtPoint,             // a popup menu shown at a point
    Submenu,             // a submenu of a popup menu
    ChevronHorizontal,   // the chevron menu of a horizontal toolbar
    ChevronVertical,     // the chevron menu of a vertical toolbar
    DropdownHorizontal,  // a drop-down of a horizontal toolbar or a menu bar
    DropdownVertical     // a drop-down of a vertical toolbar
};

enum class TTBPopupAlignment { Left, Right, Center };

// The popup window's non-client border in the base class, on each side.
constexpr int kPopupBorder = 3;

// Animation directions: the side the menu slides in from.
constexpr unsigned kSlideFromRight = 1;
constexpr unsigned kSlideFromLeft = 2;
constexpr unsigned kSlideFromTop = 4;
constexpr unsigned kSlideFromBottom = 8;

struct TPopupPlacementInput {
    TTBPopupKind kind = TTBPopupKind::AtPoint;
    TRect parent;  // the parent viewer's bounds in screen coordinates (unused at a point)
    TPoint point;  // for AtPoint
    TTBPopupAlignment alignment = TTBPopupAlignment::Left;  // for AtPoint
    TRect keepClear;                // for AtPoint: a rectangle the popup must not cover (it opens above it when it does
                                    // not fit below); empty: none
    TPoint size;                    // the popup window's width and height
    TRect area;                     // the monitor's work area
    bool dropRightAligned = false;  // SM_MENUDROPALIGNMENT
    bool parentOpenedLeft = false;  // the parent menu is a submenu that opened to the left
};

struct TPopupPlacement {
    TPoint position;
    bool openedLeft = false;  // a submenu that went left: its own submenus try the left first
    unsigned slide = 0;       // kSlideFrom... bits
};

TPopupPlacement GetPopupPosition(const TPopupPlacementInput& input);

}  // namespace tb
