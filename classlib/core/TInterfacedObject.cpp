#include "classlib/core/TInterfacedObject.h"

void TInterfacedObject::AfterConstruction() {
    TObject::AfterConstruction();
    --refCount_;
}

void TInterfacedObject::BeforeDestruction() {
    if (refCount_.load() != 0) throw EInvalidOperation("Object freed while interface references to it remain");
    TObject::BeforeDestruction();
}

std::int32_t TInterfacedObject::_AddRef() { return ++refCount_; }

std::int32_t TInterfacedObject::_Release() {
    std::int32_t left = --refCount_;
    if (left == 0) Free(this);
    return left;
}
