// Native menu entries of Unicode menu items, written in their wide form.
#pragma once
class TMenuItem;

namespace uni {

// The entry of a visible Unicode menu item in its parent's native menu: the wide caption, and after a tab
// the wide shortcut text (not on a menu bar). Raises the system's error when the entry cannot be written.
void WriteWideMenuEntry(TMenuItem* item);
// The same for every visible Unicode child of parent (whose native menu exists).
void WriteWideMenuEntries(TMenuItem* parent);

}  // namespace uni
