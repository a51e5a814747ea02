// Comparable method references: an object and one of its member functions, stored as the object's address
// and a trampoline made for exactly that member. Two references are equal when both parts are equal, so a
// handler that was saved can be recognised again (to remove it from a list, to check whether an event still
// points at a given member, or to put a saved handler back).
#pragma once
#include <cstddef>
#include <type_traits>
#include <utility>

#include "classlib/core/Exceptions.h"

namespace classlib::detail {
template <class M>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
    using Class = C;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> {
    using Class = const C;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) noexcept> {
    using Class = C;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const noexcept> {
    using Class = const C;
};
[[noreturn]] void RaiseUnassignedMethod();
}  // namespace classlib::detail

template <class Signature>
class Method;

template <class R, class... Args>
class Method<R(Args...)> {
public:
    using Trampoline = R (*)(void* object, Args... args);

    constexpr Method() = default;
    constexpr Method(std::nullptr_t) {}

    // The reference to obj->*Member. The member's class may be a base of the object's class.
    template <auto Member, class C>
    static Method Bind(C* obj) {
        using Target = typename classlib::detail::MemberTraits<decltype(Member)>::Class;
        static_assert(std::is_convertible_v<C*, Target*>, "the object has no such member");
        Target* target = obj;
        return Method(const_cast<void*>(static_cast<const volatile void*>(target)), &Call<Member, Target>);
    }

    // A reference to a free function; its object part is null.
    template <auto Function>
    static Method FromFunction() {
        return Method(nullptr, &CallFunction<Function>);
    }

    explicit operator bool() const { return code_ != nullptr; }
    bool Assigned() const { return code_ != nullptr; }
    // The object part (the member's class subobject), null for a free function.
    void* Data() const { return data_; }
    Trampoline Code() const { return code_; }

    // Calls the referenced member; an unassigned reference raises EInvalidOperation instead of jumping to null.
    R operator()(Args... args) const {
        if (!code_) classlib::detail::RaiseUnassignedMethod();
        return code_(data_, std::forward<Args>(args)...);
    }

    friend bool operator==(const Method& a, const Method& b) { return a.data_ == b.data_ && a.code_ == b.code_; }
    friend bool operator==(const Method& a, std::nullptr_t) { return a.code_ == nullptr; }

private:
    constexpr Method(void* data, Trampoline code) : data_(data), code_(code) {}

    template <auto Member, class Target>
    static R Call(void* object, Args... args) {
        return (static_cast<Target*>(object)->*Member)(std::forward<Args>(args)...);
    }
    template <auto Function>
    static R CallFunction(void*, Args... args) {
        return Function(std::forward<Args>(args)...);
    }

    void* data_ = nullptr;
    Trampoline code_ = nullptr;
};

// MakeMethod<&TForm1::ButtonClick>(this): the signature is taken from the member.
namespace classlib::detail {
template <class M>
struct MethodOf;
template <class C, class R, class... A>
struct MethodOf<R (C::*)(A...)> {
    using Type = Method<R(A...)>;
};
template <class C, class R, class... A>
struct MethodOf<R (C::*)(A...) const> {
    using Type = Method<R(A...)>;
};
template <class C, class R, class... A>
struct MethodOf<R (C::*)(A...) noexcept> {
    using Type = Method<R(A...)>;
};
template <class C, class R, class... A>
struct MethodOf<R (C::*)(A...) const noexcept> {
    using Type = Method<R(A...)>;
};
}  // namespace classlib::detail

template <auto Member, class C>
auto MakeMethod(C* obj) {
    return classlib::detail::MethodOf<decltype(Member)>::Type::template Bind<Member>(obj);
}

class TObject;
using TNotifyEvent = Method<void(TObject* sender)>;
