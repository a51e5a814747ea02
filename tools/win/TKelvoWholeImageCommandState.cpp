#include "tools/win/TKelvoWholeImageCommandState.h"

#include "tools/win/KelvoImageToolSupport.h"

TKelvoWholeImageCommandState::TKelvoWholeImageCommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document)
    : TKelvoCustomGraphicsCommandState(tool, document.GetImageRect(), document), area_(document.ImageArea()) {
    document.CopyImageTo(working_, &original_);
    document.SetSaved(false);
}

bool TKelvoWholeImageCommandState::Restore() {
    TKelvoGraphicsDocument& document = Document();
    if (!document.ReplaceImage(working_, &original_)) return false;
    document.SetImageRect(area_);
    return true;
}

bool TKelvoWholeImageCommandState::Undo() {
    auto hourglass = kelvo::HourglassCursor();
    const bool done = Restore();
    TellTools();
    return done;
}

bool TKelvoWholeImageCommandState::Redo() {
    auto hourglass = kelvo::HourglassCursor();
    const bool done = RunAgain();
    TellTools();
    Document().SetSaved(false);
    return done;
}
