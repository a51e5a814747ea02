// A separator line between items: not selectable, and clicks on it go to what lies behind.
#pragma once
#include "toolbar/core/TTBCustomItem.h"

class TTBSeparatorItem : public TTBCustomItem {
    CLASSLIB_COMPONENT(TTBSeparatorItem, TTBCustomItem)

    explicit TTBSeparatorItem(TComponent* owner);

    // A blank separator takes its place but draws nothing.
    bool Blank() const { return blank_; }
    void SetBlank(bool value);

private:
    bool blank_ = false;
};
