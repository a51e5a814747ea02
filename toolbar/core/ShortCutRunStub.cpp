// TEMPORARY: a minimal shortcut run (direct children and submenus, no links) until the real one lands.
#include "toolbar/core/ShortCutRunStub.h"

namespace {

TTBCustomItem* Search(TTBCustomItem& item, TShortCut shortCut, int depth) {
    if (depth > 25) return nullptr;
    for (int i = 0; i < item.Count(); ++i) {
        TTBCustomItem* child = item.Items(i);
        if (child->ShortCut() == shortCut) return child;
        if (TTBCustomItem* found = Search(*child, shortCut, depth + 1)) return found;
    }
    return nullptr;
}

}  // namespace

TTBCustomItem* FindShortCutOwner(TTBCustomItem& item, TShortCut shortCut, TTBCustomItem*& topLevel) {
    topLevel = nullptr;
    for (int i = 0; i < item.Count(); ++i) {
        TTBCustomItem* child = item.Items(i);
        if (child->ShortCut() == shortCut) return child;
        if (TTBCustomItem* found = Search(*child, shortCut, 1)) {
            topLevel = child;
            return found;
        }
    }
    return nullptr;
}

bool RunShortCut(TTBCustomItem& item, TShortCut shortCut, bool, const std::function<void(std::exception_ptr)>& handleException) {
    TTBCustomItem* level = &item;
    for (int guard = 0; guard < 26; ++guard) {
        if (!level->Enabled()) return false;
        TTBCustomItem* top = nullptr;
        TTBCustomItem* found = FindShortCutOwner(*level, shortCut, top);
        if (!found) return false;
        if (!top) {
            if (!found->Enabled()) return false;
            try {
                found->Click();
            } catch (...) {
                handleException(std::current_exception());
            }
            return true;
        }
        try {
            top->DoPopup(top, false);
        } catch (...) {
            handleException(std::current_exception());
        }
        level = top;
    }
    return false;
}
