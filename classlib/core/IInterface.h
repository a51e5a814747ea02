// Interfaces: abstract classes with a static constexpr TGUID IID, implemented beside the class hierarchy.
// Objects that implement interfaces derive from IInterface (through TComponent, whose counting does nothing,
// or TInterfacedObject, which frees itself when the last counted reference goes); the interfaces themselves
// need not derive from it. Supports<I> asks an object or another interface for I.
#pragma once
#include <cstdint>
#include <utility>

#include "classlib/core/TGUID.h"

class IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{00000000-0000-0000-C000-000000000046}");
    virtual std::int32_t _AddRef() = 0;
    virtual std::int32_t _Release() = 0;

protected:
    virtual ~IInterface() = default;
};

// The object's I, or nullptr. Works from any polymorphic pointer (object or interface) of the same object.
template <class I, class P>
I* Supports(P* obj) {
    return obj ? dynamic_cast<I*>(obj) : nullptr;
}
template <class I, class P>
bool Supports(P* obj, I*& out) {
    out = Supports<I>(obj);
    return out != nullptr;
}

// A counted reference to an interface: takes a reference on construction and copy, gives it back on
// destruction. Objects whose counting is inert (components) are never freed through it.
template <class I>
class IPtr {
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}
    // Takes a reference to ptr (any interface of an object that derives from IInterface).
    explicit IPtr(I* ptr) : ptr_(ptr), counted_(ptr ? dynamic_cast<IInterface*>(ptr) : nullptr) {
        if (counted_) counted_->_AddRef();
    }
    IPtr(const IPtr& other) : IPtr(other.ptr_) {}
    IPtr(IPtr&& other) noexcept
        : ptr_(std::exchange(other.ptr_, nullptr)), counted_(std::exchange(other.counted_, nullptr)) {}
    // From a reference to another interface of the same object: asks it for I (null when unsupported).
    template <class J>
    explicit IPtr(const IPtr<J>& other) : IPtr(Supports<I>(other.get())) {}
    ~IPtr() { reset(); }

    IPtr& operator=(IPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        std::swap(counted_, other.counted_);
        return *this;
    }
    void reset() {
        IInterface* c = std::exchange(counted_, nullptr);
        ptr_ = nullptr;
        if (c) c->_Release();
    }

    I* get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    I& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    friend bool operator==(const IPtr& a, const IPtr& b) { return a.ptr_ == b.ptr_; }
    friend bool operator==(const IPtr& a, std::nullptr_t) { return a.ptr_ == nullptr; }

private:
    I* ptr_ = nullptr;
    IInterface* counted_ = nullptr;
};
