// The main window's placement between the state file and the screen. The stored placement is in workspace
// coordinates, as the system reports it; it is put back through the form's own bounds and window state (the
// form may not be shown yet), inside the work area of the monitor nearest to it.
#pragma once
#include "app/core/KelvoMainWindowState.h"

class TCustomForm;

namespace kelvo {

// The window's placement as the system reports it.
TKelvoWindowPlacement CurrentPlacement(TCustomForm& form);
// Applies a stored placement when it is usable (KelvoMainWindowState.h); false leaves the form as it was.
bool ApplyPlacement(TCustomForm& form, const TKelvoWindowPlacement& stored);

}  // namespace kelvo
