// The chevron of a themed toolbar: painted by the theme, its menu in a themed chevron popup (0x204).
#pragma once
#include "toolbar/win/TTBChevronItem.h"

class TSkinChevronItem : public TTBChevronItem {
    CLASSLIB_COMPONENT(TSkinChevronItem, TTBChevronItem)

    explicit TSkinChevronItem(TComponent* owner) : TTBChevronItem(owner) {}

    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;
    TTBPopupWindow* CreatePopupWindow(TTBView* parentView, bool customizing) override;
};
