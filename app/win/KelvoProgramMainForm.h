// The program's main window as the modules that fill it find it: Application's main form.
#pragma once

class TMainForm;

namespace kelvo {

// Application's main form; raises, naming what needed it, when there is none or it is not a TMainForm.
TMainForm* ProgramMainForm(const char* neededBy);

}  // namespace kelvo
