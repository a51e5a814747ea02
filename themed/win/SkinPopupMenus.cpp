#include "themed/win/SkinPopupMenus.h"

#include "toolbar/win/TTBPopupWindow.h"

bool SkinPopupMenuBelow(TTBCustomItem* item, const TRect& screenRect, tb::TTBPopupAlignment alignment) {
    if (!item) return false;
    // The aligned edge of the menu meets the rectangle's bottom corner on that side.
    TPoint at{screenRect.Left, screenRect.Bottom};
    if (alignment == tb::TTBPopupAlignment::Right) at.X = screenRect.Right;
    if (alignment == tb::TTBPopupAlignment::Center) at.X = (screenRect.Left + screenRect.Right) / 2;
    return tb::PopupMenuAt(item, at, alignment, screenRect);
}
