// The Unicode layer's wide string list that keeps its lines and objects itself: optional sorting with
// binary search, duplicate rules and change events, by the same rules as the class library's 8-bit list.
#pragma once
#include <functional>
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/core/TStringList.h"
#include "unicode/core/TUniStrings.h"

class TUniStringList;
using TUniStringListSortCompare = std::function<int(TUniStringList* list, int index1, int index2)>;

class TUniStringList : public TUniStrings {
    CLASSLIB_CLASS(TUniStringList, TUniStrings)

public:
    TUniStringList() = default;
    ~TUniStringList() override;

    WideString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    // Put, Insert and InsertObject raise "Operation not allowed on sorted list" on a sorted list; a bad index
    // raises "List index out of bounds (%d)".
    void Put(int index, const WideString& s) override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const WideString& s) override;
    void InsertObject(int index, const WideString& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;
    int GetCapacity() const override;
    void SetCapacity(int capacity) override;
    // Case-sensitive or not, as CaseSensitive says, in the system locale.
    int CompareStrings(const WideString& s1, const WideString& s2) const override;

    int Add(const WideString& s) override;
    // Unsorted: appends. Sorted: inserts at the sorted place; an equal line is handled by Duplicates.
    int AddObject(const WideString& s, TObject* obj) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const WideString& s) const override;
    int IndexOfName(const WideString& name) const override;

    // Binary search of a sorted list: true when found; index is the match or the insert position.
    virtual bool Find(const WideString& s, int& index) const;
    virtual void Sort();
    virtual void CustomSort(const TUniStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int index, const WideString& s, TObject* obj);

private:
    struct Item {
        WideString str;
        TObject* obj = nullptr;
    };
    void CheckIndex(int index) const;
    void Grow();
    void QuickSort(int lo, int hi, const TUniStringListSortCompare& compare);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
