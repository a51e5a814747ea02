// The class library's units in one call: the program registers them before classlib::Startup(). The first
// puts the system behind the platform-free seams (code pages, locale separators, key names, system colours);
// then the application, screen, mouse, popup list and printer are made and freed in the order of their units.
#pragma once

namespace classlib {
inline constexpr int SystemUnitOrder = 10;
void RegisterClassLibUnits();
}  // namespace classlib
