// The program's life from its first unit to its exit code: the units in a fixed order (the class library's,
// the themed graphics and the theme nexus, the wide file streams, the application object, the localizer, the
// printer), the user interface, the run with its state walks, the shut-down, and the exit code the program set.
// The program's entry and every test that starts the program's windows go through the same two first steps.
#pragma once

namespace kelvo {

// Builds the user interface (the start-up module and through it the main form) once the application
// object is initialised.
using TCreateUserInterface = void (*)();

// Registers the program's units in their fixed order and starts those not started yet: the class library's,
// the Unicode controls and application, the themed graphics and the theme nexus, the wide file streams, then the
// application object, the localizer (which reads the language files) and the printer. A second call starts
// nothing new.
void StartKelvoUnits();

// Initialises the application object, then builds the user interface through it.
void BuildKelvoProgram(TCreateUserInterface createUserInterface);

// Runs the program (StartKelvoUnits, BuildKelvoProgram, the run, the shut-down) and returns the exit code it set
// (ExitCode). Errors while building the user interface or running go to the class library's report; once the message
// loop has ended, nothing that a SaveState, a destructor or a unit's finalisation raises changes the exit code. When
// the units cannot even start, the error is shown and the result is 1; when the user interface cannot be built, the
// exit code becomes 1 unless the program had set another one.
int RunKelvoProgram(TCreateUserInterface createUserInterface);

// From now on a fatal error (an exception leaving a destructor, a crash) ends the process at once with
// ExitCode instead of the runtime's own code. For the shut-down, where the program's result is already
// decided.
void ProtectExitCode();

}  // namespace kelvo
