#include "toolbar/core/ShortCutRun.h"

namespace {

// Links followed on one path of the search; a deeper (or circular) chain of LinkSubitems is cut there.
constexpr int kMaxLinkDepth = 25;

// Popups on the way may rebuild the menus and lose the match; the run then starts again from the top, but
// not for ever when a handler keeps taking the item away again.
constexpr int kMaxRestarts = 8;

// The item whose children item shows.
TTBCustomItem& Shown(TTBCustomItem& item) {
    TTBCustomItem* linked = item.LinkSubitems();
    return linked ? *linked : item;
}

// Depth first through the children item shows; links: LinkSubitems already followed on this path.
TTBCustomItem* Search(TTBCustomItem& item, TShortCut shortCut, int links, TTBCustomItem*& topLevel) {
    topLevel = nullptr;
    TTBCustomItem* linked = item.LinkSubitems();
    if (linked) {
        if (links == kMaxLinkDepth) return nullptr;
        ++links;
    }
    TTBCustomItem& shown = linked ? *linked : item;
    for (int i = 0; i < shown.Count(); ++i) {
        TTBCustomItem* child = shown.Items(i);
        if (child->ShortCut() == shortCut) return child;
        TTBCustomItem* deeper = nullptr;
        if (TTBCustomItem* found = Search(*child, shortCut, links, deeper)) {
            topLevel = child;
            return found;
        }
    }
    return nullptr;
}

void Guarded(const std::function<void()>& action, const std::function<void(std::exception_ptr)>& handleException) {
    try {
        action();
    } catch (...) {
        handleException(std::current_exception());
    }
}

}  // namespace

TTBCustomItem* FindShortCutOwner(TTBCustomItem& item, TShortCut shortCut, TTBCustomItem*& topLevel) {
    // Every item without a shortcut would match none.
    if (shortCut == scNone) {
        topLevel = nullptr;
        return nullptr;
    }
    return Search(item, shortCut, 0, topLevel);
}

bool RunShortCut(TTBCustomItem& item, TShortCut shortCut, bool designing,
                 const std::function<void(std::exception_ptr)>& handleException) {
    TTBCustomItem* topLevel = nullptr;
    if (!FindShortCutOwner(item, shortCut, topLevel)) return false;
    TTBCustomItem* level = &item;
    int restarts = 0;
    for (;;) {
        if (!level->Enabled()) return false;
        TTBCustomItem& shown = Shown(*level);
        if (!designing) {
            for (int i = 0; i < shown.Count(); ++i) shown.Items(i)->InitiateAction();
        }
        if (!level->ItemStyle().Contains(tbisEmbeddedGroup)) {
            if (&shown != level) Guarded([&] { shown.DoPopup(level, true); }, handleException);
            Guarded([&] { level->DoPopup(level, false); }, handleException);
        }
        TTBCustomItem* found = FindShortCutOwner(*level, shortCut, topLevel);
        if (!found) {
            if (restarts == kMaxRestarts || !FindShortCutOwner(item, shortCut, topLevel)) return false;
            ++restarts;
            level = &item;
        } else if (topLevel) {
            level = topLevel;
        } else {
            if (!found->Enabled()) return false;
            Guarded([&] { found->Click(); }, handleException);
            return true;
        }
    }
}
