// Item shortcuts: a key that no control wanted is offered to a toolbar's items. The run walks down to the
// item with that ShortCut the way a user would open the menus: every submenu on the way gets its popup
// (OnPopup, so menus filled on demand are filled) and its children's actions are updated; then the item
// itself is clicked.
#pragma once
#include <exception>
#include <functional>

#include "classlib/core/TShortCut.h"
#include "toolbar/core/TTBCustomItem.h"

// Searches item's children depth first (through LinkSubitems, at most 25 links deep) for the item whose
// ShortCut is shortCut; topLevel receives the direct child of item containing the match (null for a direct child).
TTBCustomItem* FindShortCutOwner(TTBCustomItem& item, TShortCut shortCut, TTBCustomItem*& topLevel);

// The whole run (InitiateAction, DoPopup, Click, disabled items stop it). Exceptions from DoPopup/Click go to
// handleException and the run goes on. True when handled.
bool RunShortCut(TTBCustomItem& item, TShortCut shortCut, bool designing,
                 const std::function<void(std::exception_ptr)>& handleException);
