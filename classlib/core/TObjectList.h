// A list of objects that frees the objects it owns when they leave it (deleted, replaced, cleared or with
// the list). Extract hands an object back without freeing it.
#pragma once
#include "classlib/core/TList.h"

class TObjectList : public TList {
    CLASSLIB_CLASS(TObjectList, TList)

public:
    explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    ~TObjectList() override;

    int Add(TObject* obj) { return TList::Add(obj); }
    void Insert(int index, TObject* obj) { TList::Insert(index, obj); }
    int Remove(TObject* obj) { return TList::Remove(obj); }
    TObject* Extract(TObject* obj) { return static_cast<TObject*>(TList::Extract(obj)); }
    int IndexOf(TObject* obj) const { return TList::IndexOf(obj); }
    TObject* Items(int index) const { return static_cast<TObject*>(Get(index)); }
    void SetItems(int index, TObject* obj) { Put(index, obj); }
    TObject* operator[](int index) const { return Items(index); }
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }
    // The index of the first object of exactly that class or a class derived from it, from start; -1 if none.
    int FindInstanceOf(TClass cls, bool exact = true, int start = 0) const;

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool value) { ownsObjects_ = value; }

protected:
    void Notify(void* item, TListNotification action) override;

private:
    bool ownsObjects_;
};
