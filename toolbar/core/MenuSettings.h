// How menus read the user's settings when the system does not answer for them.
#pragma once
#include <string_view>

namespace tb {

// The default delay before a submenu opens, in milliseconds.
constexpr int kDefaultMenuShowDelay = 400;

// The delay from the registry value "MenuShowDelay" (HKCU\Control Panel\Desktop): 400 when the key or value
// is missing; 0 when it is not a string or its text is not a whole number (as StrToInt reads it) within 32 bits; a
// negative number gives 0.
int MenuShowDelayFromRegistry(bool found, bool isString, std::string_view value);

}  // namespace tb
