// Wide texts kept for components that have no Unicode window (yet): one helper per component, found by the
// component's address in a process-wide list ordered by address. A helper goes away with its component.
// The list is used on the user-interface thread only.
#pragma once
#include "classlib/core/TComponent.h"

class TWideComponentHelper : public TComponent {
    CLASSLIB_CLASS(TWideComponentHelper, TComponent)

public:
    // Raises EUniInternalError when component is null. Helpers are made by uni::FindWideComponentHelper and
    // free themselves when their component goes, so they always live on the heap.
    explicit TWideComponentHelper(TComponent* component);
    ~TWideComponentHelper() override;
    TComponent* Component() const { return component_; }

    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* component_;
};

// The stored wide text and wide hint of a control.
class TWideControlHelper : public TWideComponentHelper {
    CLASSLIB_CLASS(TWideControlHelper, TWideComponentHelper)

public:
    explicit TWideControlHelper(TComponent* control) : TWideComponentHelper(control) {}
    TComponent* Control() const { return Component(); }

    WideString WideCaption;
    WideString WideHint;
};

namespace uni {

// The helper of component, or null. With create a missing one is made (a TWideComponentHelper) and kept.
TWideComponentHelper* FindWideComponentHelper(TComponent* component, bool create);
// The same for a control, whose helper is a TWideControlHelper.
TWideControlHelper* FindWideControlHelper(TComponent* control, bool create);
// How many helpers the list holds.
int WideComponentHelperCount();
// Frees every helper (the layer's shutdown).
void FreeWideComponentHelpers();

}  // namespace uni
