// A list of components that forgets a component as soon as it is destroyed elsewhere, and by default frees
// the components it still holds when it is cleared or destroyed.
#pragma once
#include <memory>
#include <vector>

#include "classlib/core/TComponent.h"

class TComponentList : public TObject {
    CLASSLIB_CLASS(TComponentList, TObject)

    explicit TComponentList(bool ownsObjects = true);
    ~TComponentList() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    TComponent* Items(int index) const;
    // Replaces the item at index; an owned old item is freed.
    void SetItem(int index, TComponent* component);
    int Add(TComponent* component);
    void Insert(int index, TComponent* component);
    // Removes the item at index, freeing it when the list owns its objects.
    void Delete(int index);
    // Removes the first occurrence (freeing it when owning); returns its index or -1.
    int Remove(TComponent* component);
    // Takes the first occurrence out without freeing it; returns it, or null when absent.
    TComponent* Extract(TComponent* component);
    int IndexOf(const TComponent* component) const;
    TComponent* First() const { return Items(0); }
    TComponent* Last() const { return Items(Count() - 1); }
    void Move(int from, int to);
    void Exchange(int a, int b);
    // Removes every item, freeing them (last first) when owning.
    void Clear();

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool value) { ownsObjects_ = value; }

private:
    class TNexus;
    void Watch(TComponent* component);
    void Unwatch(TComponent* component);
    void Forget(TComponent* component);
    void CheckIndex(int index, int limit) const;

    std::vector<TComponent*> items_;
    bool ownsObjects_;
    TObjectPtr<TComponent> nexus_;
};
