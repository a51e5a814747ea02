// Installs the system's own answers behind the platform-free seams: key names from the keyboard layout for
// shortcut texts and the current system colours for ColorToRGB. Called once at start-up of the program.
#pragma once

namespace classlib {
void UseSystemKeyNames();
void UseSystemColors();
}  // namespace classlib
