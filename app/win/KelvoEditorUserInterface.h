// The program's windows with the image editor in them: the main window and its modules, then the editor, which
// adds its menus, toolbar and status panels and opens the file the program was started with.
#pragma once

namespace kelvo {

void CreateKelvoEditorUserInterface();

}  // namespace kelvo
