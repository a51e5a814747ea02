#include "classlib/core/TComponentList.h"

#include <algorithm>
#include <string>

// Receives the free notifications of the listed components on behalf of the list.
class TComponentList::TNexus : public TComponent {
public:
    TNexus(TComponentList* list) : TComponent(nullptr), list_(list) {}
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && list_) list_->Forget(component);
    }
    TComponentList* list_;
};

TComponentList::TComponentList(bool ownsObjects) : ownsObjects_(ownsObjects), nexus_(MakeObject<TNexus>(this)) {}

TComponentList::~TComponentList() {
    Clear();
    static_cast<TNexus*>(nexus_.get())->list_ = nullptr;
}

void TComponentList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TComponent* TComponentList::Items(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)];
}

void TComponentList::Watch(TComponent* component) {
    if (component) component->FreeNotification(nexus_.get());
}

void TComponentList::Unwatch(TComponent* component) {
    if (component && IndexOf(component) < 0) component->RemoveFreeNotification(nexus_.get());
}

void TComponentList::Forget(TComponent* component) {
    items_.erase(std::remove(items_.begin(), items_.end(), component), items_.end());
}

void TComponentList::SetItem(int index, TComponent* component) {
    CheckIndex(index, Count());
    TComponent* old = items_[static_cast<std::size_t>(index)];
    if (old == component) return;
    items_[static_cast<std::size_t>(index)] = component;
    Watch(component);
    Unwatch(old);
    if (ownsObjects_ && old && IndexOf(old) < 0) Free(old);
}

int TComponentList::Add(TComponent* component) {
    items_.push_back(component);
    Watch(component);
    return Count() - 1;
}

void TComponentList::Insert(int index, TComponent* component) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, component);
    Watch(component);
}

void TComponentList::Delete(int index) {
    CheckIndex(index, Count());
    TComponent* old = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    Unwatch(old);
    if (ownsObjects_ && old && IndexOf(old) < 0) Free(old);
}

int TComponentList::Remove(TComponent* component) {
    int index = IndexOf(component);
    if (index >= 0) Delete(index);
    return index;
}

TComponent* TComponentList::Extract(TComponent* component) {
    int index = IndexOf(component);
    if (index < 0) return nullptr;
    items_.erase(items_.begin() + index);
    Unwatch(component);
    return component;
}

int TComponentList::IndexOf(const TComponent* component) const {
    auto it = std::find(items_.begin(), items_.end(), component);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TComponentList::Move(int from, int to) {
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    TComponent* c = items_[static_cast<std::size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, c);
}

void TComponentList::Exchange(int a, int b) {
    CheckIndex(a, Count());
    CheckIndex(b, Count());
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

void TComponentList::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}
