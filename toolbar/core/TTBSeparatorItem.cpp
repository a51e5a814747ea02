#include "toolbar/core/TTBSeparatorItem.h"

TTBSeparatorItem::TTBSeparatorItem(TComponent* owner) : TTBCustomItem(owner) {
    SetItemStyle((ItemStyle() - TTBItemStyle{tbisSelectable, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange}) +
                 TTBItemStyle{tbisSeparator, tbisClicksTransparent});
}

void TTBSeparatorItem::SetBlank(bool value) {
    if (value == blank_) return;
    blank_ = value;
    Change(false);
}
