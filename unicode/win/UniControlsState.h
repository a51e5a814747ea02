// The process-wide state of the Unicode controls base, shared by its files (not for users of the layer).
#pragma once
#include <cstdint>

#include "classlib/win/TWinControl.h"

namespace uni {

struct LayerState {
    bool unicodePlatform = true;
    bool platformV51 = true;
    std::uint32_t destroyWindowMessage = 0;
    ATOM windowAtom = 0;
    ATOM controlAtom = 0;
    // The control whose Unicode window is being made (set only around CreateWindowExW).
    TWinControl* creationControl = nullptr;
    // Set at the layer's shutdown: traps still in place then pass every message to the system.
    bool finalized = false;
};

LayerState& State();

// Shutdown: frees every trap whose window is gone; traps of windows still alive stay (finalized) with them.
void ReleaseTraps();

}  // namespace uni
