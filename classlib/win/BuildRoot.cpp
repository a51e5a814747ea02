#include "classlib/win/BuildRoot.h"

#include "classlib/core/FormBuilder.h"

void BuildRootComponent(TComponent* root, TClass rootAncestor) {
    if (!InitInheritedComponent(root, rootAncestor))
        throw CreateFmt<EResNotFound>("Resource %s not found", {root->ClassName()});
}
