// Layout items for the tests of the view layout and the toolbar sizes: buttons, separators, menu rows, hidden
// items and the chevron as the view measures them.
#pragma once
#include "toolbar/core/ViewLayout.h"

namespace toolbartest {

inline tb::TLayoutItem Button(int w, int h) {
    tb::TLayoutItem item;
    item.width = w;
    item.height = h;
    item.toolbarSize = true;
    return item;
}
inline tb::TLayoutItem Separator(int w = 6, int h = 6) {
    tb::TLayoutItem item = Button(w, h);
    item.separator = true;
    return item;
}
inline tb::TLayoutItem MenuRow(int w, int h) {
    tb::TLayoutItem item;
    item.width = w;
    item.height = h;
    return item;
}
inline tb::TLayoutItem Hidden(tb::TLayoutItem item) {
    item.candidate = false;
    return item;
}
inline tb::TLayoutItem Chevron() {
    tb::TLayoutItem item = Button(12, 0);
    item.chevron = true;
    return item;
}

}  // namespace toolbartest
