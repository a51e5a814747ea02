#include "classlib/win/BuildRoot.h"

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/FormBuilder.h"

void BuildRootComponent(TComponent* root, TClass rootAncestor) {
    if (!InitInheritedComponent(root, rootAncestor))
        throw CreateFmt<EResNotFound>("Resource %s not found", {root->ClassName()});
}

void FireOnDestroy(const TNotifyEvent& handler, TObject* sender) {
    if (!handler) return;
    try {
        handler(sender);
    } catch (...) {
        HandleCallbackException(sender);
    }
}
