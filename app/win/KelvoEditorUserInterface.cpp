#include "app/win/KelvoEditorUserInterface.h"

#include "app/win/KelvoUserInterface.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoGraphicsEditor.h"

namespace kelvo {

void CreateKelvoEditorUserInterface() {
    CreateKelvoUserInterface();
    TKelvoGraphicsEditor* editor = nullptr;
    KelvoApplication->CreateModule(TKelvoGraphicsEditor::StaticClass(), editor);
}

}  // namespace kelvo
