// The view of a toolbar: it takes its font and chevron from the toolbar and tells the toolbar when its
// layout changed, so that the toolbar and its dock follow the items' sizes.
#pragma once
#include "toolbar/win/TTBView.h"

class TTBCustomToolbar;

class TTBToolbarView : public TTBView {
    CLASSLIB_CLASS(TTBToolbarView, TTBView)

    TTBToolbarView(TTBCustomToolbar* toolbar, TTBCustomItem* root, bool usePriorityList);
    TTBCustomToolbar* Toolbar() const { return toolbar_; }

    // Also forgets the toolbar's measured base size.
    void InvalidatePositions() override;
    // The menu font with SystemFont, else the toolbar's Font.
    HFONT GetFont() override;
    TTBCustomItem* GetChevronItem() override;
    TTBCustomItem* GetMDISystemMenuItem() override;
    TTBCustomItem* GetMDIButtonsItem() override;
    // The layout ran: a toolbar whose size changed outside an arrangement arranges itself.
    void AutoSize(int width, int height) override;

private:
    TTBCustomToolbar* toolbar_;
};
