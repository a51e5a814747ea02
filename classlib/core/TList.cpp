#include "classlib/core/TList.h"

#include "classlib/core/ListSort.h"

#include <algorithm>

#include "classlib/core/Format.h"

int ListGrowthDelta(int capacity) {
    if (capacity > 64) return capacity / 4;
    if (capacity > 8) return 16;
    return 4;
}

TList::~TList() {
    // A subclass that must hear about the items (TObjectList) clears in its own destructor; here the
    // notification would only reach this base.
}

void TList::Error(const AnsiString& message, int data) { throw EListError(Format(message, {data})); }

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
}

void TList::Grow() { SetCapacity(capacity_ + ListGrowthDelta(capacity_)); }

int TList::Add(void* item) {
    const int index = Count();
    if (index == capacity_) Grow();
    items_.push_back(item);
    if (item) Notify(item, lnAdded);
    return index;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) Error("List index out of bounds (%d)", index);
    if (Count() == capacity_) Grow();
    items_.insert(items_.begin() + index, item);
    if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
    CheckIndex(index);
    void* item = items_[std::size_t(index)];
    items_.erase(items_.begin() + index);
    if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    const int index = IndexOf(item);
    if (index < 0) return nullptr;
    items_.erase(items_.begin() + index);
    Notify(item, lnExtracted);
    return item;
}

int TList::IndexOf(void* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == item) return int(i);
    }
    return -1;
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = items_[std::size_t(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]);
}

void TList::Pack() {
    for (int i = Count() - 1; i >= 0; --i) {
        if (!items_[std::size_t(i)]) items_.erase(items_.begin() + i);
    }
}

void TList::Sort(const TListSortCompare& compare) {
    if (Count() < 2) return;
    classlib::QuickSortIndexes(
        0, Count() - 1, [&](int i, int p) { return compare(items_[std::size_t(i)], items_[std::size_t(p)]); },
        [&](int i, int j) { std::swap(items_[std::size_t(i)], items_[std::size_t(j)]); });
}

void TList::Clear() {
    while (Count() > 0) Delete(Count() - 1);
    SetCapacity(0);
}

void* TList::Get(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)];
}

void TList::Put(int index, void* item) {
    CheckIndex(index);
    void* old = items_[std::size_t(index)];
    if (old == item) return;
    items_[std::size_t(index)] = item;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

void TList::SetCount(int newCount) {
    if (newCount < 0) Error("List count out of bounds (%d)", newCount);
    if (newCount > capacity_) SetCapacity(newCount);
    if (newCount > Count()) {
        items_.resize(std::size_t(newCount), nullptr);
    } else {
        while (Count() > newCount) Delete(Count() - 1);
    }
}

void TList::SetCapacity(int newCapacity) {
    if (newCapacity < Count()) Error("List capacity out of bounds (%d)", newCapacity);
    capacity_ = newCapacity;
    if (std::size_t(newCapacity) > items_.capacity()) {
        items_.reserve(std::size_t(newCapacity));
    } else if (newCapacity == 0) {
        items_.shrink_to_fit();
    }
}

TList* TList::Expand() {
    if (Count() == capacity_) Grow();
    return this;
}

void TList::Notify(void*, TListNotification) {}
