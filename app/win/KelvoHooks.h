// What the form and frame bases share: their language and idle hooks come and go together, and which of
// them initialise themselves.
#pragma once
#include "app/core/TKelvoMethodList.h"

class TComponent;

namespace kelvo {

// Localize becomes a language listener (and is called at once), UpdateState an idle listener.
void StartHooks(TKelvoMethod localize, TKelvoMethod updateState);
// Both are removed again (nothing when they were never added).
void StopHooks(TKelvoMethod localize, TKelvoMethod updateState);
// A form or frame owned by Application is initialised by the state walk; any other initialises itself once
// constructed.
bool InitializesItself(const TComponent& component);

}  // namespace kelvo
