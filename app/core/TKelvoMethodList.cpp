#include "app/core/TKelvoMethodList.h"

#include <algorithm>

#include "classlib/core/TList.h"

int TKelvoMethodList::Add(TKelvoMethod method) {
    items_.push_back(method);
    return Count() - 1;
}

TKelvoMethod TKelvoMethodList::GetMethod(int index) const {
    if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
    return items_[std::size_t(index)];
}

int TKelvoMethodList::Remove(TKelvoMethod method) {
    for (int i = Count() - 1; i >= 0; --i) {
        if (items_[std::size_t(i)] == method) {
            Delete(i);
            return i;
        }
    }
    return -1;
}

void TKelvoMethodList::Delete(int index) {
    if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
    items_.erase(items_.begin() + index);
}

bool TKelvoMethodList::Contains(TKelvoMethod method) const {
    return std::find(items_.begin(), items_.end(), method) != items_.end();
}

void TKelvoMethodList::CallEach(TKelvoMethod report) const {
    // The pass works on a copy, so that calls may change the list; each entry is looked up again right
    // before its call, so that one freed meanwhile is never reached.
    const std::vector<TKelvoMethod> pass = items_;
    for (const TKelvoMethod& method : pass) {
        if (!Contains(method)) continue;
        if (!report) {
            method();
            continue;
        }
        try {
            method();
        } catch (...) {
            report();
        }
    }
}
