// Collections: ordered lists of items of one class that the collection creates and frees, with update
// brackets so that a batch of changes reports once.
#pragma once
#include <vector>

#include "classlib/core/TPersistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
    CLASSLIB_CLASS(TCollectionItem, TPersistent)

    // Joins collection (at the end) when it is not null.
    explicit TCollectionItem(TCollection* collection);
    // Leaves its collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or out of any, with null).
    virtual void SetCollection(TCollection* value);
    // Position in the collection; -1 outside one.
    int Index() const;
    // Moves the item within its collection (clamped to the list) and reports a change of all items.
    virtual void SetIndex(int value);
    // A number unique within the collection, given on joining it and never reused.
    int ID() const { return id_; }
    virtual AnsiString GetDisplayName();
    virtual void SetDisplayName(const AnsiString& value);
    TPersistent* GetOwner() override;
    AnsiString GetNamePath() override;

protected:
    // Reports a change of this item (or of all items) to the collection unless it is updating.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// The item class of a collection: its record and how to create one in a collection.
struct TCollectionItemClass {
    TClass Class = nullptr;
    TCollectionItem* (*Make)(TCollection* collection) = nullptr;

    template <class T>
    static TCollectionItemClass Of() {
        return {T::StaticClass(), [](TCollection* c) -> TCollectionItem* { return Create<T>(c); }};
    }
};

class TCollection : public TPersistent {
    CLASSLIB_CLASS(TCollection, TPersistent)

    explicit TCollection(TCollectionItemClass itemClass);
    // Frees the items without reporting changes.
    ~TCollection() override;

    // Creates an item of the item class at the end and returns it.
    TCollectionItem* Add();
    // Creates an item and moves it to index (0..Count).
    TCollectionItem* Insert(int index);
    // Frees the item at index; raises EListError "List index out of bounds (%d)".
    void Delete(int index);
    // Frees every item, reporting one change.
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* FindItemID(int id) const;
    TCollectionItemClass ItemClass() const { return itemClass_; }

    // Changes between BeginUpdate and the matching EndUpdate are reported once, at the end.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Reports a change of all items (Update(nullptr)) unless updating.
    void Changed();

    // Copies the items of another collection (same item class or one its items can Assign from).
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() override { return nullptr; }

protected:
    // Called after a change: item is the changed item, or null for all of them.
    virtual void Update(TCollectionItem* item);
    // Called when an item joins, is about to leave, or is about to be freed.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(TCollectionItem* item, int newIndex);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

// A collection that names an owner (the component whose property it is).
class TOwnedCollection : public TCollection {
    CLASSLIB_CLASS(TOwnedCollection, TCollection)

    TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass) : TCollection(itemClass), owner_(owner) {}
    TPersistent* GetOwner() override { return owner_; }

private:
    TPersistent* owner_;
};
