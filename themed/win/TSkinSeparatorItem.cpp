#include "themed/win/TSkinSeparatorItem.h"

#include "themed/win/TSkinItemViewer.h"

void TSkinSeparatorItem::SetSize(int value) {
    if (size_ == value) return;
    size_ = value;
    Change(true);
}

TTBItemViewer* TSkinSeparatorItem::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron) return nullptr;
    return Create<TSkinSeparatorItemViewer>(view, this, groupLevel);
}
