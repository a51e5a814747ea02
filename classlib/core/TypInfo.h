// Published properties: per class, in declaration order, a name, a kind and typed access. The
// property stream looks names up here (before DefineProperties entries), and code that walks a
// class's wide properties enumerates them. Registration is explicit, from a unit's start-up.
#pragma once
#include <cstdint>
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>
#include <vector>

#include "classlib/core/TObject.h"
#include "classlib/core/Types.h"

class TPersistent;

enum TTypeKind {
    tkInteger,      // ordinal number (int32 or int64 range)
    tkEnumeration,  // ordinal with names (EnumNames); Boolean is an enumeration False/True
    tkSet,          // bit set over EnumNames (bit i = EnumNames[i])
    tkFloat,
    tkString,   // 8-bit string
    tkWString,  // UTF-16 string
    tkWChar,    // one UTF-16 character
    tkClass,    // an owned persistent object, streamed as its own properties ("Font.Name")
    tkMethod    // an event; kept in the registry, never streamed (forms bind events in code)
};

struct TPropInfo {
    AnsiString Name;
    TTypeKind Kind = tkInteger;
    TClass Owner = nullptr;
    std::vector<AnsiString> EnumNames;  // tkEnumeration and tkSet (at most 32 for a set)
    // tkInteger: the range of the property's type; a stream value outside it is refused.
    std::int64_t MinValue = INT64_MIN;
    std::int64_t MaxValue = INT64_MAX;
    std::function<std::int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;  // tkInteger, tkEnumeration, tkSet, tkWChar
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<AnsiString(TObject*)> GetStr;
    std::function<void(TObject*, const AnsiString&)> SetStr;
    std::function<WideString(TObject*)> GetWStr;
    std::function<void(TObject*, const WideString&)> SetWStr;
    std::function<TPersistent*(TObject*)> GetObject;
};

// Adds a property to cls (after those already registered for it). A second property of the same
// name on the same class raises EInvalidOperation.
void RegisterPropInfo(TClass cls, TPropInfo info);
// Removes every property registered for cls (for units that shut down, and tests).
void UnregisterPropInfos(TClass cls);
// Every published property of cls, its bases' first, each base's in registration order.
std::vector<const TPropInfo*> GetPropList(TClass cls);
// The property of that name (ASCII case ignored) of cls or a base; nullptr when there is none.
const TPropInfo* GetPropInfo(TClass cls, const AnsiString& name);

// Typed registration helpers: C is the class, the accessors are its member functions.
template <class C, class V>
void PublishOrdinal(const AnsiString& name, V (C::*get)() const, void (C::*set)(V)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkInteger;
    p.MinValue = std::int64_t(std::numeric_limits<V>::min());
    if constexpr (std::is_unsigned_v<V> && sizeof(V) >= sizeof(std::int64_t))
        p.MaxValue = INT64_MAX;
    else
        p.MaxValue = std::int64_t(std::numeric_limits<V>::max());
    p.GetOrd = [get](TObject* o) { return std::int64_t((static_cast<C*>(o)->*get)()); };
    p.SetOrd = [set](TObject* o, std::int64_t v) { (static_cast<C*>(o)->*set)(V(v)); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C, class E>
void PublishEnum(const AnsiString& name, std::vector<AnsiString> names, E (C::*get)() const, void (C::*set)(E)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkEnumeration;
    p.EnumNames = std::move(names);
    p.GetOrd = [get](TObject* o) { return std::int64_t((static_cast<C*>(o)->*get)()); };
    p.SetOrd = [set](TObject* o, std::int64_t v) { (static_cast<C*>(o)->*set)(E(v)); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C>
void PublishBoolean(const AnsiString& name, bool (C::*get)() const, void (C::*set)(bool)) {
    PublishEnum<C, bool>(name, {"False", "True"}, get, set);
}

template <class C>
void PublishSet(const AnsiString& name, std::vector<AnsiString> names, std::uint32_t (C::*get)() const,
                void (C::*set)(std::uint32_t)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkSet;
    p.EnumNames = std::move(names);
    p.GetOrd = [get](TObject* o) { return std::int64_t((static_cast<C*>(o)->*get)()); };
    p.SetOrd = [set](TObject* o, std::int64_t v) { (static_cast<C*>(o)->*set)(std::uint32_t(v)); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C>
void PublishFloat(const AnsiString& name, double (C::*get)() const, void (C::*set)(double)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkFloat;
    p.GetFloat = [get](TObject* o) { return (static_cast<C*>(o)->*get)(); };
    p.SetFloat = [set](TObject* o, double v) { (static_cast<C*>(o)->*set)(v); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C>
void PublishString(const AnsiString& name, AnsiString (C::*get)() const, void (C::*set)(const AnsiString&)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkString;
    p.GetStr = [get](TObject* o) { return (static_cast<C*>(o)->*get)(); };
    p.SetStr = [set](TObject* o, const AnsiString& v) { (static_cast<C*>(o)->*set)(v); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C>
void PublishWideString(const AnsiString& name, WideString (C::*get)() const, void (C::*set)(const WideString&)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkWString;
    p.GetWStr = [get](TObject* o) { return (static_cast<C*>(o)->*get)(); };
    p.SetWStr = [set](TObject* o, const WideString& v) { (static_cast<C*>(o)->*set)(v); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C>
void PublishWideChar(const AnsiString& name, WideChar (C::*get)() const, void (C::*set)(WideChar)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkWChar;
    p.GetOrd = [get](TObject* o) { return std::int64_t((static_cast<C*>(o)->*get)()); };
    p.SetOrd = [set](TObject* o, std::int64_t v) { (static_cast<C*>(o)->*set)(WideChar(v)); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

template <class C, class P>
void PublishObject(const AnsiString& name, P* (C::*get)() const) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkClass;
    p.GetObject = [get](TObject* o) -> TPersistent* { return (static_cast<C*>(o)->*get)(); };
    RegisterPropInfo(C::StaticClass(), std::move(p));
}

// An event property: listed, never streamed.
template <class C>
void PublishEvent(const AnsiString& name) {
    TPropInfo p;
    p.Name = name;
    p.Kind = tkMethod;
    RegisterPropInfo(C::StaticClass(), std::move(p));
}
