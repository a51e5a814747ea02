// The 8-bit string list that keeps its lines and objects itself: optional sorting with binary search,
// duplicate rules, change events.
#pragma once
#include <functional>
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/core/TStrings.h"

enum TDuplicates { dupIgnore = 0, dupAccept = 1, dupError = 2 };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
    CLASSLIB_CLASS(TStringList, TStrings)

public:
    TStringList() = default;
    ~TStringList() override;

    AnsiString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    // Put and Insert raise "Operation not allowed on sorted list" on a sorted list.
    void Put(int index, const AnsiString& s) override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* obj) override;
    void Delete(int index) override;
    void Clear() override;
    int GetCapacity() const override;
    // Below Count raises "List capacity out of bounds (%d)".
    void SetCapacity(int capacity) override;
    // Case-sensitive or not, as CaseSensitive says, in the system locale.
    int CompareStrings(const AnsiString& s1, const AnsiString& s2) const override;

    // Unsorted: appends. Sorted: inserts at the sorted place; an equal line is handled by Duplicates
    // (dupIgnore returns the existing index, dupError raises "String list does not allow duplicates").
    int Add(const AnsiString& s) override;
    int AddObject(const AnsiString& s, TObject* obj) override;
    void Exchange(int index1, int index2) override;
    // On a sorted list raises before anything is removed.
    void Move(int curIndex, int newIndex) override;
    int IndexOf(const AnsiString& s) const override;
    // On a sorted list: binary search for "name<separator>", accepted only when the line found starts with it.
    int IndexOfName(const AnsiString& name) const override;

    // Binary search (the list must be sorted): true when found; index is the match or the insert position.
    // Unless Duplicates is dupAccept the search stops at the first matching line it meets.
    virtual bool Find(const AnsiString& s, int& index) const;
    // Sorts unless already Sorted; quicksort with a middle pivot (equal lines keep no particular order).
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }

    // Around every change: OnChanging before, OnChange after; neither while an update bracket is open, and one
    // pair for the whole bracket (OnChanging when it opens, OnChange when it closes).
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int index, const AnsiString& s, TObject* obj);

private:
    struct Item {
        AnsiString str;
        TObject* obj = nullptr;
    };
    void CheckIndex(int index) const;
    void Grow();
    void QuickSort(int lo, int hi, const TStringListSortCompare& compare);
    void ExchangeItems(int index1, int index2);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
