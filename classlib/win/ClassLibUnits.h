// The class library's units in one call: the program registers them before classlib::Startup(), so that the
// application, screen, mouse, popup list and printer are made and freed in the order of their units.
#pragma once

namespace classlib {
void RegisterClassLibUnits();
}  // namespace classlib
