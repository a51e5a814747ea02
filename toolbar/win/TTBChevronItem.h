// The chevron at the end of a toolbar: a submenu item whose children are the toolbar's own (linked to its
// root item), so that its menu lists them; the menu shows only the ones the toolbar had no room for. Its
// caption is the short part of its hint with every "&" doubled, so that it never shows an accelerator.
#pragma once
#include "toolbar/core/TTBCustomItem.h"

class TTBCustomToolbar;

class TTBChevronItem : public TTBCustomItem {
    CLASSLIB_COMPONENT(TTBChevronItem, TTBCustomItem)

    explicit TTBChevronItem(TComponent* owner);
    // The toolbar that holds the item (and frees it).
    TTBCustomToolbar* Toolbar() const { return toolbar_; }
    void SetToolbar(TTBCustomToolbar* value) { toolbar_ = value; }

    // The hint the chevron starts with.
    static WideString DefaultHint();
    // Sets the hint and the caption made from it.
    void SetChevronHint(const WideString& value);

    // The toolbar's view: the one whose hidden items the menu shows.
    TTBView* GetChevronParentView() override;

private:
    TTBCustomToolbar* toolbar_ = nullptr;
};
