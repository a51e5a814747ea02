// Components: named objects in an ownership tree. An owner keeps its components in creation order and frees
// them, last created first, when it is destroyed. Components learn of each other's insertion and removal
// through Notification, and of each other's destruction through free notification.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/IInterface.h"
#include "classlib/core/Method.h"
#include "classlib/core/TPersistent.h"
#include "classlib/core/TSet.h"

class TBasicAction;

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,  // never set: there is no design time
    csUpdating
};
using TComponentState = TSet<TComponentStateFlag>;

class TComponent;
// Receives each child a component streams out (GetChildren).
using TGetChildProc = Method<void(TComponent* child)>;

// Picks the constructor of a form or data module that runs no builders: an empty one, to be filled in by code.
struct TNoBuilders {};
inline constexpr TNoBuilders NoBuilders{};

class TComponent : public TPersistent, public IInterface {
    CLASSLIB_COMPONENT(TComponent, TPersistent)

    // Joins owner's components (at the end) when owner is not null. The owner and its components are told
    // (opInsert) in AfterConstruction, when the new component is complete; a component made without a
    // factory (Create, a class reference) is listed but not announced.
    explicit TComponent(TComponent* owner);
    // Notifies the subscribers of its free notification, frees its components last created first and leaves
    // its owner.
    ~TComponent() override;
    // Marks the component as being destroyed and tells the subscribers while the whole object still exists.
    void BeforeDestruction() override;
    // Announces the component to its owner and the owner's components (opInsert).
    void AfterConstruction() override;

    // Ownership.
    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // The owned component at index (creation order); raises EListError "List index out of bounds (%d)".
    TComponent* Components(int index) const;
    // This component's position among its owner's components; -1 without owner.
    int ComponentIndex() const;
    // Moves this component within its owner's list (the value is clamped to the list).
    void SetComponentIndex(int value);
    // Takes component over from its current owner (if any), appends it and tells this component and every
    // component it owns (opInsert). Raises EComponentError when its name is taken here.
    void InsertComponent(TComponent* component);
    // Tells this component and every other component it owns (opRemove), then releases component to no owner.
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last created first.
    void DestroyComponents();
    // Sets csDestroying on this component and every owned one.
    void Destroying();

    // Free notification: both components tell each other when one of them is destroyed (symmetric).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Whether this component and component are linked by free notification.
    bool HasFreeNotification(const TComponent* component) const;
    // Called on insertion into or removal from the owner of a component and when a subscriber is destroyed.
    // The base forgets a removed component's free-notification link; overrides call it.
    virtual void Notification(TComponent* component, TOperation operation);

    // State.
    TComponentState ComponentState() const { return state_; }
    // For the property stream, form builders and subclasses: sets or clears one state flag.
    void IncludeState(TComponentStateFlag flag);
    void ExcludeState(TComponentStateFlag flag);
    // csLoading on; Loaded clears it. Called before a builder or stream fills the component.
    virtual void Loading();
    // Called after a builder or the property stream filled the component: clears csLoading.
    virtual void Loaded();
    // csUpdating on / off.
    void Updating();
    void Updated();

    // Naming: a valid identifier, unique (case-insensitively) among the owner's components, or empty.
    const AnsiString& Name() const { return name_; }
    // Raises EComponentError ""X" is not a valid component name" or "A component named X already exists".
    virtual void SetName(const AnsiString& newName);
    // The owned component of that name (case-insensitive), or nullptr; an empty name finds nothing.
    TComponent* FindComponent(const AnsiString& name) const;
    AnsiString GetNamePath() override;

    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t value) { tag_ = value; }
    // Left in the low and Top in the high 16 bits, as kept for non-visual components.
    std::int32_t DesignInfo() const { return designInfo_; }
    void SetDesignInfo(std::int32_t value) { designInfo_ = value; }

    // Hooks of the property stream. The base has no children and no parent.
    virtual void GetChildren(TGetChildProc proc, TComponent* root);
    virtual void SetChildOrder(TComponent* child, int order);
    virtual TComponent* GetParentComponent() const;
    virtual bool HasParent() const;
    virtual void SetParentComponent(TComponent* value);

    // Actions: the component carries out (or updates) an action aimed at it when the action handles it as a
    // target; true when it did.
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

    // Counting is inert: a component is never freed through an interface.
    std::int32_t _AddRef() override { return -1; }
    std::int32_t _Release() override { return -1; }

    TPersistent* GetOwner() override { return owner_; }

    // True for an ASCII identifier: a letter or '_' followed by letters, digits or '_'.
    static bool IsValidIdent(const AnsiString& name);

protected:
    // Raises EComponentError when newName is taken by another component of this owner.
    virtual void ValidateRename(TComponent* component, const AnsiString& currentName, const AnsiString& newName);
    // Stores the name without checks.
    void ChangeName(const AnsiString& newName) { name_ = newName; }

private:
    void NotifySubscribers();
    void Broadcast(TComponent* subject, TOperation operation);
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    static void Unlink(std::vector<TComponent*>& list, TComponent* c);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    AnsiString name_;
    TComponentState state_;
    std::intptr_t tag_ = 0;
    std::int32_t designInfo_ = 0;
    bool insertPending_ = false;
};

using TComponentClass = TClassOf<TComponent>;

// Creates a component of class cls (which must be T or derived from it) and publishes its address in ref
// before its constructor runs, so that code run during construction already finds it there. When the
// constructor raises, ref is null again, the memory is freed and the exception passes on; when
// AfterConstruction raises, the component is destroyed first.
using TPublishFn = void (*)(void* context, void* address);
TComponent* CreateComponentOfClass(TClass cls, TComponent* owner, TPublishFn publish, void* context);

template <class T>
T* CreateComponent(TClass cls, TComponent* owner, T*& ref) {
    if (!cls || !cls->InheritsFrom(T::StaticClass())) TObject::RaiseInvalidCast();
    // The TObject chain is the first base of every component class, so the object starts at the first byte
    // of its memory and that address is the T's address.
    TPublishFn publish = [](void* context, void* address) { *static_cast<T**>(context) = static_cast<T*>(address); };
    TComponent* c = CreateComponentOfClass(cls, owner, publish, &ref);
    ref = static_cast<T*>(c);
    return ref;
}
