// The root of the class hierarchy: class records (class references as values), run-time class tests and the
// two-phase construction and destruction that lets a base class call a derived override right after creation.
#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Owned.h"
#include "classlib/core/Types.h"

class TObject;
class TComponent;
class TMetaClass;
struct TMessage;
struct TMessageTable;

// A class reference: the address of the one record of a class. Records compare by identity.
using TClass = const TMetaClass*;

// The record that describes one class. Made by CLASSLIB_CLASS, reached through T::StaticClass() or
// obj->ClassType().
class TMetaClass {
public:
    // Builds an instance in memory of InstanceSize() bytes; the owner is passed to component constructors.
    using ConstructFn = TObject* (*)(void* memory, TComponent* owner);

    TMetaClass(const char* name, TClass parent, std::size_t instanceSize, ConstructFn construct)
        : name_(name), parent_(parent), instanceSize_(instanceSize), construct_(construct) {}
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    AnsiString ClassName() const { return name_; }
    // Case-insensitive (ASCII) comparison with the class name.
    bool ClassNameIs(const AnsiString& name) const;
    TClass ClassParent() const { return parent_; }
    // True for this class and every class derived from cls.
    bool InheritsFrom(TClass cls) const;
    std::size_t InstanceSize() const { return instanceSize_; }
    // True when the class can be built through Construct (a non-abstract component class).
    bool CanConstruct() const { return construct_ != nullptr; }
    // Runs the constructor in place; raises EInvalidOperation for a class without a factory.
    TObject* Construct(void* memory, TComponent* owner) const;
    // Allocates, constructs and runs AfterConstruction: the class-reference form of Create<T>(owner).
    TObject* Create(TComponent* owner) const;

private:
    const char* name_;
    TClass parent_;
    std::size_t instanceSize_;
    ConstructFn construct_;
};

namespace classlib::detail {
template <class T>
TObject* ConstructInPlace(void* memory, TComponent* owner) {
    return ::new (memory) T(owner);
}
template <class T>
constexpr TMetaClass::ConstructFn FactoryOf() {
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
        return &ConstructInPlace<T>;
    else
        return nullptr;
}
}  // namespace classlib::detail

#define CLASSLIB_CLASS_RECORD_(Name, Parent, Factory)                                           \
public:                                                                                         \
    using inherited = Parent;                                                                   \
    using ClassRecordOwner_ = Name;                                                             \
    static TClass StaticClass() {                                                               \
        static_assert(alignof(Name) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned class"); \
        static const TMetaClass record(#Name, Parent::StaticClass(), sizeof(Name), Factory);    \
        return &record;                                                                         \
    }                                                                                           \
    TClass ClassType() const override { return StaticClass(); }

// Declares the class record of Name (derived from Parent) inside the class body. Place it first; it leaves
// the access public. Classes without it report their nearest base's record.
#define CLASSLIB_CLASS(Name, Parent) CLASSLIB_CLASS_RECORD_(Name, Parent, nullptr)

// The same for component classes: a non-abstract class with a public constructor taking the owner
// (TComponent*) also gets a factory, so it can be created through a class reference. Other classes built
// from a component (action links, from their client) use it too.
#define CLASSLIB_COMPONENT(Name, Parent) CLASSLIB_CLASS_RECORD_(Name, Parent, ::classlib::detail::FactoryOf<Name>())

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static TClass StaticClass();
    virtual TClass ClassType() const;
    AnsiString ClassName() const { return ClassType()->ClassName(); }
    bool ClassNameIs(const AnsiString& name) const { return ClassType()->ClassNameIs(name); }
    TClass ClassParent() const { return ClassType()->ClassParent(); }
    bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

    // Called by the factories once the most-derived constructor has finished.
    virtual void AfterConstruction();
    // Called by Free before the destructor runs, while every override is still in place.
    virtual void BeforeDestruction();

    template <class T>
    bool Is() const {
        return dynamic_cast<const T*>(this) != nullptr;
    }
    // Checked downcast: raises EInvalidCast "Invalid class typecast" when the object is not a T.
    template <class T>
    T* As() {
        T* p = dynamic_cast<T*>(this);
        if (!p) RaiseInvalidCast();
        return p;
    }
    template <class T>
    const T* As() const {
        const T* p = dynamic_cast<const T*>(this);
        if (!p) RaiseInvalidCast();
        return p;
    }

    [[noreturn]] static void RaiseInvalidCast();

    // Message handlers by number (classlib/core/MessageDispatch.h): runs the handler of the most-derived
    // class whose table lists message.Msg, otherwise DefaultHandler.
    virtual void Dispatch(TMessage& message);
    // What becomes of a message no table handles; the base does nothing.
    virtual void DefaultHandler(TMessage& message);
    // The handler table of the object's class (its nearest base's when the class has none); null here.
    virtual const TMessageTable* MessageTable() const;
    static const TMessageTable* StaticMessageTable() { return nullptr; }
};

// Class tests that also accept a null object: null is no T, and null cast to T stays null.
template <class T>
bool Is(const TObject* obj) {
    return obj != nullptr && obj->Is<T>();
}
template <class T>
T* As(TObject* obj) {
    return obj ? obj->As<T>() : nullptr;
}

// A class reference restricted to Base and the classes derived from it, e.g. a form class or a hint-window
// class kept in a variable and created later.
template <class Base>
class TClassOf {
public:
    TClassOf() = default;
    TClassOf(std::nullptr_t) {}
    // Raises EInvalidCast when cls is neither Base nor derived from it.
    explicit TClassOf(TClass cls) : cls_(cls) {
        if (cls && !cls->InheritsFrom(Base::StaticClass())) TObject::RaiseInvalidCast();
    }
    template <class Derived>
    requires std::is_base_of_v<Base, Derived> TClassOf(TClassOf<Derived> other) : cls_(other.Class()) {}
    template <class Derived>
    static TClassOf Of() {
        static_assert(std::is_base_of_v<Base, Derived>);
        return TClassOf(Derived::StaticClass());
    }

    TClass Class() const { return cls_; }
    operator TClass() const { return cls_; }
    const TMetaClass* operator->() const { return cls_; }
    explicit operator bool() const { return cls_ != nullptr; }
    // Creates an instance through the class's factory (see TMetaClass::Create).
    Base* Create(TComponent* owner) const {
        if (!cls_) TObject::RaiseInvalidCast();
        return dynamic_cast<Base*>(cls_->Create(owner));
    }
    friend bool operator==(TClassOf a, TClassOf b) { return a.cls_ == b.cls_; }

private:
    TClass cls_ = nullptr;
};

// Frees an object: BeforeDestruction, then the destructor. Null is ignored.
void Free(TObject* obj);

// Frees the object and clears the variable that held it.
template <class T>
void FreeAndNil(T*& obj) {
    T* p = obj;
    obj = nullptr;
    Free(p);
}

// Two-phase construction: the constructor, then AfterConstruction. When AfterConstruction raises, the
// object is destroyed and the exception passes on. The result belongs to its owner (components with an
// owner) or to the caller, who frees it with Free or holds it in a TObjectPtr.
template <class T, class... Args>
T* Create(Args&&... args) {
    static_assert(std::is_base_of_v<TObject, T>);
    std::unique_ptr<T> obj(new T(std::forward<Args>(args)...));
    obj->AfterConstruction();
    return obj.release();
}

// Ownership by the caller for objects that must be destroyed through Free; made by MakeObject, so the
// object has been through AfterConstruction.
using TFreeDeleter = TFreeWith<Free>;
template <class T>
using TObjectPtr = TOwned<T, Free>;

template <class T, class... Args>
TObjectPtr<T> MakeObject(Args&&... args) {
    return TObjectPtr<T>(Create<T>(std::forward<Args>(args)...));
}

// Registry of classes by name, for code that finds a class from a stored name.
void RegisterClass(TClass cls);
void UnRegisterClass(TClass cls);
// The registered class of that name (case-insensitive), or nullptr.
TClass GetClass(const AnsiString& name);
// As GetClass, but raises EClassNotFound "Class %s not found".
TClass FindClass(const AnsiString& name);
