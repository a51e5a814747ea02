// An object that lives as long as counted references (IPtr) to its interfaces exist.
#pragma once
#include <atomic>

#include "classlib/core/IInterface.h"
#include "classlib/core/TObject.h"

class TInterfacedObject : public TObject, public IInterface {
    CLASSLIB_CLASS(TInterfacedObject, TObject)

    // The count starts at 1 so that references taken and dropped inside a constructor cannot free the
    // object; AfterConstruction (run by Create) takes that reference back.
    TInterfacedObject() = default;
    void AfterConstruction() override;
    // Freeing an object that still has counted references is a fault: EInvalidOperation.
    void BeforeDestruction() override;

    std::int32_t _AddRef() override;
    // Frees the object when the last reference goes.
    std::int32_t _Release() override;
    std::int32_t RefCount() const { return refCount_.load(); }

private:
    std::atomic<std::int32_t> refCount_{1};
};
