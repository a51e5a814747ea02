// The view-type codes themed windows answer (see SkinItemInfo.h for the kinds and flags), decided from
// plain facts about the window, and the small flag word by which controls outside toolbars ask the theme
// to draw their text and images.
#pragma once
#include <cstdint>

#include "themed/core/SkinItemInfo.h"

namespace skin {

// The codes of docks.
enum : std::int32_t { vtDock = 0x601, vtMultiDock = 0x602 };

// How the items of a toolbar treat the background behind them.
enum TSkinItemTransparency { itAuto, itEnable, itDisable };

// Opaque items: itAuto while the toolbar is neither floating nor docked, never with itEnable, always with
// itDisable.
bool ItemsOpaque(TSkinItemTransparency transparency, bool floating, bool docked);

struct TToolbarViewFacts {
    bool menuBar = false;
    bool floating = false;
    bool resizable = false;
    bool docked = false;
    TSkinItemTransparency transparency = itAuto;
};
// 0x101 or 0x102 for the menu bar, plus 0x10000 floating, 0x20000 resizable, 0x40000 opaque items.
std::int32_t ToolbarViewType(const TToolbarViewFacts& facts);

// What the item that opened a popup asks for.
enum class TPopupKind { Menu, List, Edit, ToolBox, Chevron };
// 0x201 menu, 0x202 list, 0x203 edit or tool box, 0x204 chevron.
std::int32_t PopupViewType(TPopupKind kind);

// 0x400, plus 0x10000 while floating.
std::int32_t DockPanelViewType(bool floating);

// The flag word of the control drawing calls: bits 8-11 the view (0 toolbar item, 1 dockable panel,
// 2 status bar); bit 0 set = disabled, bit 1 hover, bit 2 pushed, bit 3 selected.
enum : unsigned { cdfDisabled = 0x1, cdfHover = 0x2, cdfPushed = 0x4, cdfSelected = 0x8 };
constexpr unsigned ControlDrawView(unsigned view) { return (view & 0xF) << 8; }
// The item information the word stands for: view type 0x101 with the toolbar-style option, 0x400 or
// 0x300; an unknown view number counts as a toolbar item.
TSkinItemInfo ControlDrawInfo(unsigned flags);

}  // namespace skin
