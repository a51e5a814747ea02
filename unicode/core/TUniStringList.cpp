#include "unicode/core/TUniStringList.h"

#include "classlib/core/ListSort.h"

#include <utility>

#include "classlib/core/CodePages.h"
#include "classlib/core/TList.h"

namespace {

const char* const kIndexError = "List index out of bounds (%d)";
const char* const kSortedError = "Operation not allowed on sorted list";

}  // namespace

TUniStringList::~TUniStringList() {
    // No change events from a list that is going away.
    OnChange = TNotifyEvent();
    OnChanging = TNotifyEvent();
}

void TUniStringList::CheckIndex(int index) const {
    if (index < 0 || index >= int(items_.size())) Error(kIndexError, index);
}

void TUniStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TUniStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TUniStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

WideString TUniStringList::Get(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].str;
}

int TUniStringList::GetCount() const { return int(items_.size()); }

TObject* TUniStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].obj;
}

void TUniStringList::Put(int index, const WideString& s) {
    if (sorted_) Error(kSortedError, 0);
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].str = s;
    Changed();
}

void TUniStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].obj = obj;
    Changed();
}

void TUniStringList::Insert(int index, const WideString& s) { InsertObject(index, s, nullptr); }

void TUniStringList::InsertObject(int index, const WideString& s, TObject* obj) {
    if (sorted_) Error(kSortedError, 0);
    if (index < 0 || index > int(items_.size())) Error(kIndexError, index);
    InsertItem(index, s, obj);
}

void TUniStringList::Grow() { SetCapacity(capacity_ + ListGrowthDelta(capacity_)); }

void TUniStringList::InsertItem(int index, const WideString& s, TObject* obj) {
    Changing();
    if (int(items_.size()) == capacity_) Grow();
    items_.insert(items_.begin() + index, Item{s, obj});
    Changed();
}

void TUniStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TUniStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    capacity_ = 0;
    items_.shrink_to_fit();
    Changed();
}

int TUniStringList::GetCapacity() const { return capacity_; }

void TUniStringList::SetCapacity(int capacity) {
    if (capacity < int(items_.size())) Error("List capacity out of bounds (%d)", capacity);
    items_.reserve(std::size_t(capacity));
    capacity_ = capacity;
}

int TUniStringList::CompareStrings(const WideString& s1, const WideString& s2) const {
    return caseSensitive_ ? WideCompareStr(s1, s2) : WideCompareText(s1, s2);
}

int TUniStringList::Add(const WideString& s) { return AddObject(s, nullptr); }

int TUniStringList::AddObject(const WideString& s, TObject* obj) {
    int index;
    if (!sorted_) {
        index = int(items_.size());
    } else if (Find(s, index)) {
        switch (duplicates_) {
            case dupIgnore: return index;
            case dupError: Error("String list does not allow duplicates", 0);
            case dupAccept: break;
        }
    }
    InsertItem(index, s, obj);
    return index;
}

void TUniStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]);
    Changed();
}

int TUniStringList::IndexOf(const WideString& s) const {
    if (!sorted_) return TWideStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

int TUniStringList::IndexOfName(const WideString& name) const {
    if (!sorted_) return TWideStrings::IndexOfName(name);
    const WideString prefix = name + NameValueSeparator();
    int index;
    Find(prefix, index);
    if (index < int(items_.size())) {
        const WideString& line = items_[std::size_t(index)].str;
        if (line.size() >= prefix.size() && CompareStrings(line.substr(0, prefix.size()), prefix) == 0) return index;
    }
    return -1;
}

bool TUniStringList::Find(const WideString& s, int& index) const {
    return classlib::FindSorted(
        int(items_.size()), duplicates_ != dupAccept,
        [&](int i) { return CompareStrings(items_[std::size_t(i)].str, s); }, index);
}

void TUniStringList::QuickSort(int lo, int hi, const TUniStringListSortCompare& compare) {
    classlib::QuickSortIndexes(
        lo, hi, [&](int i, int p) { return compare(this, i, p); },
        [&](int i, int j) { std::swap(items_[std::size_t(i)], items_[std::size_t(j)]); });
}

void TUniStringList::Sort() {
    CustomSort([](TUniStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[std::size_t(a)].str, list->items_[std::size_t(b)].str);
    });
}

void TUniStringList::CustomSort(const TUniStringListSortCompare& compare) {
    if (sorted_ || items_.size() < 2) return;
    Changing();
    QuickSort(0, int(items_.size()) - 1, compare);
    Changed();
}

void TUniStringList::SetSorted(bool value) {
    if (sorted_ == value) return;
    if (value) Sort();
    sorted_ = value;
}

void TUniStringList::SetCaseSensitive(bool value) {
    if (caseSensitive_ == value) return;
    caseSensitive_ = value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}
