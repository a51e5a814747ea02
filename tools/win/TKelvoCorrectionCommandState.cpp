#include "tools/win/TKelvoCorrectionCommandState.h"

#include "tools/win/TKelvoCorrectionTool.h"

TKelvoCorrectionCommandState::TKelvoCorrectionCommandState(TKelvoCorrectionTool& tool, TKelvoGraphicsDocument& document,
                                                           Byte kind)
    : TKelvoCustomGraphicsCommandState(&tool, document.GetImageRect(), document), tool_(tool), kind_(kind) {
    TellTools();
    document.SetSaved(false);
}

bool TKelvoCorrectionCommandState::Undo() { return tool_.UndoState(*this); }

bool TKelvoCorrectionCommandState::Redo() {
    const bool done = tool_.RedoState(*this);
    Document().SetSaved(false);
    return done;
}
