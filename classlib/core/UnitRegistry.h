// Explicit start-up and shutdown of the program's units. No unit initialises itself from a static
// constructor (their order across files is undefined); each registers an init and a fini here, and
// Startup runs the inits in ascending order, Shutdown the finis of the started units in reverse.
#pragma once
#include <functional>

#include "classlib/core/Types.h"

namespace classlib {

using UnitProc = std::function<void()>;

// Registers a unit under a unique name (a second registration of the name raises EInvalidOperation).
// Units of equal order start in registration order. A unit registered after Startup starts at once.
// Either procedure may be empty.
void RegisterUnit(const AnsiString& name, UnitProc init, UnitProc fini, int order);

// Runs the init of every registered unit that has not started. When an init raises, the units started by
// this call are shut down again (reverse order) and the exception passes on.
void Startup();
// Runs the fini of every started unit, last started first. Every fini runs even when one raises; the first
// exception is raised again afterwards.
void Shutdown();
bool IsUnitStarted(const AnsiString& name);

// Removes every registration (tests).
void ResetUnits();

}  // namespace classlib
