// The popup list of the Unicode layer: it replaces the library's list at start-up (keeping it, to put it
// back at shutdown) so that a selected popup-menu item sets the application's wide hint.
#pragma once
#include "classlib/win/TPopupList.h"

class TUniPopupList : public TPopupList {
    CLASSLIB_CLASS(TUniPopupList, TPopupList)
public:
    TUniPopupList() = default;

protected:
    // WM_MENUSELECT: the application's wide hint becomes the long part of the selected item's wide hint
    // (empty when none); then the library's handling.
    // WM_INITMENUPOPUP: the opening menu's Unicode items get their wide entries.
    void WndProc(TMessage& message) override;

private:
    // The item (of a listed popup menu) whose native submenu is menu, or null.
    TMenuItem* FindItemOfMenu(HMENU menu) const;
};
