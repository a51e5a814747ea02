// Forms, frames and data modules: built by the builders registered for their classes, told of their end.
#pragma once
#include "classlib/core/Method.h"
#include "classlib/core/TComponent.h"

// Runs the builders of root's class chain below rootAncestor (base first). Raises EResNotFound
// "Resource %s not found" with the class name when no class of the chain has one.
void BuildRootComponent(TComponent* root, TClass rootAncestor);

// Runs an OnDestroy handler (if any). Destruction cannot stop half-way, so an exception the handler raises
// is reported to the application's handler and goes no further.
void FireOnDestroy(const TNotifyEvent& handler, TObject* sender);
