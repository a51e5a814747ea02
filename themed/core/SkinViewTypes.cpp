#include "themed/core/SkinViewTypes.h"

namespace skin {

bool ItemsOpaque(TSkinItemTransparency transparency, bool floating, bool docked) {
    switch (transparency) {
        case itEnable: return false;
        case itDisable: return true;
        case itAuto: break;
    }
    return !floating && !docked;
}

std::int32_t ToolbarViewType(const TToolbarViewFacts& facts) {
    std::int32_t type = facts.menuBar ? vtMenuBar : vtToolbar;
    if (facts.floating) type |= vtFloating;
    if (facts.resizable) type |= vtResizable;
    if (ItemsOpaque(facts.transparency, facts.floating, facts.docked)) type |= vtOpaqueItems;
    return type;
}

std::int32_t PopupViewType(TPopupKind kind) {
    switch (kind) {
        case TPopupKind::List: return vtListPopup;
        case TPopupKind::Edit:
        case TPopupKind::ToolBox: return vtEditPopup;
        case TPopupKind::Chevron: return vtChevronPopup;
        case TPopupKind::Menu: break;
    }
    return vtPopupMenu;
}

std::int32_t DockPanelViewType(bool floating) { return vtDockPanelGroup | (floating ? vtFloating : 0); }

TSkinItemInfo ControlDrawInfo(unsigned flags) {
    TSkinItemInfo info;
    switch ((flags >> 8) & 0xF) {
        case 1: info.ViewType = vtDockPanelGroup; break;
        case 2: info.ViewType = vtStatusBarGroup; break;
        default:
            info.ViewType = vtToolbar;
            info.ItemOptions = ioToolbarStyle;
            break;
    }
    info.Enabled = (flags & cdfDisabled) == 0;
    info.HoverKind = (flags & cdfHover) ? hkHot : hkNone;
    info.Pushed = (flags & cdfPushed) != 0;
    info.Selected = (flags & cdfSelected) != 0;
    return info;
}

}  // namespace skin
