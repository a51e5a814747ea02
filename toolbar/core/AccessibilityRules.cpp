#include "toolbar/core/AccessibilityRules.h"

#include "classlib/core/CodePages.h"
#include "toolbar/core/Captions.h"

namespace tb {

std::uint32_t AccViewerState(const TAccViewerFacts& f) {
    std::uint32_t state = 0;
    if (f.selected) {
        state |= kStateHotTracked;
        if (f.menuMode) state |= kStateFocused;
        if (f.mouseOverWithCapture) state |= kStatePressed;
    }
    if (f.hasSubmenu) state |= kStateHasPopup;
    if (f.shownOrClipped) {
        if (f.available) state |= kStateFocusable;
    } else {
        state |= kStateInvisible;
    }
    if (!f.enabled) state |= kStateUnavailable;
    if (f.checked) state |= kStateChecked;
    return state;
}

std::int32_t AccViewerRole(TAccViewerKind kind, bool inMenu, bool hasSubmenu) {
    switch (kind) {
        case TAccViewerKind::Control: return kRoleClient;
        case TAccViewerKind::Separator: return kRoleSeparator;
        case TAccViewerKind::Item: break;
    }
    if (inMenu) return kRoleMenuItem;
    return hasSubmenu ? kRoleButtonMenu : kRolePushButton;
}

std::int32_t AccViewRole(bool isPopup, bool isMenuBar) {
    if (isPopup) return kRoleMenuPopup;
    return isMenuBar ? kRoleMenuBar : kRoleToolbar;
}

std::u16string_view AccDefaultAction(bool submenuOpen, bool hasSubmenu, bool inMenu) {
    if (submenuOpen) return u"Close";
    if (hasSubmenu) return u"Open";
    if (inMenu) return u"Execute";
    return u"Press";
}

WideString AccViewerName(std::u16string_view caption, bool toolbarStyle, std::u16string_view shortCutText) {
    WideString name = StripAccelChars(caption);
    if (!toolbarStyle && !shortCutText.empty()) {
        name += u'\t';
        name += shortCutText;
    }
    return name;
}

WideString AccKeyboardShortcut(std::u16string_view caption, bool inMenu, std::u16string_view altKeyName) {
    const char16_t accel = FindAccelChar(caption);
    if (accel == 0) return WideString();
    const WideString key(1, classlib::SimpleLower(accel));
    if (inMenu) return key;
    WideString text(altKeyName);
    text += u'+';
    text += key;
    return text;
}

int AccNavigateSibling(const std::vector<bool>& available, int from, std::int32_t direction) {
    const int count = static_cast<int>(available.size());
    int step = 0;
    switch (direction) {
        case kNavUp:
        case kNavLeft:
        case kNavPrevious: step = -1; break;
        case kNavDown:
        case kNavRight:
        case kNavNext: step = 1; break;
        default: return -1;
    }
    if (from < 0 || from >= count) return -1;
    for (int i = from + step; i >= 0 && i < count; i += step) {
        if (available[static_cast<std::size_t>(i)]) return i;
    }
    return -1;
}

}  // namespace tb
