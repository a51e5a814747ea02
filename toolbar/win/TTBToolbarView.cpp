#include "toolbar/win/TTBToolbarView.h"

#include "classlib/win/TFont.h"
#include "toolbar/win/TTBChevronItem.h"
#include "toolbar/win/TTBCustomToolbar.h"

TTBToolbarView::TTBToolbarView(TTBCustomToolbar* toolbar, TTBCustomItem* root, bool usePriorityList)
    : TTBView(nullptr, nullptr, root, toolbar, true, false, usePriorityList), toolbar_(toolbar) {
    // The base constructor could not see the chevron yet.
    RebuildViewers();
}

void TTBToolbarView::InvalidatePositions() {
    TTBView::InvalidatePositions();
    toolbar_->baseValid_ = false;
}

HFONT TTBToolbarView::GetFont() {
    if (toolbar_->systemFont_) return TTBView::GetFont();
    return toolbar_->Font()->Handle();
}

TTBCustomItem* TTBToolbarView::GetChevronItem() { return toolbar_->chevron_.get(); }
TTBCustomItem* TTBToolbarView::GetMDISystemMenuItem() { return toolbar_->mdiSystemMenuItem_; }
TTBCustomItem* TTBToolbarView::GetMDIButtonsItem() { return toolbar_->mdiButtonsItem_; }

void TTBToolbarView::AutoSize(int width, int height) {
    // Items added, removed or resized outside an arrangement: the toolbar (and its dock) follow.
    if (toolbar_->arranging_ > 0 || TPoint{width, height} == toolbar_->arrangedSize_) return;
    toolbar_->ArrangeOnce();
}
