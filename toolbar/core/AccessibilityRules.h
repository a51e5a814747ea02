// What the accessibility objects of views and item viewers tell a screen reader, as plain rules over the
// facts of a viewer: its role and state bits, its name (the caption without accelerator marks, a tab and
// the shortcut in menus), its keyboard shortcut, its default action and where navigation goes.
// The numbers are those of the Active Accessibility interface.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"

namespace tb {

// Roles.
constexpr std::int32_t kRoleMenuBar = 2;
constexpr std::int32_t kRoleClient = 10;
constexpr std::int32_t kRoleMenuPopup = 11;
constexpr std::int32_t kRoleMenuItem = 12;
constexpr std::int32_t kRoleSeparator = 21;
constexpr std::int32_t kRoleToolbar = 22;
constexpr std::int32_t kRolePushButton = 43;
constexpr std::int32_t kRoleButtonMenu = 57;

// State bits.
constexpr std::uint32_t kStateUnavailable = 0x01;
constexpr std::uint32_t kStateFocused = 0x04;
constexpr std::uint32_t kStatePressed = 0x08;
constexpr std::uint32_t kStateChecked = 0x10;
constexpr std::uint32_t kStateHotTracked = 0x80;
constexpr std::uint32_t kStateInvisible = 0x8000;
constexpr std::uint32_t kStateFocusable = 0x100000;
constexpr std::uint32_t kStateHasPopup = 0x40000000;

// Navigation directions.
constexpr std::int32_t kNavUp = 1, kNavDown = 2, kNavLeft = 3, kNavRight = 4, kNavNext = 5, kNavPrevious = 6,
                       kNavFirstChild = 7, kNavLastChild = 8;

struct TAccViewerFacts {
    bool selected = false;              // the selected viewer of its view
    bool menuMode = false;              // the view runs in a menu loop
    bool mouseOverWithCapture = false;  // the pointer is over it while its view holds the capture
    bool hasSubmenu = false;
    bool shownOrClipped = false;
    bool available = false;  // may be used now (visible, enabled, its window usable)
    bool enabled = true;
    bool checked = false;
};
std::uint32_t AccViewerState(const TAccViewerFacts& facts);

enum class TAccViewerKind { Control, Separator, Item };
// inMenu: the view is a popup menu or a menu bar.
std::int32_t AccViewerRole(TAccViewerKind kind, bool inMenu, bool hasSubmenu);
std::int32_t AccViewRole(bool isPopup, bool isMenuBar);

// "Close" while the viewer's submenu is open, "Open" for a submenu item, "Execute" in menus, else "Press".
std::u16string_view AccDefaultAction(bool submenuOpen, bool hasSubmenu, bool inMenu);

// The caption without accelerator marks; unless drawn in toolbar style, a tab and the shortcut text follow
// when there is one ("&Open" with "Ctrl+O" gives "Open\tCtrl+O").
WideString AccViewerName(std::u16string_view caption, bool toolbarStyle, std::u16string_view shortCutText);

// The caption's accelerator in lower case: alone in a menu, else after the Alt key's name and "+"
// ("Alt+f"); empty without an accelerator.
WideString AccKeyboardShortcut(std::u16string_view caption, bool inMenu, std::u16string_view altKeyName);

// The index navigation from viewer index `from` in direction gives among viewers whose `available` entry is
// set: the nearest available before (up, left, previous) or after (down, right, next); -1 for none or for
// another direction.
int AccNavigateSibling(const std::vector<bool>& available, int from, std::int32_t direction);

}  // namespace tb
