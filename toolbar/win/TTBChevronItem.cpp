#include "toolbar/win/TTBChevronItem.h"

#include "toolbar/core/Captions.h"
#include "toolbar/win/TTBCustomToolbar.h"

TTBChevronItem::TTBChevronItem(TComponent* owner) : TTBCustomItem(owner) {
    TTBItemStyle style = ItemStyle();
    style.Include(tbisSubmenu);
    style.Include(tbisNoAutoOpen);
    SetItemStyle(style);
    SetChevronHint(DefaultHint());
}

WideString TTBChevronItem::DefaultHint() { return u"More Buttons|"; }

void TTBChevronItem::SetChevronHint(const WideString& value) {
    SetHint(value);
    SetCaption(tb::EscapeAmpersandsW(tb::GetShortHintW(value)));
}

TTBView* TTBChevronItem::GetChevronParentView() { return toolbar_ ? toolbar_->View() : nullptr; }
