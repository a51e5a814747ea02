// Popup menus of themed buttons: the children of an item shown as a menu just below a rectangle (a button's
// bounds on screen), never over it, and the chosen item performed once the menu has closed.
#pragma once
#include "classlib/core/Geometry.h"
#include "toolbar/core/PopupPosition.h"

class TTBCustomItem;

// Returns whether an item was chosen.
bool SkinPopupMenuBelow(TTBCustomItem* item, const TRect& screenRect,
                        tb::TTBPopupAlignment alignment = tb::TTBPopupAlignment::Left);
