#include "toolbar/core/NotifyList.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"

TTBNotifyList::Entry* TTBNotifyList::Find(TTBItemChangedProc proc, void* data) {
    for (Entry& e : entries_)
        if (e.count > 0 && e.proc == proc && e.data == data) return &e;
    return nullptr;
}

void TTBNotifyList::Register(TTBItemChangedProc proc, void* data) {
    if (Entry* e = Find(proc, data)) {
        ++e->count;
        return;
    }
    entries_.push_back(Entry{proc, data, 1});
}

bool TTBNotifyList::Unregister(TTBItemChangedProc proc, void* data) {
    Entry* e = Find(proc, data);
    if (!e) return false;
    if (--e->count == 0 && walks_ == 0) entries_.erase(entries_.begin() + (e - entries_.data()));
    return true;
}

bool TTBNotifyList::Empty() const {
    return std::none_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.count > 0; });
}

void TTBNotifyList::Deliver(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int index,
                            TTBCustomItem* item, const bool& alive) {
    ++walks_;
    TScopeExit endWalk([this] {
        if (--walks_ == 0)
            entries_.erase(
                std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.count == 0; }),
                entries_.end());
    });
    // By index and against the current length: the vector may grow or its entries die during a call.
    for (std::size_t i = 0; i < entries_.size() && alive; ++i) {
        if (entries_[i].count == 0) continue;
        const TTBItemChangedProc proc = entries_[i].proc;
        proc(sender, relayed, action, index, item);
    }
}
