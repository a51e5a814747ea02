#include "classlib/core/TInterfaceList.h"

#include <string>
#include <utility>

namespace {
// The most-derived object, so that references through different interfaces of one object compare equal.
const void* Identity(const IInterface* item) { return item ? dynamic_cast<const void*>(item) : nullptr; }
}  // namespace

TInterfaceList::~TInterfaceList() { Clear(); }

void TInterfaceList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TInterfaceList::Count() const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return static_cast<int>(items_.size());
}

IPtr<IInterface> TInterfaceList::Items(int index) const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    CheckIndex(index, static_cast<int>(items_.size()));
    return items_[static_cast<std::size_t>(index)];
}

void TInterfaceList::SetItem(int index, const IPtr<IInterface>& item) {
    IPtr<IInterface> old;
    {
        std::lock_guard<std::recursive_mutex> hold(lock_);
        CheckIndex(index, static_cast<int>(items_.size()));
        old = std::exchange(items_[static_cast<std::size_t>(index)], item);
    }
    // The old reference is given back outside the lock: releasing it may free an object that uses the list.
}

int TInterfaceList::Add(const IPtr<IInterface>& item) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    items_.push_back(item);
    return static_cast<int>(items_.size()) - 1;
}

void TInterfaceList::Insert(int index, const IPtr<IInterface>& item) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    CheckIndex(index, static_cast<int>(items_.size()) + 1);
    items_.insert(items_.begin() + index, item);
}

void TInterfaceList::Delete(int index) {
    IPtr<IInterface> old;
    {
        std::lock_guard<std::recursive_mutex> hold(lock_);
        CheckIndex(index, static_cast<int>(items_.size()));
        old = std::move(items_[static_cast<std::size_t>(index)]);
        items_.erase(items_.begin() + index);
    }
}

int TInterfaceList::IndexOf(const IInterface* item) const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    const void* id = Identity(item);
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (Identity(items_[i].get()) == id) return static_cast<int>(i);
    return -1;
}

int TInterfaceList::Remove(const IInterface* item) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void TInterfaceList::Exchange(int a, int b) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    CheckIndex(a, static_cast<int>(items_.size()));
    CheckIndex(b, static_cast<int>(items_.size()));
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

IPtr<IInterface> TInterfaceList::Last() const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return Items(static_cast<int>(items_.size()) - 1);
}

void TInterfaceList::Clear() {
    std::vector<IPtr<IInterface>> old;
    {
        std::lock_guard<std::recursive_mutex> hold(lock_);
        old.swap(items_);
    }
}
