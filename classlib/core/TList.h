// A list of untyped pointers with the growth, index and sort rules other lists copy.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/core/TObject.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Compares two items: <0, 0 or >0.
using TListSortCompare = std::function<int(void* item1, void* item2)>;

class TList : public TObject {
    CLASSLIB_CLASS(TList, TObject)

public:
    TList() = default;
    ~TList() override;

    // Appends; returns the new item's index.
    int Add(void* item);
    // 0 <= index <= Count.
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* item);
    // Removes the first occurrence without the "deleted" notification; returns the item, or null when absent.
    void* Extract(void* item);
    int IndexOf(void* item) const;
    void Move(int curIndex, int newIndex);
    void Exchange(int index1, int index2);
    // Removes the null items.
    void Pack();
    // Quicksort with the middle element as pivot: not stable, so callers break ties themselves.
    void Sort(const TListSortCompare& compare);
    virtual void Clear();

    void* Get(int index) const;
    void Put(int index, void* item);
    void* operator[](int index) const { return Get(index); }
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    int Count() const { return int(items_.size()); }
    // Growing adds null items; shrinking deletes from the end.
    void SetCount(int newCount);
    int Capacity() const { return capacity_; }
    // Below Count raises EListError "List capacity out of bounds (%d)".
    void SetCapacity(int newCapacity);
    // Makes room for one more item by the growth rule when full.
    TList* Expand();

    // Raises EListError with the message formatted with the number ("List index out of bounds (%d)").
    [[noreturn]] static void Error(const AnsiString& message, int data);

protected:
    // Called after an item was added, or after it left the list (deleted or extracted).
    virtual void Notify(void* item, TListNotification action);
    virtual void Grow();

private:
    void CheckIndex(int index) const;
    std::vector<void*> items_;
    int capacity_ = 0;
};

// The growth of a full list: a quarter of its capacity above 64, 16 above 8, else 4.
int ListGrowthDelta(int capacity);
