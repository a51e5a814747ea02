#include "app/core/TKelvoLocalStringList.h"

#include <algorithm>

void TKelvoLocalStringList::SetText(std::int32_t id, const AnsiString& text) {
    const int i = Find(id);
    if (i >= 0) {
        entries_[std::size_t(i)].text = text;
        return;
    }
    // An id above every other keeps a sorted list sorted.
    if (sorted_ && !entries_.empty() && id < entries_.back().id) sorted_ = false;
    entries_.push_back({id, text});
}

void TKelvoLocalStringList::Sort() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    sorted_ = true;
}

int TKelvoLocalStringList::Find(std::int32_t id) const {
    if (sorted_) {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                   [](const Entry& e, std::int32_t key) { return e.id < key; });
        return it != entries_.end() && it->id == id ? static_cast<int>(it - entries_.begin()) : -1;
    }
    auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    return it != entries_.end() ? static_cast<int>(it - entries_.begin()) : -1;
}

bool TKelvoLocalStringList::GetText(std::int32_t id, AnsiString& text) const {
    const int i = Find(id);
    if (i < 0) return false;
    text = entries_[std::size_t(i)].text;
    return true;
}

void TKelvoLocalStringList::Clear() {
    entries_.clear();
    sorted_ = true;
}
