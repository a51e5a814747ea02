#include "tools/win/TKelvoRotateCommandState.h"

#include "tools/win/KelvoImageToolSupport.h"

TKelvoRotateCommandState::TKelvoRotateCommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document,
                                                   std::uint8_t op, std::function<void()> changed)
    : TKelvoCustomGraphicsCommandState(tool, document.GetImageRect(), document), op_(op), changed_(std::move(changed)) {
    document.SetSaved(false);
}

bool TKelvoRotateCommandState::Run(std::uint8_t op) {
    auto hourglass = kelvo::HourglassCursor();
    const bool done = RunRotateOp(Document(), op);
    if (changed_) changed_();
    TellTools();
    return done;
}

bool TKelvoRotateCommandState::Undo() { return Run(InverseRotateOp(op_)); }

bool TKelvoRotateCommandState::Redo() {
    const bool done = Run(op_);
    Document().SetSaved(false);
    return done;
}
