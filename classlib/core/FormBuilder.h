// Forms, frames and data modules are built in code: each class registers a builder that creates its
// components with their names, properties and event bindings. InitInheritedComponent runs the
// builders of a class and of its bases, the way a stored form description would be loaded.
#pragma once
#include "classlib/core/TObject.h"

class TComponent;

using TFormBuilder = void (*)(TComponent* root);

// Sets (or replaces) the builder of cls; a null builder removes it.
void RegisterFormBuilder(TClass cls, TFormBuilder build);
TFormBuilder FindFormBuilder(TClass cls);

// Runs the builders of instance's class chain from just below rootAncestor down to the actual class,
// base first, under the GlobalNameSpace write lock, with csLoading set on instance; then Loaded()
// on instance and on every component the builders added to it, in creation order. Returns whether any
// builder ran. When a builder raises, the components the builders added are freed again, csLoading
// is cleared and the exception passes on.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
