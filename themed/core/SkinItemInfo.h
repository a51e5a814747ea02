// What a themed viewer tells the theme about the item it paints and the view that holds it, and the codes
// of the kinds of view (Themed windows answer their code; the theme picks colours, borders and margins by
// it). A view-type code is a kind in its low 16 bits (group in the high byte of those) and flags above.
#pragma once
#include <cstdint>
#include <string>

namespace skin {

enum : std::int32_t {
    vtGroupMask = 0xFF00,
    vtKindMask = 0xFFFF,
    vtToolbarGroup = 0x100,
    vtToolbar = 0x101,
    vtMenuBar = 0x102,
    vtPopupGroup = 0x200,
    vtPopupMenu = 0x201,
    vtListPopup = 0x202,
    vtEditPopup = 0x203,
    vtChevronPopup = 0x204,
    vtStatusBarGroup = 0x300,
    vtDockPanelGroup = 0x400,
    vtControlGroup = 0x500,
    vtDockGroup = 0x600,
    vtFloating = 0x10000,
    vtResizable = 0x20000,
    vtOpaqueItems = 0x40000,
};

// Item option bits.
enum : std::int32_t {
    ioToolbarStyle = 0x01,  // drawn as a toolbar button, also inside a menu
    ioSubmenu = 0x04,
    ioCombo = 0x08,  // a separate drop-down part
    ioRadio = 0x10,
    ioDesigning = 0x20,  // the button frame is drawn in the normal state too
    ioAppActive = 0x40,
};

// Hover kinds.
enum : std::uint8_t { hkNone = 0, hkDisabledKeyboard = 1, hkHot = 2 };

struct TSkinItemInfo {
    std::int32_t ViewType = 0;
    std::int32_t ItemOptions = 0;
    bool Enabled = true;
    bool Pushed = false;
    std::uint8_t HoverKind = hkNone;
    bool Selected = false;  // checked or open
    bool ImageShown = false;
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    bool IsVertical = false;
    // 0 button, 1 drop-down button, 2 split button, 3 the split button's arrow.
    std::uint8_t ComboPart = 0;
    // The width of a popup menu's image column.
    std::int32_t PopupMargin = 0;
};

inline std::int32_t ViewKind(std::int32_t viewType) { return viewType & vtKindMask; }
inline std::int32_t ViewGroup(std::int32_t viewType) { return viewType & vtGroupMask; }

// An enabled item with any hover kind, or a disabled one selected from the keyboard, is painted hot.
inline bool IsItemHot(const TSkinItemInfo& info) {
    return info.Enabled ? info.HoverKind != hkNone : info.HoverKind == hkDisabledKeyboard;
}

}  // namespace skin

namespace skin {

// Edit and combo items: the frame and its buttons.
struct TSkinEditFrameInfo {
    std::int32_t LeftButtonWidth = 0;
    std::int32_t RightButtonWidth = 0;
};
// Button types: 0 drop-down, 1 spin up, 2 spin down. States: 0 normal, 1 hot, 2 pushed.
struct TSkinEditButtonInfo {
    std::int32_t ButtonType = 0;
    std::int32_t ButtonState = 0;
};

// The non-client area of a toolbar, a floating window or a docked panel.
struct TSkinWindowFrameInfo {
    std::int32_t ViewType = 0;
    std::int32_t BorderWidth = 0, BorderHeight = 0;
    bool IsVertical = false;
    bool Active = true;
    bool ShowCaption = true;
    bool ShowCloseButton = false;
    bool CloseButtonHot = false;
    bool CloseButtonDown = false;
    // Toolbars: 0 none; else the handle style 0, 1, 2 plus one.
    std::int32_t DragHandle = 0;
    std::u16string Caption;
};

// Popup borders: the opener's rectangle in the popup's window coordinates (empty when there is none).
struct TSkinPopupFrameInfo {
    std::int32_t ViewType = 0;
    std::int32_t BorderWidth = 0, BorderHeight = 0;
    std::int32_t OpenerLeft = 0, OpenerRight = 0;
};

}  // namespace skin
