// The program's windows as it starts: the main window and the modules that fill it. The program's entry runs
// this once the application object is initialised; the window tests run the same.
#pragma once

namespace kelvo {

// Registers the builders of the program's forms and frames, makes the main window (Application's main form),
// the help and about modules and the tool panel module. All belong to Application.
void CreateKelvoUserInterface();

}  // namespace kelvo
