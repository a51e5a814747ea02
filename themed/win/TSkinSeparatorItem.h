// A themed separator: its thickness is Size, or the theme's when Size is -1.
#pragma once
#include "toolbar/core/TTBSeparatorItem.h"

class TSkinSeparatorItem : public TTBSeparatorItem {
    CLASSLIB_COMPONENT(TSkinSeparatorItem, TTBSeparatorItem)

    explicit TSkinSeparatorItem(TComponent* owner) : TTBSeparatorItem(owner) {}
    int Size() const { return size_; }
    void SetSize(int value);

    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;

private:
    int size_ = -1;
};
