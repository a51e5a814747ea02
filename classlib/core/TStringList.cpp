#include "classlib/core/TStringList.h"

#include "classlib/core/ListSort.h"

#include <utility>

#include "classlib/core/StringUtils.h"
#include "classlib/core/TList.h"

namespace {
const char* const kIndexError = "List index out of bounds (%d)";
const char* const kSortedError = "Operation not allowed on sorted list";
}  // namespace

TStringList::~TStringList() {
    // Lines go without events: nobody should hear from a list being destroyed.
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= int(items_.size())) Error(kIndexError, index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    // Called while the count is still 0 (opening) or already back at 0 (closing), so the events fire.
    if (updating) {
        Changing();
    } else {
        Changed();
    }
}

AnsiString TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].str;
}

int TStringList::GetCount() const {
    return int(items_.size());
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].obj;
}

void TStringList::Put(int index, const AnsiString& s) {
    if (sorted_) Error(kSortedError, 0);
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].str = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].obj = obj;
    Changed();
}

void TStringList::Insert(int index, const AnsiString& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const AnsiString& s, TObject* obj) {
    if (sorted_) Error(kSortedError, 0);
    if (index < 0 || index > int(items_.size())) Error(kIndexError, index);
    InsertItem(index, s, obj);
}

void TStringList::Grow() {
    SetCapacity(capacity_ + ListGrowthDelta(capacity_));
}

void TStringList::InsertItem(int index, const AnsiString& s, TObject* obj) {
    Changing();
    if (int(items_.size()) == capacity_) Grow();
    items_.insert(items_.begin() + index, Item{s, obj});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    SetCapacity(0);
    Changed();
}

int TStringList::GetCapacity() const {
    return capacity_;
}

void TStringList::SetCapacity(int capacity) {
    if (capacity < int(items_.size())) Error("List capacity out of bounds (%d)", capacity);
    capacity_ = capacity;
    if (std::size_t(capacity) > items_.capacity()) {
        items_.reserve(std::size_t(capacity));
    } else if (capacity == 0) {
        items_.shrink_to_fit();
    }
}

int TStringList::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
    return caseSensitive_ ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

int TStringList::Add(const AnsiString& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const AnsiString& s, TObject* obj) {
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

void TStringList::ExchangeItems(int index1, int index2) {
    std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]);
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    ExchangeItems(index1, index2);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    if (curIndex != newIndex && sorted_) Error(kSortedError, 0);
    TStrings::Move(curIndex, newIndex);
}

bool TStringList::Find(const AnsiString& s, int& index) const {
    return classlib::FindSorted(
        int(items_.size()), duplicates_ != dupAccept,
        [&](int i) { return CompareStrings(items_[std::size_t(i)].str, s); }, index);
}

int TStringList::IndexOf(const AnsiString& s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

int TStringList::IndexOfName(const AnsiString& name) const {
    if (!sorted_) return TStrings::IndexOfName(name);
    const AnsiString prefix = name + NameValueSeparator();
    int index;
    Find(prefix, index);
    if (index < int(items_.size())) {
        const AnsiString& line = items_[std::size_t(index)].str;
        if (line.size() >= prefix.size() && CompareStrings(line.substr(0, prefix.size()), prefix) == 0) return index;
    }
    return -1;
}

void TStringList::QuickSort(int lo, int hi, const TStringListSortCompare& compare) {
    classlib::QuickSortIndexes(
        lo, hi, [&](int i, int p) { return compare(this, i, p); }, [&](int i, int j) { ExchangeItems(i, j); });
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[std::size_t(a)].str, list->items_[std::size_t(b)].str);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (sorted_ || items_.size() < 2) return;
    Changing();
    QuickSort(0, int(items_.size()) - 1, compare);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (sorted_ == value) return;
    if (value) Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (caseSensitive_ == value) return;
    caseSensitive_ = value;
    if (sorted_) {
        // Re-sort under the new comparison (Sort does nothing while the flag is set).
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}
