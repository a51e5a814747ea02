#include "classlib/core/TComponent.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TBasicAction.h"

namespace {
bool Contains(const std::vector<TComponent*>& list, const TComponent* c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        // Joins the list now (creation order); the others hear of it once the whole object exists.
        owner->Insert(this);
        insertPending_ = true;
    }
}

void TComponent::AfterConstruction() {
    TPersistent::AfterConstruction();
    if (insertPending_) {
        insertPending_ = false;
        if (owner_) owner_->Broadcast(this, opInsert);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Anyone who subscribed after BeforeDestruction (or a component deleted without Free) hears it here.
    NotifySubscribers();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    Destroying();
    NotifySubscribers();
}

void TComponent::NotifySubscribers() {
    // Unlink both directions first, so a subscriber whose Notification does not call the base cannot be
    // left holding this component.
    while (!freeNotifies_.empty()) {
        TComponent* s = freeNotifies_.back();
        freeNotifies_.pop_back();
        Unlink(s->freeNotifies_, this);
        s->Notification(this, opRemove);
    }
}

void TComponent::Unlink(std::vector<TComponent*>& list, TComponent* c) {
    auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end()) list.erase(it);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int value) {
    if (!owner_) return;
    int current = ComponentIndex();
    if (current < 0) return;
    auto& list = owner_->components_;
    int last = static_cast<int>(list.size()) - 1;
    value = std::clamp(value, 0, last);
    if (value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + value, this);
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (component == this) throw EComponentError("A component cannot own itself");
    for (TComponent* o = owner_; o; o = o->owner_)
        if (o == component) throw EComponentError("A component cannot own one of its owners");
    ValidateRename(component, AnsiString(), component->name_);
    if (component->owner_) component->owner_->RemoveComponent(component);
    Insert(component);
    component->insertPending_ = false;
    Broadcast(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    component->insertPending_ = false;
    Broadcast(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    Unlink(components_, component);
    component->owner_ = nullptr;
}

void TComponent::Broadcast(TComponent* subject, TOperation operation) {
    Notification(subject, operation);
    // A receiver may free or move components meanwhile: each one is asked only while it is still owned here.
    std::vector<TComponent*> snapshot = components_;
    for (TComponent* c : snapshot)
        if (c != subject && Contains(components_, c)) c->Notification(subject, operation);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        // Leaves quietly: the owner is going away (or clearing out) and its other components learn of this
        // one's end through free notification.
        Remove(c);
        Free(c);
    }
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (!Contains(freeNotifies_, component)) freeNotifies_.push_back(component);
    if (!Contains(component->freeNotifies_, this)) component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    Unlink(freeNotifies_, component);
    Unlink(component->freeNotifies_, this);
}

bool TComponent::HasFreeNotification(const TComponent* component) const {
    return std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
}

void TComponent::IncludeState(TComponentStateFlag flag) {
    if (flag != csDesigning) state_.Include(flag);
}

void TComponent::ExcludeState(TComponentStateFlag flag) { state_.Exclude(flag); }

void TComponent::Loading() { state_.Include(csLoading); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Updating() { state_.Include(csUpdating); }

void TComponent::Updated() { state_.Exclude(csUpdating); }

bool TComponent::IsValidIdent(const AnsiString& name) {
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void TComponent::SetName(const AnsiString& newName) {
    if (name_ == newName) return;
    if (!newName.empty() && !IsValidIdent(newName))
        throw EComponentError("\"" + newName + "\" is not a valid component name");
    if (owner_)
        owner_->ValidateRename(this, name_, newName);
    else
        ValidateRename(nullptr, name_, newName);
    ChangeName(newName);
}

void TComponent::ValidateRename(TComponent* component, const AnsiString& currentName, const AnsiString& newName) {
    // Without a component (a rename of an owner-less component) there is nothing to clash with: the names
    // of its own components belong to another scope.
    if (!component || newName.empty() || SameTextAscii(currentName, newName)) return;
    TComponent* existing = FindComponent(newName);
    if (existing && existing != component) throw EComponentError("A component named " + newName + " already exists");
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameTextAscii(c->name_, name)) return c;
    return nullptr;
}

AnsiString TComponent::GetNamePath() { return name_; }

void TComponent::GetChildren(TGetChildProc, TComponent*) {}
void TComponent::SetChildOrder(TComponent*, int) {}
TComponent* TComponent::GetParentComponent() const { return nullptr; }
bool TComponent::HasParent() const { return false; }
void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::ExecuteAction(TBasicAction* action) {
    if (action && action->HandlesTarget(this)) {
        action->ExecuteTarget(this);
        return true;
    }
    return false;
}

bool TComponent::UpdateAction(TBasicAction* action) {
    if (action && action->HandlesTarget(this)) {
        action->UpdateTarget(this);
        return true;
    }
    return false;
}

TComponent* CreateComponentOfClass(TClass cls, TComponent* owner, TPublishFn publish, void* context) {
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass())) TObject::RaiseInvalidCast();
    if (!cls->CanConstruct()) throw EInvalidOperation("Cannot create an instance of class " + cls->ClassName());
    void* memory = ::operator new(cls->InstanceSize());
    publish(context, memory);
    TScopeExit unpublish([&] { publish(context, nullptr); });
    TComponent* component;
    {
        // A constructor that raises has undone its parts (the component part has left the owner's list); the
        // memory goes, and the reference must not keep pointing at it.
        TScopeExit release([memory] { ::operator delete(memory); });
        component = static_cast<TComponent*>(cls->Construct(memory, owner));
        release.Dismiss();
    }
    TScopeExit destroy([component] { delete component; });
    component->AfterConstruction();
    destroy.Dismiss();
    unpublish.Dismiss();
    return component;
}
