#include "toolbar/core/Lists.h"

namespace tb {

void ListSortEx(TList& list, TListSortCompareEx compare, void* extra) {
    if (list.Count() < 2) return;
    list.Sort([compare, extra](void* a, void* b) { return compare(a, b, extra); });
}

}  // namespace tb
