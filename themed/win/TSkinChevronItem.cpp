#include "themed/win/TSkinChevronItem.h"

#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinPopupWindow.h"

TTBItemViewer* TSkinChevronItem::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    return Create<TSkinChevronItemViewer>(view, this, groupLevel);
}

TTBPopupWindow* TSkinChevronItem::CreatePopupWindow(TTBView* parentView, bool customizing) {
    return Create<TSkinChevronPopupWindow>(nullptr, parentView, this, customizing);
}
