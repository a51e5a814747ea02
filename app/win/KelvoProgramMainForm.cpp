#include "app/win/KelvoProgramMainForm.h"

#include <string>

#include "app/win/TMainForm.h"
#include "classlib/win/TApplication.h"

namespace kelvo {

TMainForm* ProgramMainForm(const char* neededBy) {
    auto* form = dynamic_cast<TMainForm*>(Application->MainForm());
    if (!form) throw Exception(std::string(neededBy) + " needs the program's main window");
    return form;
}

}  // namespace kelvo
