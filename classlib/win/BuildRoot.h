// Forms, frames and data modules built by the builders registered for their classes.
#pragma once
#include "classlib/core/TComponent.h"

// Runs the builders of root's class chain below rootAncestor (base first). Raises EResNotFound
// "Resource %s not found" with the class name when no class of the chain has one.
void BuildRootComponent(TComponent* root, TClass rootAncestor);

