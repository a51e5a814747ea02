// The storage and rules shared by the 8-bit and the wide string lists that keep their own lines and objects:
// the item vector with its capacity, optional sorting with binary search, the duplicate rules and the change
// events around every change. Derived is the concrete list (the sort callbacks receive it), Base the abstract
// string-list class it implements, S its string type and Compare the system-locale comparison of S.
#pragma once
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "classlib/core/ListSort.h"
#include "classlib/core/Method.h"
#include "classlib/core/TList.h"

class TObject;

enum TDuplicates { dupIgnore = 0, dupAccept = 1, dupError = 2 };

namespace classlib {

// Compare must provide static int Sensitive(const S&, const S&) and static int Insensitive(const S&, const S&).
template <class Derived, class Base, class S, class Compare>
class BasicStringList : public Base {
public:
    using SortCompare = std::function<int(Derived* list, int index1, int index2)>;

    ~BasicStringList() override {
        // Lines go without events: nobody should hear from a list being destroyed.
        OnChange = nullptr;
        OnChanging = nullptr;
    }

    S Get(int index) const override {
        CheckIndex(index);
        return items_[std::size_t(index)].str;
    }
    int GetCount() const override { return int(items_.size()); }
    TObject* GetObject(int index) const override {
        CheckIndex(index);
        return items_[std::size_t(index)].obj;
    }
    // Put and Insert raise "Operation not allowed on sorted list" on a sorted list.
    void Put(int index, const S& s) override {
        if (sorted_) Base::Error(kSortedError, 0);
        CheckIndex(index);
        Changing();
        items_[std::size_t(index)].str = s;
        Changed();
    }
    void PutObject(int index, TObject* obj) override {
        CheckIndex(index);
        Changing();
        items_[std::size_t(index)].obj = obj;
        Changed();
    }
    void Insert(int index, const S& s) override { InsertObject(index, s, nullptr); }
    void InsertObject(int index, const S& s, TObject* obj) override {
        if (sorted_) Base::Error(kSortedError, 0);
        if (index < 0 || index > int(items_.size())) Base::Error(kIndexError, index);
        InsertItem(index, s, obj);
    }
    void Delete(int index) override {
        CheckIndex(index);
        Changing();
        items_.erase(items_.begin() + index);
        Changed();
    }
    void Clear() override {
        if (items_.empty()) return;
        Changing();
        items_.clear();
        SetCapacity(0);
        Changed();
    }
    int GetCapacity() const override { return capacity_; }
    // Below Count raises "List capacity out of bounds (%d)".
    void SetCapacity(int capacity) override {
        if (capacity < int(items_.size())) Base::Error("List capacity out of bounds (%d)", capacity);
        capacity_ = capacity;
        if (std::size_t(capacity) > items_.capacity()) {
            items_.reserve(std::size_t(capacity));
        } else if (capacity == 0) {
            items_.shrink_to_fit();
        }
    }
    // Case-sensitive or not, as CaseSensitive says, in the system locale.
    int CompareStrings(const S& s1, const S& s2) const override {
        return caseSensitive_ ? Compare::Sensitive(s1, s2) : Compare::Insensitive(s1, s2);
    }

    int Add(const S& s) override { return AddObject(s, nullptr); }
    // Unsorted: appends. Sorted: inserts at the sorted place; an equal line is handled by Duplicates
    // (dupIgnore returns the existing index, dupError raises "String list does not allow duplicates").
    int AddObject(const S& s, TObject* obj) override {
        int index;
        if (!sorted_) {
            index = int(items_.size());
        } else if (Find(s, index)) {
            switch (duplicates_) {
                case dupIgnore: return index;
                case dupError: Base::Error("String list does not allow duplicates", 0);
                case dupAccept: break;
            }
        }
        InsertItem(index, s, obj);
        return index;
    }
    void Exchange(int index1, int index2) override {
        CheckIndex(index1);
        CheckIndex(index2);
        Changing();
        ExchangeItems(index1, index2);
        Changed();
    }
    // On a sorted list raises before anything is removed.
    void Move(int curIndex, int newIndex) override {
        if (curIndex != newIndex && sorted_) Base::Error(kSortedError, 0);
        Base::Move(curIndex, newIndex);
    }
    int IndexOf(const S& s) const override {
        if (!sorted_) return Base::IndexOf(s);
        int index;
        return Find(s, index) ? index : -1;
    }
    // On a sorted list: binary search for "name<separator>", accepted only when the line found starts with it.
    int IndexOfName(const S& name) const override {
        if (!sorted_) return Base::IndexOfName(name);
        const S prefix = name + this->NameValueSeparator();
        int index;
        Find(prefix, index);
        if (index < int(items_.size())) {
            const S& line = items_[std::size_t(index)].str;
            if (line.size() >= prefix.size() && CompareStrings(line.substr(0, prefix.size()), prefix) == 0)
                return index;
        }
        return -1;
    }

    // Binary search (the list must be sorted): true when found; index is the match or the insert position.
    // Unless Duplicates is dupAccept the search stops at the first matching line it meets.
    virtual bool Find(const S& s, int& index) const {
        return FindSorted(
            int(items_.size()), duplicates_ != dupAccept,
            [&](int i) { return CompareStrings(items_[std::size_t(i)].str, s); }, index);
    }
    // Sorts unless already Sorted; quicksort with a middle pivot (equal lines keep no particular order).
    virtual void Sort() {
        CustomSort([](Derived* list, int a, int b) {
            const auto& items = static_cast<BasicStringList*>(list)->items_;
            return list->CompareStrings(items[std::size_t(a)].str, items[std::size_t(b)].str);
        });
    }
    virtual void CustomSort(const SortCompare& compare) {
        if (sorted_ || items_.size() < 2) return;
        Changing();
        Derived* self = static_cast<Derived*>(this);
        QuickSortIndexes(
            0, int(items_.size()) - 1, [&](int i, int p) { return compare(self, i, p); },
            [&](int i, int j) { ExchangeItems(i, j); });
        Changed();
    }

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value) {
        if (sorted_ == value) return;
        if (value) Sort();
        sorted_ = value;
    }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value) {
        if (caseSensitive_ == value) return;
        caseSensitive_ = value;
        if (sorted_) {
            // Re-sort under the new comparison (Sort does nothing while the flag is set).
            sorted_ = false;
            Sort();
            sorted_ = true;
        }
    }
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }

    // Around every change: OnChanging before, OnChange after; neither while an update bracket is open, and one
    // pair for the whole bracket (OnChanging when it opens, OnChange when it closes).
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override {
        // Called while the count is still 0 (opening) or already back at 0 (closing), so the events fire.
        if (updating) {
            Changing();
        } else {
            Changed();
        }
    }
    virtual void Changed() {
        if (this->UpdateCount() == 0 && OnChange) OnChange(this);
    }
    virtual void Changing() {
        if (this->UpdateCount() == 0 && OnChanging) OnChanging(this);
    }
    virtual void InsertItem(int index, const S& s, TObject* obj) {
        Changing();
        if (int(items_.size()) == capacity_) SetCapacity(capacity_ + ListGrowthDelta(capacity_));
        items_.insert(items_.begin() + index, Item{s, obj});
        Changed();
    }

private:
    static constexpr const char* kIndexError = "List index out of bounds (%d)";
    static constexpr const char* kSortedError = "Operation not allowed on sorted list";

    struct Item {
        S str;
        TObject* obj = nullptr;
    };
    void CheckIndex(int index) const {
        if (index < 0 || index >= int(items_.size())) Base::Error(kIndexError, index);
    }
    void ExchangeItems(int index1, int index2) { std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]); }

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

}  // namespace classlib
