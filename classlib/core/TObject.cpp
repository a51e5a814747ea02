#include "classlib/core/TObject.h"

#include <mutex>
#include <vector>

#include "classlib/core/MessageDispatch.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TComponent.h"

namespace {
struct ClassRegistry {
    std::mutex lock;
    std::vector<TClass> classes;
};
ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}
}  // namespace

bool TMetaClass::ClassNameIs(const AnsiString& name) const { return SameTextAscii(name_, name); }

bool TMetaClass::InheritsFrom(TClass cls) const {
    for (TClass c = this; c; c = c->parent_)
        if (c == cls) return true;
    return false;
}

TObject* TMetaClass::Construct(void* memory, TComponent* owner) const {
    if (!construct_) throw EInvalidOperation("Cannot create an instance of class " + AnsiString(name_));
    return construct_(memory, owner);
}

TObject* TMetaClass::Create(TComponent* owner) const {
    if (!construct_) throw EInvalidOperation("Cannot create an instance of class " + AnsiString(name_));
    void* memory = ::operator new(instanceSize_);
    TObject* obj;
    {
        TScopeExit release([memory] { ::operator delete(memory); });
        obj = construct_(memory, owner);
        release.Dismiss();
    }
    TScopeExit destroy([obj] { delete obj; });
    obj->AfterConstruction();
    destroy.Dismiss();
    return obj;
}

TObject::~TObject() = default;

TClass TObject::StaticClass() {
    static const TMetaClass record("TObject", nullptr, sizeof(TObject), nullptr);
    return &record;
}

TClass TObject::ClassType() const { return StaticClass(); }

void TObject::AfterConstruction() {}
void TObject::BeforeDestruction() {}

void TObject::RaiseInvalidCast() { throw EInvalidCast("Invalid class typecast"); }

void TObject::Dispatch(TMessage& message) {
    if (!DispatchFromTable(MessageTable(), this, message)) DefaultHandler(message);
}

void TObject::DefaultHandler(TMessage&) {}

const TMessageTable* TObject::MessageTable() const { return nullptr; }

void Free(TObject* obj) {
    if (!obj) return;
    obj->BeforeDestruction();
    delete obj;
}

void RegisterClass(TClass cls) {
    if (!cls) return;
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> hold(r.lock);
    for (TClass c : r.classes)
        if (c == cls) return;
    r.classes.push_back(cls);
}

void UnRegisterClass(TClass cls) {
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> hold(r.lock);
    for (auto it = r.classes.begin(); it != r.classes.end(); ++it)
        if (*it == cls) {
            r.classes.erase(it);
            return;
        }
}

TClass GetClass(const AnsiString& name) {
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> hold(r.lock);
    for (TClass c : r.classes)
        if (c->ClassNameIs(name)) return c;
    return nullptr;
}

TClass FindClass(const AnsiString& name) {
    TClass c = GetClass(name);
    if (!c) throw EClassNotFound("Class " + name + " not found");
    return c;
}
