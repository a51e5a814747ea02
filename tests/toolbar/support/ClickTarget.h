// An item for deferred-click tests: counts its clicks, and onClick may act (free the item, post more).
#pragma once
#include <functional>

#include "toolbar/core/TTBCustomItem.h"

namespace toolbartest {

class ClickTarget : public TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;
    void Click() override {
        ++clicks;
        if (onClick) onClick();
    }
    int clicks = 0;
    std::function<void()> onClick;
};

}  // namespace toolbartest
